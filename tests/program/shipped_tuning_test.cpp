// The tuning the game ships is built into the programs: a game without its
// tuning file, or with values no game can be played with, plays like the
// shipped game and says so in one line.

#include <filesystem>
#include <fstream>

#include "key_script.h"
#include "reliability_fixture.h"
#include "temp_folder.h"

namespace pebblerun::support {
namespace {

namespace fs = std::filesystem;

class ShippedTuning : public ReliabilityTest {
 protected:
  fs::path Tuning(const char* mode) const {
    return app_.Dir() / "textures" / (std::string(mode) == "story" ? "lvl1.bmp" : "lvl2.bmp");
  }
  // One game: its summary line and its frame-by-frame trace.
  struct Played {
    ChildRun run;
    std::string trace;
  };
  Played Play(std::vector<std::string> args) const {
    const fs::path trace = Scratch() / "trace.csv";
    args.insert(args.end(), {"--app-dir", AppDir(), "--trace", trace.string()});
    Played p{Sim(args), ReadBytes(trace)};
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
      const std::string file = ReadBytes(Tuning(mode));
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

// The game itself, in both modes: a game started from the menu with the
// same seed and keys records the same replay with and without the mode's
// tuning file (the map and bonuses the tuning generated, every key, and the
// frame and row where Escape ended it).
TEST_F(ShippedTuning, ProgramPlaysTheSameWithoutTheTuningFile) {
  app_.Write("textures/dot_black2.bmp", ScoreTable(10, "999999", "NOBODY"));
  app_.Write("textures/dot_white2.bmp", ScoreTable(10, "999999", "NOBODY"));
  KeyScript keys(5);
  keys.Press("T").Press("Enter").WaitUntil(60).Hold("Left", 30).Press("Up").Hold("Right", 80).Press("Up");
  keys.Wait(40).Press("Escape");
  const int end = keys.Frame() + 20;
  app_.Write("keys.txt", keys.Text());
  const std::vector<std::string> args = {"--headless",
                                         "--app-dir",
                                         AppDir(),
                                         "--seed",
                                         "4242",
                                         "--script",
                                         (app_.Dir() / "keys.txt").string(),
                                         "--frames",
                                         std::to_string(end)};
  for (const char* mode : {"story", "arcade"}) {
    SCOPED_TRACE(mode);
    const bool story = std::string(mode) == "story";
    app_.Write("textures/options.bmp", std::string("[main]\r\nStoryReaden=True\r\nArcadeLocked=False\r\n") +
                                           "GameMode_Story=" + (story ? "True" : "False") + "\r\n");
    const auto shipped = Game(args);
    ASSERT_EQ(shipped.ExitCode, 0) << shipped.Err;
    ASSERT_GT(RecordedLastFrame(app_), 0) << "the game ran to its end";
    const std::string shippedRecord = app_.Read("replay.ini");
    fs::remove(app_.Dir() / "replay.ini");

    const std::string file = ReadBytes(Tuning(mode));
    fs::remove(Tuning(mode));
    const auto without = Game(args);
    std::ofstream(Tuning(mode), std::ios::binary) << file;
    EXPECT_EQ(without.ExitCode, 0) << without.Err;
    EXPECT_TRUE(app_.Read("replay.ini") == shippedRecord) << "the recorded games differ";
    EXPECT_NE(app_.Log().find("Tuning file is missing : " + Tuning(mode).string()), std::string::npos)
        << app_.Log();
  }
}

TEST_F(ShippedTuning, NumbersNoGameCanBePlayedWithAreLoggedAndReplaced) {
  // Each set of values is replaced by the shipped ones, so the game goes as
  // the shipped game does, frame by frame.
  const std::vector<std::string> game = {"--mode", "story", "--random", "4", "--frames", "900"};
  const Played shipped = Play(game);
  ASSERT_EQ(shipped.run.ExitCode, 0);
  const std::string file = ReadBytes(Tuning("story"));
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
  const std::string file = ReadBytes(replay);
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
