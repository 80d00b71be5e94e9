#pragma once
// The program's command line.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pebblerun {

struct CommandLine {
  bool Help = false;
  bool Version = false;
  std::string AppDir;              // "" : the folder of the program
  std::optional<bool> FullScreen;  // --fullscreen / --windowed for this run only
  bool Headless = false;           // no window on screen, no sound device, no frame waits
  std::string ReplayFile;          // play this replay at once
  std::int64_t Frames = -1;        // end after this many frames; -1 never
  std::string ScriptFile;          // scripted input (see input_script.h)
  std::int32_t GameSeed = -1;      // 0..16777215: every game of the run starts with it; -1 none
  // --export-video REPLAY OUT: the replay played into a video file, and the
  // options that go with it.
  bool Export = false;
  std::string ExportReplay;
  std::string ExportFile;
  int ExportScale = 1;         // each pixel of the window becomes N x N
  bool ProgressLines = false;  // "progress FRAME TOTAL" lines on stdout instead of a bar
  std::string Error;           // what was wrong with the arguments, "" when nothing
};

inline constexpr int kMaxExportScale = 8;

CommandLine ParseCommandLine(const std::vector<std::string>& args);
std::string UsageText();

}  // namespace pebblerun
