#pragma once
// The menu's attract replay: which of the shipped replays to show.

#include <string>

#include "game_state.h"

namespace pebblerun {

// "replay" + n + ".ini" for a random n from 1 to 10 when that file is in the
// application folder; otherwise the next of the ten names (wrapping round)
// that is. Each name is tried once: "" when none of the ten exists, and the
// menu then skips its attract replay.
std::string PickAttractReplay(GameState& g);

}  // namespace pebblerun
