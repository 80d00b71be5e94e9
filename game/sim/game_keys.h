#pragma once
// The two keyboard handlers of a game, fed the frame's 256-byte key state
// (g.Input.Keys, 0x80 = down) and the mouse button flags of g.Input.

#include <string>

#include "sim/game_state.h"

namespace pebblerun {

void GameKeys(GameState& g);
void NameEntryKeys(GameState& g);

// Appends ch to the typed name (at most 20 characters); "-" removes the last one.
void AddNameChar(GameState& g, const std::string& ch);

// Sets off Tobo's own bomb for a pending bomb request and latches the bomb
// keys until they are released.
void FireBomb(GameState& g);

}  // namespace pebblerun
