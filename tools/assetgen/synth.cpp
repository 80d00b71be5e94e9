#include "synth.h"

#include <algorithm>
#include <cmath>

namespace assetgen::synth {

Noise::Noise(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull) {}

double Noise::Uniform() {
  // splitmix64: tiny, fast and well distributed for audio use.
  uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  z ^= z >> 31;
  return static_cast<double>(z >> 11) * (1.0 / 9007199254740992.0);
}

double Noise::White() { return Uniform() * 2.0 - 1.0; }

double Noise::Range(double lo, double hi) { return lo + (hi - lo) * Uniform(); }

namespace {

// Smooths the jump of a naive saw or pulse over one sample on each side, which
// removes most of the aliasing that makes bright synth tones sound harsh.
double PolyBlep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}

}  // namespace

double Oscillator::Advance(double freq) {
  const double p = phase_;
  phase_ += freq / rate_;
  phase_ -= std::floor(phase_);
  return p;
}

double Oscillator::Sine(double freq) { return std::sin(kTwoPi * Advance(freq)); }

double Oscillator::Triangle(double freq) {
  const double p = Advance(freq);
  return p < 0.5 ? 4.0 * p - 1.0 : 3.0 - 4.0 * p;
}

double Oscillator::Saw(double freq) {
  const double dt = std::min(0.5, freq / rate_);
  const double p = Advance(freq);
  return 2.0 * p - 1.0 - PolyBlep(p, dt);
}

double Oscillator::Pulse(double freq, double duty) {
  const double dt = std::min(0.5, freq / rate_);
  const double p = Advance(freq);
  double v = p < duty ? 1.0 : -1.0;
  v += PolyBlep(p, dt);
  double q = p - duty;
  q -= std::floor(q);
  v -= PolyBlep(q, dt);
  return v;
}

void Biquad::Set(double b0, double b1, double b2, double a0, double a1, double a2) {
  b0_ = b0 / a0;
  b1_ = b1 / a0;
  b2_ = b2 / a0;
  a1_ = a1 / a0;
  a2_ = a2 / a0;
}

void Biquad::SetLowpass(double freq, double q, double rate) {
  const double w = kTwoPi * std::min(freq, rate * 0.45) / rate;
  const double alpha = std::sin(w) / (2.0 * q);
  const double c = std::cos(w);
  Set((1 - c) / 2, 1 - c, (1 - c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

void Biquad::SetHighpass(double freq, double q, double rate) {
  const double w = kTwoPi * std::min(freq, rate * 0.45) / rate;
  const double alpha = std::sin(w) / (2.0 * q);
  const double c = std::cos(w);
  Set((1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

void Biquad::SetBandpass(double freq, double q, double rate) {
  const double w = kTwoPi * std::min(freq, rate * 0.45) / rate;
  const double alpha = std::sin(w) / (2.0 * q);
  const double c = std::cos(w);
  Set(alpha, 0, -alpha, 1 + alpha, -2 * c, 1 - alpha);
}

double Biquad::Process(double x) {
  // Transposed direct form II: well behaved when coefficients move.
  const double y = b0_ * x + z1_;
  z1_ = b1_ * x - a1_ * y + z2_;
  z2_ = b2_ * x - a2_ * y;
  return y;
}

void OnePole::SetCutoff(double freq, double rate) {
  a_ = 1.0 - std::exp(-kTwoPi * std::min(freq, rate * 0.45) / rate);
}

double OnePole::Process(double x) {
  y_ += a_ * (x - y_);
  return y_;
}

double ExpDecay(double t, double tau) { return t < 0 ? 0.0 : std::exp(-t / tau); }

double AttackDecay(double t, double attack, double tau) {
  if (t < 0) return 0.0;
  if (t < attack) return t / attack;
  return std::exp(-(t - attack) / tau);
}

double Adsr(double t, double held, double attack, double decay, double sustain, double release) {
  auto level = [&](double u) {
    if (u < 0) return 0.0;
    if (u < attack) return u / attack;
    return sustain + (1.0 - sustain) * std::exp(-(u - attack) / decay);
  };
  if (t < held) return level(t);
  return level(held) * std::exp(-(t - held) / release);
}

double NoteHz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

double DbToGain(double db) { return std::pow(10.0, db / 20.0); }

double PeakOf(const std::vector<float>& samples) {
  double peak = 0.0;
  for (float s : samples) peak = std::max(peak, static_cast<double>(std::fabs(s)));
  return peak;
}

void NormalisePeak(std::vector<float>& samples, double peakDb) {
  const double peak = PeakOf(samples);
  if (peak <= 0.0) return;
  const double gain = DbToGain(peakDb) / peak;
  for (float& s : samples) s = static_cast<float>(s * gain);
}

void ApplyFades(std::vector<float>& samples, int channels, int fadeInFrames, int fadeOutFrames) {
  const int frames = static_cast<int>(samples.size()) / channels;
  auto ramp = [](int i, int n) { return 0.5 - 0.5 * std::cos(kPi * (i + 0.5) / n); };
  for (int i = 0; i < std::min(fadeInFrames, frames); ++i)
    for (int c = 0; c < channels; ++c) samples[i * channels + c] *= static_cast<float>(ramp(i, fadeInFrames));
  for (int i = 0; i < std::min(fadeOutFrames, frames); ++i)
    for (int c = 0; c < channels; ++c)
      samples[(frames - 1 - i) * channels + c] *= static_cast<float>(ramp(i, fadeOutFrames));
}

}  // namespace assetgen::synth
