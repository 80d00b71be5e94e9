// Noisy impact sounds: explosions, splashes, breaking glass and tiles.

#include <algorithm>
#include <cmath>

#include "sound_designs.h"
#include "sound_render.h"
#include "synth.h"

namespace assetgen::sfx {

using namespace synth;

void AddPings(std::vector<float>& out, int rate, const std::vector<Ping>& pings) {
  for (const Ping& p : pings) {
    const int first = static_cast<int>(std::lround(p.start * rate));
    const int length = static_cast<int>(p.tau * 6.9 * rate);
    double phase = 0.0;
    for (int i = 0; i < length && first + i < static_cast<int>(out.size()); ++i) {
      const double u = static_cast<double>(i) / rate;
      // A one-millisecond attack keeps even the sharpest ping free of clicks.
      const double env = std::min(1.0, u / 0.001) * std::exp(-u / p.tau);
      out[first + i] += static_cast<float>(p.level * env * std::sin(kTwoPi * phase));
      phase += p.freq * (1.0 + p.glide * u) / rate;
      phase -= std::floor(phase);
    }
  }
}

Samples Explosion(int rate, const ExplosionShape& shape) {
  Noise noise(shape.seed);
  Biquad body, crack;
  crack.SetBandpass(2500, 1.2, rate);
  Oscillator thump(rate);
  double rumble = 0.0;
  double crackEnv = 0.0;
  auto out = Render(rate, shape.seconds, [&](double t) {
    const double cutoff = shape.darkHz + (shape.brightHz - shape.darkHz) * ExpDecay(t, 0.08);
    body.SetLowpass(cutoff, 0.8, rate);
    const double n = noise.White();
    // Brown noise for the rolling rumble under the blast.
    rumble = 0.995 * rumble + 0.05 * n;
    const double blast = body.Process(n) * AttackDecay(t, 0.004, shape.decay);
    const double low = rumble * AttackDecay(t, 0.02, shape.decay * 1.8);
    const double f = shape.thumpHz * (1.0 + 2.0 * ExpDecay(t, 0.025));
    const double boom = thump.Sine(f) * AttackDecay(t, 0.002, 0.12);
    // Debris crackle: sparse sharp bursts, thinning out as the blast fades.
    if (noise.Uniform() < shape.crackle * 0.004 * ExpDecay(t, shape.decay * 1.5))
      crackEnv = noise.Range(0.4, 1.0);
    crackEnv *= 0.992;
    const double crackle = crack.Process(noise.White()) * crackEnv;
    const double v = 1.1 * blast + 0.8 * low + 0.9 * boom + 0.7 * crackle;
    return std::tanh(1.4 * v);  // saturation gives the blast its punch
  });
  return out;
}

Samples Splash(int rate, const SplashShape& shape) {
  Noise noise(shape.seed);
  Biquad spray, body;
  auto out = Render(rate, shape.seconds, [&](double t) {
    const double centre = shape.splashHz * (0.5 + 0.5 * ExpDecay(t, 0.08));
    spray.SetBandpass(centre, 0.8, rate);
    body.SetLowpass(700.0 / shape.size, 0.7, rate);
    const double n = noise.White();
    const double hit = spray.Process(n) * AttackDecay(t, 0.006, 0.07 * shape.size);
    const double slap = body.Process(n) * AttackDecay(t, 0.002, 0.03 * shape.size);
    return 1.2 * hit + 0.8 * slap;
  });
  // The plop of the object going under, then bubbles rising to the surface.
  std::vector<Ping> pings{{0.004, 260.0 / shape.size, 0.035 * shape.size, 0.6, 14.0}};
  for (int i = 0; i < shape.bubbles; ++i) {
    const double start = 0.03 + noise.Uniform() * noise.Uniform() * (shape.seconds * 0.6);
    pings.push_back({start, noise.Range(500.0, 1400.0) / shape.size, noise.Range(0.012, 0.03),
                     noise.Range(0.12, 0.3), noise.Range(8.0, 16.0)});
  }
  AddPings(out, rate, pings);
  return out;
}

Samples GlassBreak(int rate, uint64_t seed, int shards, double seconds) {
  Noise noise(seed);
  Biquad hp;
  hp.SetHighpass(2500, 0.7, rate);
  auto out = Render(rate, seconds,
                    [&](double t) { return 0.8 * hp.Process(noise.White()) * AttackDecay(t, 0.001, 0.035); });
  // Shards ring at high, unrelated pitches, most right at the impact and a few
  // tinkling down afterwards.
  std::vector<Ping> pings;
  for (int i = 0; i < shards; ++i) {
    const double u = noise.Uniform();
    pings.push_back({0.002 + u * u * u * (seconds * 0.7), noise.Range(2200.0, 7500.0),
                     noise.Range(0.015, 0.06), noise.Range(0.15, 0.45) * (1.0 - 0.6 * u)});
  }
  AddPings(out, rate, pings);
  return out;
}

Samples TileBreak(int rate, uint64_t seed) {
  Noise noise(seed);
  Biquad crunch;
  crunch.SetBandpass(1200, 1.1, rate);
  Oscillator knock(rate);
  auto out = Render(rate, 0.38, [&](double t) {
    const double f = 110.0 + 60.0 * ExpDecay(t, 0.02);
    return crunch.Process(noise.White()) * AttackDecay(t, 0.002, 0.05) * 1.4 +
           0.7 * knock.Sine(f) * AttackDecay(t, 0.002, 0.04);
  });
  // Chunks knocking as they fall apart.
  std::vector<Ping> pings;
  for (int i = 0; i < 14; ++i) {
    const double u = noise.Uniform();
    pings.push_back({0.005 + u * u * 0.28, noise.Range(500.0, 2400.0), noise.Range(0.005, 0.012),
                     noise.Range(0.2, 0.5) * (1.0 - 0.5 * u)});
  }
  AddPings(out, rate, pings);
  return out;
}

Samples TilePush(int rate) {
  Noise noise(53);
  Biquad scrape, grit;
  scrape.SetLowpass(600, 0.7, rate);
  grit.SetBandpass(300, 2.0, rate);
  Oscillator thud(rate);
  return Render(rate, 0.25, [&](double t) {
    const double n = noise.White();
    const double f = 70.0 + 25.0 * ExpDecay(t, 0.03);
    return 0.5 * scrape.Process(n) * AttackDecay(t, 0.01, 0.06) +
           0.8 * grit.Process(n) * AttackDecay(t, 0.005, 0.04) + thud.Sine(f) * AttackDecay(t, 0.003, 0.06);
  });
}

}  // namespace assetgen::sfx
