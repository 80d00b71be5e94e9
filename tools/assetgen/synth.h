#pragma once
// The building blocks every sound and instrument is made of: oscillators with
// continuous phase (so pitch sweeps never click), a reproducible noise source,
// filters, envelopes and the final touches (fades, peak normalisation).

#include <cstdint>
#include <vector>

namespace assetgen::synth {

inline constexpr double kPi = 3.14159265358979323846;
inline constexpr double kTwoPi = 2.0 * kPi;

// Reproducible noise: the same seed gives the same samples with every compiler
// and standard library (the std distributions are not portable).
class Noise {
 public:
  explicit Noise(uint64_t seed);
  double Uniform();  // [0, 1)
  double White();    // [-1, 1)
  double Range(double lo, double hi);

 private:
  uint64_t state_;
};

// A phase accumulator; the frequency may change every sample.
class Oscillator {
 public:
  explicit Oscillator(double sampleRate, double phase = 0.0) : rate_(sampleRate), phase_(phase) {}
  double Sine(double freq);
  double Triangle(double freq);
  double Saw(double freq);                       // band-limited
  double Pulse(double freq, double duty = 0.5);  // band-limited
  double Phase() const { return phase_; }

 private:
  double Advance(double freq);  // returns the phase before the step
  double rate_;
  double phase_;
};

// Second-order section with the usual audio-cookbook designs.
class Biquad {
 public:
  void SetLowpass(double freq, double q, double rate);
  void SetHighpass(double freq, double q, double rate);
  void SetBandpass(double freq, double q, double rate);
  double Process(double x);

 private:
  void Set(double b0, double b1, double b2, double a0, double a1, double a2);
  double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
  double z1_ = 0, z2_ = 0;
};

// One-pole smoother / lowpass; cheap enough for per-voice tone shaping.
class OnePole {
 public:
  void SetCutoff(double freq, double rate);
  double Process(double x);

 private:
  double a_ = 1.0;
  double y_ = 0.0;
};

// Envelopes of time t in seconds.
double ExpDecay(double t, double tau);
double AttackDecay(double t, double attack, double tau);
// Attack, decay to sustain while held, release after `held` seconds.
double Adsr(double t, double held, double attack, double decay, double sustain, double release);

// Semitone number (69 = A4 = 440 Hz) to hertz.
double NoteHz(double note);
double DbToGain(double db);

double PeakOf(const std::vector<float>& samples);
// Scales so the largest sample sits at peakDb below full scale.
void NormalisePeak(std::vector<float>& samples, double peakDb);
// Raised-cosine fades at both ends of an interleaved buffer, so the sound
// starts and stops at silence without a click.
void ApplyFades(std::vector<float>& samples, int channels, int fadeInFrames, int fadeOutFrames);

}  // namespace assetgen::synth
