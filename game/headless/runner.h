#pragma once
// Headless games: a player (a replay file, the bot, random keys or nobody)
// plays one game as fast as the machine allows, optionally recorded to a
// replay file and traced frame by frame.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "sim/game_state.h"

namespace pebblerun {

class SimPlayer;

enum class SimPlayerKind { Replay, Bot, Idle, Random };

struct SimOptions {
  std::string AppDir;  // application folder with the tuning files
  bool Story = true;   // story or arcade mode
  SimPlayerKind Player = SimPlayerKind::Idle;
  std::string ReplayFile;  // the file a Replay player plays
  std::uint32_t Seed = 0;  // the player's seed, and the game's unless GameSeed is set
  Long GameSeed = -1;      // 0..16777215, the game's seed (a playback's file may name its own); -1: Seed
  std::string RecordFile;  // "" records nothing
  Long MaxFrames = -1;     // passes of the game loop; -1 until the game ends
  Long PauseEvery = 0;     // > 0: pause after every PauseEvery passes ...
  Long PauseLength = 0;    // ... for this many passes
  GameEvents* Events = nullptr;  // hears the game's log lines; null: nobody
};

struct SimResult {
  Long Frames = 0;    // passes of the game loop, paused ones included
  Integer Level = 0;  // deepest level reached
  Single Score = 0;   // the score the game ended with
  bool Won = false;
  bool Died = false;
  bool Finished = false;       // the game ran to its end
  bool Unplayable = false;     // a playback whose map could not hold Tobo: ended at once
  bool Story = true;           // the mode played (a playback's is its recording's)
  std::uint32_t GameSeed = 0;  // the seed the game started with
};

// Receives one trace row (no line end) per unpaused frame.
using TraceSink = std::function<void(const std::string& row)>;

SimResult RunSimulation(const SimOptions& options, const TraceSink& trace = {});

// RunSimulation in two halves, for callers that start a game once and play
// it (or copies of it) several times: the game as options start it, ready
// for its first pass, ...
std::unique_ptr<GameState> StartSimGame(const SimOptions& options);
// ... and its passes with player until it ends (or options.MaxFrames passes).
SimResult PlaySimGame(GameState& g, const SimOptions& options, SimPlayer& player,
                      const TraceSink& trace = {});

// "mode=story frames=1234 level=3 score=4567 result=died seed=123" (won, died,
// unfinished, or unplayable for a playback that could not start)
std::string SummaryLine(const SimOptions& options, const SimResult& result);

// Sets the cosmetic generator so that the next game start draws seed.
void RequestGameSeed(GameState& g, std::uint32_t seed);

}  // namespace pebblerun
