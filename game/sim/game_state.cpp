#include "sim/game_state.h"

#include <cmath>

namespace pebblerun {

GameEvents& Events(GameState& g) {
  static GameEvents silent;  // stateless: every call does nothing
  return g.Events ? *g.Events : silent;
}

std::int32_t RandomGenerator::RndNum(std::int32_t minNum, std::int32_t maxNum) {
  const double r = Rnd();
  return static_cast<std::int32_t>(std::nearbyint(r * (maxNum - minNum) + minNum));
}

}  // namespace pebblerun
