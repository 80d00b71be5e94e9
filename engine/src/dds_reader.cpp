#include "dds_reader.h"

#include <bit>

#include "platform/dxt_blocks.h"

namespace quillon {

namespace {

constexpr std::size_t kHeaderEnd = 128;  // magic + 124-byte header
constexpr std::uint32_t kPixelFormatRgb = 0x40;
constexpr std::uint32_t kPixelFormatAlpha = 0x1;
constexpr std::uint32_t kPixelFormatFourCc = 0x4;
// Larger pictures are refused rather than allocated.
constexpr std::uint32_t kMaxSide = 8192;

std::uint32_t Word(std::span<const std::uint8_t> b, std::size_t at) {
  return std::uint32_t{b[at]} | (std::uint32_t{b[at + 1]} << 8) | (std::uint32_t{b[at + 2]} << 16) |
         (std::uint32_t{b[at + 3]} << 24);
}

constexpr std::uint32_t FourCc(const char (&s)[5]) {
  return std::uint32_t(std::uint8_t(s[0])) | (std::uint32_t(std::uint8_t(s[1])) << 8) |
         (std::uint32_t(std::uint8_t(s[2])) << 16) | (std::uint32_t(std::uint8_t(s[3])) << 24);
}

// One channel of a packed pixel scaled to 0..255; absent channels give def.
std::uint8_t Channel(std::uint32_t pixel, std::uint32_t mask, std::uint8_t def) {
  if (mask == 0) return def;
  const int shift = std::countr_zero(mask);
  const std::uint32_t max = mask >> shift;
  const std::uint32_t value = (pixel & mask) >> shift;
  return static_cast<std::uint8_t>((value * 255 + max / 2) / max);
}

struct Header {
  std::uint32_t Width, Height, PixelFlags, FourCc, BitCount, RMask, GMask, BMask, AMask;
};

std::optional<Image> ReadPacked(std::span<const std::uint8_t> data, const Header& h, std::string& error) {
  if (h.BitCount != 16 && h.BitCount != 24 && h.BitCount != 32) {
    error = "unsupported DDS bit count " + std::to_string(h.BitCount);
    return std::nullopt;
  }
  const std::size_t bytesPerPixel = h.BitCount / 8;
  const std::size_t pitch = h.Width * bytesPerPixel;
  if (data.size() / h.Height < pitch) {
    error = "DDS file is truncated";
    return std::nullopt;
  }
  const bool hasAlpha = (h.PixelFlags & kPixelFormatAlpha) != 0;
  Image image{static_cast<int>(h.Width), static_cast<int>(h.Height), {}};
  image.Rgba.resize(std::size_t{h.Width} * h.Height * 4);
  for (std::uint32_t y = 0; y < h.Height; ++y) {
    const std::uint8_t* row = data.data() + y * pitch;
    for (std::uint32_t x = 0; x < h.Width; ++x) {
      std::uint32_t pixel = 0;
      for (std::size_t k = 0; k < bytesPerPixel; ++k)
        pixel |= std::uint32_t{row[x * bytesPerPixel + k]} << (8 * k);
      std::uint8_t* out = image.Pixel(static_cast<int>(x), static_cast<int>(y));
      out[0] = Channel(pixel, h.RMask, 0);
      out[1] = Channel(pixel, h.GMask, 0);
      out[2] = Channel(pixel, h.BMask, 0);
      out[3] = hasAlpha ? Channel(pixel, h.AMask, 255) : 255;
    }
  }
  return image;
}

std::optional<Image> ReadBlocks(std::span<const std::uint8_t> data, const Header& h, std::string& error) {
  using platform::DxtFormat;
  DxtFormat format = DxtFormat::Dxt1;
  if (h.FourCc == FourCc("DXT1")) {
    format = DxtFormat::Dxt1;
  } else if (h.FourCc == FourCc("DXT2") || h.FourCc == FourCc("DXT3")) {
    format = DxtFormat::Dxt3;
  } else if (h.FourCc == FourCc("DXT4") || h.FourCc == FourCc("DXT5")) {
    format = DxtFormat::Dxt5;
  } else {
    error = "unsupported DDS compression";
    return std::nullopt;
  }
  const std::size_t blockBytes = platform::DxtBlockBytes(format);
  const std::size_t blocks = std::size_t{(h.Width + 3) / 4} * ((h.Height + 3) / 4);
  if (data.size() / blockBytes < blocks) {
    error = "DDS file is truncated";
    return std::nullopt;
  }
  Image image{static_cast<int>(h.Width), static_cast<int>(h.Height), {}};
  image.Rgba.resize(std::size_t{h.Width} * h.Height * 4);
  platform::DecodeDxt(format, image.Width, image.Height, data.data(), image.Rgba.data());
  return image;
}

}  // namespace

std::optional<Image> ReadDds(std::span<const std::uint8_t> bytes, std::string& error) {
  if (bytes.size() < kHeaderEnd || !LooksLikeDds(bytes) || Word(bytes, 4) != 124) {
    error = "not a DDS file";
    return std::nullopt;
  }
  Header h{};
  h.Height = Word(bytes, 12);
  h.Width = Word(bytes, 16);
  h.PixelFlags = Word(bytes, 80);
  h.FourCc = Word(bytes, 84);
  h.BitCount = Word(bytes, 88);
  h.RMask = Word(bytes, 92);
  h.GMask = Word(bytes, 96);
  h.BMask = Word(bytes, 100);
  h.AMask = Word(bytes, 104);
  if (h.Width == 0 || h.Height == 0 || h.Width > kMaxSide || h.Height > kMaxSide) {
    error = "bad DDS picture size";
    return std::nullopt;
  }
  const auto data = bytes.subspan(kHeaderEnd);
  if (h.PixelFlags & kPixelFormatFourCc) return ReadBlocks(data, h, error);
  if (h.PixelFlags & kPixelFormatRgb) return ReadPacked(data, h, error);
  error = "unsupported DDS pixel format";
  return std::nullopt;
}

}  // namespace quillon
