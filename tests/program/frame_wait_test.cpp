// The frame wait with its waits on: the game's pace on the clock. Only lower
// bounds are checked (a busy machine makes frames longer, never shorter).

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "program/mod_Main.h"

namespace pebblerun {
namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void Frame(GameState& g, FrameTiming& timing) {
  Single fps = 50;
  WaitFrame(g, timing, fps, true);
}

TEST(FrameWait, FiftyFramesTakeASecondAndALateFrameIsNotMadeUp) {
  auto g = std::make_unique<GameState>();
  FrameTiming timing;
  const auto start = Clock::now();
  for (int i = 0; i < 50; ++i) Frame(*g, timing);
  EXPECT_GE(SecondsSince(start), 0.999);

  // A frame that runs 60 ms late: the next wait ends at once, and the frames
  // after it keep their full 20 ms instead of catching up.
  std::this_thread::sleep_for(std::chrono::milliseconds(60));
  Frame(*g, timing);
  const auto afterLate = Clock::now();
  for (int i = 0; i < 5; ++i) Frame(*g, timing);
  EXPECT_GE(SecondsSince(afterLate), 5 * 0.02 - 0.001);
  EXPECT_EQ(g->FrameTime, 0.02);
}

}  // namespace
}  // namespace pebblerun
