#pragma once
// The parts of the overlays that change the game state: score popups and the
// warning-arrow latch.

#include <string>

#include "sim/game_state.h"

namespace pebblerun {

void SpawnScorePopup(GameState& g, Single x, Single y, const std::string& text);
void AdvanceScorePopups(GameState& g);
void UpdateWarningArrows(GameState& g);

}  // namespace pebblerun
