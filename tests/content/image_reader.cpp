#include "image_reader.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include "texture_loader.h"

namespace content_test {

std::filesystem::path AppDir() {
  const char* dir = std::getenv("PEBBLERUN_APP_DIR");
  return dir && *dir ? dir : CONTENT_APP_DIR;
}

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

namespace {

// True when the first bytes are those of the format the extension names.
bool MatchesExtension(const std::vector<std::uint8_t>& b, const std::string& ext) {
  auto starts = [&](const char* magic, size_t n) {
    return b.size() > n && std::memcmp(b.data(), magic, n) == 0;
  };
  if (ext == ".dds") return starts("DDS ", 4);
  if (ext == ".bmp") return starts("BM", 2);
  if (ext == ".jpg") return starts("\xff\xd8\xff", 3);
  if (ext == ".png") return starts("\x89PNG", 4);
  return false;
}

}  // namespace

Picture ReadPicture(const std::filesystem::path& file, std::string& error, std::int32_t colourKey) {
  const std::vector<std::uint8_t> b = ReadBytes(file);
  if (b.empty()) {
    error = "missing or empty";
    return {};
  }
  if (!MatchesExtension(b, file.extension().string())) {
    error = "content does not match the extension";
    return {};
  }
  // The engine's own texture loader, as the game will load the file.
  const std::optional<quillon::Image> image = quillon::LoadTextureImage(file, colourKey, {}, error);
  if (!image) return {};
  Picture p;
  p.width = image->Width;
  p.height = image->Height;
  p.rgba = image->Rgba;
  if (b[0] == 'B' && b.size() > 28) p.bitsPerPixel = b[28];
  if (b[0] == 'D' && b.size() > 88) p.bitsPerPixel = b[88];
  return p;
}

}  // namespace content_test
