// The end of a game: a playback's end, a score equal to the table's last
// row, the floor reached in the frame that kills.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include <quillon/profile.h>

#include "../engine/temp_folder.h"
#include "headless/runner.h"
#include "sim/game_frame.h"
#include "sim/game_keys.h"
#include "sim/player.h"
#include "sim/world.h"
#include "sim_fixture.h"

namespace pebblerun {
namespace {

using Keys = std::array<std::uint8_t, kKeyCount>;

class PlaybackEnd : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    quillon::profile::ClearCache();
    const char* source = std::getenv("PEBBLERUN_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    std::filesystem::create_directories(folder_ / "textures");
    for (const char* name : {"lvl1.bmp", "lvl2.bmp"}) {
      std::filesystem::copy_file(
          std::filesystem::path(source) / "tests" / "game" / "fixtures" / "tuning" / name,
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
                         [](const auto& info) { return info.param ? "Story" : "Arcade"; });

// A final score exactly equal to the last row: the death asks for a name
// (only a lower score skips it), but nothing is stored and the menu opens
// on its main screen.
TEST(EndOfGame, AScoreEqualToTheLastRowAsksForANameAndStoresNothing) {
  auto g = simtest::MakeState();
  g->Policy.RecordsInMemory = true;
  for (int i = 0; i < 10; ++i) g->Records.HighScores[i] = {"ROW" + std::to_string(i), (10 - i) * 200};
  g->World.Score = 200;
  g->InGame = true;
  EndGame(*g);
  EXPECT_TRUE(g->GameOver);
  EXPECT_FALSE(g->EndOfGameReady);
  EXPECT_EQ(g->GameEndFade, 0);

  Keys enter{};
  enter[28] = 0x80;
  g->Input.Keys = enter;
  NameEntryKeys(*g);
  ASSERT_TRUE(g->EndOfGameReady);
  EndOfGameStep(*g);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(g->Records.HighScores[i].Name, "ROW" + std::to_string(i));
    EXPECT_EQ(g->Records.HighScores[i].Score, (10 - i) * 200);
  }
  EXPECT_EQ(g->Menu.MenuScreen, "");
  EXPECT_EQ(g->Menu.MenuItem, 1);
  EXPECT_EQ(g->GameEndFade, 100);
}

// Tobo past the floor and below the view in the same frame: the story is
// won, and the game ends once.
TEST(EndOfGame, TheFloorReachedInTheFrameThatKillsStillWinsTheStory) {
  auto g = simtest::MakeState(true);
  simtest::SoundLog sounds;
  g->Events = &sounds;
  g->SoundOn = true;
  g->StoryLength = 40;
  g->World.ScrollY = -500;
  g->Hero.PX = 160;
  g->Hero.PY = 37 * 32;  // row 37 > 40 - 4, and below the view's bottom (480 + 500)
  PlayerUpdate(*g);
  EXPECT_TRUE(g->GameOver);
  EXPECT_TRUE(g->StoryCompleted);
  EXPECT_EQ(std::count(sounds.sounds.begin(), sounds.sounds.end(), "done"), 1);
}

}  // namespace
}  // namespace pebblerun
