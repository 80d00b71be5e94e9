#include "program/player_input.h"

#include "sim/game_ini.h"
#include "sim/options.h"

namespace pebblerun {

InputContext ContextOf(const GameState& g) {
  if (!g.InGame) return InputContext::Menu;
  return g.GameOver ? InputContext::NameEntry : InputContext::Play;
}

void LoadControls(Program& p) {
  std::vector<std::string> problems;
  p.Controls = ReadBindings(GameFile(*p.Game, kOptionsFile), problems);
  for (const std::string& line : problems) p.Objects.ExtraObj.SaveLog(line);
}

KeyStates PlayerKeys(Program& p, const KeyStates& keyboard) {
  const InputContext context = ContextOf(*p.Game);
  KeyStates keys = keyboard;
  p.Held.Filter(p.Controls, context, keys);
  if (context == InputContext::Play) keys = PlayKeys(p.Controls, keys);
  quillon::PadState pad;
  p.Objects.EngineObj.Pad_GetState(pad);
  p.Pad.AddTo(pad, context, keys);
  return keys;
}

void PauseForLostPad(GameState& g) {
  if (g.InGame && !g.GameOver && !g.Replay.PlayingReplay) g.GamePaused = true;
}

void RumbleFor(Program& p, JoltKind kind) {
  const GameState& g = *p.Game;
  // Only what happens to the player's own Tobo is felt: not a playback, nor
  // the drills' blasts after his death.
  if (!g.RumbleOn || g.Replay.PlayingReplay || ContextOf(g) != InputContext::Play) return;
  quillon::Engine& engine = p.Objects.EngineObj;
  switch (kind) {
    case JoltKind::Blast: engine.Pad_Rumble(0xFFFF, 0xC000, 220); break;
    case JoltKind::HardLanding: engine.Pad_Rumble(0x3000, 0x1800, 120); break;
  }
}

}  // namespace pebblerun
