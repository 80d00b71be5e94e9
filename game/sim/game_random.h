#pragma once
// The game's random generator: the classic 24-bit runtime LCG,
// x = (x * 1140671485 + 12820163) mod 2^24, Rnd = x / 2^24.
// One instance serves every draw that changes the game and is seeded once per
// game, so a replay that stores the seed plays back identically; a second
// instance serves looks only (particles, wobble, sound picks, clouds, menus).

#include <cstdint>

namespace pebblerun {

struct RandomGenerator {
  std::uint32_t State = 0;  // the 24-bit x

  static constexpr std::uint32_t kMask = 0xFFFFFFu;
  static constexpr std::uint32_t kMaxSeed = kMask;

  void Seed(std::uint32_t seed) { State = seed & kMask; }

  // Uniform in [0, 1); exact as a float because x has 24 bits.
  float Rnd() {
    State = static_cast<std::uint32_t>((static_cast<std::uint64_t>(State) * 1140671485u + 12820163u) & kMask);
    return static_cast<float>(State) / 16777216.0f;
  }

  // r * (max - min) + min rounded half to even: both bounds included, each
  // about half as often as an inner value.
  std::int32_t RndNum(std::int32_t minNum, std::int32_t maxNum);
};

}  // namespace pebblerun
