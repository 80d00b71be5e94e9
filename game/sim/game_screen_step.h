#pragma once
// The steps of the drawn game frame that change the game: glass wave, water
// load, drill contact, bonuses, water level, timers, level banner and fades.
// The program draws the frame afterwards from the state they leave.

#include "sim/game_state.h"

namespace pebblerun {

// Runs only in unpaused frames, apart from the fades and the trail, which
// also move while paused.
void GameScreenStep(GameState& g);

// The clouds drift with the view (a simulation step of the frame).
void UpdateClouds(GameState& g);

}  // namespace pebblerun
