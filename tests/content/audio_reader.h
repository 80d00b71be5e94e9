#pragma once
// Decodes the generated sound and music files back with FFmpeg for the checks.

#include <filesystem>
#include <string>
#include <vector>

namespace content_test {

struct Audio {
  std::string codec;  // FFmpeg codec name, e.g. "pcm_s16le", "wmav2"
  int rate = 0;
  int channels = 0;
  int frameSize = 0;            // samples per channel in the first decoded frame
  double containerSeconds = 0;  // duration the file itself declares
  std::vector<float> mono;      // every decoded sample, channels averaged
  double Seconds() const { return rate ? static_cast<double>(mono.size()) / rate : 0.0; }
};

// Empty result (rate 0) and a message in error when the file does not decode.
Audio ReadAudio(const std::filesystem::path& file, std::string& error);

double Rms(const std::vector<float>& s, size_t from, size_t count);
double Peak(const std::vector<float>& s);
double ToDb(double level);

}  // namespace content_test
