#pragma once
// The game's own display start, on the engine's display: a 640 x 480 back
// buffer scaled to the window, full screen with one fall-back to a window
// (and a message saying so), white tint; then the fonts, the sounds and the
// texture catalogue behind the loading screen.

#include <string>

#include "program/mod_Declares.h"

namespace pebblerun {

inline constexpr const char* kFullScreenFailureMessage = "DirectX Greška, probavam otvoriti igru u prozoru!";

// "Pebblerun v" + major.minor.revision.
std::string WindowCaption();

// True when the display and everything loaded behind it came up.
bool StartGameDisplay(Program& p);

}  // namespace pebblerun
