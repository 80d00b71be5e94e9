// The runner's whole games: a bot game recorded to a file and played back
// from it goes exactly as the recorded one did, frame for frame; the seed
// chooses the game.

#include "headless/runner.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <quillon/profile.h>

#include "app_folders.h"
#include "sim/game_frame.h"
#include "sim/game_state.h"
#include "sim/tuning.h"
#include "temp_folder.h"
#include "trace_rows.h"

namespace pebblerun {
namespace {

using support::GameOverRow;
using support::WithoutScore;

class RecordPlaybackTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    quillon::profile::ClearCache();
    support::CopyShippedTuning(folder_.Path());
  }
  SimOptions Options() const {
    SimOptions o;
    o.AppDir = folder_.Path().string();
    o.Story = GetParam();
    return o;
  }
  static std::vector<std::string> Run(const SimOptions& o, SimResult* result = nullptr) {
    std::vector<std::string> rows;
    const SimResult r = RunSimulation(o, [&](const std::string& row) { rows.push_back(row); });
    if (result) *result = r;
    return rows;
  }

  TempFolder folder_;
};

TEST_P(RecordPlaybackTest, BotGamePlaysBackFrameForFrameDespitePauses) {
  for (std::uint32_t seed : {3u, 11u}) {
    SCOPED_TRACE(seed);
    SimOptions live = Options();
    live.Player = SimPlayerKind::Bot;
    live.Seed = seed;
    live.RecordFile = (folder_ / "recorded.ini").string();
    live.PauseEvery = 97;
    live.PauseLength = 13;
    SimResult liveResult;
    const auto liveRows = Run(live, &liveResult);
    ASSERT_TRUE(liveResult.Finished);
    ASSERT_GT(liveRows.size(), 100u);

    SimOptions replay = Options();
    replay.Player = SimPlayerKind::Replay;
    replay.ReplayFile = live.RecordFile;
    SimResult replayResult;
    const auto replayRows = Run(replay, &replayResult);
    ASSERT_TRUE(replayResult.Finished);

    // Every frame up to the end of the game is the same, the grid included;
    // the end frame too, apart from the score a playback drops at its end.
    std::size_t end = 0;
    while (end < liveRows.size() && !GameOverRow(liveRows[end])) ++end;
    ASSERT_LT(end, liveRows.size());
    ASSERT_GT(replayRows.size(), end);
    for (std::size_t i = 0; i < end; ++i) ASSERT_EQ(replayRows[i], liveRows[i]) << "row " << i;
    EXPECT_EQ(WithoutScore(replayRows[end]), WithoutScore(liveRows[end]));
    EXPECT_EQ(replayResult.Won, liveResult.Won);
    EXPECT_EQ(replayResult.Level, liveResult.Level);
  }
}

// A recording made in one mode plays back the same in a program set to the
// other mode, and the player's mode is back once the playback has ended.
TEST_P(RecordPlaybackTest, PlaybackTakesTheModeOfItsRecording) {
  SimOptions live = Options();
  live.Player = SimPlayerKind::Random;
  live.Seed = 5;
  live.RecordFile = (folder_ / "recorded.ini").string();
  const auto liveRows = Run(live);
  ASSERT_GT(liveRows.size(), 50u);

  SimOptions replay = Options();
  replay.Story = !GetParam();
  replay.Player = SimPlayerKind::Replay;
  replay.ReplayFile = live.RecordFile;
  const auto replayRows = Run(replay);
  ASSERT_GT(replayRows.size(), 50u);
  for (std::size_t i = 0; i < 50; ++i) ASSERT_EQ(replayRows[i], liveRows[i]) << "row " << i;

  auto g = std::make_unique<GameState>();
  g->StoryMode = GetParam();
  g->Replay.PlayingReplay = true;
  g->Replay.ModeBeforePlayback = !GetParam();
  g->GameOver = g->EndOfGameReady = true;
  EndOfGameStep(*g);
  EXPECT_EQ(g->StoryMode, !GetParam());
  EXPECT_FALSE(g->Replay.ModeBeforePlayback.has_value());
}

TEST_P(RecordPlaybackTest, SeedChoosesTheGame) {
  SimOptions o = Options();
  o.MaxFrames = 5;
  o.Seed = 42;
  const auto a = Run(o);
  const auto b = Run(o);
  o.Seed = 43;
  const auto c = Run(o);
  ASSERT_EQ(a.size(), 5u);
  EXPECT_EQ(a, b);
  EXPECT_NE(a.back().substr(a.back().rfind(',')), c.back().substr(c.back().rfind(',')));
}

TEST(RequestGameSeedTest, NextGameStartDrawsTheSeed) {
  for (std::uint32_t seed : {0u, 1u, 4242u, 16777215u}) {
    auto g = std::make_unique<GameState>();
    RequestGameSeed(*g, seed);
    EXPECT_EQ(static_cast<std::uint32_t>(g->CosmeticRandom.Rnd() * 16777216.0f), seed);
  }
}

INSTANTIATE_TEST_SUITE_P(Modes, RecordPlaybackTest, ::testing::Values(true, false),
                         [](const auto& mode) { return mode.param ? "Story" : "Arcade"; });

}  // namespace
}  // namespace pebblerun
