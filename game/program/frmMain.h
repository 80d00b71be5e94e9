#pragma once
// The game window's events: mouse buttons into the game's flags, the close
// button ends the loop after the current frame, Alt+Enter switches between
// full screen and a window.

#include <quillon/engine.h>

#include "program/mod_Declares.h"

namespace pebblerun {

// Left sets MouseLeftDown, right MouseRightDown; the middle button drives
// MouseThirdDown (the game reads it as a bomb key).
void HandleWindowEvent(Program& p, const quillon::WindowEvent& event);

// Switches the running game between full screen and a window; the cursor is
// hidden and the keyboard locked only while full screen.
void ToggleFullScreen(Program& p);

// Whether the cursor shows: always in a window; in full screen only during a
// game whose tuning asked for it at the game's start.
bool CursorShown(const GameState& g, bool fullScreen);

// The window is up: keyboard lock and cursor for the mode in use.
void FormLoad(Program& p);
// The window goes: keyboard lock off, cursor back.
void FormUnload(Program& p);

}  // namespace pebblerun
