#pragma once
// Game start: reset, tuning file, level table, map.

#include <filesystem>
#include <string>

#include "sim/game_state.h"

namespace pebblerun {

// "\Textures\lvl1.bmp" in story mode, "\Textures\lvl2.bmp" in arcade mode.
std::string TuningFileName(const GameState& g);
std::string TuningFileName(bool storyMode);

// Resets the per-game state, seeds the simulation generator, reads the tuning
// file and the level table and builds the map. Does nothing when load is false.
void StartGame(GameState& g, bool load = true);

// Reads section "Levels" into LevelSpecs 1..10 and sums StoryLength; stops at
// the first value it cannot read.
void ReadLevelTable(GameState& g, bool load, const std::filesystem::path& file);

// The built-in level table and the tile-type table in their fixed order.
void FillBuiltInLevels(GameState& g);
void BuildTileTypeTable(GameState& g);

}  // namespace pebblerun
