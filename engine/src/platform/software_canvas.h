#pragma once
// The back buffer of a window without a graphics card: a surface of the back
// buffer's size that SDL's software renderer and the engine's own sprite
// copies both draw into, shown on the window once per frame, scaled to the
// window keeping its aspect.

#include <string>

struct SDL_Surface;
struct SDL_Window;

namespace quillon::platform {

SDL_Surface* CreateCanvas(int width, int height, std::string& error);

// Puts the canvas on the window's surface; update also shows that surface.
bool ShowCanvas(SDL_Surface* canvas, SDL_Window* window, bool update, std::string& error);

// A point of the window (a mouse position) in canvas pixels.
void WindowToCanvas(const SDL_Surface* canvas, SDL_Window* window, int& x, int& y);

}  // namespace quillon::platform
