// The layout rules of the game screen's overlays: the bomb stock, the
// score's back layer and colour, and the tiles shown for unpainted cells.

#include "program/mod_Render.h"

#include <gtest/gtest.h>

#include <memory>

namespace pebblerun {
namespace {

TEST(ScreenLayout, BombStockFillsTheOuterColumnFirst) {
  Single x = 0, y = 0;
  BombStockPlace(0, x, y);
  EXPECT_EQ(x, 608);
  EXPECT_EQ(y, 32);
  BombStockPlace(14, x, y);
  EXPECT_EQ(x, 608);
  EXPECT_EQ(y, 480);
  BombStockPlace(19, x, y);  // the twentieth bomb: fifth of the inner column
  EXPECT_EQ(x, 576);
  EXPECT_EQ(y, 160);
}

TEST(ScreenLayout, ScoreBackLayerCountsDigits) {
  EXPECT_EQ(ScoreDigits(0), 1);
  EXPECT_EQ(ScoreDigits(9999), 4);
  EXPECT_EQ(ScoreDigits(10000), 5);
  Single r = 0, g = 0, b = 0;
  ScoreColour("255, 120.7,3", r, g, b);
  EXPECT_EQ(r, 255);
  EXPECT_EQ(g, 120);
  EXPECT_EQ(b, 3);
  ScoreColour("oops", r, g, b);
  EXPECT_EQ(r, 0);
  EXPECT_EQ(b, 0);
}

TEST(ScreenLayout, UnpaintedTilesShowGreyAndGlassOnlyWhereAsked) {
  auto g = std::make_unique<GameState>();
  EXPECT_EQ(ShownTileCode(*g, 5, false, true), 60);
  EXPECT_EQ(ShownTileCode(*g, 5, false, false), 5);
  EXPECT_EQ(ShownTileCode(*g, 6, false, true), 6);    // stone has no grey variant
  EXPECT_EQ(ShownTileCode(*g, 51, false, true), 51);  // nor the walls
  EXPECT_EQ(ShownTileCode(*g, 9, true, true), 9);
}

}  // namespace
}  // namespace pebblerun
