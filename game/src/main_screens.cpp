#include "main_screens.h"

#include "mod_Menu.h"
#include "mod_Render.h"

namespace pebblerun {

void RunMenuFrame(Program& p) {
  quillon::Engine& e = p.Objects.EngineObj;
  e.ClearScreen(0, 0, 0);
  MenuFrame(p);
  e.Present();
}

void DrawGameFrame(Program& p) {
  DrawGameScreen(p);
  p.Objects.EngineObj.Present();
}

}  // namespace pebblerun
