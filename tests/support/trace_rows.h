#pragma once
// Reading rows of a headless game's trace
// ("frame,px,py,pvy,weight,scrolly,drilly,score,...,gameover,gridhash").

#include <string>

namespace pebblerun::support {

// The frame number a row starts with.
inline long FrameOf(const std::string& row) { return std::stol(row.substr(0, row.find(','))); }

// True for a row of a frame after the game was over.
inline bool GameOverRow(const std::string& row) { return row.substr(row.rfind(',') - 2, 2) == ",1"; }

// The row without its score column (a playback zeroes the score at its end).
inline std::string WithoutScore(const std::string& row) {
  std::size_t from = 0;
  for (int i = 0; i < 7; ++i) from = row.find(',', from) + 1;
  return row.substr(0, from) + row.substr(row.find(',', from));
}

}  // namespace pebblerun::support
