// Tobo: walking, jumping, gliding, landings, death and the win.

#include <gtest/gtest.h>

#include "sim/player.h"
#include "sim_fixture.h"

namespace pebblerun {
namespace {

using simtest::ActiveMovingTiles;
using simtest::ActiveSmashPieces;
using simtest::MakeState;

// Tobo standing at column 5 on row 10 of a floor of the given code. A hero
// half a pixel above it already touches it, so a landing speed set by a test
// is the speed that strikes.
std::unique_ptr<GameState> Standing(Integer floor = 1) {
  auto g = MakeState();
  for (int x = 1; x <= 13; ++x) Cell(*g, x, 10, floor);
  g->Hero.PX = 5 * 32;
  g->Hero.PY = 9 * 32;
  g->Hero.LastPX = g->Hero.PX;
  return g;
}

TEST(Walking, SpeedByGround) {
  struct Case {
    Integer floor;
    float boot;
    float moved;
  } cases[] = {{1, 0, 2.0f}, {2, 0, 1.0f}, {4, 0, 4.0f}, {3, 0, 2.0f}, {6, 0, 2.0f}, {1, 100, 3.0f}};
  for (const Case& c : cases) {
    auto g = Standing(c.floor);
    g->Bonus.BootTimeLeft = c.boot;
    g->Input.MoveRight = true;
    PlayerUpdate(*g);
    EXPECT_FLOAT_EQ(g->Hero.PX, 5 * 32 + c.moved) << "floor " << c.floor;
  }
}

TEST(Walking, BlockedBesideByWallsAndTilesRequestKept) {
  for (Integer side : {55, 1}) {
    auto g = Standing();
    Cell(*g, 4, 9, side);
    g->Input.MoveLeft = true;
    PlayerUpdate(*g);
    EXPECT_EQ(g->Hero.PX, 5 * 32);
    EXPECT_TRUE(g->Input.MoveLeft);  // neither carried out nor cleared
  }
}

TEST(Walking, IceKeepsTheRequestSoToboSlides) {
  auto ice = Standing(4), ground = Standing(1);
  ice->Input.MoveLeft = ground->Input.MoveLeft = true;
  PlayerUpdate(*ice);
  PlayerUpdate(*ground);
  EXPECT_TRUE(ice->Input.MoveLeft);
  EXPECT_FALSE(ground->Input.MoveLeft);
  PlayerUpdate(*ice);
  EXPECT_FLOAT_EQ(ice->Hero.PX, 5 * 32 - 8.0f);
}

TEST(Jumping, JumpFromTheGroundOnlyOncePerPress) {
  auto g = Standing();
  g->Input.JumpRequest = true;
  PlayerUpdate(*g);
  EXPECT_FALSE(g->Input.JumpRequest);
  EXPECT_TRUE(g->Hero.Airborne);
  const float expected = static_cast<float>(-3.0f + 4.5f * 0.02);
  EXPECT_FLOAT_EQ(g->Hero.PVY, expected);
  EXPECT_FLOAT_EQ(g->Hero.PY, 9 * 32 - 1 + expected);
  g->Input.JumpRequest = true;  // rising: only cleared
  PlayerUpdate(*g);
  EXPECT_FALSE(g->Input.JumpRequest);
  EXPECT_LT(g->Hero.PVY, 0);
}

TEST(Jumping, GlideSlowsAFall) {
  for (float ears : {0.0f, 50.0f}) {
    auto g = MakeState();
    g->Hero.PX = 160;
    g->Hero.PY = 100;
    g->Hero.PVY = 3;
    g->Hero.Airborne = true;
    g->Bonus.EarsTimeLeft = ears;
    g->Input.JumpRequest = true;
    PlayerUpdate(*g);
    const double factor = ears > 0 ? 4.0 / 3.0 : 10.0 / 9.0;
    const float glided = static_cast<float>(3.0f / factor);
    EXPECT_FLOAT_EQ(g->Hero.PVY, static_cast<float>(glided + 4.5f * 0.02));
    EXPECT_EQ(g->Hero.EarLift, 3);
  }
}

TEST(Landing, PushSmashAndBounce) {
  struct Case {
    float pvy;
    int moving, pieces;
  } cases[] = {{1.5f, 0, 0}, {3.0f, 1, 0}, {6.0f, 0, 1}};
  for (const Case& c : cases) {
    auto g = Standing();
    g->Hero.PY = 9 * 32 - 0.5f;
    g->Hero.PVY = c.pvy;
    PlayerUpdate(*g);
    EXPECT_EQ(ActiveMovingTiles(*g), c.moving) << c.pvy;
    EXPECT_EQ(ActiveSmashPieces(*g), c.pieces) << c.pvy;
    if (c.moving + c.pieces == 0) {
      EXPECT_FLOAT_EQ(g->Hero.PVY, -(c.pvy / 4)) << "bounce";
    }
  }
}

TEST(Landing, GlassBreaksFromTheNeededSpeed) {
  // Both feet on one glass tile at column 5.
  for (float pvy : {2.5f, 1.0f}) {
    auto g = Standing();
    Cell(*g, 5, 10, 5);
    g->Hero.PY = 9 * 32 - 0.5f;
    g->Hero.PVY = pvy;
    PlayerUpdate(*g);
    EXPECT_EQ(Cell(*g, 5, 10), 0);
    if (pvy >= 2.5f) {
      EXPECT_EQ(ActiveSmashPieces(*g), 1);
    } else {
      EXPECT_EQ(ActiveMovingTiles(*g), 1);  // a soft landing knocks it loose
    }
    EXPECT_GT(g->Hero.PVY, 0);  // on through the glass, slowed
  }
}

TEST(Landing, GumBounces) {
  auto g = Standing(3);
  g->Hero.PY = 9 * 32 - 0.5f;
  g->Hero.PVY = 1.0f;
  PlayerUpdate(*g);
  EXPECT_LT(g->Hero.PVY, 0);
  EXPECT_FLOAT_EQ(g->Hero.PVY, -(1.0f / 1.5f));
}

TEST(Ending, DrillsOrTheBottomOfTheViewKill) {
  auto drills = Standing(), below = Standing(), alive = Standing();
  drills->World.DrillY = 9 * 32 - 32 + 0.5f;
  below->Hero.PY = 481;
  below->Hero.PX = 5 * 32;
  PlayerUpdate(*drills);
  PlayerUpdate(*below);
  PlayerUpdate(*alive);
  EXPECT_TRUE(drills->GameOver);
  EXPECT_TRUE(below->GameOver);
  EXPECT_FALSE(alive->GameOver);
  const float py = drills->Hero.PY;
  PlayerUpdate(*drills);  // nothing moves once the game is over
  EXPECT_EQ(drills->Hero.PY, py);
}

TEST(Ending, ReachingTheFloorWins) {
  auto g = MakeState();
  g->StoryLength = 40;
  g->World.ScrollY = -1000;
  g->World.DrillY = -100;
  for (int x = 1; x <= 13; ++x) Cell(*g, x, 38, 6);
  g->Hero.PX = 160;
  g->Hero.PY = 36 * 32;  // row 36: not yet
  PlayerUpdate(*g);
  EXPECT_FALSE(g->GameOver);
  g->Hero.PY = 37 * 32;  // row 37 > 40 - 4
  PlayerUpdate(*g);
  EXPECT_TRUE(g->StoryCompleted);
  EXPECT_TRUE(g->GameOver);
}

TEST(MovingTiles, ATileFallingOnToboPushesHimDown) {
  auto g = MakeState();
  g->Hero.PX = 160;
  g->Hero.PY = 200;
  g->Hero.Airborne = true;
  MovingTile& t = g->Tiles.MovingTiles[0];
  t = MovingTile{1, 160, 180, 3, 1, false, false};
  PlayerUpdate(*g);
  EXPECT_TRUE(t.Painted);
  EXPECT_FLOAT_EQ(t.VY, 1.0f);
  EXPECT_FLOAT_EQ(t.Y, 178);
  EXPECT_GT(g->Hero.PVY, 1.0f);
}

}  // namespace
}  // namespace pebblerun
