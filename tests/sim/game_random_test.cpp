// The game's random generator: the runtime's own sequence and its bounds.

#include "sim/game_random.h"

#include <gtest/gtest.h>

namespace pebblerun {
namespace {

TEST(RandomGenerator, FollowsTheRuntimeSequence) {
  RandomGenerator r;
  r.Seed(327680);  // the runtime's own start state
  EXPECT_FLOAT_EQ(r.Rnd(), 0.7055475f);
  EXPECT_FLOAT_EQ(r.Rnd(), 0.5334240f);
  EXPECT_FLOAT_EQ(r.Rnd(), 0.5795186f);
  EXPECT_FLOAT_EQ(r.Rnd(), 0.2895625f);
  r.Seed(0);
  EXPECT_EQ(r.Rnd(), 12820163.0f / 16777216.0f);
}

TEST(RandomGenerator, RndNumIncludesBothBounds) {
  RandomGenerator r;
  r.Seed(99);
  int seen[4] = {};
  for (int i = 0; i < 3000; ++i) {
    const int v = r.RndNum(1, 3);
    ASSERT_GE(v, 1);
    ASSERT_LE(v, 3);
    ++seen[v];
  }
  EXPECT_GT(seen[1], 500);
  EXPECT_GT(seen[2], seen[1]);  // the inner value comes about twice as often
  EXPECT_GT(seen[3], 500);
}

}  // namespace
}  // namespace pebblerun
