#include "main_screens.h"

namespace pebblerun {

void RunMenuFrame(Program& p) {
  quillon::Engine& e = p.Objects.EngineObj;
  e.ClearScreen(0, 0, 0);
  e.Present();
}

void DrawGameFrame(Program& p) {
  quillon::Engine& e = p.Objects.EngineObj;
  e.ClearScreen(0, 0, 0);
  e.Present();
}

}  // namespace pebblerun
