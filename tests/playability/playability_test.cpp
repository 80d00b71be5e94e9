// The shipped tuning plays well: a player who does nothing or mashes keys
// loses early, the bot (a strong player) wins the story and lasts in arcade
// mode, and a won story scores in the range of the high-score table. Each
// check prints the games it played.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <quillon/profile.h>

#include "app_folders.h"
#include "headless/runner.h"

namespace pebblerun {
namespace {

constexpr int kSeeds = 10;
constexpr Long kHalfMinute = 30 * 50;
constexpr Long kTwoMinutes = 120 * 50;
// The top entry of the default high-score table.
constexpr Single kTableTop = 2000;

std::string AppDir() { return support::BuiltAppFolder().string(); }

std::vector<SimResult> PlaySeeds(bool story, SimPlayerKind player, Long maxFrames = -1) {
  quillon::profile::ClearCache();
  std::vector<SimResult> results;
  for (std::uint32_t seed = 1; seed <= kSeeds; ++seed) {
    SimOptions o;
    o.AppDir = AppDir();
    o.Story = story;
    o.Player = player;
    o.Seed = seed;
    o.MaxFrames = maxFrames;
    results.push_back(RunSimulation(o));
    std::printf("seed %2u: %s\n", seed, SummaryLine(o, results.back()).c_str());
  }
  return results;
}

TEST(Playability, IdlePlayerDiesInTheFirstLevelWithinHalfAMinute) {
  for (const SimResult& r : PlaySeeds(true, SimPlayerKind::Idle)) {
    EXPECT_TRUE(r.Died);
    EXPECT_LE(r.Level, 1);
    EXPECT_LE(r.Frames, kHalfMinute);
  }
}

TEST(Playability, RandomKeysNeverGetPastLevelFour) {
  for (bool story : {true, false}) {
    for (const SimResult& r : PlaySeeds(story, SimPlayerKind::Random)) {
      EXPECT_TRUE(r.Died);
      EXPECT_LE(r.Level, 4);
    }
  }
}

std::string OptionsText() {
  std::ifstream in(std::filesystem::path(AppDir()) / "textures" / "options.bmp", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(Playability, BotWinsMostStoriesWithScoresThatFitTheTable) {
  const std::string options = OptionsText();
  int won = 0;
  const auto results = PlaySeeds(true, SimPlayerKind::Bot);
  // Winning the story opens arcade mode for the player, not for these games.
  EXPECT_EQ(OptionsText(), options);
  for (const SimResult& r : results) {
    ASSERT_TRUE(r.Finished);
    if (!r.Won) continue;
    ++won;
    // A won story ranks high in the table without dwarfing it.
    EXPECT_GE(r.Score, kTableTop / 4);
    EXPECT_LE(r.Score, kTableTop * 5);
  }
  EXPECT_GE(won, kSeeds / 2);
}

TEST(Playability, BotLastsTwoMinutesInMostArcadeGames) {
  int lasted = 0;
  for (const SimResult& r : PlaySeeds(false, SimPlayerKind::Bot, kTwoMinutes)) {
    if (r.Won || (!r.Died && r.Frames >= kTwoMinutes)) ++lasted;
  }
  EXPECT_GE(lasted, kSeeds / 2);
}

}  // namespace
}  // namespace pebblerun
