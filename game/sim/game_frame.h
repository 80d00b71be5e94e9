#pragma once
// One frame of the game branch of the main loop.

#include <array>
#include <cstdint>

#include "sim/game_state.h"

namespace pebblerun {

// Steps of the frame that finishes a game.
void EndOfGameStep(GameState& g);

// Keyboard handler, then (unless paused) the simulation steps, then the
// game-screen steps. keys is this frame's key state (0x80 = down).
void RunGameFrame(GameState& g, const std::array<std::uint8_t, kKeyCount>& keys);

}  // namespace pebblerun
