#pragma once
// Encodes music as Windows Media Audio (wmav2 in an ASF file) with FFmpeg.
// The output is bit-exact: the same samples give the same bytes on every run.

#include <filesystem>
#include <vector>

namespace assetgen {

// Number of samples per channel in one wmav2 frame at `sampleRate`.
int WmaFrameSize(int sampleRate, int channels);

// `interleaved` holds float samples in [-1, 1]. The last frame is padded with
// silence. Throws std::runtime_error on any encoder or file error.
void WriteWma(const std::filesystem::path& file, const std::vector<float>& interleaved, int channels,
              int sampleRate, int bitRate);

}  // namespace assetgen
