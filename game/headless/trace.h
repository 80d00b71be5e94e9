#pragma once
// The per-frame trace of a headless game: one CSV row per unpaused frame,
// enough to tell whether two runs of a game went exactly alike.

#include <cstdint>
#include <string>

#include "sim/game_state.h"

namespace pebblerun {

// 64-bit FNV-1a of the cell codes (little-endian 16-bit), columns 0..14 of
// every row 0..StoryLength, row by row.
std::uint64_t GridHash(const GameState& g);

// "frame,px,py,pvy,weight,scrolly,drilly,score,bombs,boot,ears,level,gameover,gridhash"
std::string TraceHeader();

// The row of frame (the replay frame number of that pass), no line end.
std::string TraceRow(const GameState& g, Long frame);

}  // namespace pebblerun
