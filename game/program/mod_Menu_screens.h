#pragma once
// The drawing of the menu screens, called by the menu frame in this order:
// the main menu's buttons, (the attract step), the main menu's labels, the
// screens that fade over the background, then the title and the fades.

#include "program/mod_Declares.h"

namespace pebblerun {

void DrawMainMenuButtons(Program& p);
void DrawMainMenuLabels(Program& p);
void DrawSubScreens(Program& p);
void DrawTitleAndFades(Program& p);

}  // namespace pebblerun
