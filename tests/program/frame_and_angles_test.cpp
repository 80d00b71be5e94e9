#include <gtest/gtest.h>

#include "program/mod_Main.h"

namespace pebblerun {
namespace {

TEST(WaitFrame, LeavesTheStepInTheCallersVariableAndInFrameTime) {
  auto g = std::make_unique<GameState>();
  FrameTiming timing;
  for (bool wait : {false, true}) {
    Single fps = 50;
    g->FrameTime = 0.5;
    WaitFrame(*g, timing, fps, wait);
    EXPECT_FLOAT_EQ(fps, 0.02f);
    EXPECT_EQ(g->FrameTime, 0.02);
  }
}

TEST(WaitFrame, CountsFramesAndPublishesThemOncePerSecond) {
  auto g = std::make_unique<GameState>();
  FrameTiming timing;
  Single fps = 50;
  WaitFrame(*g, timing, fps, false);  // the first call opens the one-second window
  EXPECT_EQ(g->FramesThisSecond, 0);
  for (int i = 0; i < 5; ++i) {
    fps = 50;
    WaitFrame(*g, timing, fps, false);
  }
  EXPECT_EQ(g->FramesThisSecond, 5);
  // A window that started long ago closes at the next frame.
  timing.SecondStart -= 2'000'000'000;
  fps = 50;
  WaitFrame(*g, timing, fps, false);
  EXPECT_EQ(g->Fps, 5);
  EXPECT_EQ(g->FramesThisSecond, 0);
  EXPECT_EQ(g->WaitLoops, 0);
  EXPECT_FLOAT_EQ(g->WaitLoadPerMs, 6 / 1000.0f);  // one bookkeeping pass per frame without waits
}

TEST(Angles, WrapDegreesTakesOneStepEachWay) {
  Single a = 725;
  WrapDegrees(a);
  EXPECT_EQ(a, 365);
  a = -10;
  WrapDegrees(a);
  EXPECT_EQ(a, 350);
  a = 359;
  WrapDegrees(a);
  EXPECT_EQ(a, 359);
  a = 360;
  WrapDegrees(a);
  EXPECT_EQ(a, 0);
}

TEST(Angles, PolarOffsetMovesAlongTheHeading) {
  auto g = std::make_unique<GameState>();
  g->Pi = 3.14159265f;
  Single x = 10, y = 20;
  PolarOffset(*g, x, y, 90, 5);  // y grows downwards: 90 degrees is straight down
  EXPECT_NEAR(x, 10, 1e-5);
  EXPECT_NEAR(y, 25, 1e-5);
  PolarOffset(*g, x, y, 180, 2);
  EXPECT_NEAR(x, 8, 1e-5);
}

}  // namespace
}  // namespace pebblerun
