#include "sim/replay_check.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <fstream>
#include <system_error>

#include <quillon/numbers.h>

#include "sim/game_ini.h"
#include "sim/replay.h"
#include "sim/tuning.h"

namespace pebblerun {
namespace {

namespace vb = quillon::vb;

std::string Read(const std::filesystem::path& file, const char* section, const char* key) {
  return ReadIni(section, key, file);
}

}  // namespace

std::string ReplayProblem(const GameState& g) {
  const std::string name = g.Replay.ReplayFile.empty() ? "replay.ini" : g.Replay.ReplayFile;
  const std::filesystem::path file = GameFile(g, name);
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) return "there is no replay " + file.string();
  if (!std::ifstream(file, std::ios::binary))
    return "cannot read " + file.string() + ": " + std::strerror(errno);

  const auto rows = vb::ParseSingle(Read(file, "Map", "mapsizey"));
  if (!rows || !(*rows >= 1 && *rows < kGridRows))
    return file.string() + " is damaged or not a replay: it holds no map";
  const auto last = vb::ParseSingle(Read(file, "options", "lastframe"));
  if (!last || !std::isfinite(*last) || *last < 0 || *last > kMaxPlaybackFrames)
    return file.string() + " has no end: the game it records was not finished";

  // A playback runs in the mode it was recorded in, with that mode's tuning.
  const bool story = vb::ParseBool(Read(file, "Map", "story")).value_or(g.StoryMode);
  const std::filesystem::path tuning = GameFile(g, TuningFileName(story));
  if (!std::filesystem::is_regular_file(tuning, ec))
    return "the map of " + file.string() + " cannot be made: " + tuning.string() + " is missing";
  return "";
}

}  // namespace pebblerun
