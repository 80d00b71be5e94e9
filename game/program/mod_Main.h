#pragma once
// The program's spine: start-up, the main loop with its two branches (menus
// and game), the music cross-fade, the frame wait and the orderly exit.
//
// Each pass of the loop is one frame. Before either branch runs,
// g.Input.Keys holds the frame's 256-byte key state (the keyboard's, plus
// any scripted keys); the menu reads its keys from there too.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "program/command_line.h"
#include "program/input_script.h"
#include "program/mod_Declares.h"

namespace pebblerun {

inline constexpr const char* kStartupFailureTitle = "Pebblerun";

// How the loop runs: frame waits, a frame budget, scripted input, a replay.
struct RunControl {
  bool Headless = false;         // no frame waits
  std::int64_t FrameLimit = -1;  // end after this many passes; -1 never
  bool EndWithReplay = false;    // end when the replay given at start is over
  std::string ReplayFile;        // that replay, found
  InputScript Script;
  std::vector<ScriptEvent> PadEvents;  // the script's pad lines due, applied after the frame's keys
  std::int64_t Frame = 0;              // passes so far
  // Runs after every pass; false ends the run with exit code StopCode.
  std::function<bool(Program&)> AfterPass;
  int StopCode = 1;
};

// The whole program for one command line; the process exit code.
int Main(const CommandLine& commandLine, const std::string& programFolder);

// Frame waits, frame budget, script and replay of this command line; false
// (with the reason on stderr) when a file it names cannot be used. A
// relative replay name is looked for in the working folder, then in the
// application folder.
bool PrepareRun(const CommandLine& commandLine, const std::string& appFolder, RunControl& run);

// The run itself, once the command line has been checked and run prepared:
// start-up, the replay given, the loop, the exit; the process exit code.
int RunProgram(const CommandLine& commandLine, const std::string& appFolder, RunControl& run);

// The application folder a command line names (the program's own by default).
std::string AppFolderFor(const CommandLine& commandLine, const std::string& programFolder);

// Where the cosmetic generator of a run starts: the clock for play, fixed
// when the run must look the same every time (a seed given, a replay played
// from the command line).
std::uint32_t CosmeticSeedFor(const CommandLine& commandLine);

// Start-up after the window has loaded: options, cursor, engine, display,
// high scores, menu music. False when the display could not start. step
// names what is being done (and which file is read) while it runs.
bool StartUp(Program& p, const CommandLine& commandLine, std::string& step);

// One pass of the main loop.
void MainLoopPass(Program& p, RunControl& run);

// Starts the playback of file at once (the menu's start fade skipped).
void StartReplayNow(Program& p, const std::string& file);

// Music of the two branches (no call at all while sound is off).
void StartMenuMusic(GameState& g, GameObjects& o);
void MenuMusicStep(GameState& g, GameObjects& o);
void GameMusicStep(GameState& g, GameObjects& o);

// Holds the frame to 1/fps seconds after the end of the previous wait
// (sleeping, then spinning the last stretch); fps becomes 1/fps. Without
// wait (headless runs) only the bookkeeping happens. FrameTime is 0.02
// afterwards whatever the real frame length.
void WaitFrame(GameState& g, FrameTiming& timing, Single& fps, bool wait = true);

// Releases everything in order: cursor back, keyboard lock off, textures,
// devices, engine objects.
void ExitGame(Program& p);

// x += distance cos(angle), y += distance sin(angle); degrees.
void PolarOffset(const GameState& g, Single& x, Single& y, Single angle, Single distance);
// One step each way: above 359 less 360, then below 0 plus 360.
void WrapDegrees(Single& angle);

}  // namespace pebblerun
