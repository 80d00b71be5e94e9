#pragma once
// Writes 16-bit PCM wave files, the format the game's sound effects load.

#include <filesystem>
#include <vector>

namespace assetgen {

// `samples` are interleaved floats in [-1, 1]; they are rounded to the nearest
// 16-bit value and clamped. Throws std::runtime_error when the file cannot be
// written.
void WriteWav(const std::filesystem::path& file, const std::vector<float>& samples, int channels,
              int sampleRate);

}  // namespace assetgen
