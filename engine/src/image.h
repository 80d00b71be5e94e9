#pragma once
// A decoded picture: rows top to bottom, four bytes per pixel in the order
// red, green, blue, alpha.

#include <cstdint>
#include <vector>

namespace quillon {

struct Image {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint8_t> Rgba;

  std::uint8_t* Pixel(int x, int y) { return &Rgba[(static_cast<std::size_t>(y) * Width + x) * 4]; }
  const std::uint8_t* Pixel(int x, int y) const {
    return &Rgba[(static_cast<std::size_t>(y) * Width + x) * 4];
  }
};

// A picture somebody else owns, as 32-bit words 0x00RRGGBB (the top byte is
// not looked at), rows top to bottom, Pitch words from one row to the next.
struct PictureView {
  const std::uint32_t* Pixels = nullptr;
  int Width = 0;
  int Height = 0;
  int Pitch = 0;
};

}  // namespace quillon
