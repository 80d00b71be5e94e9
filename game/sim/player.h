#pragma once

#include "sim/game_state.h"

namespace pebblerun {

// One frame of Tobo: jump and glide, walking, gravity, landing strikes,
// walls, moving tiles, water, death and the win.
void PlayerUpdate(GameState& g);

}  // namespace pebblerun
