#pragma once
// An SDL surface of any format to an Image; the surface is freed.

#include <SDL.h>

#include <optional>

#include "image.h"

namespace quillon::platform {

std::optional<Image> TakeSurface(SDL_Surface* surface);

}  // namespace quillon::platform
