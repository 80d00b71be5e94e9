#pragma once
// One frame of the game branch of the main loop.

#include <array>
#include <cstdint>

#include "game_state.h"

namespace pebblerun {

// The steps of the game screen that change the game (everything of the
// drawn frame except the drawing itself). Runs only in unpaused frames,
// apart from the fades and the trail, which also move while paused.
void GameScreenStep(GameState& g);

// Steps of the frame that finishes a game.
void EndOfGameStep(GameState& g);
void UpdateClouds(GameState& g);

// Keyboard handler, then (unless paused) the simulation steps, then the
// game-screen steps. keys is this frame's key state (0x80 = down).
void RunGameFrame(GameState& g, const std::array<std::uint8_t, kKeyCount>& keys);

}  // namespace pebblerun
