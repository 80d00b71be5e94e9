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
  std::string Error;               // what was wrong with the arguments, "" when nothing
};

CommandLine ParseCommandLine(const std::vector<std::string>& args);
std::string UsageText();

}  // namespace pebblerun
