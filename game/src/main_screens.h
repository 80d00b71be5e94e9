#pragma once
// The two drawn halves of a frame, as the main loop calls them: the menu
// (input, logic, drawing and present of the current menu screen) and the game
// screen (drawing and present; the game's steps have run before).

#include "mod_Declares.h"

namespace pebblerun {

void RunMenuFrame(Program& p);
void DrawGameFrame(Program& p);

}  // namespace pebblerun
