// A command line that names a folder or file the run cannot use is refused
// before anything runs: one line on stderr naming the path, exit code 2, and
// not a byte written anywhere. A start-up that fails later says why on stderr.

#include <filesystem>
#include <fstream>

#include "reliability_fixture.h"

namespace pebblerun::support {
namespace {

namespace fs = std::filesystem;

class Refusals : public ReliabilityTest {
 protected:
  // Nothing in the per-user folder or the working folder, no log in the
  // application folder.
  void ExpectNothingWritten() const {
    EXPECT_TRUE(ListTree(Home()).empty());
    EXPECT_TRUE(ListTree(Cwd()).empty());
    EXPECT_FALSE(fs::exists(app_.Dir() / "log.txt"));
  }
};

TEST_F(Refusals, ProgramRefusesAnApplicationFolderThatIsNotThere) {
  const fs::path missing = Scratch() / "no such folder";
  auto run = Game({"--headless", "--frames", "5", "--app-dir", missing.string()});
  EXPECT_EQ(run.ExitCode, 2);
  EXPECT_TRUE(OneLineNaming(run.Err, missing.string()));
  EXPECT_FALSE(fs::exists(missing));

  const fs::path file = Scratch() / "a file";
  std::ofstream(file) << "not a folder";
  run = Game({"--headless", "--frames", "5", "--app-dir", file.string()});
  EXPECT_EQ(run.ExitCode, 2);
  EXPECT_TRUE(OneLineNaming(run.Err, file.string()));
  ExpectNothingWritten();
}

TEST_F(Refusals, ProgramRefusesAReplayItCannotRead) {
  for (const fs::path& replay : {Cwd() / "missing.ini", app_.Dir() / "textures"}) {
    const auto run = Game({"--headless", "--app-dir", AppDir(), "--replay", replay.string()});
    EXPECT_EQ(run.ExitCode, 2) << replay;
    EXPECT_TRUE(OneLineNaming(run.Err, replay.string()));
    EXPECT_EQ(run.Out, "");
  }
  ExpectNothingWritten();
}

TEST_F(Refusals, RelativeReplayIsFoundInTheWorkingFolderFirstThenInTheApplicationFolder) {
  // The arcade replay lasts 4022 frames, the story one 5357: "lastframe"
  // tells which file was played.
  CopyShippedReplay("replay2.ini", app_.Dir() / "replay2.ini");
  auto run = Game({"--headless", "--app-dir", AppDir(), "--replay", "replay2.ini", "--frames", "60"});
  EXPECT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_NE(run.Out.find("lastframe=4022"), std::string::npos) << run.Out;

  CopyShippedReplay("replay5.ini", Cwd() / "replay2.ini");
  run = Game({"--headless", "--app-dir", AppDir(), "--replay", "replay2.ini", "--frames", "60"});
  EXPECT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_NE(run.Out.find("lastframe=5357"), std::string::npos) << run.Out;
}

// The simulator looks the name up the same way; the mode word of its summary
// tells which file was played (the arcade replay2, or the story replay5).
TEST_F(Refusals, SimulatorFindsARelativeReplayInTheWorkingFolderThenInTheApplicationFolder) {
  CopyShippedReplay("replay2.ini", app_.Dir() / "replay2.ini");
  for (const char* name : {"replay2.ini", "REPLAY2.INI"}) {
    const auto run = Sim({"--app-dir", AppDir(), "--mode", "story", "--replay", name, "--frames", "60"});
    EXPECT_EQ(run.ExitCode, 0) << name << ": " << run.Err;
    EXPECT_EQ(run.Out.rfind("mode=arcade ", 0), 0u) << name << ": " << run.Out;
  }
  CopyShippedReplay("replay5.ini", Cwd() / "replay2.ini");
  const auto run =
      Sim({"--app-dir", AppDir(), "--mode", "arcade", "--replay", "replay2.ini", "--frames", "60"});
  EXPECT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Out.rfind("mode=story ", 0), 0u) << run.Out;
}

TEST_F(Refusals, SimulatorRefusesWhatItCannotPlay) {
  const fs::path trace = Cwd() / "trace.csv";
  const fs::path missingApp = Scratch() / "gone";
  CopyShippedReplay("replay2.ini", Scratch() / "replay2.ini");
  const struct {
    std::vector<std::string> args;
    std::string named;
  } cases[] = {
      {{"--app-dir", AppDir(), "--mode", "story", "--replay", (Scratch() / "missing.ini").string()},
       (Scratch() / "missing.ini").string()},
      {{"--app-dir", AppDir(), "--mode", "story", "--replay", Scratch().string()}, Scratch().string()},
      {{"--app-dir", missingApp.string(), "--mode", "story", "--idle"}, missingApp.string()},
      {{"--app-dir", missingApp.string(), "--mode", "arcade", "--replay",
        (Scratch() / "replay2.ini").string()},
       missingApp.string()},
  };
  for (const auto& c : cases) {
    auto args = c.args;
    args.insert(args.end(), {"--trace", trace.string()});
    const auto run = Sim(args);
    EXPECT_EQ(run.ExitCode, 2) << c.named;
    EXPECT_TRUE(OneLineNaming(run.Err, c.named));
    EXPECT_EQ(run.Out, "") << "no game was played";
  }
  EXPECT_FALSE(fs::exists(missingApp));
  ExpectNothingWritten();
}

TEST_F(Refusals, StartupFailureSaysWhyOnStderr) {
  // A font table whose letter size is not a number stops the display start.
  std::ofstream(app_.Dir() / "font.ini") << "[Letter sizes]\r\nWidth=wide\r\nHeight=22\r\n";
  const auto run = Game({"--headless", "--frames", "5", "--app-dir", AppDir()});
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_NE(run.Err.find("font.ini"), std::string::npos) << run.Err;
  EXPECT_NE(app_.Log().find("font.ini"), std::string::npos) << app_.Log();
  // Every file it names is a path as this system writes it.
  EXPECT_EQ(app_.Log().find('\\'), std::string::npos) << app_.Log();
}

}  // namespace
}  // namespace pebblerun::support
