#pragma once
// Recording and playback of a game: the map, the bonuses, the seed and the
// painted flags at frame 0, then the changes of four input flags per frame.
//
// A replay file is input from outside: every value is checked before it is
// used, lengths are bounded, and a value that cannot be read leaves its
// target as it was.

#include <filesystem>
#include <string>

#include "sim/game_ini.h"
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
// Takes the key texts of every frame from the playback's text into the game
// (ReplayState::RecordedInput).
void ReadRecordedInput(GameState& g);

// The file a playback reads: ReplayFile ("" is "replay.ini") under the
// application folder, read into memory at the first read of the playback.
std::filesystem::path PlaybackPath(const GameState& g);
// That file's text as this playback read it (at its first read).
const IniText& PlaybackText(GameState& g);

// Where a replay named on a command line is: an absolute name as it stands,
// a relative one in the working folder, else in the application folder (the
// user's copy first when that folder is shared; the working folder's path
// when it is in neither).
std::filesystem::path LocateReplay(const std::string& name, const std::filesystem::path& appFolder);
// Why path cannot be played (missing, a folder, unreadable), naming it;
// "" when it can.
std::string ReplayFileProblem(const std::filesystem::path& path);

}  // namespace pebblerun
