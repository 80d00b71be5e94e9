// The grid accessors, the tile-type table and the map generator.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "app_folders.h"
#include "sim/playfield.h"
#include "sim_fixture.h"

namespace pebblerun {
namespace {

using simtest::At;
using simtest::GeneratedMap;
using simtest::MakeState;

TEST(Cell, BoundsAndRounding) {
  auto g = MakeState();
  EXPECT_EQ(Cell(*g, 3, 7, 12), 12);
  EXPECT_EQ(Cell(*g, 3.4f, 6.6f), 12);
  EXPECT_EQ(Cell(*g, 2.5f, 7), 0);  // 2.5 rounds to 2
  EXPECT_EQ(Cell(*g, 3.5f, 7), 0);  // 3.5 rounds to 4
  EXPECT_EQ(Cell(*g, -1, 7, 9), 0);
  EXPECT_EQ(Cell(*g, 3, -0.4f, 9), 0);
  EXPECT_EQ(Cell(*g, 3, 0), 0);
  EXPECT_EQ(Cell(*g, 20, 7, 9), 0);
  EXPECT_EQ(Cell(*g, 19.6f, 7, 4), 4);  // bound tested before rounding: column 20
  EXPECT_EQ(g->Field.Cells[20][7], 4);
}

TEST(Cell, RowsBeyondTheGridReadEmptyAndDropWrites) {
  auto g = MakeState();
  EXPECT_EQ(Cell(*g, 3, 5000, 7), 7);
  EXPECT_EQ(Cell(*g, 3, 5001, 7), 0);
  EXPECT_EQ(Cell(*g, 3, 5001), 0);
  EXPECT_EQ(Cell(*g, 3, 1.0e9f, 7), 0);
  EXPECT_FALSE(PaintCell(*g, 3, 6000, true, true));
}

TEST(TileTypes, FixedOrderAndLookups) {
  auto g = MakeState();
  EXPECT_EQ(KindOf(*g, 0), 0);
  EXPECT_EQ(KindOf(*g, 47), 1);  // normal yellow
  EXPECT_EQ(KindOf(*g, 50), 4);
  EXPECT_EQ(KindOf(*g, 55), 55);
  EXPECT_EQ(KindName(*g, 3), "gum");
  EXPECT_EQ(KindName(*g, 9), "9");
  // Level 1 is green: 1..4; level 10 is reddark: 43..46.
  EXPECT_EQ(FindTileType(*g, 1, "", 2), 2);
  EXPECT_EQ(FindTileType(*g, 10, "", 4), 46);
  EXPECT_EQ(FindTileType(*g, 10, "GLASS", 0), 5);
  EXPECT_EQ(FindTileType(*g, 3, "", 6), 6);
  g->LevelSpecs[3].TileType = "purple";
  EXPECT_EQ(FindTileType(*g, 3, "", 1), 0);  // unknown colour: no coloured tiles...
  EXPECT_EQ(FindTileType(*g, 3, "", 5), 5);  // ...but glass and stone still
}

TEST(PaintCell, FirstTouchOfAColouredTileScores) {
  auto g = MakeState(true);
  g->World.CurrentLevel = 7;
  Cell(*g, 4, 9, 11);
  Cell(*g, 5, 9, 5);
  EXPECT_FALSE(PaintCell(*g, 4, 9, true, false));
  EXPECT_TRUE(PaintCell(*g, 4, 9, true, true));
  EXPECT_EQ(g->World.Score, 2);  // 7 \ 3
  EXPECT_TRUE(PaintCell(*g, 4, 9, true, true));
  EXPECT_EQ(g->World.Score, 2);
  PaintCell(*g, 5, 9, true, true);  // glass never scores
  EXPECT_EQ(g->World.Score, 2);
  g->World.CurrentLevel = 0;  // at least one point
  Cell(*g, 6, 9, 12);
  PaintCell(*g, 6, 9, true, true);
  EXPECT_EQ(g->World.Score, 3);
  EXPECT_FALSE(PaintCell(*g, 20, 9, true, true));
}

std::string Dump(GameState& g) {
  std::ostringstream out;
  for (int y = 0; y <= 1050; ++y) {
    for (int x = 0; x <= 14; ++x) out << (x ? " " : "") << Cell(g, x, y);
    out << "\n";
  }
  for (std::size_t i = 1; i < g.Bonus.Bonuses.size(); ++i) {
    const Bonus& b = g.Bonus.Bonuses[i];
    out << "bonus " << i << " " << b.Type << " " << b.X << " " << b.Y << "\n";
  }
  return out.str();
}

TEST(GenerateMap, MatchesTheStoredMapOfAFixedSeed) {
  for (bool story : {true, false}) {
    auto g = GeneratedMap(story, 12345);
    const std::string dump = Dump(*g);
    const auto fixture = support::SourceFolder() / "tests" / "sim" / "fixtures" /
                         (story ? "map_story_12345.txt" : "map_arcade_12345.txt");
    if (std::getenv("PEBBLERUN_UPDATE_FIXTURES")) std::ofstream(fixture) << dump;
    std::ifstream in(fixture);
    ASSERT_TRUE(in) << fixture;
    std::stringstream stored;
    stored << in.rdbuf();
    EXPECT_TRUE(stored.str() == dump) << "map differs from " << fixture;
  }
}

TEST(GenerateMap, SameSeedSameMapOtherSeedOtherMap) {
  auto a = GeneratedMap(false, 777), b = GeneratedMap(false, 777), c = GeneratedMap(false, 778);
  EXPECT_EQ(Dump(*a), Dump(*b));
  EXPECT_NE(Dump(*a), Dump(*c));
}

TEST(GenerateMap, WallsByModeAndRow) {
  auto story = GeneratedMap(true, 1), arcade = GeneratedMap(false, 1);
  for (int x : {0, 14}) {
    EXPECT_EQ(At(*story, x, 0), 55);
    EXPECT_EQ(At(*story, x, 350), 55);
    EXPECT_EQ(At(*story, x, 351), 61);
    EXPECT_EQ(At(*story, x, 700), 61);
    EXPECT_EQ(At(*story, x, 701), 62);
    EXPECT_EQ(At(*arcade, x, 351), 52);
    EXPECT_EQ(At(*arcade, x, 701), 54);
    EXPECT_EQ(At(*arcade, x, 1050), 54);
    EXPECT_EQ(At(*arcade, x, 1051), 0);
  }
}

TEST(GenerateMap, StartSeparatorsAndFloor) {
  auto story = GeneratedMap(true, 5), arcade = GeneratedMap(false, 5);
  // Story start box: stone roof and sides, glass, yellow and glass floor.
  EXPECT_EQ(At(*story, 7, 1), 6);
  EXPECT_EQ(At(*story, 5, 3), 6);
  EXPECT_EQ(At(*story, 6, 4), 5);
  EXPECT_EQ(At(*story, 7, 4), 47);
  EXPECT_EQ(At(*story, 7, 2), 0);
  EXPECT_EQ(At(*arcade, 7, 4), 6);
  EXPECT_EQ(At(*arcade, 7, 1), 0);
  for (int x = 1; x <= 13; ++x) {
    // Level 1 ends at row 20: glass bands at 19 and 20, row 21 cleared.
    EXPECT_EQ(At(*story, x, 19), 5);
    EXPECT_EQ(At(*story, x, 20), 5);
    EXPECT_EQ(At(*story, x, 21), 0);
    EXPECT_FALSE(PaintCell(*story, x, 20, false, false));
    // In arcade the upper band goes after the third boundary (row 130).
    EXPECT_EQ(At(*arcade, x, 129), 5);
    EXPECT_EQ(At(*arcade, x, 230), 5);
    EXPECT_EQ(At(*arcade, x, 231), 0);
    EXPECT_EQ(At(*story, x, 1047), 0);
    for (int y = 1048; y <= 1050; ++y) EXPECT_EQ(At(*story, x, y), 6);
  }
  EXPECT_EQ(arcade->World.Score, 0);
}

TEST(GenerateMap, StoryTilesStartUnpaintedArcadeTilesPainted) {
  auto story = GeneratedMap(true, 9), arcade = GeneratedMap(false, 9);
  int checked = 0;
  for (int y = 30; y < 120; ++y) {
    for (int x = 1; x <= 13; ++x) {
      const Integer c = At(*story, x, y);
      if (c > 0 && c != 5 && c != 6 && At(*arcade, x, y) > 0) {
        EXPECT_FALSE(PaintCell(*story, x, y, false, false));
        EXPECT_TRUE(PaintCell(*arcade, x, y, false, false));
        ++checked;
      }
    }
  }
  EXPECT_GT(checked, 10);
}

}  // namespace
}  // namespace pebblerun
