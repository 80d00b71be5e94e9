#pragma once
// The options file ("\textures\options.bmp", section "main") and the
// played-games statistic in the per-user settings file.

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "sim/game_ini.h"
#include "sim/game_state.h"

namespace pebblerun {

inline constexpr const char* kOptionsFile = "\\textures\\options.bmp";

// Reads the seven options; a missing or unreadable key takes its default
// (story mode, arcade locked, sound on, high details, windowed, story not
// read, rumble on) and is written back.
void LoadOptions(GameState& g);
// The same from the file's text already in memory; the keys that took their
// default and that default, for the caller to write back.
std::vector<std::pair<std::string, bool>> ReadOptions(GameState& g, const IniText& file);

// Writes "Details_High", "GameMode_Story", "Sound_On", "FULL_SCREEN", "ArcadeLocked"
// (nothing when the run keeps the records in memory).
void SaveOptions(GameState& g);

// $XDG_CONFIG_HOME/Pebblerun/settings.ini (default ~/.config/Pebblerun/).
std::filesystem::path UserSettingsFile();

// The files the game keeps the player's choices and records in: options,
// both score tables, the last recording, the played-games count.
std::vector<std::filesystem::path> PlayerFiles(const GameState& g);

// "Stats"/"Number_Of_Played_Games" of the user's settings file, 0 when absent.
Integer ReadPlayedGames();
// Writes g.PlayedGames there (nothing when the run keeps the records in memory).
void WritePlayedGames(const GameState& g);

}  // namespace pebblerun
