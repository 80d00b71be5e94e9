#pragma once
// Small conversions the simulation repeats many times a frame, inline and
// exactly as the number rules of quillon/numbers.h have them (the tests
// compare both): CLng rounds half to even, "\" rounds both sides and then
// truncates toward zero.

#include <cmath>

#include "sim/game_state.h"

namespace pebblerun {

// Far outside every array: Cell() reads it as empty, writes are dropped.
inline constexpr int kOutside = -1000000;

// Whole numbers a Long can hold after rounding.
inline bool FitsLong(double v) { return v >= -2147483648.5 && v < 2147483647.5; }

// Round half to even for |v| < 2^51: adding and taking away 1.5 * 2^52 leaves
// the nearest whole number in the current (to-nearest-even) rounding mode.
inline double RoundHalfEven(double v) {
  constexpr double kShift = 6755399441055744.0;
  return v >= 0 ? (v + kShift) - kShift : -((-v + kShift) - kShift);
}

// CLng with a fallback for values that do not fit (or are not numbers).
inline int RoundOr(double v, int fallback) {
  return FitsLong(v) ? static_cast<int>(RoundHalfEven(v)) : fallback;
}

// CLng(v) \ d; kOutside when either side does not fit or d rounds to 0.
inline int WholeDiv(double v, double d) {
  if (!FitsLong(v) || !FitsLong(d)) return kOutside;
  const long long a = static_cast<long long>(RoundHalfEven(v));
  const long long b = static_cast<long long>(RoundHalfEven(d));
  if (b == 0 || (b == -1 && a == -2147483648LL)) return kOutside;
  return static_cast<int>(a / b);
}

// CLng(v) \ 32: the tile row or column of a pixel coordinate.
inline int TileOf(double v) { return WholeDiv(v, 32); }

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
