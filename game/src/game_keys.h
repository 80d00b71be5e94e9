#pragma once
// The two keyboard handlers of a game, fed the frame's 256-byte key state
// (g.Input.Keys, 0x80 = down).

#include <string>

#include "game_state.h"

namespace pebblerun {

void GameKeys(GameState& g);
void NameEntryKeys(GameState& g);
void AddNameChar(GameState& g, const std::string& ch);

}  // namespace pebblerun
