#include "sim/water.h"

#include <cmath>

#include "sim/sim_math.h"

namespace pebblerun {
namespace {

constexpr int kSettledColumns = 209;  // 1..209, each with its two neighbours

// Half of CLng(diff) (0 when it does not fit), exactly. The difference of two
// Singles is a Single; below 2^22 adding and taking away 1.5 * 2^23 in Single
// rounds it half to even, and half of that whole number is again a Single.
// Larger (or not a number) takes the general rule.
inline Single HalfRoundedStep(Single diff) {
  constexpr Single kShift = 12582912.0f;
  if (std::fabs(diff) < 4194304.0f) return ((diff + kShift) - kShift) * 0.5f;
  return static_cast<Single>(RoundOr(diff, 0) / 2.0);
}

// Moves half the rounded difference from `from` over to `to`. The rule works
// in Double and rounds each result to Single; as the step is a Single, one
// Single addition gives that same result (Double carries more than twice
// Single's digits, so its double rounding never differs).
inline void Level(Single& from, Single& to) {
  const Single diff = from - to;
  // Mostly the difference rounds to no step at all. Testing for that (rather
  // than adding a zero step) lets the pass run on without waiting for the
  // rounding.
  if (std::fabs(diff) <= 0.5f) [[likely]] {
    if (to == 0) to = 0.0f;  // a zero step still turns -0 into +0
    return;
  }
  const Single step = HalfRoundedStep(diff);
  from -= step;
  to += step;
}

}  // namespace

void SettleWaves(std::array<Single, kWaterWaves>& waves) {
  // The three columns in play are kept in locals, so the pass runs in registers.
  Single left = waves[0], mid = waves[1];
  for (int k = 1; k <= kSettledColumns; ++k) {
    Single right = waves[k + 1];
    Level(left, mid);
    Level(right, mid);
    if (mid > 0) {
      left = static_cast<Single>(left - 0.4);
      mid = static_cast<Single>(mid - 0.4);
      right = static_cast<Single>(right - 0.4);
    }
    if (mid < 0) {
      left = static_cast<Single>(left + 2.0 / 15.0);
      mid = static_cast<Single>(mid + 2.0 / 15.0);
      right = static_cast<Single>(right + 2.0 / 15.0);
    }
    waves[k - 1] = left;
    left = mid;
    mid = right;
  }
  waves[kSettledColumns] = left;
  waves[kSettledColumns + 1] = mid;
}

Single AdvanceWaterPhase(Single phase, Single limit) {
  // A whole multiple of 50 from 0 to the limit (what a game start and every
  // pass leave) walks a fixed cycle, so the steps are counted at once.
  const int cycle = static_cast<int>(limit) / 50 + 1;
  if (phase >= 0 && phase <= limit && phase == std::floor(phase) && static_cast<int>(phase) % 50 == 0 &&
      limit == static_cast<Single>(cycle * 50 - 50)) {
    return static_cast<Single>((static_cast<int>(phase) / 50 + kSettledColumns) % cycle * 50);
  }
  for (int k = 1; k <= kSettledColumns; ++k) {
    phase += 50;
    if (phase > limit) phase = 0;
  }
  return phase;
}

}  // namespace pebblerun
