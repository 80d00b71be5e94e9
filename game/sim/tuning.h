#pragma once
// Game start: reset, tuning file, level table, map.

#include <filesystem>
#include <string>

#include "sim/game_ini.h"
#include "sim/game_state.h"

namespace pebblerun {

// "\Textures\lvl1.bmp" in story mode, "\Textures\lvl2.bmp" in arcade mode.
std::string TuningFileName(const GameState& g);
std::string TuningFileName(bool storyMode);

// Resets the per-game state, seeds the simulation generator, reads the tuning
// file and the level table and builds the map. Does nothing when load is false.
//
// The values the game ships with are built in: the first game starts from
// them (so a key its file lacks has the shipped value), and so does a game
// whose file is missing. A value that cannot be read keeps the value of the
// game before; one outside the range a game can be played with, and a level
// table that does not fit the field, take the shipped value. Each such
// finding is told once through the game's log.
void StartGame(GameState& g, bool load = true);
// The same with the tuning text already in memory (nullptr: no file); name
// is how the log names it.
void StartGame(GameState& g, const IniText* tuning, const std::string& name);
// Its reading part: the shipped values where due (the first game, or no
// file), then the tuning text (nullptr: no file) on top.
void ReadTuningValues(GameState& g, const IniText* tuning, const std::string& name);

// Reads section "Levels" into LevelSpecs 1..10 and sums StoryLength; stops at
// the first value it cannot read. A table that does not fit the field gives
// way to the shipped one.
void ReadLevelTable(GameState& g, bool load, const std::filesystem::path& file);

// The built-in level table and the tile-type table in their fixed order.
void FillBuiltInLevels(GameState& g);
void BuildTileTypeTable(GameState& g);

}  // namespace pebblerun
