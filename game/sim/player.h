#pragma once

#include "sim/game_state.h"

namespace pebblerun {

// One frame of Tobo: jump and glide, walking, gravity, landing strikes,
// walls, moving tiles, water, death and the win.
void PlayerUpdate(GameState& g);

// False when a map of storyLength rows ends where Tobo stands at heroY: he
// would have won before he moved.
bool MapHoldsHero(Single heroY, double storyLength);

}  // namespace pebblerun
