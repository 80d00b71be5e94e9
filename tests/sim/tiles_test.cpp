// Strikes, moving tiles, glass, explosions and the effect pools.

#include <gtest/gtest.h>

#include "sim/tiles.h"
#include "sim_fixture.h"

namespace pebblerun {
namespace {

using simtest::ActiveMovingTiles;
using simtest::ActiveSmashPieces;
using simtest::MakeState;

void Hit(GameState& g, int x, int y, Single force, bool breakAll = false, bool scored = true) {
  TileUpdate(g, true, x, y, force, scored, breakAll);
}

MovingTile& Drop(GameState& g, int slot, int col, Single y, Single vy, Integer code) {
  MovingTile& t = g.Tiles.MovingTiles[slot];
  t = MovingTile{1, static_cast<Single>(col * 32), y, vy, static_cast<Single>(code), false, true};
  return t;
}

TEST(Strike, PushAndSmashThresholds) {
  auto g = MakeState();
  for (int x = 1; x <= 5; ++x) Cell(*g, x, 10, 1);
  Hit(*g, 1, 10, 2.0f);  // exactly the push force: nothing
  EXPECT_EQ(Cell(*g, 1, 10), 1);
  EXPECT_EQ(ActiveMovingTiles(*g), 0);
  Hit(*g, 2, 10, 2.01f);
  EXPECT_EQ(Cell(*g, 2, 10), 0);
  ASSERT_EQ(ActiveMovingTiles(*g), 1);
  const MovingTile& t = g->Tiles.MovingTiles[0];
  EXPECT_EQ(t.X, 64);
  EXPECT_EQ(t.Y, 320);
  EXPECT_FLOAT_EQ(t.VY, 2.01f / 3);
  EXPECT_EQ(t.Code, 1);
  Hit(*g, 3, 10, 4.99f);  // just below the smash force: still a push
  EXPECT_EQ(ActiveMovingTiles(*g), 2);
  Hit(*g, 4, 10, 5.0f);  // exactly the smash force: smashed
  EXPECT_EQ(Cell(*g, 4, 10), 0);
  EXPECT_EQ(ActiveSmashPieces(*g), 1);
  EXPECT_EQ(g->Tiles.SmashPieces[0].X, 4 * 32 + 10);
  EXPECT_EQ(g->World.Score, 2 + 2 + 5);
  Hit(*g, 5, 10, 3, false, false);  // unscored strikes give nothing
  EXPECT_EQ(g->World.Score, 9);
}

TEST(Strike, ColumnFifteenAndEmptyCellsNeverMove) {
  auto g = MakeState();
  Cell(*g, 15, 10, 1);
  Hit(*g, 15, 10, 3);
  Hit(*g, 15, 10, 9);
  Hit(*g, 6, 10, 9);
  EXPECT_EQ(Cell(*g, 15, 10), 1);
  EXPECT_EQ(ActiveMovingTiles(*g) + ActiveSmashPieces(*g), 0);
}

TEST(Strike, StoneAndWallsResistUnlessBreakAll) {
  auto g = MakeState();
  const Integer hard[] = {6, 51, 52, 53, 54, 55, 61, 62};
  int x = 1;
  for (Integer code : hard) {
    Cell(*g, x, 10, code);
    Hit(*g, x, 10, 3);  // push
    Hit(*g, x, 10, 9);  // smash
    EXPECT_EQ(Cell(*g, x, 10), code) << code;
    ++x;
  }
  EXPECT_EQ(ActiveMovingTiles(*g) + ActiveSmashPieces(*g), 0);
  Hit(*g, 1, 10, 3, true);
  EXPECT_EQ(Cell(*g, 1, 10), 0);
  EXPECT_EQ(g->Tiles.MovingTiles[0].Code, 6);
  Hit(*g, 5, 10, 9, true);  // the drills break walls too
  EXPECT_EQ(Cell(*g, 5, 10), 0);
}

TEST(Strike, FullPoolsLeaveTheCell) {
  auto g = MakeState();
  for (auto& t : g->Tiles.MovingTiles) t.Active = 1;
  for (auto& p : g->Tiles.SmashPieces) p.Active = 1;
  Cell(*g, 2, 10, 1);
  Hit(*g, 2, 10, 3);
  Hit(*g, 2, 10, 9);
  EXPECT_EQ(Cell(*g, 2, 10), 1);
  EXPECT_EQ(g->World.Score, 0);
}

TEST(MovingTiles, FallLandAndSettle) {
  auto g = MakeState();
  Cell(*g, 3, 20, 6);
  Drop(*g, 0, 3, 18 * 32, 0.5f, 2);
  for (int i = 0; i < 200 && ActiveMovingTiles(*g); ++i) TileUpdate(*g, false);
  EXPECT_EQ(ActiveMovingTiles(*g), 0);
  EXPECT_EQ(Cell(*g, 3, 19), 2);  // settled on top of the stone
  EXPECT_EQ(Cell(*g, 3, 20), 6);
}

TEST(MovingTiles, KnockLooseWhatTheyLandOn) {
  auto g = MakeState();
  Cell(*g, 3, 20, 1);
  Drop(*g, 0, 3, 18 * 32, 0.5f, 2);  // lands at about 4.4 px/frame: a push
  for (int i = 0; i < 200 && Cell(*g, 3, 20) == 1; ++i) TileUpdate(*g, false);
  EXPECT_EQ(Cell(*g, 3, 20), 0);
  EXPECT_EQ(ActiveMovingTiles(*g), 2);  // both fall on
  EXPECT_EQ(g->World.Score, 2);
}

TEST(MovingTiles, DropOutBelowTheMap) {
  auto g = MakeState();
  g->StoryLength = 30;
  Drop(*g, 0, 3, 29 * 32, 5, 1);
  for (int i = 0; i < 10; ++i) TileUpdate(*g, false);
  EXPECT_EQ(ActiveMovingTiles(*g), 0);
}

TEST(MovingTiles, SlowGlassSettlesWithoutStallingTheOthers) {
  auto g = MakeState();
  Cell(*g, 3, 11, 1);
  Cell(*g, 7, 31, 1);
  // Glass about to land at 1 px/frame: 5 + 1 - 2.5 is a push force on itself.
  Drop(*g, 0, 3, 10 * 32 - 1, 1.0f, 5);
  MovingTile& other = Drop(*g, 1, 7, 20 * 32, 1.0f, 1);
  TileUpdate(*g, false);
  EXPECT_FALSE(g->Tiles.MovingTiles[0].Active);
  EXPECT_EQ(Cell(*g, 3, 10), 5);
  EXPECT_EQ(Cell(*g, 3, 11), 1);
  EXPECT_EQ(ActiveSmashPieces(*g), 0);
  EXPECT_GT(other.Y, 20 * 32);  // the pass went on to the next tile
  const Single scoreAfter = g->World.Score;
  TileUpdate(*g, false);
  EXPECT_EQ(Cell(*g, 3, 10), 5);  // it stays: no push every frame
  EXPECT_EQ(g->World.Score, scoreAfter);
}

TEST(MovingTiles, FastGlassBreaksItselfAndEndsThePass) {
  auto g = MakeState();
  Cell(*g, 3, 11, 1);
  Drop(*g, 0, 3, 10 * 32 - 1, 3.0f, 5);
  MovingTile& other = Drop(*g, 1, 7, 20 * 32, 1.0f, 1);
  const Single before = other.Y;
  TileUpdate(*g, false);
  EXPECT_EQ(Cell(*g, 3, 10), 0);
  EXPECT_EQ(ActiveSmashPieces(*g), 1);
  EXPECT_EQ(other.Y, before);
}

TEST(MovingTiles, LandingOnBonuses) {
  auto g = MakeState();
  g->Bonus.Bonuses.assign(3, Bonus{});
  g->Bonus.Bonuses[1] = Bonus{true, "pie", 3 * 32, 19 * 32, 10, 0, 0, 100};
  g->Bonus.Bonuses[2] = Bonus{true, "bomb", 8 * 32, 19 * 32, 10, 0, 0, 100};
  Cell(*g, 3, 20, 6);
  Cell(*g, 8, 20, 6);
  Cell(*g, 7, 19, 1);
  Drop(*g, 0, 3, 18 * 32 + 20, 0.5f, 1);
  Drop(*g, 1, 8, 18 * 32 + 20, 0.5f, 1);
  for (int i = 0; i < 100; ++i) TileUpdate(*g, false);
  EXPECT_FALSE(g->Bonus.Bonuses[1].Active);  // crushed
  EXPECT_FALSE(g->Bonus.Bonuses[2].Active);  // went off
  EXPECT_EQ(g->Bonus.Bonuses[2].Type, "");
  EXPECT_EQ(Cell(*g, 7, 19), 0);  // blown away
  EXPECT_EQ(Cell(*g, 8, 20), 6);  // stone survives
}

TEST(SmashPieces, LiveDistancePlusOnePasses) {
  auto g = MakeState();
  g->Tuning.Falling_Tiles.Smashing_Explosion_Distance = 4;
  Cell(*g, 2, 10, 1);
  Hit(*g, 2, 10, 9);
  int passes = 0;
  while (ActiveSmashPieces(*g) && passes < 100) {
    TileUpdate(*g, false);
    ++passes;
  }
  EXPECT_EQ(passes, 5);
}

TEST(Explode, OwnBombBlastPattern) {
  auto g = MakeState();
  for (int y = 8; y <= 14; ++y)
    for (int x = 1; x <= 13; ++x) Cell(*g, x, y, 1);
  Cell(*g, 7, 12, 6);
  Cell(*g, 7, 9, 55);
  g->Hero.PX = 7 * 32;
  g->Hero.PY = 10 * 32;
  Explode(*g, 0);  // no bombs carried: nothing
  EXPECT_EQ(Cell(*g, 7, 10), 1);
  g->Bonus.BombCount = 1;
  Explode(*g, 0);
  EXPECT_EQ(g->Bonus.BombCount, 0);
  EXPECT_FLOAT_EQ(g->Hero.Weight, 4.0f);
  for (int y = 9; y <= 11; ++y)
    for (int x = 6; x <= 8; ++x)
      if (!(x == 7 && y == 9)) {
        EXPECT_EQ(Cell(*g, x, y), 0) << x << "," << y;
      }
  EXPECT_EQ(Cell(*g, 7, 9), 55);  // the wall survives the smash...
  EXPECT_EQ(Cell(*g, 7, 12), 6);  // ...and stone the push ring
  EXPECT_EQ(Cell(*g, 5, 10), 0);  // ring cells are knocked loose
  EXPECT_EQ(Cell(*g, 9, 11), 0);
  EXPECT_EQ(Cell(*g, 5, 9), 1);  // corners outside the pattern stay
  EXPECT_EQ(Cell(*g, 7, 13), 1);
  EXPECT_EQ(ActiveSmashPieces(*g), 8);
  EXPECT_EQ(ActiveMovingTiles(*g), 6);
  EXPECT_EQ(g->World.Score, 8 * 5 + 6 * 2);
}

TEST(Explode, WallsBesideABombStay) {
  auto g = MakeState();
  for (int y = 8; y <= 14; ++y) Cell(*g, 0, y, 55);
  g->Hero.PX = 1 * 32;
  g->Hero.PY = 10 * 32;
  g->Bonus.BombCount = 3;
  Explode(*g, 0);
  for (int y = 8; y <= 14; ++y) EXPECT_EQ(Cell(*g, 0, y), 55);
  EXPECT_EQ(ActiveMovingTiles(*g), 0);
}

TEST(Effects, PoolsSpawnAdvanceAndDrop) {
  auto g = MakeState();
  SpawnParticle(*g, 1, 10, 600, 1, 1, 2, 50, true);  // below the screen: dropped
  SpawnParticle(*g, 1, 10, 20, 1, -1, 2, 2.5f, true);
  EXPECT_EQ(g->Tiles.Particles[0].Life, 2);
  AdvanceParticles(*g);
  AdvanceParticles(*g);
  EXPECT_EQ(g->Tiles.Particles[0].Life, 0);
  EXPECT_EQ(g->Tiles.Particles[0].X, 12);
  EXPECT_EQ(g->Tiles.Particles[0].Y, 18);
  for (int i = 0; i < 12; ++i) SpawnBlast(*g, 0, 0, 0, 0, 0);
  int active = 0;
  for (const auto& b : g->Tiles.Blasts) active += b.Active;
  EXPECT_EQ(active, kBlasts);
  for (int i = 0; i < 11; ++i) AdvanceBlasts(*g);
  active = 0;
  for (const auto& b : g->Tiles.Blasts) active += b.Active;
  EXPECT_EQ(active, 0);
}

TEST(Water, WaveIndexesOutsideTheArrayAreSkipped) {
  auto g = MakeState();
  g->World.WaterY = 100;
  g->DetailsHigh = true;
  Cell(*g, 0, 20, 1);
  Drop(*g, 0, 0, 80, 5, 1);  // a tile in column 0 crossing the water line
  TileUpdate(*g, false);
  EXPECT_TRUE(g->Tiles.MovingTiles[0].InWater);
  SpawnBlast(*g, -200, 200, 0, 0, 0);
  SpawnBlast(*g, 600, 200, 0, 0, 0);
}

}  // namespace
}  // namespace pebblerun
