#pragma once
// DirectDraw Surface files: uncompressed 16/24/32-bit RGB(A) and the block
// formats DXT1 to DXT5. Only the top picture is read; mipmaps below it are
// skipped. Every size in the header is checked against the bytes present, so
// a damaged or hostile file gives an error text, never a crash.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "image.h"

namespace quillon {

inline bool LooksLikeDds(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= 4 && bytes[0] == 'D' && bytes[1] == 'D' && bytes[2] == 'S' && bytes[3] == ' ';
}

std::optional<Image> ReadDds(std::span<const std::uint8_t> bytes, std::string& error);

}  // namespace quillon
