#pragma once

#include "sim/game_state.h"

namespace pebblerun {

// Fills g.Overlay.DebugText while the debug window is visible.
void BuildDebugText(GameState& g);

}  // namespace pebblerun
