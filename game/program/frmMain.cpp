#include "program/frmMain.h"

#include "program/mod_KeyboardLock.h"
#include "program/player_input.h"

namespace pebblerun {

namespace {

void SetMouseButton(GameState& g, int button, bool down) {
  switch (button) {
    case 1: g.Input.MouseLeftDown = down; break;
    case 2: g.Input.MouseRightDown = down; break;
    case 3: g.Input.MouseThirdDown = down; break;
    default: break;
  }
}

}  // namespace

void HandleWindowEvent(Program& p, const quillon::WindowEvent& event) {
  GameState& g = *p.Game;
  using Kind = quillon::WindowEventKind;
  switch (event.Kind) {
    case Kind::CloseRequested:
      // The loop finishes the frame it is in, then ExitGame runs.
      g.Running = false;
      break;
    case Kind::MouseDown: SetMouseButton(g, event.Button, true); break;
    case Kind::MouseUp: SetMouseButton(g, event.Button, false); break;
    case Kind::ToggleFullScreen: ToggleFullScreen(p); break;
    case Kind::PadRemoved: PauseForLostPad(g); break;
    default: break;
  }
}

bool CursorShown(const GameState& g, bool fullScreen) {
  // Alt+Enter in a game keeps what the tuning chose for full screen when
  // the game started, rather than hiding the cursor until the next game.
  return !fullScreen || (g.InGame && g.Tuning.Misc.ShowCursor_InFullscreen != 0);
}

void ToggleFullScreen(Program& p) {
  GameState& g = *p.Game;
  quillon::Engine& engine = p.Objects.EngineObj;
  if (!engine.HasDisplay()) return;
  engine.SetFullScreen(!engine.IsFullScreen());
  g.FullScreen = engine.IsFullScreen();
  FormLoad(p);
}

void FormLoad(Program& p) {
  quillon::Engine& engine = p.Objects.EngineObj;
  if (!engine.HasDisplay()) return;
  engine.SetCursorVisible(CursorShown(*p.Game, engine.IsFullScreen()));
  InstallKeyboardLock(engine);
}

void FormUnload(Program& p) {
  quillon::Engine& engine = p.Objects.EngineObj;
  RemoveKeyboardLock(engine);
  engine.SetCursorVisible(true);
}

}  // namespace pebblerun
