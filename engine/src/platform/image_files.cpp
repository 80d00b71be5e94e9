#include "platform/image_files.h"

#include <SDL.h>
#include <SDL_image.h>

#include "platform/surface_image.h"

namespace quillon::platform {

std::optional<Image> DecodeImage(std::span<const std::uint8_t> bytes, std::string& error) {
  SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  if (!rw) {
    error = SDL_GetError();
    return std::nullopt;
  }
  auto image = TakeSurface(IMG_Load_RW(rw, 1));
  if (!image) error = IMG_GetError();
  return image;
}

}  // namespace quillon::platform
