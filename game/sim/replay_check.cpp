#include "sim/replay_check.h"

#include <cmath>

#include <quillon/numbers.h>

#include "sim/game_ini.h"
#include "sim/replay.h"

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
  if (std::string problem = ReplayFileProblem(file); !problem.empty()) return problem;

  const auto rows = vb::ParseSingle(Read(file, "Map", "mapsizey"));
  if (!rows || !(*rows >= 1 && *rows < kGridRows))
    return file.string() + " is damaged or not a replay: it holds no map";
  const auto last = vb::ParseSingle(Read(file, "options", "lastframe"));
  if (!last || !std::isfinite(*last) || *last < 0 || *last > kMaxPlaybackFrames)
    return file.string() + " has no end: the game it records was not finished";
  // A mode whose tuning file is gone still plays: its shipped values are
  // built into the game.
  return "";
}

}  // namespace pebblerun
