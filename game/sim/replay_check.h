#pragma once
// Whether a replay file can be played to its end, asked before anything is
// made of it (a video): a file that is missing, unreadable, holds no map or
// has no end (a recording that was cut off) is refused with the reason.

#include <string>

#include "sim/game_state.h"

namespace pebblerun {

// "" when the replay g.Replay.ReplayFile (under g.AppFolder unless absolute)
// can be played; otherwise what is wrong with it, in words for the player.
// g is only read from (its mode is taken from the file for the check).
std::string ReplayProblem(const GameState& g);

}  // namespace pebblerun
