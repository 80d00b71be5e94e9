#pragma once
// The table of the ten best scores of the current mode and its file.
//
// Scores are kept and written as 32-bit whole numbers, so a game that scores
// more than 32767 is stored as scored; files with 16-bit scores read the same.

#include <string>

#include "sim/game_ini.h"
#include "sim/game_state.h"

namespace pebblerun {

// "\textures\dot_black2.bmp" in story mode, "\textures\dot_white2.bmp" in arcade.
std::string HighScoreFile(const GameState& g);
std::string HighScoreFile(bool story);

// Reads rows 0..9 of the current mode's file, fills defaults, saves.
void LoadHighScores(GameState& g);
// Rows 0..9 and their defaults from the file's text already in memory.
void ReadHighScores(GameState& g, const IniText& file);

// Merges the candidate row 10 into rows 0..9 and writes the file.
void SaveHighScores(GameState& g);

}  // namespace pebblerun
