#pragma once
// The water surface: the waves settle and the surface animation advances
// once per drawn frame.

#include <array>

#include "sim/game_state.h"

namespace pebblerun {

// Columns 0..210 of the waves take part; each column in turn settles toward
// its left and right neighbours (half their rounded difference moves across)
// and is then damped: lowered by 0.4 when above rest, raised by 2/15 when
// below.
void SettleWaves(std::array<Single, kWaterWaves>& waves);

// The surface animation advances 50 per wave column settled and wraps to 0
// past limit.
Single AdvanceWaterPhase(Single phase, Single limit);

}  // namespace pebblerun
