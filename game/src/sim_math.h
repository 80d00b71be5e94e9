#pragma once
// Small conversions the simulation repeats everywhere.

#include <quillon/numbers.h>

#include "game_state.h"

namespace pebblerun {

// Far outside every array: Cell() reads it as empty, writes are dropped.
inline constexpr int kOutside = -1000000;

// CLng(v) \ 32: the tile row or column of a pixel coordinate.
inline int TileOf(double v) { return quillon::vb::IDiv(v, 32).value_or(kOutside); }

// CLng(v) \ d for any divisor.
inline int WholeDiv(double v, double d) { return quillon::vb::IDiv(v, d).value_or(kOutside); }

// CLng / CInt with a fallback for values that do not fit.
inline int RoundOr(double v, int fallback) {
  return quillon::vb::CLng(v).value_or(fallback);
}

// a / b for tuning dividers: a divider of 0 leaves the value undivided rather
// than sending it to infinity.
inline Single DivideBy(Single a, Single b) { return b == 0 ? a : a / b; }

// Adds to a wave entry; an index outside the array is skipped.
inline void AddWave(GameState& g, int index, double amount) {
  if (index >= 0 && index < kWaterWaves) {
    g.World.WaterWaves[index] = static_cast<Single>(g.World.WaterWaves[index] + amount);
  }
}

}  // namespace pebblerun
