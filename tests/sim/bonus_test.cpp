// Bonuses: placed on a generated map, picked up by kind, destroyed by the
// drills, and the timers of the powers they give.

#include "sim/bonus.h"

#include <gtest/gtest.h>

#include "sim/playfield.h"
#include "sim_fixture.h"

namespace pebblerun {
namespace {

using simtest::At;
using simtest::GeneratedMap;

TEST(Bonuses, PlacedOnTopOfTilesNeverSharingACell) {
  auto g = GeneratedMap(false, 31);
  const auto& bonuses = g->Bonus.Bonuses;
  ASSERT_EQ(bonuses.size(), 23u);
  EXPECT_FALSE(bonuses[0].Active);
  EXPECT_EQ(bonuses[1].Type, "bomb");
  EXPECT_EQ(bonuses[7].Type, "pie");
  EXPECT_EQ(bonuses[13].Type, "boot");
  EXPECT_EQ(bonuses[17].Type, "bombglass");
  EXPECT_EQ(bonuses[22].Type, "ears");
  for (std::size_t i = 1; i < bonuses.size(); ++i) {
    const Bonus& b = bonuses[i];
    ASSERT_TRUE(b.Active);
    const int cx = static_cast<int>(b.X) / 32, cy = static_cast<int>(b.Y) / 32;
    EXPECT_GE(cx, 1);
    EXPECT_LE(cx, 13);
    EXPECT_GE(cy, 10);
    EXPECT_GE(At(*g, cx, cy + 1), 1);
    EXPECT_EQ(At(*g, cx, cy), 0);
    EXPECT_EQ(b.SelectionAlpha, 100);
    for (std::size_t j = 1; j < i; ++j) EXPECT_FALSE(bonuses[j].X == b.X && bonuses[j].Y == b.Y);
  }
}

TEST(Bonuses, NoCountsNoBonusesAndNoPlaceNoHang) {
  auto g = GeneratedMap(false, 3);
  g->Tuning.Bonus = TuningBonus{};
  PlaceBonuses(*g);
  EXPECT_EQ(g->Bonus.Bonuses.size(), 1u);
  // A map with nowhere to put a bonus: the bonus is left out, the start goes on.
  g->Field.Cells = {};
  g->Tuning.Bonus.NumOf_Pie = 2;
  PlaceBonuses(*g);
  ASSERT_EQ(g->Bonus.Bonuses.size(), 3u);
  EXPECT_FALSE(g->Bonus.Bonuses[1].Active);
}

TEST(Bonuses, PickupsByKind) {
  auto g = simtest::MakeState();
  g->Tuning.Bonus.Bonus_Boot_Time = 2;
  g->Tuning.Bonus.Bonus_Ears_Time = 3;
  const char* kinds[] = {"", "boot", "boot", "bomb", "pie", "ears", "bombglass"};
  g->Bonus.Bonuses.assign(7, Bonus{});
  for (int i = 1; i <= 6; ++i) g->Bonus.Bonuses[i] = Bonus{true, kinds[i], 160, 320, 10, 0.5f, 0, 100};
  g->Hero.PX = 150;
  g->Hero.PY = 300;
  g->Hero.Weight = 4;
  g->Bonus.BombCount = 1;
  BonusStep(*g);
  for (int i = 1; i <= 6; ++i) EXPECT_FALSE(g->Bonus.Bonuses[i].Active) << kinds[i];
  EXPECT_EQ(g->World.Score, 60);
  EXPECT_EQ(g->Bonus.BootTimeLeft, 200);  // two boots add up
  EXPECT_EQ(g->Bonus.EarsTimeLeft, 150);
  EXPECT_EQ(g->Bonus.BombCount, 2);
  EXPECT_FLOAT_EQ(g->Hero.Weight, 4 + 5 * 0.5f);
  EXPECT_TRUE(g->Bonus.GlassWaveArmed);
  EXPECT_EQ(g->Bonus.SelectionSpin, 5);
  BonusStep(*g);
  EXPECT_EQ(g->Bonus.Bonuses[1].SelectionAlpha, 96);
  PowerTimers(*g);
  EXPECT_EQ(g->Bonus.BootTimeLeft, 199);
  g->GamePaused = true;
  PowerTimers(*g);
  EXPECT_EQ(g->Bonus.BootTimeLeft, 199);
}

TEST(Bonuses, DrillsDestroyBonusesAndSetBombsOff) {
  auto g = simtest::MakeState();
  g->Bonus.Bonuses.assign(3, Bonus{});
  g->Bonus.Bonuses[1] = Bonus{true, "pie", 160, 64, 10, 0, 0, 100};
  g->Bonus.Bonuses[2] = Bonus{true, "bomb", 256, 64, 10, 0, 0, 100};
  Cell(*g, 8, 3, 1);
  g->Hero.PX = 0;
  g->Hero.PY = 400;
  g->World.DrillY = 40;  // lower edge at 72: below the bonuses' top
  BonusStep(*g);
  EXPECT_FALSE(g->Bonus.Bonuses[1].Active);
  EXPECT_EQ(g->World.Score, 5);  // the bomb broke the tile above it
  EXPECT_EQ(Cell(*g, 8, 3), 0);
}

}  // namespace
}  // namespace pebblerun
