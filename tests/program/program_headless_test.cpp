// Whole runs of the real program, headless, on a private application folder.

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "program_run.h"

namespace pebblerun {
namespace {

using support::AppCopy;
using support::CountOf;
using support::RunPebblerun;
using support::RunProgram;

constexpr const char* kEnded = "APPLICATION ENDED";

TEST(Program, FlagsThatAnswerWithoutStarting) {
  const auto version = RunPebblerun({"--version"});
  EXPECT_EQ(version.ExitCode, 0);
  EXPECT_EQ(version.Output.rfind("Pebblerun v", 0), 0u) << version.Output;
  const auto help = RunPebblerun({"--help"});
  EXPECT_EQ(help.ExitCode, 0);
  EXPECT_NE(help.Output.find("--headless"), std::string::npos);
  const auto bad = RunPebblerun({"--frames", "many"});
  EXPECT_EQ(bad.ExitCode, 2);
  EXPECT_NE(bad.Output.find("Usage"), std::string::npos);
}

TEST(Program, FrameBudgetEndsTheRunInOrder) {
  AppCopy app;
  const auto run = RunPebblerun({"--headless", "--app-dir", app.Dir().string(), "--frames", "40"});
  EXPECT_EQ(run.ExitCode, 0) << run.Output;
  EXPECT_EQ(CountOf(app.Log(), kEnded), 1) << app.Log();
  // The options file got its defaults on the way.
  EXPECT_NE(app.Read("textures/options.bmp").find("Sound_On"), std::string::npos);
}

TEST(Program, ClosingTheWindowEndsTheLoopAfterThatFrame) {
  AppCopy app;
  app.Write("close.txt", "25 close\n");
  const auto run = RunPebblerun({"--headless", "--app-dir", app.Dir().string(), "--script",
                                 (app.Dir() / "close.txt").string(), "--frames", "100000"});
  EXPECT_EQ(run.ExitCode, 0) << run.Output;
  EXPECT_EQ(CountOf(app.Log(), kEnded), 1);
}

TEST(Program, MissingContentLeavesOneLogLineEachAndStillRuns) {
  AppCopy app;
  std::filesystem::remove_all(app.Dir() / "textures" / "menu");
  std::filesystem::remove_all(app.Dir() / "sfx");
  std::filesystem::remove_all(app.Dir() / "music");
  const auto run = RunPebblerun({"--headless", "--app-dir", app.Dir().string(), "--frames", "30"});
  EXPECT_EQ(run.ExitCode, 0) << run.Output;
  const std::string log = app.Log();
  EXPECT_EQ(CountOf(log, kEnded), 1);
  EXPECT_EQ(CountOf(log, "/textures/menu/logo.jpg"), 1) << log;
  EXPECT_EQ(CountOf(log, "/textures/menu/b_newgame.dds"), 1);
  // Names that share a sound file: still one line for the file.
  EXPECT_EQ(CountOf(log, "/sfx/tile_explo.wav"), 1);
  EXPECT_EQ(CountOf(log, "/sfx/explode5.wav"), 1);
  // The arcade end picture is optional: its absence is not worth a line.
  EXPECT_EQ(CountOf(log, "wd_wow.jpg"), 0);
}

TEST(Program, RecordedReplayPlaysToItsLastFrame) {
  AppCopy app;
  // A short game of random keys, recorded by the headless tool: every frame
  // of the playback is drawn.
  const std::string recording = (app.Dir() / "recorded.ini").string();
  const auto recorded = RunProgram(PEBBLERUN_SIM_TOOL, {"--app-dir", app.Dir().string(), "--mode", "story",
                                                        "--random", "5", "--record", recording});
  ASSERT_EQ(recorded.ExitCode, 0) << recorded.Output;
  ASSERT_NE(recorded.Output.find("result="), std::string::npos) << recorded.Output;
  ASSERT_EQ(recorded.Output.find("result=unfinished"), std::string::npos) << recorded.Output;

  const auto run = RunPebblerun({"--headless", "--app-dir", app.Dir().string(), "--replay", recording});
  EXPECT_EQ(run.ExitCode, 0) << run.Output;
  std::smatch m;
  ASSERT_TRUE(std::regex_search(run.Output, m, std::regex("replay frame=([0-9]+) lastframe=([0-9]+)")))
      << run.Output;
  EXPECT_GT(std::stol(m[2]), 0);
  EXPECT_GE(std::stol(m[1]), std::stol(m[2]));
  EXPECT_EQ(CountOf(app.Log(), kEnded), 1);
}

TEST(Program, AReplayThatIsNotThereIsRefusedBeforeStarting) {
  AppCopy app;
  const auto run = RunPebblerun(
      {"--headless", "--app-dir", app.Dir().string(), "--replay", (app.Dir() / "nothing.ini").string()});
  EXPECT_EQ(run.ExitCode, 2);
  EXPECT_NE(run.Output.find("nothing.ini"), std::string::npos);
}

// The section "Map" of a replay file: cell codes, length and seed.
std::string MapSection(const std::string& replay) {
  const auto start = replay.find("[Map]");
  if (start == std::string::npos) return "";
  const auto end = replay.find('[', start + 1);
  return replay.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

// A run that arms the recording (T), starts a new game from the main menu
// and plays a few idle frames; the map of the game it recorded.
std::string RecordedMap(const std::string& seed, std::string* log = nullptr) {
  AppCopy app;
  app.Write("textures/options.bmp", "[main]\nStoryReaden=True\nGameMode_Story=True\n");
  app.Write("start.txt", "10 down T\n20 up T\n30 down Enter\n31 up Enter\n");
  std::vector<std::string> args = {
      "--headless", "--app-dir", app.Dir().string(), "--script", (app.Dir() / "start.txt").string(),
      "--frames",   "150"};
  if (!seed.empty()) args.insert(args.end(), {"--seed", seed});
  const auto run = RunPebblerun(args);
  EXPECT_EQ(run.ExitCode, 0) << run.Output;
  if (log) *log = app.Log();
  return MapSection(app.Read("replay.ini"));
}

TEST(Program, TheSameSeedMakesTheSameMapAndAnotherSeedAnother) {
  std::string log;
  const std::string first = RecordedMap("4242", &log);
  ASSERT_NE(first.find("seed=4242"), std::string::npos) << first.substr(0, 200);
  EXPECT_EQ(CountOf(log, "Game started with seed 4242"), 1) << log;
  EXPECT_EQ(RecordedMap("4242"), first);
  const std::string other = RecordedMap("4243");
  EXPECT_NE(other.find("seed=4243"), std::string::npos);
  EXPECT_NE(other, first);
  // Past the generator's range: refused before a game starts, not wrapped.
  const auto over = RunPebblerun({"--seed", "99999999"});
  EXPECT_EQ(over.ExitCode, 2) << over.Output;
  EXPECT_NE(over.Output.find("Usage"), std::string::npos) << over.Output;
}

}  // namespace
}  // namespace pebblerun
