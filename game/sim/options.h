#pragma once
// The options file ("\textures\options.bmp", section "main") and the
// played-games statistic in the per-user settings file.

#include <filesystem>

#include "sim/game_state.h"

namespace pebblerun {

inline constexpr const char* kOptionsFile = "\\textures\\options.bmp";

// Reads the seven options; a missing or unreadable key takes its default
// (story mode, arcade locked, sound on, high details, windowed, story not
// read, rumble on) and is written back.
void LoadOptions(GameState& g);

// Writes "Details_High", "GameMode_Story", "Sound_On", "FULL_SCREEN", "ArcadeLocked"
// (nothing when the run keeps the records in memory).
void SaveOptions(GameState& g);

// $XDG_CONFIG_HOME/Pebblerun/settings.ini (default ~/.config/Pebblerun/).
std::filesystem::path UserSettingsFile();

// "Stats"/"Number_Of_Played_Games" of the user's settings file, 0 when absent.
Integer ReadPlayedGames();
void WritePlayedGames(Integer playedGames);

}  // namespace pebblerun
