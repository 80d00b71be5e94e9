#include "sim/tiles.h"

#include <cmath>

#include <quillon/numbers.h>

#include "sim/overlays.h"
#include "sim/playfield.h"
#include "sim/sim_math.h"
#include "sim/world.h"

namespace pebblerun {

namespace vb = quillon::vb;

void PlaySound(GameState& g, const std::string& name, bool loop, Long volume, Long pan, Long frequency) {
  if (g.SoundOn) Events(g).PlaySound(name, loop, volume, pan, frequency);
}

namespace {

Single FallSpeedOfView(const GameState& g) {
  const int level = g.World.CurrentLevel;
  const Single speed = (level >= 0 && level < kLevelSpecs) ? g.LevelSpecs[level].ScreenSpeed : 0;
  return -(speed / 50);
}

// Six grey dust puffs from both sides of a tile bouncing on gum.
void GumDust(GameState& g, const MovingTile& t) {
  const Single y = t.Y + 24 + g.World.ScrollY;
  const Single vy = FallSpeedOfView(g);
  for (int offset : {22, 18, 14}) SpawnParticle(g, 3, 80 + t.X + offset, y, 0.5f, vy, -4, 60, true);
  for (int offset : {-5, -9, -13}) SpawnParticle(g, 3, 80 + t.X + offset, y, -0.5f, vy, 4, 60, true);
}

void Strike(GameState& g, int x, int y, Single force, bool scored) {
  TileUpdate(g, true, static_cast<Single>(x), static_cast<Single>(y), force, scored, false);
}

Integer CodeOf(Single code) { return static_cast<Integer>(vb::CInt(code).value_or(0)); }

void SplashTile(GameState& g, MovingTile& t) {
  const Single bottom = g.World.ScrollY + t.Y + 32;
  if (bottom > g.World.WaterY + 5) {
    if (t.InWater) return;
    t.InWater = true;
    if (g.DetailsHigh) {
      PlaySound(g, "waterhit" + std::to_string(g.CosmeticRandom.RndNum(1, 5)), false, 92);
    }
    const Single end = t.X + 32;
    for (Single px = t.X; px <= end; px += 1) {
      AddWave(g, WholeDiv(px, 2) - 13, 2.0 * t.VY);
    }
  } else if (bottom < g.World.WaterY + 5) {
    t.InWater = false;
  }
}

void BounceOnGum(GameState& g, MovingTile& t, int col) {
  if (!(t.VY > 0) || KindOf(g, CellAt(g, col, TileOf(t.Y + 40))) != 3) return;
  TileUpdate(g, true, col, TileOf(t.Y + 32), t.VY, true, false);
  if (t.VY > 0) {
    if (t.VY > 0.4f) PlaySound(g, "boing", false, 80);
    t.VY = -DivideBy(t.VY, g.Tuning.Player.BounceFrom_Gum_DEVIDER);
    t.Y += 1;
  }
  t.Y += t.VY;
  GumDust(g, t);
}

// A tile that lands on a bonus: a bomb goes off under it, anything else is crushed.
void LandOnBonuses(GameState& g, int index) {
  auto& bonuses = g.Bonus.Bonuses;
  for (std::size_t b = 1; b < bonuses.size(); ++b) {
    MovingTile& t = g.Tiles.MovingTiles[index];
    if (!bonuses[b].Active) continue;
    const Bonus& bonus = bonuses[b];
    if (t.X + 32 <= bonus.X || bonus.X + 32 <= t.X || t.Y + 32 <= bonus.Y || bonus.Y + 32 <= t.Y) {
      continue;
    }
    if (bonus.Type == "bomb") {
      Cell(g, TileOf(t.X), TileOf(t.Y), CodeOf(t.Code));
      t.Active = 0;
      Explode(g, static_cast<Single>(b));
    } else {
      bonuses[b].Active = false;
    }
  }
}

// Returns false when the whole pass has to end this frame.
bool LandTile(GameState& g, int index, int col) {
  MovingTile& t = g.Tiles.MovingTiles[index];
  const auto& ft = g.Tuning.Falling_Tiles;
  const Single smashOn = ft.Hit_SmashOnForce;
  const Single glassForce = smashOn + t.VY - g.Tuning.Player.Smash_Glass_ForceNeeded;
  PaintCell(g, TileOf(t.X), TileOf(t.Y), true, t.Painted);
  const int below = TileOf(t.Y + 32);
  if (Cell(g, col, below) == kGlass) Strike(g, col, below, glassForce, true);
  if (CodeOf(t.Code) == kGlass) {
    const int own = TileOf(t.Y);
    Cell(g, col, own, kGlass);
    if (glassForce >= smashOn) {
      Strike(g, col, own, glassForce, true);
      t.Active = 0;
      return false;
    }
    // Too slow to break itself: the glass settles. Striking its own cell with
    // a push force would re-launch it every frame and stall the other tiles.
    t.Active = 0;
    LandOnBonuses(g, index);
    return true;
  }
  Strike(g, col, below, t.VY, true);
  t.Y = static_cast<Single>(TileOf(t.Y) * 32);
  const int own = TileOf(t.Y);
  if (Cell(g, col, TileOf(t.Y + 32)) == kEmpty && ft.Continue_Falling_After_PushingAnotherTile) {
    if (t.VY > smashOn) {
      Cell(g, col, own, CodeOf(t.Code));
      t.Active = 0;
      Strike(g, col, own, smashOn, false);
    }
    // The slot may hold the tile just re-launched from this cell.
    g.Tiles.MovingTiles[index].VY = 0;
  } else {
    Cell(g, col, own, CodeOf(t.Code));
    t.Active = 0;
  }
  LandOnBonuses(g, index);
  return true;
}

// Returns false when the pass has to end.
bool MoveTile(GameState& g, int index) {
  MovingTile& t = g.Tiles.MovingTiles[index];
  const int col = TileOf(t.X);
  if (std::floor(g.CosmeticRandom.Rnd() * 3.0f) == 2) {
    SpawnParticle(g, 0, 80 + t.X, g.World.ScrollY + t.Y, 0, -2, 2, 50, true);
  }
  if (CellAt(g, col, TileOf(t.Y + 32)) == kEmpty) {
    t.VY = static_cast<Single>(t.VY + g.Tuning.Falling_Tiles.Weight * g.FrameTime);
    t.Y += t.VY;
  }
  SplashTile(g, t);
  BounceOnGum(g, t, col);
  if (CellAt(g, col, TileOf(t.Y + 32)) > 0 && !LandTile(g, index, col)) return false;
  MovingTile& now = g.Tiles.MovingTiles[index];
  if (now.Active && now.Y > g.StoryLength * 32) now.Active = 0;
  return true;
}

void TilePass(GameState& g) {
  for (int i = 0; i < kMovingTiles; ++i) {
    if (g.Tiles.MovingTiles[i].Active && !MoveTile(g, i)) return;
  }
  for (SmashPiece& p : g.Tiles.SmashPieces) {
    if (!p.Active) continue;
    p.Age += 1;
    if (p.Age > g.Tuning.Falling_Tiles.Smashing_Explosion_Distance) {
      p.Active = 0;
      return;
    }
    if (g.World.ScrollY + p.Y < -32) p.Active = 0;
  }
}

void Push(GameState& g, Single x, Single y, Single force, bool scored, Integer code) {
  for (MovingTile& t : g.Tiles.MovingTiles) {
    if (t.Active) continue;
    t = MovingTile{};
    t.Active = 1;
    t.X = x * 32;
    t.Y = y * 32;
    t.VY = force / 3;
    t.Code = code;
    t.InWater = g.World.ScrollY + t.Y + 32 > g.World.WaterY;
    t.Painted = PaintCell(g, x, y, false, false);
    PlaySound(g, "tilepush", false, 100);
    Cell(g, x, y, kEmpty);
    PaintCell(g, x, y, true, false);
    if (scored) {
      AddScore(g, "brick_push");
      SpawnScorePopup(g, 80 + t.X + 10, g.World.ScrollY + t.Y, vb::FormatSingle(g.Tuning.Score.Hit_PushTile));
    }
    return;
  }
}

void Smash(GameState& g, Single x, Single y, bool scored, Integer code) {
  for (SmashPiece& p : g.Tiles.SmashPieces) {
    if (p.Active) continue;
    const bool glass = code == kGlass;
    // One of three sounds, then its pitch: two draws, in this order whatever
    // order a compiler gives a call's arguments.
    const Integer variant = g.CosmeticRandom.RndNum(1, 3);
    const Integer pitch = 20 + g.CosmeticRandom.RndNum(0, 4);
    PlaySound(g, (glass ? "breakglass" : "breakother") + std::to_string(variant), false, glass ? 95 : 80, 0,
              pitch);
    p = SmashPiece{};
    p.Active = 1;
    p.X = x * 32 + 10;
    p.Y = y * 32 + 10;
    p.Code = code;
    p.Painted = PaintCell(g, x, y, false, false);
    Cell(g, x, y, kEmpty);
    PaintCell(g, x, y, true, false);
    if (scored) {
      AddScore(g, "brick_smash");
      SpawnScorePopup(g, 80 + p.X, g.World.ScrollY + p.Y, vb::FormatSingle(g.Tuning.Score.Hot_SmashTile));
    }
    const Single top = g.World.ScrollY + p.Y;
    if (top < g.World.WaterY && g.World.WaterY < top + 32) {
      const Single end = p.X + 32;
      for (Single px = p.X; px <= end; px += 1) {
        const int k = WholeDiv(px, 2);
        if (k > 13) AddWave(g, k - 13, 10);
      }
    }
    return;
  }
}

void StrikeCell(GameState& g, Single x, Single y, Single force, bool scored, bool breakAll) {
  if (!(x < 15)) return;
  const Integer code = Cell(g, x, y);
  if (code <= 0) return;
  // Stone and walls stand up to everything but the drills.
  const bool resists = !breakAll && (code == kStone || IsWall(code));
  const auto& ft = g.Tuning.Falling_Tiles;
  if (ft.Hit_PushOnForce < force && force < ft.Hit_SmashOnForce) {
    if (!resists) Push(g, x, y, force, scored, code);
  } else if (force >= ft.Hit_SmashOnForce) {
    if (!resists) Smash(g, x, y, scored, code);
  }
}

}  // namespace

void TileUpdate(GameState& g, bool hit, Single x, Single y, Single force, bool scored, bool breakAll) {
  if (hit) {
    StrikeCell(g, x, y, force, scored, breakAll);
  } else {
    TilePass(g);
  }
}

void Explode(GameState& g, Single bonusIndex) {
  Single cx = 0, cy = 0;
  if (bonusIndex >= 1) {
    const int index = RoundOr(bonusIndex, -1);
    if (index < 1 || index >= static_cast<int>(g.Bonus.Bonuses.size())) return;
    Bonus& b = g.Bonus.Bonuses[index];
    b.Active = false;
    b.Type.clear();
    cx = b.X;
    cy = b.Y;
  } else {
    if (!(g.Bonus.BombCount >= 1)) return;
    if (g.Hero.Weight > 3.5f) g.Hero.Weight -= g.Tuning.Bonus.Bomb_Weight;
    g.Bonus.BombCount -= 1;
    cx = g.Hero.PX;
    cy = g.Hero.PY;
  }
  const int c = TileOf(cx + 16), r = TileOf(cy + 16);
  const Single smashOn = g.Tuning.Falling_Tiles.Hit_SmashOnForce;
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) Strike(g, c + dx, r + dy, smashOn, true);
  }
  static constexpr int kRing[7][2] = {{-1, 2}, {0, 2}, {1, 2}, {-2, 0}, {2, 0}, {-2, 1}, {2, 1}};
  for (const auto& d : kRing) Strike(g, c + d[0], r + d[1], smashOn - 0.5f, true);
  const Single r1 = g.CosmeticRandom.Rnd(), r2 = g.CosmeticRandom.Rnd(), r3 = g.CosmeticRandom.Rnd();
  const Single scroll = g.World.ScrollY;
  SpawnBlast(g, cx - 51, cy - 45 + scroll, cx - 16 + r1 * 80 - 40, cy + r2 * 80 - 40 + scroll,
             static_cast<Single>(std::floor(r3 * 120.0f) - 60));
  PlaySound(g, "explode" + std::to_string(g.CosmeticRandom.RndNum(5, 6)), false, 100);
  Events(g).Jolt(JoltKind::Blast);
}

void SpawnParticle(GameState& g, Integer kind, Single x, Single y, Single vx, Single vy, Single spin,
                   Single life, bool fade) {
  if (!(y >= 0 && y < 500)) return;
  for (Particle& p : g.Tiles.Particles) {
    if (p.Life >= 1) continue;
    p = Particle{static_cast<Integer>(vb::CInt(life).value_or(0)), kind, x, y, vx, vy, spin, 0, fade};
    return;
  }
}

void AdvanceParticles(GameState& g) {
  for (Particle& p : g.Tiles.Particles) {
    if (p.Life < 1) continue;
    p.X += p.VX;
    p.Y += p.VY;
    p.Angle += p.Spin;
    p.Life -= 1;
  }
}

void SpawnBlast(GameState& g, Single x, Single y, Single p3, Single p4, Single p5) {
  for (BlastRecord& b : g.Tiles.Blasts) {
    if (b.Active) continue;
    b = BlastRecord{true, x, y, p3, p4, p5, 100, g.Bonus.SelectionSpin};
    if (y + 116 >= g.World.WaterY) {
      if (g.DetailsHigh) {
        for (const char* name : {"waterhit1", "waterhit2", "waterhit3"}) PlaySound(g, name, false, 92);
      }
      const Single end = x + 134;
      for (Single px = x; px <= end; px += 1) {
        const int k = WholeDiv(px, 2);
        if (k <= 12) continue;
        AddWave(g, k - 13, 15);
        if (x + 50 < px && px < x + 84) AddWave(g, k - 13, 15);
      }
    }
    return;
  }
}

void AdvanceBlasts(GameState& g) {
  for (BlastRecord& b : g.Tiles.Blasts) {
    if (!b.Active || b.Life < 1) {
      b.Active = false;
      b.Life = 0;
    } else if (!g.GamePaused) {
      b.Life -= 10;
    }
  }
}

}  // namespace pebblerun
