#pragma once

#include "sim/game_state.h"

namespace pebblerun {

void PlaceBonuses(GameState& g);
// Kinds: 1 bomb, 2 pie, 3 boot, 4 bombglass, 5 ears; x = y = 0 picks a random place.
void AddBonus(GameState& g, Integer kind, Long x = 0, Long y = 0);
void BonusStep(GameState& g);
void PowerTimers(GameState& g);

}  // namespace pebblerun
