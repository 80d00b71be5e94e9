// The score tick, the drills, the view and the end of a game.

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace pebblerun
