// Seeded games: Pebblerun --seed N starts every game of the run with seed N,
// so everyone who uses it gets the same map; pebblerun-sim takes the seed too.

#include <gtest/gtest.h>

#include <string>

#include "headless/runner.h"
#include "program/command_line.h"
#include "program_run.h"
#include "sim/debug_text.h"

namespace pebblerun {
namespace {

using testing::AppCopy;
using testing::CountOf;
using testing::RunPebblerun;

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

TEST(SeededGames, TheSameSeedMakesTheSameMapAndAnotherSeedAnother) {
  std::string log;
  const std::string first = RecordedMap("4242", &log);
  ASSERT_NE(first.find("seed=4242"), std::string::npos) << first.substr(0, 200);
  EXPECT_EQ(CountOf(log, "Game started with seed 4242"), 1) << log;
  EXPECT_EQ(RecordedMap("4242"), first);
  const std::string other = RecordedMap("4243");
  EXPECT_NE(other.find("seed=4243"), std::string::npos);
  EXPECT_NE(other, first);
}

TEST(SeededGames, SeedsOutsideTheGeneratorsRangeAreRefused) {
  for (const char* bad : {"-1", "16777216", "12abc", ""}) {
    const auto cl = ParseCommandLine({"--seed", bad});
    EXPECT_FALSE(cl.Error.empty()) << bad;
  }
  EXPECT_EQ(ParseCommandLine({"--seed", "16777215"}).GameSeed, 16777215);
  EXPECT_EQ(ParseCommandLine({"--seed", "0"}).GameSeed, 0);
  EXPECT_EQ(RunPebblerun({"--seed", "99999999"}).ExitCode, 2);
}

TEST(SeededGames, HeadlessToolGamesOfOneSeedAreTheSameGame) {
  AppCopy app;
  const auto play = [&](Long seed) {
    SimOptions options;
    options.AppDir = app.Dir().string();
    options.Player = SimPlayerKind::Random;
    options.Seed = 9;  // the same keys every time
    options.GameSeed = seed;
    options.MaxFrames = 400;
    std::string rows;
    const SimResult result = RunSimulation(options, [&](const std::string& row) { rows += row + "\n"; });
    EXPECT_NE(SummaryLine(options, result).find("seed=" + std::to_string(seed)), std::string::npos);
    return rows;
  };
  const std::string first = play(77);
  EXPECT_EQ(play(77), first);
  EXPECT_NE(play(78), first);
}

TEST(SeededGames, TheDebugWindowNamesTheSeed) {
  auto g = std::make_unique<GameState>();
  g->Input.DebugWindowVisible = true;
  g->Replay.GameSeed = 1234567;
  BuildDebugText(*g);
  EXPECT_NE(g->Overlay.DebugText.find("Seed: 1234567\r\n"), std::string::npos);
}

}  // namespace
}  // namespace pebblerun
