// The steps of the drawn game frame that change the game, in the order the
// frame draws them; the drawing itself is done by the program from the state.

#include "sim/game_screen_step.h"

#include <algorithm>
#include <cmath>

#include <quillon/numbers.h>

#include "sim/bonus.h"
#include "sim/overlays.h"
#include "sim/playfield.h"
#include "sim/sim_math.h"
#include "sim/tiles.h"
#include "sim/water.h"

namespace pebblerun {

namespace vb = quillon::vb;

namespace {

// Tiles resting across the water line press the surface down.
void WaterLoad(GameState& g, int x, Single screenY) {
  auto& waves = g.World.WaterWaves;
  for (int px = x * 32; px <= x * 32 + 32; ++px) {
    const int k = px / 2;
    if (k <= 13 || k - 13 >= kWaterWaves) continue;
    if (g.World.WaterY - waves[k - 13] < screenY + 48) waves[k - 13] -= 0.5f;
  }
}

// The drills' lower edge lies inside row y.
bool DrillsInRow(const GameState& g, int y) {
  const Single lowerEdge = g.World.DrillY + 32 - g.World.ScrollY;
  return y * 32 < lowerEdge && lowerEdge < (y + 1) * 32;
}

void DrillContact(GameState& g, int x, int y, Integer c) {
  if (!DrillsInRow(g, y)) return;
  const WorldState& w = g.World;
  const TuningSharpDrills& d = g.Tuning.SharpDrills;
  if (c == kStone) {
    // Stone pushes the drills back.
    g.World.DrillY = static_cast<Single>(w.DrillY - static_cast<double>(d.Speed_of_Lowering) *
                                                        d.HitStone_GoBack_Pixels * g.FrameTime);
    if (g.World.DrillY < -30) g.World.DrillY = -30;
  }
  const int r = static_cast<int>(std::floor(g.Random.Rnd() * 20.0f));
  const bool unseededPlayback = g.Replay.PlayingReplay && !g.Replay.SeededPlayback;
  const Single smashOn = g.Tuning.Falling_Tiles.Hit_SmashOnForce;
  if (r == 2 && !g.StoryMode && !unseededPlayback && c != kStone) {
    TileUpdate(g, true, x, y, smashOn - 0.5f, false, true);  // knocked loose: it falls
  } else {
    TileUpdate(g, true, x, y, smashOn, false, true);
  }
}

void FieldPass(GameState& g) {
  const int first = WholeDiv(-g.World.ScrollY, RoundOr(g.World.TileSize, 32));
  const Single smashOn = g.Tuning.Falling_Tiles.Hit_SmashOnForce;
  for (int y = first; y <= first + 15; ++y) {
    if (y > g.StoryLength) break;
    // Most rows hold neither the water line nor the drills' edge; only the
    // drills move in this pass (stone pushes them back), and only within
    // their own row, so a row without them at its start stays without.
    const Single screenY = static_cast<Single>(y * 32) + g.World.ScrollY;
    const bool waterRow =
        g.World.CurrentLevel > 0 && screenY < g.World.WaterY && g.World.WaterY < screenY + 32;
    if (!g.Bonus.GlassWaveArmed && !waterRow && !DrillsInRow(g, y)) continue;
    for (int x = 0; x <= 14; ++x) {
      const Integer c = CellAt(g, x, y);
      if (g.Bonus.GlassWaveArmed && c > 0 && c < 51 && c != kGlass && c != kStone) {
        TileUpdate(g, true, x, y, smashOn, false, false);
        Cell(g, x, y, kGlass);
      }
      if (c > 0 && waterRow && x > 0 && !g.Policy.LookAhead) WaterLoad(g, x, screenY);
      if (x >= 1 && x <= 13) DrillContact(g, x, y, c);
    }
  }
  g.Bonus.GlassWaveArmed = false;
}

void FaceAnimation(GameState& g) {
  ScreenState& s = g.Screen;
  if (!g.GamePaused) {
    const bool still = s.HeroTrailX[0] == s.HeroTrailX[1] || g.Hero.Airborne;
    s.BodyWobble = still ? 0 : static_cast<Single>(std::floor(g.CosmeticRandom.Rnd() * 14.0f) - 7);
    if (g.Hero.PVY > 0 && s.EyeRedness < 100) {
      s.EyeRedness += 0.5f;
    } else {
      s.EyeRedness = std::max(0.0f, s.EyeRedness - 10);
    }
  }
  s.PupilDrop = std::min(3.0f, s.EyeRedness / 15);
  const int h = WholeDiv(s.PupilDrop, 2);
  Single& ear = g.Hero.EarLift;
  if (ear > h) ear = static_cast<Single>(ear - 0.4);
  if (ear < h) ear = static_cast<Single>(ear + 0.2);
  if (std::fabs(ear - s.PupilDrop) < 0.2f) ear = static_cast<Single>(h);
}

void SmashPieceDebris(GameState& g) {
  const Integer distance = g.Tuning.Falling_Tiles.Smashing_Explosion_Distance;
  for (const SmashPiece& p : g.Tiles.SmashPieces) {
    if (!p.Active) continue;
    const int a = distance == 0 ? 100 : RoundOr(100 - 100.0 / distance * p.Age, 0);
    const Single ox = 80 + p.X, oy = g.World.ScrollY + p.Y, spread = 2 * p.Age;
    const Single corners[4][2] = {{ox - spread, oy - spread},
                                  {ox + spread, oy - spread},
                                  {ox - spread, oy + spread},
                                  {ox + spread, oy + spread}};
    for (const auto& q : corners) {
      if (g.World.ScrollY + p.Y > g.World.DrillY + 64 && a > 5) {
        SpawnParticle(g, 5, q[0], q[1], 0, 0, 2, 15, true);
      }
    }
  }
}

void WaterStep(GameState& g) {
  if (!g.DetailsHigh) return;
  WorldState& w = g.World;
  if (w.CurrentLevel > 0) {
    if (w.WaterY < w.WaterTarget) {
      w.WaterY = static_cast<Single>(w.WaterY + 0.2);
    } else if (w.WaterY > w.WaterTarget) {
      w.WaterY = static_cast<Single>(w.WaterY - 0.2);
    }
  }
  // The waves are only drawn: a game played ahead in rehearsal skips them.
  if (!g.Policy.LookAhead) SettleWaves(w.WaterWaves);
  ScreenState& s = g.Screen;
  s.WaterPhase1 = AdvanceWaterPhase(s.WaterPhase1, 8000);
  if (w.WaterY + 25 < 480) s.WaterPhase2 = AdvanceWaterPhase(s.WaterPhase2, 1000);
}

void LevelBanner(GameState& g) {
  OverlayState& o = g.Overlay;
  if (g.World.CurrentLevel != o.LevelShown && g.World.CurrentLevel < 11) {
    o.LevelShown = g.World.CurrentLevel;
    o.LevelBannerTimer = 200;
  }
  if (o.LevelBannerTimer > 0) {
    if (!g.GamePaused) o.LevelBannerTimer -= 1;
    if (o.LevelBannerAlpha < o.LevelBannerTimer) {
      o.LevelBannerAlpha += 1;
    } else if (o.LevelBannerAlpha > o.LevelBannerTimer) {
      o.LevelBannerAlpha -= 1;
    }
  }
}

void Fades(GameState& g) {
  OverlayState& o = g.Overlay;
  if (g.StoryMode && (o.HintAlpha > 0 || g.World.CurrentLevel == 0)) {
    if (g.World.CurrentLevel == 0) {
      o.HintAlpha = 100;
    } else if (o.HintAlpha > 0) {
      o.HintAlpha -= 1;
    }
  }
  if (g.GamePaused) {
    if (o.PauseFade < 100) o.PauseFade = static_cast<Integer>(o.PauseFade + 5);
  } else if (o.PauseFade > 0) {
    o.PauseFade = static_cast<Integer>(o.PauseFade - 5);
  }
  if (g.Menu.MenuAlpha > 0 && g.Menu.MenuItem == 10) {
    g.Menu.MenuAlpha = std::max(0.0f, g.Menu.MenuAlpha - 2);
  }
  if (g.GameEndFade > 0) {
    g.GameEndFade -= 2;
    if (g.GameEndFade <= 0) {
      g.Menu.BackFade = 100;
      g.InGame = false;  // the menu takes over next pass
      // A playback keeps the mode it was recorded in to its last drawn
      // frame; the player's own mode comes back with the menu.
      if (g.Replay.ModeBeforePlayback) g.StoryMode = *g.Replay.ModeBeforePlayback;
      g.Replay.ModeBeforePlayback.reset();
    }
  }
}

// What moves in every frame, paused or not: the trail, the popups, the fades.
void AlwaysSteps(GameState& g) {
  ScreenState& s = g.Screen;
  s.HeroTrailX[2] = s.HeroTrailX[1];
  s.HeroTrailY[2] = s.HeroTrailY[1];
  s.HeroTrailX[1] = s.HeroTrailX[0];
  s.HeroTrailY[1] = s.HeroTrailY[0];
  s.HeroTrailX[0] = g.Hero.PX;
  s.HeroTrailY[0] = g.Hero.PY + g.World.ScrollY;
  FaceAnimation(g);
  AdvanceScorePopups(g);
  Fades(g);
}

}  // namespace

void GameScreenStep(GameState& g) {
  if (!g.GamePaused) {
    FieldPass(g);
    SmashPieceDebris(g);
    BonusStep(g);
    AdvanceBlasts(g);
    AdvanceParticles(g);
    WaterStep(g);
    if (!g.GameOver) UpdateWarningArrows(g);
    PowerTimers(g);
    LevelBanner(g);
    if (g.World.Score < 0) g.World.Score = 0;
  }
  AlwaysSteps(g);
}

void UpdateClouds(GameState& g) {
  auto& clouds = g.Screen.Clouds;
  for (int i = 0; i < 2; ++i) {
    Cloud& c = clouds[i];
    if (c.Active) {
      if (!g.GameOver) {
        const int level = std::clamp<int>(g.World.CurrentLevel, 0, kLevelSpecs - 1);
        c.Y = static_cast<Single>(c.Y - DivideBy(g.LevelSpecs[level].ScreenSpeed, c.Depth) * g.FrameTime);
      }
      c.X += c.VX;
      if (!(c.X >= -c.W && c.X <= c.W + 640 && c.Y >= -c.H)) c.Active = 0;
    }
    if (c.Active) continue;
    c.W = i == 0 ? 217 : 189;
    c.H = i == 0 ? 92 : 84;
    const Cloud& other = clouds[1 - i];
    if (other.Active && !(other.Y < 240)) continue;
    RandomGenerator& rnd = g.CosmeticRandom;
    c.VX = (rnd.Rnd() * 8 - 4) / 10;
    c.Depth = rnd.Rnd() + 2;
    c.X = rnd.Rnd() * 640 - static_cast<Single>(WholeDiv(c.W, 2));
    c.Y = 480;
    c.Active = -1;
  }
}

}  // namespace pebblerun
