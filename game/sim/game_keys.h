#pragma once
// The two keyboard handlers of a game, fed the frame's 256-byte key state
// (g.Input.Keys, 0x80 = down) and the mouse button flags of g.Input.

#include <string>

#include "sim/game_state.h"

namespace pebblerun {

void GameKeys(GameState& g);
void NameEntryKeys(GameState& g);

// Name entry edits TypedName at a cursor (g.Records.NameCursorFromEnd). The
// cursor stands on a character or on the blank slot after the name, where it
// starts, so typing and Backspace alone work at the end as they always did.
//
// Adds ch before the character under the cursor (at most 20 characters; at
// the end that is appending); "-" deletes the character under the cursor,
// or the last one from the blank slot.
void AddNameChar(GameState& g, const std::string& ch);
// The cursor's slot: 0 .. TypedName.size() (the blank slot).
std::size_t NameCursor(const GameState& g);
// Left (-1) or right (+1), within the name and its blank slot.
void MoveNameCursor(GameState& g, int step);
// The character under the cursor one step on (+1) or back (-1) through A-Z,
// 0-9 and space; on the blank slot a new character starts there (A up, 9
// down) while the name has room.
void DialNameChar(GameState& g, int step);

// Sets off Tobo's own bomb for a pending bomb request and latches the bomb
// keys until they are released.
void FireBomb(GameState& g);

}  // namespace pebblerun
