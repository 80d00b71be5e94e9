#include "program/modBonus.h"

#include <cmath>

namespace pebblerun {

const Texture* BonusPicture(const GameAssets& a, const std::string& type) {
  if (type == "bomb") return &a.bomb;
  if (type == "pie") return &a.pie;
  if (type == "boot") return &a.boot;
  if (type == "bombglass") return &a.bombglass;
  if (type == "ears") return &a.bigears;
  return nullptr;
}

void DrawBonuses(Program& p) {
  const GameState& g = *p.Game;
  const GameAssets& a = p.Assets;
  quillon::Engine& e = p.Objects.EngineObj;
  const Single scroll = g.World.ScrollY;
  for (std::size_t i = 1; i < g.Bonus.Bonuses.size(); ++i) {
    const Bonus& b = g.Bonus.Bonuses[i];
    if (!(b.Y < 480 - scroll)) continue;
    const Single x = 80 + b.X, y = scroll + b.Y;
    // The highlight is a square of 32/100 of the glow, kept centred (a size
    // of 0 would mean "unscaled" to Draw, so it is left out).
    const Single size = std::nearbyint(32.0f / 100.0f * b.SelectionAlpha);
    if (b.SelectionAlpha >= 1 && size >= 1) {
      const Single offset = 16 - size / 2;
      e.Draw(a.bonus_selection, x + offset, y + offset, 32, 32, g.Bonus.SelectionSpin, 60, 0, 0, size, size);
    }
    if (!b.Active) continue;
    if (const Texture* picture = BonusPicture(a, b.Type)) {
      // A gentle bob keeps lying bonuses noticeable among the tiles.
      const Single bob = b.Type == "pie" ? 0 : -2;
      e.Draw(*picture, x, y + bob, 32, 32, 0, 100);
    }
  }
}

}  // namespace pebblerun
