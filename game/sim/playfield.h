#pragma once
// The tile grid and its accessors, and the map generator.

#include <string>

#include "sim/game_state.h"

namespace pebblerun {

inline constexpr Integer kEmpty = 0;
inline constexpr Integer kGlass = 5;
inline constexpr Integer kStone = 6;
inline constexpr Integer kCellUnchanged = -1;  // Cell(): read only

// Reads (and, given a new value, writes) the cell at the rounded
// coordinates. Outside columns 0..19 / rows 0..5000 reads give 0 and writes
// are dropped.
Integer Cell(GameState& g, Single x, Single y, Integer newValue = kCellUnchanged);

// Cell() for whole coordinates, read only: the simulation's probes.
inline Integer CellAt(const GameState& g, int x, int y) {
  return x >= 0 && x < 20 && y >= 0 && y < kGridRows ? g.Field.Cells[x][y] : 0;
}

Integer KindOf(const GameState& g, Integer code);
std::string KindName(const GameState& g, Integer kind);
Integer FindTileType(const GameState& g, Integer level, std::string kindName, Integer kind);

// Reads (and with set, sets) the painted flag of a cell; painting a coloured
// tile for the first time scores PaintPoints.
bool PaintCell(GameState& g, Single x, Single y, bool set, bool value);

// True for the wall codes, which never move unless breakAll.
bool IsWall(Integer code);

void GenerateMap(GameState& g);

}  // namespace pebblerun
