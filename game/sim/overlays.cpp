#include "sim/overlays.h"

#include <cmath>

namespace pebblerun {

void SpawnScorePopup(GameState& g, Single x, Single y, const std::string& text) {
  if (g.World.CurrentLevel < 1) return;
  auto& popups = g.Overlay.ScorePopups;
  for (int i = 1; i < kScorePopups; ++i) {
    if (popups[i].Active) continue;
    popups[i] = ScorePopupRecord{1, static_cast<Single>(std::floor(x)), static_cast<Single>(std::floor(y)),
                                 text, 100};
    return;
  }
}

void AdvanceScorePopups(GameState& g) {
  if (g.World.CurrentLevel < 1) return;
  for (int i = 1; i < kScorePopups; ++i) {
    ScorePopupRecord& p = g.Overlay.ScorePopups[i];
    if (!p.Active) continue;
    p.Alpha -= 2;
    if (p.Alpha < 1) p.Active = 0;
    p.Y -= 2;
  }
}

void UpdateWarningArrows(GameState& g) {
  // Latched for the rest of the game once Tobo stands low on the screen.
  if (g.Hero.PY > 331 && !g.Hero.Airborne) g.Overlay.WarningArrowsOn = true;
}

}  // namespace pebblerun
