#include "program/command_line.h"

#include <quillon/numbers.h>

namespace pebblerun {

namespace {

// The value after an option that takes one; sets the error when it is missing.
bool TakeValue(const std::vector<std::string>& args, std::size_t& i, std::string& value, CommandLine& out) {
  if (i + 1 >= args.size()) {
    out.Error = "missing value after " + args[i];
    return false;
  }
  value = args[++i];
  return true;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine out;
  for (std::size_t i = 0; i < args.size() && out.Error.empty(); ++i) {
    const std::string& a = args[i];
    std::string value;
    if (a == "--help" || a == "-h") {
      out.Help = true;
    } else if (a == "--version") {
      out.Version = true;
    } else if (a == "--windowed") {
      out.FullScreen = false;
    } else if (a == "--fullscreen") {
      out.FullScreen = true;
    } else if (a == "--headless") {
      out.Headless = true;
    } else if (a == "--app-dir") {
      if (TakeValue(args, i, value, out)) out.AppDir = value;
    } else if (a == "--replay") {
      if (TakeValue(args, i, value, out)) out.ReplayFile = value;
    } else if (a == "--script") {
      if (TakeValue(args, i, value, out)) out.ScriptFile = value;
    } else if (a == "--frames") {
      if (!TakeValue(args, i, value, out)) break;
      const auto frames = quillon::vb::ParseLong(value);
      if (!frames || *frames < 0) {
        out.Error = "--frames needs a whole number of frames, not \"" + value + "\"";
      } else {
        out.Frames = *frames;
      }
    } else {
      out.Error = "unknown argument \"" + a + "\"";
    }
  }
  return out;
}

std::string UsageText() {
  return "Usage: Pebblerun [options]\n"
         "  --help            show this text\n"
         "  --version         print the version\n"
         "  --app-dir DIR     take the game's files from DIR instead of the program's folder\n"
         "  --windowed        play in a window this time (the option stays as it is)\n"
         "  --fullscreen      play full screen this time\n"
         "  --headless        no window on screen, no sound, no frame waits (for checks)\n"
         "  --replay FILE     play that replay at once; the game ends with it\n"
         "  --frames N        end after N frames\n"
         "  --script FILE     scripted input: lines \"FRAME down KEY\", \"FRAME up KEY\",\n"
         "                    \"FRAME close\", \"FRAME mouse left|right|middle down|up\"\n";
}

}  // namespace pebblerun
