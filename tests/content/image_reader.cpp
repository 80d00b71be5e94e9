#include "image_reader.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>

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

std::uint32_t Le32(const std::vector<std::uint8_t>& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

Picture ReadDds(const std::vector<std::uint8_t>& b, std::string& error) {
  if (b.size() < 128 || std::memcmp(b.data(), "DDS ", 4) != 0 || Le32(b, 4) != 124) {
    error = "no DDS header";
    return {};
  }
  Picture p;
  p.height = static_cast<int>(Le32(b, 12));
  p.width = static_cast<int>(Le32(b, 16));
  const std::uint32_t pfFlags = Le32(b, 80), bits = Le32(b, 88);
  if (!(pfFlags & 0x40) || bits != 32 || Le32(b, 92) != 0xff0000 || Le32(b, 104) != 0xff000000u) {
    error = "DDS is not 32-bit BGRA with alpha";
    return {};
  }
  p.bitsPerPixel = 32;
  const size_t n = static_cast<size_t>(p.width) * p.height;
  if (b.size() < 128 + n * 4) {
    error = "DDS pixel data is short";
    return {};
  }
  p.rgba.resize(n * 4);
  for (size_t i = 0; i < n; ++i) {
    const std::uint8_t* s = &b[128 + i * 4];
    p.rgba[i * 4] = s[2], p.rgba[i * 4 + 1] = s[1], p.rgba[i * 4 + 2] = s[0], p.rgba[i * 4 + 3] = s[3];
  }
  return p;
}

struct SurfaceFree {
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};

Picture FromSurface(SDL_Surface* loaded, int bits) {
  std::unique_ptr<SDL_Surface, SurfaceFree> owner(loaded);
  std::unique_ptr<SDL_Surface, SurfaceFree> rgba(SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ABGR8888, 0));
  Picture p;
  p.width = rgba->w;
  p.height = rgba->h;
  p.bitsPerPixel = bits;
  p.rgba.resize(static_cast<size_t>(p.width) * p.height * 4);
  for (int y = 0; y < p.height; ++y)
    std::memcpy(&p.rgba[static_cast<size_t>(y) * p.width * 4],
                static_cast<const std::uint8_t*>(rgba->pixels) + static_cast<size_t>(y) * rgba->pitch,
                static_cast<size_t>(p.width) * 4);
  return p;
}

}  // namespace

Picture ReadPicture(const std::filesystem::path& file, std::string& error) {
  const std::vector<std::uint8_t> b = ReadBytes(file);
  const std::string ext = file.extension().string();
  if (b.empty()) {
    error = "missing or empty";
    return {};
  }
  if (ext == ".dds") return ReadDds(b, error);
  const bool bmp = ext == ".bmp" && b.size() > 30 && b[0] == 'B' && b[1] == 'M';
  const bool jpg = ext == ".jpg" && b.size() > 3 && b[0] == 0xff && b[1] == 0xd8;
  const bool png = ext == ".png" && b.size() > 8 && std::memcmp(b.data(), "\x89PNG", 4) == 0;
  if (!bmp && !jpg && !png) {
    error = "content does not match the extension";
    return {};
  }
  SDL_Surface* s = bmp ? SDL_LoadBMP(file.c_str()) : IMG_Load(file.c_str());
  if (!s) {
    error = std::string("cannot decode: ") + SDL_GetError();
    return {};
  }
  return FromSurface(s, bmp ? b[28] : 0);
}

}  // namespace content_test
