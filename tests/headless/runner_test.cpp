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
using Keys = std::array<std::uint8_t, kKeyCount>;

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
// other mode.
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
  // When the player's mode comes back: end_of_game_test.cpp.
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

// The playback reads its keys once, at its start: a file that another
// program replaces between two playbacks plays as it stands then.
TEST_P(RecordPlaybackTest, AFileChangedBetweenPlaybacksPlaysAsItStandsWhenThePlaybackStarts) {
  const auto record = [&](std::uint32_t seed, const std::filesystem::path& file) {
    SimOptions o = Options();
    o.Player = SimPlayerKind::Random;
    o.Seed = seed;
    o.MaxFrames = 1500;
    o.RecordFile = file.string();
    RunSimulation(o);
    quillon::profile::Flush();
  };
  const auto play = [&](const std::filesystem::path& file) {
    SimOptions o = Options();
    o.Player = SimPlayerKind::Replay;
    o.ReplayFile = file.string();
    return Run(o);
  };
  const auto a = folder_ / "a.ini", b = folder_ / "b.ini", played = folder_ / "played.ini";
  record(5, a);
  record(11, b);
  const auto fromA = play(a), fromB = play(b);
  ASSERT_NE(fromA, fromB);
  for (const auto* source : {&a, &b, &a}) {
    WriteBytes(played, ReadBytes(*source));
    EXPECT_EQ(play(played), source == &a ? fromA : fromB);
  }
}

// pebblerun-sim --seed: the map is the seed's, whoever plays.
TEST_P(RecordPlaybackTest, GameSeedChoosesTheMapWhateverThePlayer) {
  const auto play = [&](Long seed) {
    SimOptions o = Options();
    o.Player = SimPlayerKind::Random;
    o.Seed = 9;  // the same keys every time
    o.GameSeed = seed;
    o.MaxFrames = 400;
    SimResult result;
    const auto rows = Run(o, &result);
    EXPECT_NE(SummaryLine(o, result).find("seed=" + std::to_string(seed)), std::string::npos);
    return rows;
  };
  const auto first = play(77);
  EXPECT_EQ(play(77), first);
  EXPECT_NE(play(78), first);
}

INSTANTIATE_TEST_SUITE_P(Modes, RecordPlaybackTest, ::testing::Values(true, false),
                         [](const auto& mode) { return mode.param ? "Story" : "Arcade"; });

// The end of a playback: the mode it was recorded in lasts to its end fade,
// and it stores nothing.
class PlaybackEnd : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    quillon::profile::ClearCache();
    std::filesystem::create_directories(folder_ / "textures");
    for (const char* name : {"lvl1.bmp", "lvl2.bmp"}) {
      std::filesystem::copy_file(support::SourceFolder() / "tests" / "sim" / "fixtures" / "tuning" / name,
                                 folder_ / "textures" / name);
    }
  }
  // A random player's whole game in mode story, recorded; then its playback
  // started in a program set to the other mode.
  std::unique_ptr<GameState> RecordedThenStarted(bool story) {
    SimOptions live;
    live.AppDir = folder_.Path().string();
    live.Story = story;
    live.Player = SimPlayerKind::Random;
    live.Seed = 5;
    live.RecordFile = (folder_ / "recorded.ini").string();
    const SimResult result = RunSimulation(live);
    EXPECT_TRUE(result.Finished);
    SimOptions replay = live;
    replay.Story = !story;
    replay.Player = SimPlayerKind::Replay;
    replay.ReplayFile = live.RecordFile;
    replay.RecordFile.clear();
    return StartSimGame(replay);
  }
  TempFolder folder_;
};

TEST_P(PlaybackEnd, KeepsTheRecordedModeUntilTheMenuTakesOverAndStoresNothing) {
  const bool recorded = GetParam();
  auto g = RecordedThenStarted(recorded);
  ASSERT_EQ(g->StoryMode, recorded);
  // A table every score enters.
  for (auto& row : g->Records.HighScores) row = {"NOBODY", 0};
  const auto tableBefore = g->Records.HighScores;
  g->Menu.IdleFrames = 5;

  Single scored = 0;
  while (!g->GameOver) {
    scored = g->World.Score;
    RunGameFrame(*g, Keys{});
    ASSERT_LT(g->Replay.ReplayFrame, 100000);
  }
  EXPECT_GT(scored, 0);
  // The end step ran in the frame that ended the playback.
  EXPECT_EQ(g->World.Score, 0);
  EXPECT_EQ(g->Menu.IdleFrames, 900);
  EXPECT_FALSE(g->Replay.PlayingReplay);
  EXPECT_FALSE(g->Replay.RecordingReplay);
  EXPECT_FALSE(g->EndOfGameReady);
  EXPECT_EQ(g->Menu.MenuScreen, "");
  EXPECT_EQ(g->Menu.MenuItem, 1);
  for (int row = 0; row < 10; ++row) {
    EXPECT_EQ(g->Records.HighScores[row].Name, tableBefore[row].Name);
    EXPECT_EQ(g->Records.HighScores[row].Score, tableBefore[row].Score);
  }

  // The end fade still runs under the recording's rules.
  int fadeFrames = 0;
  while (g->InGame) {
    EXPECT_EQ(g->StoryMode, recorded) << "fade frame " << fadeFrames;
    RunGameFrame(*g, Keys{});
    ++fadeFrames;
    ASSERT_LT(fadeFrames, 100);
  }
  EXPECT_EQ(fadeFrames, 49);
  EXPECT_EQ(g->StoryMode, !recorded);
  EXPECT_FALSE(g->Replay.ModeBeforePlayback.has_value());
}

INSTANTIATE_TEST_SUITE_P(Modes, PlaybackEnd, ::testing::Values(true, false),
                         [](const auto& mode) { return mode.param ? "Story" : "Arcade"; });

}  // namespace
}  // namespace pebblerun
