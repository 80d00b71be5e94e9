#include "platform/dxt_blocks.h"

#include <squish.h>

namespace quillon::platform {

void DecodeDxt(DxtFormat format, int width, int height, const std::uint8_t* blocks, std::uint8_t* rgba) {
  int flags = squish::kDxt1;
  if (format == DxtFormat::Dxt3) flags = squish::kDxt3;
  if (format == DxtFormat::Dxt5) flags = squish::kDxt5;
  squish::DecompressImage(rgba, width, height, blocks, flags);
}

}  // namespace quillon::platform
