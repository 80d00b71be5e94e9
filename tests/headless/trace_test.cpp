// The per-frame trace: two runs of a game are compared by these rows, so
// their text must say every bit of the values it carries and nothing else.

#include "headless/trace.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace pebblerun {
namespace {

// FNV-1a written out from its definition, over the bytes listed in full:
// each cell code as two bytes, low byte first, columns 0..14 of the rows
// 0..lastRow, row by row; rows past the grid count as empty cells.
std::uint64_t Fnv1a(const std::vector<std::uint8_t>& bytes) {
  std::uint64_t hash = 14695981039346656037ull;
  for (std::uint8_t b : bytes) hash = (hash ^ b) * 1099511628211ull;
  return hash;
}

std::vector<std::uint8_t> CellBytes(const GameState& g, int lastRow) {
  std::vector<std::uint8_t> bytes;
  for (int row = 0; row <= lastRow; ++row) {
    for (int column = 0; column <= 14; ++column) {
      const std::uint16_t code = row < kGridRows ? static_cast<std::uint16_t>(g.Field.Cells[column][row]) : 0;
      bytes.push_back(static_cast<std::uint8_t>(code % 256));
      bytes.push_back(static_cast<std::uint8_t>(code / 256));
    }
  }
  return bytes;
}

std::vector<std::string> Columns(const std::string& row) {
  std::vector<std::string> columns(1);
  for (char c : row) {
    if (c == ',')
      columns.emplace_back();
    else
      columns.back() += c;
  }
  return columns;
}

// A three-row field: walls in the first row, a code above 255 in the second
// (its high byte counts), and cells the hash must leave out: column 15 and
// the row below the story's end.
std::unique_ptr<GameState> SmallField() {
  auto g = std::make_unique<GameState>();
  g->StoryLength = 2;
  auto& cells = g->Field.Cells;
  cells[0][0] = 55;
  cells[14][0] = 55;
  cells[3][1] = 300;
  cells[14][2] = 62;
  cells[15][1] = 9;
  cells[7][3] = 9;
  return g;
}

TEST(Trace, HeaderNamesTheColumnsInRowOrder) {
  EXPECT_EQ(TraceHeader(),
            "frame,px,py,pvy,weight,scrolly,drilly,score,bombs,boot,ears,level,gameover,gridhash");
  auto g = std::make_unique<GameState>();
  EXPECT_EQ(Columns(TraceHeader()).size(), Columns(TraceRow(*g, 0)).size());
}

TEST(Trace, RowCarriesEveryNumberToTheLastBitOfItsSingle) {
  auto g = SmallField();
  g->Hero.PX = 0.1f;
  g->Hero.PY = -2.5f;
  g->Hero.PVY = 1e-10f;
  g->Hero.Weight = 4.5f;
  g->World.ScrollY = -1234.5678f;
  g->World.DrillY = 3e38f;
  g->World.Score = 123456789.0f;
  g->Bonus.BombCount = 0;
  g->Bonus.BootTimeLeft = 0.25f;
  g->Bonus.EarsTimeLeft = -0.0f;
  g->World.CurrentLevel = 7;
  g->GameOver = true;
  EXPECT_EQ(TraceRow(*g, 42),
            "42,0.100000001,-2.5,1.00000001e-10,4.5,-1234.56775,3.00000001e+38,123456792,0,0.25,-0,7,1,"
            "7a5a7bb7125b6990");
  g->GameOver = false;
  g->World.CurrentLevel = 10;
  const auto columns = Columns(TraceRow(*g, 1000000));
  ASSERT_EQ(columns.size(), 14u);
  EXPECT_EQ(columns[0], "1000000");
  EXPECT_EQ(columns[11], "10");
  EXPECT_EQ(columns[12], "0");  // a flag: 0 or 1, never a word
}

TEST(Trace, GridHashOfAKnownFieldMatchesTheHashComputedFromItsBytes) {
  auto g = SmallField();
  // Worked out by hand from the definition above.
  EXPECT_EQ(GridHash(*g), 0x7a5a7bb7125b6990ull);
  EXPECT_EQ(GridHash(*g), Fnv1a(CellBytes(*g, 2)));
  // Only cells of the hashed columns and rows change it.
  const std::uint64_t before = GridHash(*g);
  g->Field.Cells[15][0] = 1;
  g->Field.Cells[3][3] = 1;
  EXPECT_EQ(GridHash(*g), before);
  g->Field.Cells[3][2] = 1;
  EXPECT_NE(GridHash(*g), before);
  EXPECT_EQ(GridHash(*g), Fnv1a(CellBytes(*g, 2)));

  // An empty field of one row: thirty zero bytes.
  auto empty = std::make_unique<GameState>();
  empty->StoryLength = 0;
  EXPECT_EQ(GridHash(*empty), 0x042a3110292eaa1dull);
}

TEST(Trace, GridHashReadsRowsPastTheGridAsEmptyAndPrintsSixteenDigits) {
  auto g = std::make_unique<GameState>();
  g->StoryLength = kGridRows + 3;
  g->Field.Cells[14][kGridRows - 1] = 1;
  EXPECT_EQ(GridHash(*g), Fnv1a(CellBytes(*g, kGridRows + 3)));
  // The empty row's hash starts with a zero digit, which must be printed.
  auto empty = std::make_unique<GameState>();
  empty->StoryLength = 0;
  EXPECT_EQ(Columns(TraceRow(*empty, 0)).back(), "042a3110292eaa1d");
}

}  // namespace
}  // namespace pebblerun
