#include "platform/software_canvas.h"

#include <SDL.h>

#include <cmath>

namespace quillon::platform {

SDL_Surface* CreateCanvas(int width, int height, std::string& error) {
  // The format of the window surfaces here, so that SDL's blitters and the
  // final copy to the window do no conversion.
  SDL_Surface* canvas = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGB888);
  if (!canvas) error = SDL_GetError();
  return canvas;
}

namespace {

// Where the back buffer goes on a window of w x h: as large as fits with
// its own aspect, centred (the rule the renderer's logical size follows).
SDL_Rect Letterbox(int bufferW, int bufferH, int w, int h) {
  const float want = static_cast<float>(bufferW) / static_cast<float>(bufferH);
  const float real = static_cast<float>(w) / static_cast<float>(h);
  if (std::fabs(want - real) < 0.0001f) return SDL_Rect{0, 0, w, h};
  if (want > real) {
    const float scale = static_cast<float>(w) / static_cast<float>(bufferW);
    const int fitted = static_cast<int>(std::floor(static_cast<float>(bufferH) * scale));
    return SDL_Rect{0, (h - fitted) / 2, w, fitted};
  }
  const float scale = static_cast<float>(h) / static_cast<float>(bufferH);
  const int fitted = static_cast<int>(std::floor(static_cast<float>(bufferW) * scale));
  return SDL_Rect{(w - fitted) / 2, 0, fitted, h};
}

}  // namespace

bool ShowCanvas(SDL_Surface* canvas, SDL_Window* window, bool update, std::string& error) {
  SDL_Surface* screen = SDL_GetWindowSurface(window);
  if (!screen) {
    error = SDL_GetError();
    return false;
  }
  SDL_Rect place = Letterbox(canvas->w, canvas->h, screen->w, screen->h);
  int result = 0;
  if (place.w == canvas->w && place.h == canvas->h) {
    if (place.w != screen->w || place.h != screen->h) SDL_FillRect(screen, nullptr, 0);
    result = SDL_BlitSurface(canvas, nullptr, screen, &place);
  } else {
    SDL_FillRect(screen, nullptr, 0);
    result = SDL_BlitScaled(canvas, nullptr, screen, &place);
  }
  if (result == 0 && update) result = SDL_UpdateWindowSurface(window);
  if (result != 0) error = SDL_GetError();
  return result == 0;
}

void WindowToCanvas(const SDL_Surface* canvas, SDL_Window* window, int& x, int& y) {
  int w = 0, h = 0;
  SDL_GetWindowSize(window, &w, &h);
  if (w <= 0 || h <= 0) return;
  const SDL_Rect place = Letterbox(canvas->w, canvas->h, w, h);
  // Taken the way SDL takes mouse positions to a renderer's logical size.
  x = static_cast<int>((x - place.x) / (static_cast<float>(place.w) / static_cast<float>(canvas->w)));
  y = static_cast<int>((y - place.y) / (static_cast<float>(place.h) / static_cast<float>(canvas->h)));
}

}  // namespace quillon::platform
