#include "instruments.h"

#include <cmath>

#include "synth.h"

namespace assetgen::music {

using namespace synth;

namespace {

// Filter sweeps recompute their coefficients this often (in samples); the
// envelopes that drive them move far slower.
constexpr long kFilterStep = 16;

template <class Sample>
std::vector<float> Render(int rate, double seconds, Sample sample) {
  const long frames = std::lround(seconds * rate);
  std::vector<float> out(frames);
  for (long i = 0; i < frames; ++i) out[i] = static_cast<float>(sample(static_cast<double>(i) / rate));
  return out;
}

// Vibrato that only sets in once the note has sounded for a moment, as a
// singer or violinist would.
double Vibrato(double t, double rateHz, double semitones, double delay) {
  const double depth = semitones * std::min(1.0, std::max(0.0, (t - delay) / 0.3));
  return std::pow(2.0, depth * std::sin(kTwoPi * rateHz * t) / 12.0);
}

std::vector<float> Pad(double hz, double held, double vel, int rate) {
  Oscillator a(rate, 0.0), b(rate, 0.31), c(rate, 0.67), sub(rate);
  Biquad lp;
  long n = 0;
  const double up = std::pow(2.0, 8.0 / 1200.0), down = 1.0 / up;
  return Render(rate, held + 3.5, [&, hz](double t) {
    const double env = Adsr(t, held, 0.45, 1.2, 0.8, 0.7);
    if (n++ % kFilterStep == 0) lp.SetLowpass(700.0 + 700.0 * env, 0.7, rate);
    const double v = a.Saw(hz * down) + b.Saw(hz) + c.Saw(hz * up) + 0.3 * sub.Sine(hz * 0.5);
    return 0.22 * vel * env * lp.Process(v);
  });
}

std::vector<float> Keys(double hz, double held, double vel, int rate) {
  // Two-operator FM: the bright strike mellows as the modulation dies down.
  Oscillator mod(rate), tine(rate);
  const bool withTine = hz * 14.0 < rate * 0.4;
  double phase = 0.0;
  return Render(rate, held + 2.5, [&, hz](double t) {
    const double index = (0.4 + 1.6 * vel) * ExpDecay(t, 0.35) + 0.25;
    const double m = mod.Sine(hz) * index;
    const double v = std::sin(kTwoPi * phase + m);
    phase += hz / rate;
    phase -= std::floor(phase);
    const double strike = withTine ? 0.06 * tine.Sine(hz * 14.0) * ExpDecay(t, 0.015) : 0.0;
    return vel * Adsr(t, held, 0.003, 0.9, 0.3, 0.35) * (0.5 * v + strike);
  });
}

std::vector<float> Bass(double hz, double held, double vel, int rate) {
  Oscillator s(rate), tri(rate);
  return Render(rate, held + 1.0, [&, hz](double t) {
    const double v = std::tanh(1.3 * (s.Sine(hz) + 0.3 * tri.Triangle(hz)));
    return 0.6 * vel * v * Adsr(t, held, 0.01, 0.4, 0.7, 0.1);
  });
}

std::vector<float> SynthBass(double hz, double held, double vel, int rate) {
  Oscillator saw(rate), sub(rate);
  Biquad lp;
  long n = 0;
  return Render(rate, held + 0.5, [&, hz](double t) {
    if (n++ % kFilterStep == 0) lp.SetLowpass(260.0 + 1800.0 * vel * ExpDecay(t, 0.07), 1.3, rate);
    const double v = lp.Process(saw.Saw(hz) + 0.5 * sub.Pulse(hz * 0.5, 0.5));
    return 0.5 * vel * v * Adsr(t, held, 0.003, 0.2, 0.65, 0.05);
  });
}

std::vector<float> SoftLead(double hz, double held, double vel, int rate) {
  Oscillator s(rate), tri(rate);
  OnePole soft;
  soft.SetCutoff(2500, rate);
  return Render(rate, held + 1.5, [&, hz](double t) {
    const double f = hz * Vibrato(t, 5.0, 0.2, 0.25);
    const double v = soft.Process(s.Sine(f) + 0.25 * tri.Triangle(f));
    return 0.45 * vel * v * Adsr(t, held, 0.03, 0.3, 0.75, 0.22);
  });
}

std::vector<float> Lead(double hz, double held, double vel, int rate) {
  Oscillator a(rate, 0.0), b(rate, 0.5), p(rate);
  Biquad lp;
  lp.SetLowpass(2600, 0.9, rate);
  const double up = std::pow(2.0, 6.0 / 1200.0);
  return Render(rate, held + 1.0, [&, hz](double t) {
    const double f = hz * Vibrato(t, 5.5, 0.15, 0.2);
    const double v = lp.Process(a.Saw(f) + b.Saw(f * up) + 0.6 * p.Pulse(f, 0.3));
    return 0.22 * vel * v * Adsr(t, held, 0.008, 0.25, 0.7, 0.12);
  });
}

std::vector<float> Pluck(double hz, double held, double vel, int rate) {
  Oscillator pulse(rate), saw(rate);
  Biquad lp;
  long n = 0;
  return Render(rate, held + 0.6, [&, hz](double t) {
    if (n++ % kFilterStep == 0) lp.SetLowpass(500.0 + 3800.0 * ExpDecay(t, 0.06), 0.9, rate);
    const double v = lp.Process(0.6 * pulse.Pulse(hz, 0.3) + 0.5 * saw.Saw(hz));
    return 0.4 * vel * v * Adsr(t, held, 0.002, 0.12, 0.15, 0.08);
  });
}

std::vector<float> Drum(Voice voice, int rate) {
  Noise noise(static_cast<uint64_t>(voice) + 1000);
  Oscillator tone(rate), metal[4] = {Oscillator(rate), Oscillator(rate), Oscillator(rate), Oscillator(rate)};
  Biquad filter;
  switch (voice) {
    case Voice::Kick:
      return Render(rate, 0.5, [&](double t) {
        const double f = 48.0 + 110.0 * ExpDecay(t, 0.035);
        return 0.9 * tone.Sine(f) * AttackDecay(t, 0.001, 0.17) + 0.15 * noise.White() * ExpDecay(t, 0.002);
      });
    case Voice::Snare:
      filter.SetBandpass(2200, 0.6, rate);
      return Render(rate, 0.4, [&](double t) {
        return 0.35 * tone.Sine(185.0 + 40.0 * ExpDecay(t, 0.01)) * AttackDecay(t, 0.001, 0.05) +
               0.9 * filter.Process(noise.White()) * AttackDecay(t, 0.001, 0.1);
      });
    case Voice::Rim:
      filter.SetBandpass(3000, 1.5, rate);
      return Render(rate, 0.08, [&](double t) {
        return 0.5 * tone.Sine(1700) * AttackDecay(t, 0.0005, 0.008) +
               0.6 * filter.Process(noise.White()) * ExpDecay(t, 0.004);
      });
    case Voice::ClosedHat:
    case Voice::OpenHat: {
      // Noise plus a cluster of square waves at unrelated pitches: the metal.
      filter.SetHighpass(7000, 0.7, rate);
      const double tau = voice == Voice::ClosedHat ? 0.025 : 0.16;
      const double ratios[4] = {1.0, 1.4471, 1.6170, 1.9265};
      return Render(rate, tau * 7.0, [&](double t) {
        double m = 0.0;
        for (int i = 0; i < 4; ++i) m += metal[i].Pulse(540.0 * ratios[i], 0.5);
        return 0.45 * filter.Process(noise.White() + 0.3 * m) * AttackDecay(t, 0.0008, tau);
      });
    }
    default:  // Shaker
      filter.SetHighpass(5000, 0.7, rate);
      return Render(rate, 0.18, [&](double t) {
        return 0.4 * filter.Process(noise.White()) * AttackDecay(t, 0.012, 0.035);
      });
  }
}

}  // namespace

bool IsDrum(Voice voice) { return voice >= Voice::Kick; }

std::vector<float> RenderNote(Voice voice, double hz, double held, double velocity, int rate) {
  switch (voice) {
    case Voice::Pad: return Pad(hz, held, velocity, rate);
    case Voice::Keys: return Keys(hz, held, velocity, rate);
    case Voice::Bass: return Bass(hz, held, velocity, rate);
    case Voice::SynthBass: return SynthBass(hz, held, velocity, rate);
    case Voice::SoftLead: return SoftLead(hz, held, velocity, rate);
    case Voice::Lead: return Lead(hz, held, velocity, rate);
    case Voice::Pluck: return Pluck(hz, held, velocity, rate);
    default: {
      std::vector<float> hit = Drum(voice, rate);
      for (float& s : hit) s = static_cast<float>(s * velocity);
      return hit;
    }
  }
}

}  // namespace assetgen::music
