#include "wav_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <string>

namespace assetgen {

namespace {

void PutU32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void PutU16(std::string& out, uint16_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>(v >> 8));
}

}  // namespace

void WriteWav(const std::filesystem::path& file, const std::vector<float>& samples, int channels,
              int sampleRate) {
  const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
  std::string out;
  out.reserve(44 + dataBytes);
  out += "RIFF";
  PutU32(out, 36 + dataBytes);
  out += "WAVEfmt ";
  PutU32(out, 16);
  PutU16(out, 1);  // PCM
  PutU16(out, static_cast<uint16_t>(channels));
  PutU32(out, static_cast<uint32_t>(sampleRate));
  PutU32(out, static_cast<uint32_t>(sampleRate * channels * 2));
  PutU16(out, static_cast<uint16_t>(channels * 2));
  PutU16(out, 16);
  out += "data";
  PutU32(out, dataBytes);
  for (float s : samples) {
    const double scaled = std::clamp(static_cast<double>(s), -1.0, 1.0) * 32767.0;
    PutU16(out, static_cast<uint16_t>(static_cast<int16_t>(std::lround(scaled))));
  }
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path());
  std::ofstream stream(file, std::ios::binary | std::ios::trunc);
  stream.write(out.data(), static_cast<std::streamsize>(out.size()));
  if (!stream) throw std::runtime_error("cannot write " + file.string());
}

}  // namespace assetgen
