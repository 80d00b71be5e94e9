// The score tick, the drills, the view, the drill contact and the end of a game.

#include <gtest/gtest.h>

#include "sim/game_frame.h"
#include "sim/game_screen_step.h"
#include "sim/tiles.h"
#include "sim/world.h"
#include "sim_fixture.h"

namespace pebblerun {
namespace {

using simtest::MakeState;

TEST(Score, StayingAliveGrowsWithTheSquareOfTheTime) {
  auto g = MakeState();
  g->Tuning.Score.Staying_Alive = 3;
  const int n = 500;
  for (int i = 0; i < n; ++i) AddScore(*g, "");
  const double expected = 3 * 0.02 * n * (n + 1) / 2.0;
  EXPECT_NEAR(g->World.Score, expected, expected * 1e-4);
  EXPECT_NEAR(g->World.AliveScore, 3 * 0.02 * n, 1e-3);
}

TEST(Score, FallingPointsOnlyInArcadeNothingAfterTheEnd) {
  for (bool story : {false, true}) {
    auto g = MakeState(story);
    g->Tuning.Score.Staying_Alive = 0;
    g->Tuning.Score.Falling_Speed = 10;
    g->Hero.Airborne = true;
    g->Hero.PVY = 5;
    AddScore(*g, "");
    EXPECT_FLOAT_EQ(g->World.Score, story ? 0.0f : 1.0f);
    EXPECT_EQ(g->World.FallScore, 0);
  }
  auto g = MakeState();
  AddScore(*g, "brick_push");
  AddScore(*g, "brick_smash");
  EXPECT_EQ(g->World.Score, 7);
  g->GameOver = true;
  AddScore(*g, "brick_smash");
  AddScore(*g, "");
  EXPECT_EQ(g->World.Score, 7);
}

TEST(Drills, ThreeTimesAsFastBeforeTheStartIsLeft) {
  auto g = MakeState();
  g->World.DrillY = 0;
  DrillStep(*g);
  EXPECT_FLOAT_EQ(g->World.DrillY, 0.6f);
  g->World.CurrentLevel = 1;
  DrillStep(*g);
  EXPECT_FLOAT_EQ(g->World.DrillY, 0.8f);
  g->GameOver = true;
  DrillStep(*g);
  EXPECT_FLOAT_EQ(g->World.DrillY, 0.8f);
}

TEST(View, StillAtTheStartThenTheLevelSpeedThenStopsPastTheEnd) {
  auto g = MakeState();
  g->Hero.PY = 3 * 32;
  ScrollStep(*g);
  EXPECT_EQ(g->World.ScrollY, 0);
  EXPECT_EQ(g->World.CurrentLevel, 0);
  g->Hero.PY = 5 * 32;
  ScrollStep(*g);
  EXPECT_EQ(g->World.CurrentLevel, 1);
  EXPECT_FLOAT_EQ(g->World.ScrollY, -90 * 0.02f);
  g->World.ScrollY = -30;
  ScrollStep(*g);  // bottom row 15 + 0 < 20: still level 1
  EXPECT_EQ(g->World.CurrentLevel, 1);
  g->World.ScrollY = -(1065 - 15) * 32.0f;  // the bottom of the view past every level
  const Single at = g->World.ScrollY;
  ScrollStep(*g);
  EXPECT_EQ(g->World.CurrentLevel, 0);
  EXPECT_EQ(g->World.ScrollY, at);
}

TEST(DrillContact, StonePushesBackOncePerStoneNeverAboveMinus30) {
  auto g = MakeState();
  g->World.DrillY = 100;  // lower edge at 132: inside row 4
  Cell(*g, 3, 4, 6);
  Cell(*g, 9, 4, 6);
  Cell(*g, 5, 4, 1);
  Cell(*g, 6, 5, 1);
  GameScreenStep(*g);
  EXPECT_FLOAT_EQ(g->World.DrillY, 100 - 2 * (10 * 5 * 0.02f));
  EXPECT_EQ(Cell(*g, 3, 4), 0);  // the drills break even stone
  EXPECT_EQ(Cell(*g, 5, 4), 0);
  EXPECT_EQ(Cell(*g, 6, 5), 1);  // the row below is untouched
  g->World.DrillY = -29.5f;      // lower edge at 2.5: row 0
  Cell(*g, 4, 0, 6);
  g->Tuning.SharpDrills.HitStone_GoBack_Pixels = 100;
  GameScreenStep(*g);
  EXPECT_EQ(g->World.DrillY, -30);
}

TEST(DrillContact, ArcadeKnocksSomeTilesLooseStoryNever) {
  for (bool story : {false, true}) {
    auto g = MakeState(story);
    g->Random.Seed(4);
    int loose = 0;
    for (int i = 0; i < 40; ++i) {
      g->World.DrillY = 100;
      for (int x = 1; x <= 13; ++x) Cell(*g, x, 4, 1);
      g->Tiles = TileState{};
      GameScreenStep(*g);
      loose += simtest::ActiveMovingTiles(*g);
    }
    if (story) {
      EXPECT_EQ(loose, 0);
    } else {
      EXPECT_GT(loose, 5);  // about one in twenty of 520 strikes
      EXPECT_LT(loose, 60);
    }
  }
}

TEST(EndGame, LowScoreEndsAtOnceRecordWaitsForAName) {
  auto low = MakeState(), record = MakeState();
  low->Records.HighScores[9].Score = 200;
  record->Records.HighScores[9].Score = 200;
  record->Records.LastEntryName = "ANA";
  low->World.Score = 199;
  record->World.Score = 200;
  EndGame(*low);
  EndGame(*record);
  EXPECT_TRUE(low->EndOfGameReady);
  EXPECT_EQ(low->GameEndFade, 100);
  EXPECT_FALSE(record->EndOfGameReady);
  EXPECT_EQ(record->Records.TypedName, "ANA");
  EXPECT_EQ(record->Menu.LastGameScore, 200);
}

TEST(EndOfGameStep, RecordEntersTheTableAndTheGameIsCounted) {
  auto g = MakeState();
  g->Policy.RecordsInMemory = true;
  for (int i = 0; i < 10; ++i) g->Records.HighScores[i] = {"TOBO", (10 - i) * 200};
  g->World.Score = 40000.4f;  // beyond 16 bits: stored as scored
  g->Records.TypedName = "";
  g->GameOver = true;
  g->EndOfGameReady = true;
  g->PlayedGames = 4;
  g->World.DrillY = 0;
  EndOfGameStep(*g);
  EXPECT_EQ(g->Records.HighScores[0].Score, 40000);
  EXPECT_EQ(g->Records.HighScores[0].Name, "TOBO");
  EXPECT_EQ(g->Menu.MenuScreen, "hs");
  EXPECT_EQ(g->GameEndFade, 100);
  EXPECT_EQ(g->PlayedGames, 5);
  EXPECT_EQ(g->World.DrillY, 10);
  EXPECT_FALSE(g->EndOfGameReady);
  // The end fade hands back to the menu after 50 frames.
  g->InGame = true;
  int frames = 0;
  while (g->InGame && frames < 100) {
    GameScreenStep(*g);
    ++frames;
  }
  EXPECT_EQ(frames, 50);
}

}  // namespace
}  // namespace pebblerun
