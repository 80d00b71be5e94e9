#include "audio/levels.h"

#include <cmath>

namespace quillon::audio {

float GainOf(std::int64_t attenuation) {
  if (attenuation <= kSilence) return 0.0f;
  return static_cast<float>(std::pow(10.0, static_cast<double>(attenuation) / 2000.0));
}

SideGains PannedGains(std::int64_t volume, std::int64_t pan) {
  return {GainOf(volume - (pan > 0 ? pan : 0)), GainOf(volume + (pan < 0 ? pan : 0))};
}

}  // namespace quillon::audio
