#pragma once
// Small helpers shared by the sound designs.

#include <cmath>
#include <vector>

#include "synth.h"

namespace assetgen::sfx {

// Calls voice(t) once per sample, in order, for `seconds` of sound.
template <class Voice>
std::vector<float> Render(int rate, double seconds, Voice voice) {
  const int frames = static_cast<int>(std::lround(seconds * rate));
  std::vector<float> out(frames);
  for (int i = 0; i < frames; ++i) out[i] = static_cast<float>(voice(static_cast<double>(i) / rate));
  return out;
}

// A struck resonance: a decaying sine, the grain of shards, debris and bubbles.
struct Ping {
  double start;
  double freq;
  double tau;
  double level;
  double glide = 0.0;  // relative pitch rise per second (bubbles rise)
};

// Adds every ping into `out`, each cut off once it has decayed by 60 dB.
void AddPings(std::vector<float>& out, int rate, const std::vector<Ping>& pings);

}  // namespace assetgen::sfx
