#include "demo_sounds.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <vector>

namespace demo {

namespace {

constexpr int kRate = 22050;
constexpr double kTwoPi = 6.283185307179586;

// Mono 16-bit PCM.
bool WriteWav(const std::filesystem::path& file, const std::vector<std::int16_t>& samples) {
  const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  std::vector<std::uint8_t> out(44 + dataBytes);
  auto put = [&](std::size_t at, std::uint32_t v, int n) {
    for (int k = 0; k < n; ++k) out[at + k] = static_cast<std::uint8_t>(v >> (8 * k));
  };
  auto tag = [&](std::size_t at, const char* t) {
    for (int k = 0; k < 4; ++k) out[at + k] = static_cast<std::uint8_t>(t[k]);
  };
  tag(0, "RIFF");
  put(4, 36 + dataBytes, 4);
  tag(8, "WAVE");
  tag(12, "fmt ");
  put(16, 16, 4);
  put(20, 1, 2);  // PCM
  put(22, 1, 2);  // mono
  put(24, kRate, 4);
  put(28, kRate * 2, 4);
  put(32, 2, 2);
  put(34, 16, 2);
  tag(36, "data");
  put(40, dataBytes, 4);
  for (std::size_t i = 0; i < samples.size(); ++i) put(44 + 2 * i, static_cast<std::uint16_t>(samples[i]), 2);
  std::ofstream f(file, std::ios::binary);
  f.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
  return static_cast<bool>(f);
}

// A plucked note: a tone with one overtone and an exponential fade, added in.
void AddNote(std::vector<double>& mix, double start, double length, double frequency, double level) {
  const auto first = static_cast<std::size_t>(start * kRate);
  const auto count = static_cast<std::size_t>(length * kRate);
  for (std::size_t i = 0; i < count && first + i < mix.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double fade = std::exp(-5.0 * t / length) * std::min(1.0, t * 200);
    mix[first + i] +=
        level * fade * (std::sin(kTwoPi * frequency * t) + 0.3 * std::sin(kTwoPi * 2 * frequency * t));
  }
}

std::vector<std::int16_t> ToPcm(const std::vector<double>& mix) {
  std::vector<std::int16_t> pcm(mix.size());
  for (std::size_t i = 0; i < mix.size(); ++i) {
    pcm[i] = static_cast<std::int16_t>(std::lround(std::clamp(mix[i], -1.0, 1.0) * 32000));
  }
  return pcm;
}

}  // namespace

bool WriteBlip(const std::filesystem::path& file) {
  std::vector<double> mix(static_cast<std::size_t>(0.2 * kRate));
  AddNote(mix, 0, 0.2, 880, 0.6);
  return WriteWav(file, ToPcm(mix));
}

bool WriteTune(const std::filesystem::path& file) {
  // Two bars of broken chords over a bass line, then silence: the host loops
  // the tune when its position reaches the (rounded) duration.
  const double chords[4][3] = {
      {261.6, 329.6, 392.0}, {220.0, 261.6, 329.6}, {174.6, 220.0, 261.6}, {196.0, 246.9, 293.7}};
  std::vector<double> mix(static_cast<std::size_t>(8.0 * kRate));
  for (int bar = 0; bar < 4; ++bar) {
    const double start = bar * 1.8;
    AddNote(mix, start, 1.8, chords[bar][0] / 2, 0.3);
    for (int step = 0; step < 6; ++step)
      AddNote(mix, start + step * 0.3, 0.45, chords[bar][step % 3] * 2, 0.18);
  }
  return WriteWav(file, ToPcm(mix));
}

}  // namespace demo
