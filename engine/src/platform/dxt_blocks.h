#pragma once
// Decoding of DXT-compressed pictures (4 x 4 texel blocks), the one service
// the DDS reader takes from a library.

#include <cstddef>
#include <cstdint>

namespace quillon::platform {

enum class DxtFormat { Dxt1, Dxt3, Dxt5 };

// Bytes of one 4 x 4 block: 8 for DXT1, 16 for the others.
constexpr std::size_t DxtBlockBytes(DxtFormat format) { return format == DxtFormat::Dxt1 ? 8 : 16; }

// Decodes ((width + 3) / 4) * ((height + 3) / 4) blocks into width * height
// RGBA texels (4 bytes each, rows top to bottom). The caller checks that
// both buffers are large enough.
void DecodeDxt(DxtFormat format, int width, int height, const std::uint8_t* blocks, std::uint8_t* rgba);

}  // namespace quillon::platform
