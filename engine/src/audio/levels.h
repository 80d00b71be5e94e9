#pragma once
// The level units of the engine's sound calls. Levels are attenuations in
// hundredths of a decibel: 0 is full level, -10000 (-100 dB) is silence.

#include <cstdint>

namespace quillon::audio {

constexpr std::int64_t kSilence = -10000;

// Effects: volume 0..100, one step per decibel.
constexpr std::int64_t EffectAttenuation(std::int32_t volume) { return -10000 + 100 * std::int64_t{volume}; }
// Music: volume 1..100, the same scale.
constexpr std::int64_t MusicAttenuation(std::int32_t volume) { return 100 * std::int64_t{volume} - 10000; }

// Linear gain of an attenuation; silence and anything below it is 0.
float GainOf(std::int64_t attenuation);

struct SideGains {
  float Left = 1;
  float Right = 1;
};

// Pan lowers the far side by |pan| hundredths of a decibel and leaves the
// near side at the volume: a negative pan (left) lowers the right channel.
SideGains PannedGains(std::int64_t volume, std::int64_t pan);

}  // namespace quillon::audio
