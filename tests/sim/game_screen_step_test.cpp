// The game screen's step: the drills' contact with the field and the glass
// bomb's wave over the visible tiles.

#include "sim/game_screen_step.h"

#include <gtest/gtest.h>

#include "sim/tiles.h"
#include "sim_fixture.h"

namespace pebblerun {
namespace {

using simtest::MakeState;

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

TEST(Bonuses, GlassBombTurnsVisibleTilesToGlass) {
  auto g = simtest::MakeState();
  const Integer codes[] = {1, 5, 6, 55, 20, 47};
  for (int x = 1; x <= 6; ++x) Cell(*g, x, 8, codes[x - 1]);
  Cell(*g, 3, 30, 1);  // out of view
  g->Bonus.GlassWaveArmed = true;
  GameScreenStep(*g);
  EXPECT_FALSE(g->Bonus.GlassWaveArmed);
  EXPECT_EQ(Cell(*g, 1, 8), 5);
  EXPECT_EQ(Cell(*g, 2, 8), 5);
  EXPECT_EQ(Cell(*g, 3, 8), 6);
  EXPECT_EQ(Cell(*g, 4, 8), 55);
  EXPECT_EQ(Cell(*g, 5, 8), 5);
  EXPECT_EQ(Cell(*g, 6, 8), 5);
  EXPECT_EQ(Cell(*g, 3, 30), 1);
  EXPECT_EQ(simtest::ActiveSmashPieces(*g), 3);
  EXPECT_EQ(g->World.Score, 0);
}

}  // namespace
}  // namespace pebblerun
