#pragma once
// Recording and playback of a game: the map, the bonuses, the seed and the
// painted flags at frame 0, then the changes of four input flags per frame.
//
// A replay file is input from outside: every value is checked before it is
// used, lengths are bounded, and a value that cannot be read leaves its
// target as it was.

#include <string>

#include "sim/game_state.h"

namespace pebblerun {

// Longest playback whose per-frame key texts are kept (over 23 hours of play).
inline constexpr Long kMaxPlaybackFrames = 1 << 22;

// First simulation step of every unpaused frame.
void ReplayStep(GameState& g);
void RecordChanges(GameState& g);
void SaveReplayMap(GameState& g);
void LoadReplayMap(GameState& g);
void PlayChanges(GameState& g);

// Section "ingame" keys get the frame number in front ("153_keyleft").
void ReplayWrite(GameState& g, const std::string& key, const std::string& value, const std::string& section);
std::string ReplayRead(GameState& g, const std::string& key, const std::string& section, Single frame);
bool ReplayFileExists(const GameState& g, const std::string& name);
// Takes the key texts of every frame from the replay file into the game
// (ReplayState::RecordedInput), as the file stands now.
void ReadRecordedInput(GameState& g);

}  // namespace pebblerun
