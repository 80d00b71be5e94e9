#include "program/init_dx.h"

#include <cmath>

#include "program/init_dxLoad.h"

#ifndef PEBBLERUN_VERSION
#define PEBBLERUN_VERSION "0.0.0"
#endif

namespace pebblerun {

std::string WindowCaption() { return std::string("Pebblerun v") + PEBBLERUN_VERSION; }

bool StartGameDisplay(Program& p) {
  GameState& g = *p.Game;
  quillon::Engine& engine = p.Objects.EngineObj;
  quillon::DisplayOptions options;
  options.BufferWidth = g.GameAreaWidth;
  options.BufferHeight = g.GameAreaHeight;
  options.WindowWidth = g.DisplayWidth;
  options.WindowHeight = g.DisplayHeight;
  options.FullScreen = g.FullScreen;
  options.WindowOnTop = false;
  options.FullScreenFailureMessage = kFullScreenFailureMessage;
  options.Caption = WindowCaption();
  if (!engine.StartDisplay(options)) return false;

  // A failed full-screen start falls back to a window: the mode in use is
  // whatever the engine ended up with.
  g.FullScreen = engine.IsFullScreen();
  if (g.FullScreen) {
    g.DisplayWidth = g.GameAreaWidth;
    g.DisplayHeight = g.GameAreaHeight;
  }
  g.Pi = static_cast<Single>(4 * std::atan(1.0));

  LoadFonts(p);
  LoadSounds(p);
  LoadTextures(p);
  return true;
}

}  // namespace pebblerun
