#include "platform/surface_image.h"

#include <cstring>

namespace quillon::platform {

std::optional<Image> TakeSurface(SDL_Surface* surface) {
  if (!surface) return std::nullopt;
  SDL_Surface* rgba = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_RGBA32, 0);
  SDL_FreeSurface(surface);
  if (!rgba) return std::nullopt;
  Image image{rgba->w, rgba->h, {}};
  image.Rgba.resize(static_cast<std::size_t>(rgba->w) * rgba->h * 4);
  SDL_LockSurface(rgba);
  for (int y = 0; y < rgba->h; ++y) {
    std::memcpy(image.Rgba.data() + static_cast<std::size_t>(y) * rgba->w * 4,
                static_cast<const std::uint8_t*>(rgba->pixels) + static_cast<std::ptrdiff_t>(y) * rgba->pitch,
                static_cast<std::size_t>(rgba->w) * 4);
  }
  SDL_UnlockSurface(rgba);
  SDL_FreeSurface(rgba);
  return image;
}

}  // namespace quillon::platform
