// The tuning the game ships is built into the programs: a game without its
// tuning file, or with values no game can be played with, plays like the
// shipped game and says so in one line.

#include <filesystem>
#include <fstream>

#include "reliability_fixture.h"

namespace pebblerun::support {
namespace {

namespace fs = std::filesystem;

class ShippedTuning : public ReliabilityTest {
 protected:
  fs::path Tuning(const char* mode) const {
    return app_.Dir() / "textures" / (std::string(mode) == "story" ? "lvl1.bmp" : "lvl2.bmp");
  }
  std::string Read(const fs::path& file) const {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  // One game: its summary line and its frame-by-frame trace.
  struct Played {
    ChildRun run;
    std::string trace;
  };
  Played Play(std::vector<std::string> args) const {
    const fs::path trace = Scratch() / "trace.csv";
    args.insert(args.end(), {"--app-dir", AppDir(), "--trace", trace.string()});
    Played p{Sim(args), Read(trace)};
    fs::remove(trace);
    return p;
  }
};

TEST_F(ShippedTuning, SimulatorPlaysTheSameWithoutTheTuningFile) {
  CopyShippedReplay("replay5.ini", Scratch() / "story.ini");
  CopyShippedReplay("replay2.ini", Scratch() / "arcade.ini");
  for (const char* mode : {"story", "arcade"}) {
    const std::vector<std::vector<std::string>> games = {
        {"--mode", mode, "--replay", (Scratch() / (std::string(mode) + ".ini")).string()},
        {"--mode", mode, "--random", "11", "--frames", "1500"}};
    for (const auto& game : games) {
      const Played shipped = Play(game);
      ASSERT_EQ(shipped.run.ExitCode, 0) << shipped.run.Err;
      const std::string file = Read(Tuning(mode));
      fs::remove(Tuning(mode));
      const Played without = Play(game);
      std::ofstream(Tuning(mode), std::ios::binary) << file;
      EXPECT_EQ(without.run.ExitCode, 0);
      EXPECT_EQ(without.run.Out, shipped.run.Out) << mode;
      EXPECT_TRUE(without.trace == shipped.trace) << mode << ": the frames differ";
      EXPECT_TRUE(OneLineNaming(without.run.Err, Tuning(mode).filename().string())) << without.run.Err;
    }
  }
}

TEST_F(ShippedTuning, ProgramPlaysTheSameWithoutTheTuningFile) {
  CopyShippedReplay("replay2.ini", app_.Dir() / "replay2.ini");
  const std::vector<std::string> args = {"--headless",  "--app-dir", AppDir(), "--replay",
                                         "replay2.ini", "--frames",  "250"};
  const auto shipped = Game(args);
  ASSERT_EQ(shipped.ExitCode, 0) << shipped.Err;
  fs::remove(Tuning("arcade"));
  const auto without = Game(args);
  EXPECT_EQ(without.ExitCode, 0);
  EXPECT_EQ(without.Out, shipped.Out);
  EXPECT_NE(app_.Log().find(Tuning("arcade").string()), std::string::npos) << app_.Log();
}

TEST_F(ShippedTuning, NumbersNoGameCanBePlayedWithAreLoggedAndReplaced) {
  // Each set of values is replaced by the shipped ones, so the game goes as
  // the shipped game does, frame by frame.
  const std::vector<std::string> game = {"--mode", "story", "--random", "4", "--frames", "900"};
  const Played shipped = Play(game);
  ASSERT_EQ(shipped.run.ExitCode, 0);
  const std::string file = Read(Tuning("story"));
  const struct {
    std::vector<std::pair<std::string, std::string>> values;
    std::string told;  // what the log line names
  } hostile[] = {
      {{{"NumOf_Bomb", "-30000"}, {"NumOf_Pie", "-30000"}}, "NumOf_Pie = -30000"},
      {{{"Level-01_LevelSize", "30000"}, {"Level-02_LevelSize", "30000"}}, "LevelSize"},
      {{{"Level-01_LevelSize", "-20000"}}, "Level-01_LevelSize = -20000"},
      {{{"Level-03_LevelSize", "6000"}}, "LevelSize"},
      {{{"Level-04_PlatformSize", "-4"}, {"Level-08_OnEachPlatformSkipLines", "-2"}}, "Level-08"},
      {{{"Tile_Glass", "-17"}}, "Tile_Glass"},
      {{{"Position_Tile_Y", "40"}}, "Position_Tile_Y"},
  };
  for (const auto& [values, told] : hostile) {
    std::string edited = file;
    for (const auto& [key, value] : values) edited = WithValue(edited, key, value);
    std::ofstream(Tuning("story"), std::ios::binary) << edited;
    const Played played = Play(game);
    EXPECT_EQ(played.run.Out, shipped.run.Out) << told;
    EXPECT_TRUE(played.trace == shipped.trace) << told << ": the frames differ";
    EXPECT_NE(played.run.Err.find(told), std::string::npos) << played.run.Err;
  }
}

TEST_F(ShippedTuning, PlaybackWhoseMapCannotHoldTheHeroIsNotWon) {
  const fs::path replay = Scratch() / "small.ini";
  CopyShippedReplay("replay5.ini", replay);
  const std::string file = Read(replay);
  for (const char* size : {"-3", "0", "3"}) {
    std::ofstream(replay, std::ios::binary) << WithValue(file, "mapsizey", size);
    const auto run = Sim({"--app-dir", AppDir(), "--mode", "story", "--replay", replay.string()});
    EXPECT_EQ(run.ExitCode, 0) << size;
    EXPECT_EQ(run.Out.find("result=won"), std::string::npos) << size << ": " << run.Out;
    EXPECT_NE(run.Err.find("mapsizey"), std::string::npos) << size << ": " << run.Err;
  }
}

}  // namespace
}  // namespace pebblerun::support
