#include "sim/bonus.h"

#include <algorithm>
#include <cmath>

#include <quillon/numbers.h>

#include "sim/overlays.h"
#include "sim/playfield.h"
#include "sim/tiles.h"

namespace pebblerun {

namespace vb = quillon::vb;

namespace {

// A map without a free place for a bonus (a tiny or full tuning) must not
// hang the game start: after this many tries the bonus is left out.
constexpr int kPlacementTries = 10000;
// More bonuses than this make no game, only a long start (every placement
// looks at every bonus placed before it).
constexpr int kMaxBonuses = 2000;

bool Overlaps(const Bonus& b, Single px, Single py) {
  return !(b.X + 32 <= px || px + 32 <= b.X || b.Y + 32 <= py || py + 32 <= b.Y);
}

void Collect(GameState& g, Bonus& b) {
  const TuningBonus& tb = g.Tuning.Bonus;
  if (b.Type == "boot") {
    g.Hero.Weight += b.Weight;
    g.Bonus.BootTimeLeft += tb.Bonus_Boot_Time * 50;
  } else if (b.Type == "bombglass") {
    g.Bonus.GlassWaveArmed = true;
  } else if (b.Type == "ears") {
    g.Hero.Weight += b.Weight;
    g.Bonus.EarsTimeLeft += tb.Bonus_Ears_Time * 50;
  } else if (b.Type == "bomb") {
    g.Hero.Weight += b.Weight;
    g.Bonus.BombCount += 1;
  } else if (b.Type == "pie") {
    g.Hero.Weight += b.Weight;
  } else {
    return;  // a record of no known kind (a damaged replay) gives nothing
  }
  g.World.Score += b.Points;
  SpawnScorePopup(g, 80 + b.X + 10, g.World.ScrollY + b.Y, vb::FormatSingle(b.Points));
  b.Active = false;
  PlaySound(g, "bonus", false, 100, 0, 44);
}

}  // namespace

void PlaceBonuses(GameState& g) {
  const TuningBonus& tb = g.Tuning.Bonus;
  const Integer counts[] = {tb.NumOf_Bomb, tb.NumOf_Pie, tb.NumOf_Boots, tb.NumOf_BombGlass,
                            tb.NumOf_BigEars};
  int total = 0;
  for (Integer n : counts) total += std::max<int>(n, 0);
  total = std::min(total, kMaxBonuses);
  g.Bonus.Bonuses.assign(static_cast<std::size_t>(total) + 1, Bonus{});
  int placed = 0;
  for (int kind = 1; kind <= 5; ++kind) {
    for (int i = 0; i < counts[kind - 1] && placed < total; ++i, ++placed) {
      AddBonus(g, static_cast<Integer>(kind));
    }
  }
}

void AddBonus(GameState& g, Integer kind, Long x, Long y) {
  auto& bonuses = g.Bonus.Bonuses;
  std::size_t slot = 1;
  while (slot < bonuses.size() && bonuses[slot].Active) ++slot;
  if (slot >= bonuses.size()) return;
  int cx = x, cy = y;
  if (x == 0 && y == 0) {
    bool found = false;
    for (int tries = 0; tries < kPlacementTries && !found; ++tries) {
      cx = static_cast<int>(std::floor(g.Random.Rnd() * 13.0f)) + 1;
      cy = static_cast<int>(std::floor(g.Random.Rnd() * (g.StoryLength - 10))) + 10;
      found = Cell(g, cx, cy + 1) >= 1 && Cell(g, cx, cy) == 0;
      for (std::size_t i = 0; found && i <= slot; ++i) {
        found = !(bonuses[i].X == cx * 32 && bonuses[i].Y == cy * 32);
      }
    }
    if (!found) return;
  }
  const TuningBonus& tb = g.Tuning.Bonus;
  const TuningScore& ts = g.Tuning.Score;
  Bonus& b = bonuses[slot];
  b = Bonus{};
  switch (kind) {
    case 1:
      b.Type = "bomb";
      b.Points = ts.Bonus_Bomb_Points;
      b.Weight = tb.Bomb_Weight;
      break;
    case 2:
      b.Type = "pie";
      b.Points = ts.Bonus_Pie_Points;
      b.Weight = tb.Pie_Weight;
      break;
    case 3:
      b.Type = "boot";
      b.Points = ts.Bonus_Boot_Points;
      b.Weight = tb.Boot_Weight;
      break;
    case 4:
      b.Type = "bombglass";
      b.Points = ts.Bonus_BombGlass_Points;
      break;
    case 5:
      b.Type = "ears";
      b.Points = ts.Bonus_Ears_Points;
      b.Weight = tb.Ears_Weight;
      break;
    default: return;
  }
  b.Active = true;
  b.X = static_cast<Single>(cx * 32);
  b.Y = static_cast<Single>(cy * 32);
  b.SelectionAlpha = 100;
}

void BonusStep(GameState& g) {
  g.Bonus.SelectionSpin += 5;
  if (g.Bonus.SelectionSpin > 359) g.Bonus.SelectionSpin = 0;
  auto& bonuses = g.Bonus.Bonuses;
  for (std::size_t i = 1; i < bonuses.size(); ++i) {
    if (bonuses[i].SelectionAlpha >= 1 && !bonuses[i].Active) {
      bonuses[i].SelectionAlpha = static_cast<Integer>(std::max(0, bonuses[i].SelectionAlpha - 4));
    }
    if (!bonuses[i].Active) continue;
    if (g.World.DrillY + 32 - g.World.ScrollY > bonuses[i].Y) {
      if (bonuses[i].Type == "bomb") {
        Explode(g, static_cast<Single>(i));
      } else {
        bonuses[i].Active = false;
      }
    }
    if (bonuses[i].Active && Overlaps(bonuses[i], g.Hero.PX, g.Hero.PY)) Collect(g, bonuses[i]);
  }
}

void PowerTimers(GameState& g) {
  if (g.GamePaused || g.GameOver) return;
  if (g.Bonus.BootTimeLeft > 0) g.Bonus.BootTimeLeft -= 1;
  if (g.Bonus.EarsTimeLeft > 0) g.Bonus.EarsTimeLeft -= 1;
}

}  // namespace pebblerun
