#pragma once
// Reads the generated pictures back for the checks with the engine's own
// texture loader. Every picture comes back as straight RGBA.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace content_test {

struct Picture {
  int width = 0, height = 0;
  int bitsPerPixel = 0;  // of the file (BMP, uncompressed DDS); 0 for JPEG and PNG
  std::vector<std::uint8_t> rgba;
  const std::uint8_t* At(int x, int y) const { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
  bool IsMagenta(int x, int y) const {
    const std::uint8_t* p = At(x, y);
    return p[0] == 255 && p[1] == 0 && p[2] == 255;
  }
};

std::filesystem::path AppDir();
std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& file);

// Empty picture (width 0) and a message in error when the file does not
// read as the format its extension names. colourKey as the game passes it
// (0 for none).
Picture ReadPicture(const std::filesystem::path& file, std::string& error, std::int32_t colourKey = 0);

}  // namespace content_test
