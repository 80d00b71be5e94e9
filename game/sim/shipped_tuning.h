#pragma once
// The tuning files as the game ships them (data/textures/lvl1.bmp and
// lvl2.bmp), built into the program from those very files.

#include <string_view>

namespace pebblerun {

std::string_view ShippedStoryTuning();
std::string_view ShippedArcadeTuning();

inline std::string_view ShippedTuning(bool story) {
  return story ? ShippedStoryTuning() : ShippedArcadeTuning();
}

}  // namespace pebblerun
