#include "attract_replay.h"

#include <filesystem>

#include <quillon/paths.h>

namespace pebblerun {

std::string PickAttractReplay(GameState& g) {
  const int first = g.CosmeticRandom.RndNum(1, 10);
  for (int i = 0; i < 10; ++i) {
    const std::string name = "replay" + std::to_string((first - 1 + i) % 10 + 1) + ".ini";
    std::error_code error;
    if (std::filesystem::is_regular_file(quillon::paths::Resolve(name, g.AppFolder), error)) return name;
  }
  return "";
}

}  // namespace pebblerun
