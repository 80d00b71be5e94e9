#include "sim/player.h"

#include <cmath>

#include <quillon/numbers.h>

#include "sim/playfield.h"
#include "sim/scan_codes.h"
#include "sim/sim_math.h"
#include "sim/tiles.h"
#include "sim/world.h"

namespace pebblerun {

namespace vb = quillon::vb;

namespace {

Integer CodeAt(GameState& g, Single px, Single py) { return CellAt(g, TileOf(px), TileOf(py)); }
Integer KindAt(GameState& g, Single px, Single py) { return KindOf(g, CodeAt(g, px, py)); }

void StrikeAt(GameState& g, Single px, Single py, Single force) {
  TileUpdate(g, true, static_cast<Single>(TileOf(px)), static_cast<Single>(TileOf(py)), force, true, false);
}

void PaintAt(GameState& g, Single px, Single py) {
  PaintCell(g, static_cast<Single>(TileOf(px)), static_cast<Single>(TileOf(py)), true, true);
}

Single DustSpeed(const GameState& g) {
  const int level = g.World.CurrentLevel;
  return -((level >= 0 && level < kLevelSpecs ? g.LevelSpecs[level].ScreenSpeed : 0) / 50);
}

void Jump(GameState& g) {
  PlayerState& h = g.Hero;
  if (!g.Input.JumpRequest) return;
  g.Input.JumpRequest = false;
  if (h.PVY <= 0 && !h.Airborne) {
    h.Airborne = true;
    h.PVY = static_cast<Single>(-(g.Tuning.Player.Jump_Force * g.FrameTime));
    h.PY -= 1;
    PlaySound(g, "jump", false, 100, 0, RoundOr((h.Weight - 4) * 4 + 22, 22));
  } else if (h.PVY > 0) {
    // A glide: the ears flap and the fall slows.
    h.EarLift = 3;
    h.PVY = static_cast<Single>(h.PVY / (g.Bonus.EarsTimeLeft > 0 ? 4.0 / 3.0 : 10.0 / 9.0));
    PlaySound(g, "swoosh", false, 90, 0, 26);
  }
}

// The walking speed over a ground kind; 0 on walls.
Single WalkSpeedOn(const GameState& g, Integer kind) {
  const TuningPlayer& p = g.Tuning.Player;
  if (kind == 2) return DivideBy(p.WalkSpeed, p.WalkSpeed_Mud_DEVIDER);
  if (kind == 4) return p.WalkSpeed * p.WalkSpeed_Ice_MULTIPLY;
  if (kind > 6) return 0;
  return p.WalkSpeed;
}

void Walk(GameState& g, bool& request, Single sideProbe, double direction) {
  PlayerState& h = g.Hero;
  if (!request) return;
  const Integer ground = KindAt(g, h.PX + 16, h.PY + 36);
  if (KindAt(g, sideProbe, h.PY + 30) != 0) return;  // blocked: kept for later
  const double f = g.Bonus.BootTimeLeft > 0 ? 1.5 : 1.0;
  const Single v = WalkSpeedOn(g, ground);
  if (v != 0) h.PX = static_cast<Single>(h.PX + direction * (v * g.FrameTime * f));
  if (!h.OnIce) request = false;  // on ice Tobo slides on
}

void WalkingEffects(GameState& g) {
  PlayerState& h = g.Hero;
  if (h.PX != h.LastPX && !h.Airborne) {
    if (!h.WalkSoundOn) {
      PlaySound(g, "walk", true, 94);
      h.WalkSoundOn = true;
    }
    const bool heldLeft = g.Input.Keys[scan::Left] == scan::kDown;
    const Single x = heldLeft ? 80 + h.PX + 22 : 80 + h.PX - 5;
    const Single y = g.World.ScrollY + h.PY + 24;
    const Single vx = heldLeft ? 0.5f : -0.5f, spin = heldLeft ? -4.0f : 4.0f;
    const Integer left = KindAt(g, h.PX + 6, h.PY + 36), right = KindAt(g, h.PX + 26, h.PY + 36);
    if (std::floor(g.CosmeticRandom.Rnd() * 3.0f) == 2 && (left == 2 || right == 2)) {
      SpawnParticle(g, 1, x, y, vx, DustSpeed(g), spin, 50, true);
    }
    if (std::floor(g.CosmeticRandom.Rnd() * 2.0f) == 1 && (left == 4 || right == 4)) {
      SpawnParticle(g, 2, x, y, vx, DustSpeed(g), spin, 60, true);
    }
  } else if (h.WalkSoundOn) {
    Events(g).StopSound("walk");
    h.WalkSoundOn = false;
  }
  h.LastPX = h.PX;
}

void Fall(GameState& g) {
  PlayerState& h = g.Hero;
  h.PVY = static_cast<Single>(h.PVY + h.Weight * g.FrameTime);
  if (h.PVY >= 6) {
    const Single vy = DustSpeed(g);
    SpawnParticle(g, 0, 80 + h.PX, g.World.ScrollY + h.PY, 0, vy, 2, 30, true);
    SpawnParticle(g, 5, 80 + h.PX + g.CosmeticRandom.Rnd() * 4 - 2, g.World.ScrollY + h.PY - 15, 0, vy, 2, 20,
                  true);
  }
}

void LandOnGum(GameState& g) {
  PlayerState& h = g.Hero;
  StrikeAt(g, h.PX + 3, h.PY + 32, h.PVY);
  StrikeAt(g, h.PX + 28, h.PY + 32, h.PVY);
  if (h.PVY > 0) {
    if (h.PVY > 0.5f) PlaySound(g, "boing", false, 80);
    h.PVY = -DivideBy(h.PVY, g.Tuning.Player.BounceFrom_Gum_DEVIDER);
  }
  const Single y = g.World.ScrollY + h.PY + 24, vy = DustSpeed(g);
  if (KindAt(g, h.PX + 26, h.PY + 36) == 3) {
    for (int o : {22, 18, 14}) SpawnParticle(g, 3, 80 + h.PX + o, y, 0.5f, vy, -4, 60, true);
  }
  if (KindAt(g, h.PX + 6, h.PY + 36) == 3) {
    for (int o : {-5, -9, -13}) SpawnParticle(g, 3, 80 + h.PX + o, y, -0.5f, vy, 4, 60, true);
  }
}

void LandOnGround(GameState& g) {
  PlayerState& h = g.Hero;
  const TuningPlayer& p = g.Tuning.Player;
  const Single glassForce = g.Tuning.Falling_Tiles.Hit_SmashOnForce + h.PVY - p.Smash_Glass_ForceNeeded;
  bool glassHit = false;
  for (Single foot : {h.PX + 3, h.PX + 28}) {
    if (CodeAt(g, foot, h.PY + 32) == kGlass) {
      StrikeAt(g, foot, h.PY + 32, glassForce);
      glassHit = true;
    }
  }
  StrikeAt(g, h.PX + 3, h.PY + 32, h.PVY);
  StrikeAt(g, h.PX + 28, h.PY + 32, h.PVY);
  if (glassHit) {
    h.PVY = DivideBy(h.PVY, p.SlowDown_AfterHit_Ice_DEVIDER);  // on through the broken glass
  } else if (h.PVY > 0) {
    h.PVY = -DivideBy(h.PVY, p.BounceFrom_Everything_DEVIDER);
  }
}

void GroundContact(GameState& g) {
  PlayerState& h = g.Hero;
  const bool right = CodeAt(g, h.PX + 26, h.PY + 32) > 0, left = CodeAt(g, h.PX + 4, h.PY + 32) > 0;
  if (right) PaintAt(g, h.PX + 26, h.PY + 32);
  if (left) PaintAt(g, h.PX + 4, h.PY + 32);
  if (!(right || left) || !(h.PVY > 0)) return;
  if (h.PVY >= g.Tuning.Falling_Tiles.Hit_SmashOnForce) Events(g).Jolt(JoltKind::HardLanding);
  if (KindAt(g, h.PX + 18, h.PY + 32) == 3 || KindAt(g, h.PX + 14, h.PY + 32) == 3) {
    LandOnGum(g);
  } else {
    LandOnGround(g);
  }
}

void Settle(GameState& g) {
  PlayerState& h = g.Hero;
  if (CodeAt(g, h.PX + 16, h.PY + 32) > 0) h.PY = static_cast<Single>(TileOf(h.PY) * 32);
  // A hole one tile wide swallows him.
  if (CodeAt(g, h.PX + 36, h.PY + 33) > 0 && CodeAt(g, h.PX - 4, h.PY + 33) > 0 &&
      CodeAt(g, h.PX + 36, h.PY + 28) == 0 && CodeAt(g, h.PX - 4, h.PY + 28) == 0 &&
      CodeAt(g, h.PX + 16, h.PY + 33) == 0 && CodeAt(g, h.PX + 16, h.PY + 65) == 0) {
    h.PY += 2;
  }
  if (CodeAt(g, h.PX + 28, h.PY + 33) == 0 && CodeAt(g, h.PX + 4, h.PY + 33) == 0) {
    h.Airborne = true;
  } else {
    if (h.Airborne) PlaySound(g, "fall1", false, 85);
    h.Airborne = false;
  }
  if (CodeAt(g, h.PX, h.PY + 4) != 0) h.PX = static_cast<Single>((TileOf(h.PX) + 1) * 32);
  if (CodeAt(g, h.PX, h.PY + 28) != 0) h.PX = static_cast<Single>((TileOf(h.PX) + 1) * 32);
  if (CodeAt(g, h.PX + 32, h.PY + 4) != 0) h.PX = static_cast<Single>(TileOf(h.PX) * 32);
  if (CodeAt(g, h.PX + 32, h.PY + 28) != 0) h.PX = static_cast<Single>(TileOf(h.PX) * 32);
  if (CodeAt(g, h.PX + 4, h.PY) != 0 || CodeAt(g, h.PX + 28, h.PY) != 0) {
    h.PY = static_cast<Single>((TileOf(h.PY) + 1) * 32);
    if (h.PVY < 0) h.PVY = 0;
  }
  if (CodeAt(g, h.PX - 4, h.PY + 28) != 0) PaintAt(g, h.PX - 4, h.PY + 28);
  if (CodeAt(g, h.PX + 35, h.PY + 28) != 0) PaintAt(g, h.PX + 35, h.PY + 28);
}

void RideMovingTiles(GameState& g) {
  PlayerState& h = g.Hero;
  for (MovingTile& t : g.Tiles.MovingTiles) {
    if (!t.Active) continue;
    if (h.PY - 32 < t.Y && t.Y < h.PY && h.PX - 28 < t.X && t.X < h.PX + 28) {
      if (h.PVY < t.VY) h.PVY += t.VY / 3;
      t.Y -= 2;
      if (t.VY >= 0) t.VY = static_cast<Single>(t.VY * (1.0 / 3.0));
      t.Painted = true;
    }
    if (h.PY < t.Y && t.Y < h.PY + 35 && h.PX - 24 < t.X && t.X < h.PX + 24) {
      h.PY -= 1;
      if (h.PVY >= 0) h.PVY = static_cast<Single>(h.PVY * (1.0 / 3.0));
      t.Painted = true;
    }
  }
}

void DrillWarningAndWater(GameState& g) {
  PlayerState& h = g.Hero;
  const Single s = g.World.ScrollY + h.PY + g.World.DrillY;
  if (s < 1 && h.PVY > 0 && !h.DrillSoundDone) {
    PlaySound(g, "nidle", false, 100);
    h.DrillSoundDone = true;
  } else if (s > 1 && h.PVY > 0) {
    h.DrillSoundDone = false;
  }
  const Single bottom = g.World.ScrollY + h.PY + 32;
  if (bottom > g.World.WaterY + 5) {
    if (!h.InWater) {
      h.InWater = true;
      if (g.DetailsHigh) {
        PlaySound(g, "waterhit" + std::to_string(g.CosmeticRandom.RndNum(1, 5)), false, 92);
      }
      const int from = RoundOr(h.PX, 0), to = RoundOr(h.PX + 32, -1);
      for (int px = from; px <= to; ++px) AddWave(g, WholeDiv(px, 2) - 13, 2.0 * h.PVY);
    }
  } else if (bottom < g.World.WaterY + 5) {
    h.InWater = false;
  }
}

}  // namespace

bool MapHoldsHero(Single heroY, double storyLength) { return !(TileOf(heroY) > storyLength - 4); }

namespace {

void DeathAndWin(GameState& g) {
  PlayerState& h = g.Hero;
  const WorldState& w = g.World;
  if (!g.GameOver && (w.DrillY + 32 - w.ScrollY > h.PY || h.PY > 480 - w.ScrollY)) {
    EndGame(g);
  }
  // Reaching the floor completes the story even when the same frame killed
  // him; the game ends once.
  if (!MapHoldsHero(h.PY, g.StoryLength)) {
    g.StoryCompleted = true;
    if (!g.GameOver) EndGame(g);
  }
}

}  // namespace

void PlayerUpdate(GameState& g) {
  if (g.GameOver) return;
  PlayerState& h = g.Hero;
  Jump(g);
  h.OnIce = KindAt(g, h.PX + 26, h.PY + 36) == 4 || KindAt(g, h.PX + 6, h.PY + 36) == 4;
  Walk(g, g.Input.MoveLeft, h.PX - 4, -1.0);
  Walk(g, g.Input.MoveRight, h.PX + 36, 1.0);
  WalkingEffects(g);
  if (CodeAt(g, h.PX + 26, h.PY + 32) == 0 && CodeAt(g, h.PX + 4, h.PY + 32) == 0) Fall(g);
  GroundContact(g);
  h.PY += h.PVY;
  Settle(g);
  RideMovingTiles(g);
  DrillWarningAndWater(g);
  DeathAndWin(g);
}

}  // namespace pebblerun
