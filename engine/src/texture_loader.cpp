#include "texture_loader.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <vector>

#include "dds_reader.h"
#include "platform/image_files.h"
#include "quillon/numbers.h"

namespace quillon {

namespace {

constexpr std::uintmax_t kMaxFileBytes = 256u << 20;
constexpr int kMaxSide = 8192;

bool ReadAll(const std::filesystem::path& file, std::vector<std::uint8_t>& bytes, std::string& error) {
  std::error_code ec;
  const auto size = std::filesystem::file_size(file, ec);
  if (ec || size > kMaxFileBytes) {
    error = ec ? "cannot read " + file.string() : "file too large: " + file.string();
    return false;
  }
  std::ifstream in(file, std::ios::binary);
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (!in.good() && !in.eof()) {
    error = "cannot read " + file.string();
    return false;
  }
  return true;
}

}  // namespace

void ApplyColorKey(Image& image, std::int32_t key) {
  if (key == 0) return;
  const auto k = static_cast<std::uint32_t>(key);
  const std::uint8_t r = (k >> 16) & 0xFF, g = (k >> 8) & 0xFF, b = k & 0xFF;
  for (std::size_t i = 0; i + 3 < image.Rgba.size(); i += 4) {
    std::uint8_t* p = &image.Rgba[i];
    if (p[0] == r && p[1] == g && p[2] == b) p[0] = p[1] = p[2] = p[3] = 0;
  }
}

Image Resize(const Image& image, int width, int height) {
  Image out{width, height, {}};
  out.Rgba.resize(static_cast<std::size_t>(width) * height * 4);
  for (int y = 0; y < height; ++y) {
    const int sy = static_cast<int>(static_cast<long long>(y) * image.Height / height);
    for (int x = 0; x < width; ++x) {
      const int sx = static_cast<int>(static_cast<long long>(x) * image.Width / width);
      std::copy_n(image.Pixel(sx, sy), 4, out.Pixel(x, y));
    }
  }
  return out;
}

std::optional<TextureSize> ParseTextureSize(std::string_view value) {
  std::string text(value);
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  const auto cut = text.find('x');
  if (cut == std::string::npos) return std::nullopt;
  const auto w = vb::ParseLong(std::string_view(text).substr(0, cut));
  const auto h = vb::ParseLong(std::string_view(text).substr(cut + 1));
  auto valid = [](std::optional<vb::Long> n) { return n && (*n == -1 || (*n > 0 && *n <= kMaxSide)); };
  if (!valid(w) || !valid(h)) return std::nullopt;
  return TextureSize{*w, *h};
}

std::optional<Image> LoadTextureImage(const std::filesystem::path& file, std::int32_t colorKey,
                                      TextureSize size, std::string& error) {
  std::vector<std::uint8_t> bytes;
  if (!ReadAll(file, bytes, error)) return std::nullopt;
  auto image = LooksLikeDds(bytes) ? ReadDds(bytes, error) : platform::DecodeImage(bytes, error);
  if (!image) return std::nullopt;
  ApplyColorKey(*image, colorKey);
  const int w = size.Width == -1 ? image->Width : size.Width;
  const int h = size.Height == -1 ? image->Height : size.Height;
  if (w != image->Width || h != image->Height) *image = Resize(*image, w, h);
  return image;
}

}  // namespace quillon
