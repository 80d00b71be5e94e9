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

// A whole number from lowest to highest; sets the error otherwise.
bool TakeNumber(const std::vector<std::string>& args, std::size_t& i, long lowest, long highest, long& number,
                CommandLine& out) {
  const std::string option = args[i];
  std::string value;
  if (!TakeValue(args, i, value, out)) return false;
  const auto parsed = quillon::vb::ParseLong(value);
  const bool whole = parsed && value.find_first_not_of("0123456789") == std::string::npos;
  if (!whole || *parsed < lowest || *parsed > highest) {
    out.Error = option + " needs a whole number from " + std::to_string(lowest) + " to " +
                std::to_string(highest) + ", not \"" + value + "\"";
    return false;
  }
  number = *parsed;
  return true;
}

// Options that belong to another one, and pairs that exclude each other.
void CheckCombinations(bool scaleGiven, CommandLine& out) {
  if (!out.Error.empty()) return;
  const bool exporting = out.Export;
  if (scaleGiven && !exporting) out.Error = "--scale goes with --export-video";
  if (out.ProgressLines && !exporting) out.Error = "--progress-lines goes with --export-video";
  if (exporting && !out.ReplayFile.empty())
    out.Error = "--export-video plays its own replay: leave out --replay";
  // A video shows the recorded game: keys of a script would make it another.
  if (exporting && !out.ScriptFile.empty())
    out.Error = "--export-video plays the replay's own keys: leave out --script";
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine out;
  bool scaleGiven = false;
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
    } else if (a == "--export-video") {
      std::string output;
      if (TakeValue(args, i, value, out) && TakeValue(args, i, output, out)) {
        out.Export = true;
        out.ExportReplay = value;
        out.ExportFile = output;
        out.Headless = true;
      }
    } else if (a == "--scale") {
      long scale = 1;
      if (TakeNumber(args, i, 1, kMaxExportScale, scale, out)) out.ExportScale = static_cast<int>(scale);
      scaleGiven = true;
    } else if (a == "--seed") {
      long seed = 0;
      if (TakeNumber(args, i, 0, 16777215, seed, out)) out.GameSeed = static_cast<std::int32_t>(seed);
    } else if (a == "--progress-lines") {
      out.ProgressLines = true;
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
  CheckCombinations(scaleGiven, out);
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
         "                    \"FRAME close\", \"FRAME mouse left|right|middle down|up\"\n"
         "  --seed N          every game of this run starts with seed N (0..16777215)\n"
         "  --export-video REPLAY OUT\n"
         "                    play REPLAY into the video file OUT (.mp4, .webm or .mkv)\n"
         "                    with the game's sound, faster than real time, and end\n"
         "  --scale N         with --export-video: each pixel N x N (1..8; 800 x 600 at 1)\n"
         "  --progress-lines  with --export-video: \"progress FRAME TOTAL\" lines on stdout\n"
         "                    instead of the bar on a terminal\n";
}

}  // namespace pebblerun
