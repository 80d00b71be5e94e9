#pragma once
// The view, the drills and the score.

#include <string>

#include "sim/game_state.h"

namespace pebblerun {

void ScrollStep(GameState& g);
void DrillStep(GameState& g);
// "brick_push", "brick_smash", or "" for the per-frame tick.
void AddScore(GameState& g, const std::string& event);
void EndGame(GameState& g);

}  // namespace pebblerun
