#include "mod_extra.h"
#include "quillon/extra.h"

#include <gtest/gtest.h>

#include <map>

using quillon::Extra;
using quillon::Rectangle;

TEST(Geometry, GetAngleQuadrantsAndAxes) {
  EXPECT_FLOAT_EQ(Extra::GetAngle(0, 0, 1, 1), 45);
  EXPECT_FLOAT_EQ(Extra::GetAngle(0, 0, -1, 1), 135);
  EXPECT_FLOAT_EQ(Extra::GetAngle(0, 0, -1, -1), 225);
  EXPECT_FLOAT_EQ(Extra::GetAngle(0, 0, 1, -1), 315);
  EXPECT_FLOAT_EQ(Extra::GetAngle(0, 0, 0, -5), 270);
  EXPECT_FLOAT_EQ(Extra::GetAngle(0, 0, 3, 0), 0);
  EXPECT_FLOAT_EQ(Extra::GetAngle(0, 0, 0, 3), 90);
  EXPECT_FLOAT_EQ(Extra::GetAngle(0, 0, -3, 0), 180);
  EXPECT_FLOAT_EQ(Extra::GetAngle(2, 2, 2, 2), 0);
  EXPECT_NEAR(Extra::GetAngle(10, 10, 10 + std::sqrt(3.0f), 11), 30, 1e-4);
}

TEST(Geometry, WrapAngleWrapsOnceEachWay) {
  auto wrapped = [](float angle) {
    Extra::WrapAngle(angle);
    return angle;
  };
  EXPECT_FLOAT_EQ(wrapped(359.5f), 359.5f);  // -0.5 is wrapped back
  EXPECT_FLOAT_EQ(wrapped(360), 0);
  EXPECT_FLOAT_EQ(wrapped(-10), 350);
  EXPECT_FLOAT_EQ(wrapped(359), 359);
  EXPECT_FLOAT_EQ(wrapped(800), 440);  // only once
}

TEST(Geometry, DistanceAndStepping) {
  EXPECT_FLOAT_EQ(Extra::GetDistance(0, 0, 3, 4), 5);
  EXPECT_FLOAT_EQ(Extra::GetDistance(-1, -1, -1, -1), 0);

  // Also before any engine start, when the library-wide Rad is still 0.
  quillon::lib::State().Rad = 0;
  float x = 10, y = 10;
  Extra::GoToAngle(x, y, 90, 2);
  EXPECT_NEAR(x, 10, 1e-5);
  EXPECT_NEAR(y, 12, 1e-5);
  Extra::GoToAngle(x, y, 180);
  EXPECT_NEAR(x, 9, 1e-5);
  EXPECT_NEAR(y, 12, 1e-5);
}

TEST(Geometry, PointsAndRectanglesIncludeTheirEdges) {
  const Rectangle box{10, 20, 30, 40};
  EXPECT_TRUE(Extra::IsPointInRect(10, 20, box));
  EXPECT_TRUE(Extra::IsPointInRect(30, 40, box));
  EXPECT_FALSE(Extra::IsPointInRect(30.5, 40, box));
  EXPECT_FALSE(Extra::IsPointInRect(9, 25, box));

  EXPECT_TRUE(Extra::IsRectInRect({0, 0, 10, 20}, box));  // a corner touches
  EXPECT_TRUE(Extra::IsRectInRect({25, 35, 100, 100}, box));
  EXPECT_FALSE(Extra::IsRectInRect({0, 0, 9, 19}, box));
  EXPECT_FALSE(Extra::IsRectInRect({0, 0, 100, 100}, box));  // box wholly inside is not seen
}

TEST(Geometry, MouseOverAreaExcludesTheEdges) {
  auto& state = quillon::lib::State();
  Extra extra;
  state.MouseX = 15;
  state.MouseY = 25;
  EXPECT_TRUE(extra.IsMouseOverArea(10, 20, 10, 10));
  EXPECT_FALSE(extra.IsMouseOverArea(15, 20, 10, 10));
  EXPECT_FALSE(extra.IsMouseOverArea(10, 20, 5, 10));
  EXPECT_FALSE(extra.IsMouseOverArea(10, 25, 10, 10));
}

TEST(RandomNumbers, BoundsComeUpHalfAsOftenAsInnerValues) {
  Extra extra;
  std::map<std::int32_t, int> seen;
  constexpr int Draws = 60000;
  for (int i = 0; i < Draws; ++i) {
    ++seen[extra.RndNum(1, 3)];
  }
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen.begin()->first, 1);
  EXPECT_EQ(seen.rbegin()->first, 3);
  // Expected 1/4, 1/2, 1/4; the margins are many standard deviations wide.
  EXPECT_NEAR(seen[1], Draws / 4, Draws / 20);
  EXPECT_NEAR(seen[2], Draws / 2, Draws / 20);
  EXPECT_NEAR(seen[3], Draws / 4, Draws / 20);

  for (int i = 0; i < 1000; ++i) {
    const std::int32_t wide = extra.RndNum(-2147483647, 2147483647);
    EXPECT_GE(wide, -2147483647);
    const std::int32_t reversed = extra.RndNum(10, -10);
    EXPECT_GE(reversed, -10);
    EXPECT_LE(reversed, 10);
  }
  EXPECT_EQ(extra.RndNum(7, 7), 7);
}
