#pragma once
// Helpers of the audio tests: sound files written on the spot, a loopback
// device that mixes on request, and measures of what came out.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "mod_extra.h"
#include "platform/openal_output.h"
#include "temp_folder.h"

namespace audio_test {

constexpr int kMixRate = 44100;
constexpr double kPi = 3.14159265358979323846;

// A tone of `seconds` at `hertz`, peak `amplitude` of full scale.
inline std::vector<std::int16_t> Tone(int rate, double hertz, double seconds, double amplitude = 0.5) {
  std::vector<std::int16_t> samples(static_cast<std::size_t>(std::lround(rate * seconds)));
  for (std::size_t i = 0; i < samples.size(); ++i)
    samples[i] =
        static_cast<std::int16_t>(std::lround(32767 * amplitude * std::sin(2 * kPi * hertz * i / rate)));
  return samples;
}

// A 16-bit PCM WAV file; stereo samples are interleaved.
inline void WriteWav(const std::filesystem::path& file, int rate, int channels,
                     const std::vector<std::int16_t>& samples) {
  std::ofstream out(file, std::ios::binary);
  auto u32 = [&](std::uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
  auto u16 = [&](std::uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
  const std::uint32_t bytes = static_cast<std::uint32_t>(samples.size() * 2);
  out.write("RIFF", 4);
  u32(36 + bytes);
  out.write("WAVEfmt ", 8);
  u32(16);
  u16(1);
  u16(static_cast<std::uint16_t>(channels));
  u32(static_cast<std::uint32_t>(rate));
  u32(static_cast<std::uint32_t>(rate * channels * 2));
  u16(static_cast<std::uint16_t>(channels * 2));
  u16(16);
  out.write("data", 4);
  u32(bytes);
  out.write(reinterpret_cast<const char*>(samples.data()), bytes);
}

inline std::string RandomBytes(std::size_t count, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(count, '\0');
  for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
  return bytes;
}

// Encodes a WAV file to WMA with the ffmpeg program; false when it is not
// installed.
inline bool EncodeWma(const std::filesystem::path& wav, const std::filesystem::path& wma) {
  const std::string command = "ffmpeg -nostdin -hide_banner -loglevel error -y -i '" + wav.string() +
                              "' -c:a wmav2 '" + wma.string() + "' >/dev/null 2>&1";
  return std::system(command.c_str()) == 0 && std::filesystem::exists(wma);
}

// Interleaved float stereo as mixed by the loopback device.
struct Mix {
  std::vector<float> Samples;
  std::size_t Frames() const { return Samples.size() / 2; }
  float At(std::size_t frame, int channel) const { return Samples[2 * frame + channel]; }

  double Rms(int channel, double fromSeconds = 0, double toSeconds = 1e9) const {
    const std::size_t from = std::min(Frames(), static_cast<std::size_t>(fromSeconds * kMixRate));
    const std::size_t to = std::min(Frames(), static_cast<std::size_t>(toSeconds * kMixRate));
    double sum = 0;
    for (std::size_t i = from; i < to; ++i) sum += double(At(i, channel)) * At(i, channel);
    return to > from ? std::sqrt(sum / double(to - from)) : 0.0;
  }

  // Frequency of the channel from its rising zero crossings.
  double Frequency(int channel) const {
    std::size_t first = 0, last = 0, count = 0;
    for (std::size_t i = 1; i < Frames(); ++i) {
      if (At(i - 1, channel) < 0 && At(i, channel) >= 0) {
        if (count++ == 0) first = i;
        last = i;
      }
    }
    return count > 1 ? double(count - 1) * kMixRate / double(last - first) : 0.0;
  }

  // Amplitude of one frequency in the channel (Goertzel).
  double Amplitude(int channel, double hertz) const {
    const double w = 2 * kPi * hertz / kMixRate;
    double s1 = 0, s2 = 0;
    for (std::size_t i = 0; i < Frames(); ++i) {
      const double s0 = At(i, channel) + 2 * std::cos(w) * s1 - s2;
      s2 = s1;
      s1 = s0;
    }
    const double power = s1 * s1 + s2 * s2 - 2 * std::cos(w) * s1 * s2;
    return 2 * std::sqrt(std::max(power, 0.0)) / double(Frames());
  }
};

inline double Db(double ratio) { return 20 * std::log10(ratio); }

// A private application folder with a loopback device installed as the
// process's sound device.
class AudioTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = temp_.Path();
    quillon::lib::State().AppFolder = folder_.string();
    std::string error;
    device_ = quillon::platform::InstallLoopbackDevice(kMixRate, error);
    ASSERT_TRUE(device_) << error;
  }
  Mix Render(double seconds) {
    Mix mix;
    mix.Samples.resize(2 * static_cast<std::size_t>(std::lround(seconds * kMixRate)));
    device_->Render(mix.Samples);
    return mix;
  }

  std::filesystem::path File(const std::string& name) const { return folder_ / name; }

  std::string LogText() const { return ReadBytes(folder_ / "log.txt"); }

  TempFolder temp_;
  std::filesystem::path folder_;
  std::shared_ptr<quillon::platform::OpenAlOutput> device_;
};

}  // namespace audio_test
