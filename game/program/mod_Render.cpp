#include "program/mod_Render.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <string>

#include <quillon/numbers.h>

#include "program/modBonus.h"
#include "program/mod_Menu.h"
#include "sim/game_keys.h"
#include "sim/playfield.h"

namespace pebblerun {

namespace vb = quillon::vb;

namespace {

// Alphas and rounded values as the drawing converts them: nearest, halves to
// even; anything out of range draws nothing rather than wrapping.
std::int16_t Alpha(double value) { return vb::CInt(value).value_or(0); }
long Whole(double value) { return vb::CLng(value).value_or(0); }
long WholeDiv(double a, double b) { return vb::IDiv(a, b).value_or(0); }

// Seconds of a steady clock, for the hint and pause animations.
double TimerSeconds() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

const Texture& Tile(const GameAssets& a, Integer code) {
  static const Texture none;
  return code >= 0 && code < kTileSlots ? a.tiles[static_cast<std::size_t>(code)] : none;
}

struct Frame {
  GameState& g;
  GameAssets& a;
  quillon::Engine& e;
  bool paused;
};

void Tint(Frame& f, int r, int g, int b) { f.e.AmbientColor(r, g, b); }

void DrawSkyAndClouds(Frame& f) {
  GameState& g = f.g;
  double red = 0;
  if (g.StoryLength > 0) {
    const double k = 255.0 / (2 * g.StoryLength);
    red = std::clamp(vb::Int(k * WholeDiv(-g.World.ScrollY, 32)), 0.0, 255.0);
  }
  Tint(f, 255, 255 - static_cast<int>(red), 255 - static_cast<int>(red));
  f.e.Draw(f.a.background_sky, 0, 0, 1, 480, 0, 100, 0, 0, 640, 480);
  const Cloud& c0 = g.Screen.Clouds[0];
  const Cloud& c1 = g.Screen.Clouds[1];
  f.e.Draw(f.a.clouds, c0.X, c0.Y, c0.W, c0.H, 0, 100, 0, 0);
  f.e.Draw(f.a.clouds, c1.X, c1.Y, c1.W, c1.H - 2, 0, 100, 0, 95);
  Tint(f, 255, 255, 255);
}

void DrawField(Frame& f) {
  GameState& g = f.g;
  const long first = WholeDiv(-g.World.ScrollY, Whole(g.World.TileSize));
  for (long y = first; y <= first + 15; ++y) {
    if (y > g.StoryLength) break;
    for (int x = 0; x <= 14; ++x) {
      const Integer c = Cell(g, static_cast<Single>(x), static_cast<Single>(y));
      if (c <= 0) continue;
      const Single X = static_cast<Single>(x * 32 + 80);
      const Single Y = static_cast<Single>(y * 32) + g.World.ScrollY;
      const bool painted = PaintCell(g, static_cast<Single>(x), static_cast<Single>(y), false, false);
      if (c == 5) {
        // Glass is always drawn faint.
        f.e.Draw(Tile(f.a, ShownTileCode(g, c, painted, g.StoryMode)), X, Y, 32, 32, 0, 20);
      } else {
        f.e.Draw(Tile(f.a, ShownTileCode(g, c, painted, false)), std::nearbyint(X), std::nearbyint(Y), 32, 32,
                 0, 100);
      }
    }
  }
}

void DrawTobo(Frame& f) {
  GameState& g = f.g;
  const ScreenState& s = g.Screen;
  const Single lift = g.Hero.EarLift;
  const bool bigEars = g.Bonus.EarsTimeLeft > 0;
  static constexpr int kTrailAlpha[3] = {100, 20, 10};
  for (int i = 2; i >= 0; --i) {
    const Single x0 = 80 + s.HeroTrailX[static_cast<std::size_t>(i)];
    const Single hy = s.HeroTrailY[static_cast<std::size_t>(i)];
    const Single rot = s.BodyWobble;
    const std::int16_t alpha = static_cast<std::int16_t>(kTrailAlpha[i]);
    f.e.Draw(f.a.tobo_blue, x0, hy, 32, 32, rot, alpha);
    const int redness = static_cast<int>(std::clamp(s.EyeRedness, 0.0f, 255.0f));
    Tint(f, 255, 255 - redness, 255 - redness);
    f.e.Draw(f.a.tobo_eyes, x0 + 9, hy + 6, 14, 16, rot, alpha, 0, 0);
    f.e.Draw(f.a.tobo_eyes, x0 + 10, hy + 11 + s.PupilDrop, 12, 7, rot, alpha, 1, 19);
    Tint(f, 255, 255, 255);
    const Single earY = hy + 2 - lift;
    if (bigEars) {
      f.e.Draw(f.a.tobo_eyes, x0, earY, 8, 11, lift * 10, alpha, 16, 11);
      f.e.Draw(f.a.tobo_eyes, x0 + 24, earY, 8, 11, -lift * 10, alpha, 23, 11);
    } else {
      f.e.Draw(f.a.tobo_eyes, x0 + 1, earY, 5, 6, lift * 10, alpha, 18, 1);
      f.e.Draw(f.a.tobo_eyes, x0 + 26, earY, 5, 6, -lift * 10, alpha, 23, 1);
    }
  }
}

void DrawMovingTiles(Frame& f) {
  GameState& g = f.g;
  const Single top = -g.World.ScrollY;
  for (const MovingTile& t : g.Tiles.MovingTiles) {
    if (!t.Active || !(t.Y > top - 32 && t.Y < top + 480)) continue;
    const Single angle =
        (!f.paused && !t.InWater) ? static_cast<Single>(vb::Int(g.CosmeticRandom.Rnd() * 360.0)) : 0;
    const Integer code = static_cast<Integer>(Whole(t.Code));
    f.e.Draw(Tile(f.a, ShownTileCode(g, code, t.Painted, true)), 80 + t.X, g.World.ScrollY + t.Y, 32, 32,
             angle, 60);
  }
}

void DrawSmashPieces(Frame& f) {
  GameState& g = f.g;
  const Integer distance = g.Tuning.Falling_Tiles.Smashing_Explosion_Distance;
  for (const SmashPiece& p : g.Tiles.SmashPieces) {
    if (!p.Active) continue;
    const std::int16_t a = distance == 0 ? 100 : Alpha(100 - 100.0 / distance * p.Age);
    const Integer code = static_cast<Integer>(Whole(p.Code));
    const Texture& tex = Tile(f.a, ShownTileCode(g, code, p.Painted || !g.StoryMode, true));
    const Single spin = f.paused ? 0 : static_cast<Single>(vb::Int(g.CosmeticRandom.Rnd() * 360.0));
    const Single ox = 80 + p.X, oy = g.World.ScrollY + p.Y, d = 2 * p.Age;
    // Four quarters fly apart from the tile's corner.
    f.e.Draw(tex, ox - d, oy - d, 16, 16, spin, a, 0, 0);
    f.e.Draw(tex, ox + d, oy - d, 16, 16, spin, a, 16, 0);
    f.e.Draw(tex, ox - d, oy + d, 16, 16, spin, a, 0, 16);
    f.e.Draw(tex, ox + d, oy + d, 16, 16, spin, a, 16, 16);
  }
}

void DrawBlastsAndParticles(Frame& f) {
  GameState& g = f.g;
  for (const BlastRecord& b : g.Tiles.Blasts) {
    if (!b.Active || b.Life < 1) continue;
    f.e.Draw(f.a.explosion, 80 + b.X, b.Y, 134, 128, b.Angle, b.Life);
    if (b.P3 != 0) f.e.Draw(f.a.text_boom, 80 + b.P3, b.P4, 64, 19, b.P5, b.Life);
  }
  for (const Particle& q : g.Tiles.Particles) {
    if (q.Life < 1) continue;
    // The particle moved and aged before this frame was drawn: draw it with
    // the life it had when it moved.
    const int life = q.Life + 1;
    const std::int16_t alpha = static_cast<std::int16_t>(q.Fade ? std::min(life, 50) : 50);
    const auto draw = [&] { f.e.Draw(f.a.particles, q.X, q.Y, 32, 32, q.Angle, alpha); };
    switch (q.Kind) {
      case 0:
      case 2: draw(); break;
      case 1:
        Tint(f, 14, 90, 157);
        draw();
        break;
      case 3:
        Tint(f, 100, 100, 100);
        draw();
        break;
      case 5:
        Tint(f, 170, 248, 255);
        draw();
        Tint(f, 14, 90, 157);
        draw();
        break;
      default: break;
    }
    Tint(f, 255, 255, 255);
  }
}

void DrawDrills(Frame& f) {
  GameState& g = f.g;
  const Single drillY = g.World.DrillY;
  const long shaft = WholeDiv(drillY + 32, 32);
  for (int i = 1; i <= 13; ++i) {
    const Single x = static_cast<Single>(80 + 32 * i);
    const Single shiver = static_cast<Single>(vb::Int(g.CosmeticRandom.Rnd() * 10.0) - 5);
    f.e.Draw(f.a.sharp, x, drillY, 32, 32, shiver, 100);
    for (long j = 1; j <= shaft; ++j) f.e.Draw(Tile(f.a, 51), x, drillY - 32 * j + 3, 32, 32, 0, 100);
  }
}

void DrawWater(Frame& f) {
  GameState& g = f.g;
  if (!g.DetailsHigh) return;
  Tint(f, 100, 100, 255);
  const auto& waves = g.World.WaterWaves;
  const Single waterY = g.World.WaterY;
  // The surface jitter only looks: it runs on from where the game's water
  // step left the phases.
  Single phase1 = g.Screen.WaterPhase1, phase2 = g.Screen.WaterPhase2;
  const bool backLayer = waterY + 25 < 480;
  for (int wx = 31, k = 1; wx <= 447; wx += 2, ++k) {
    const Single wave = waves[static_cast<std::size_t>(k)];
    const Single height = 482 - waterY - wave;  // each strip is 2 pixels wide
    phase1 += 50;
    if (phase1 > 8000) phase1 = 0;
    f.e.Draw(f.a.background_sky, static_cast<Single>(wx + 80), waterY + wave + std::cos(phase1), 1, 1, 0, 50,
             0, 0, 2, height);
    if (backLayer) {
      phase2 += 50;
      if (phase2 > 1000) phase2 = 0;
      f.e.Draw(f.a.background_sky, static_cast<Single>(wx + 80),
               waterY + 25 + static_cast<Single>(WholeDiv(wave, 2)) + std::cos(phase2), 1, 1, 0, 50, 0, 0, 2,
               height);
    }
  }
  Tint(f, 255, 255, 255);
}

// ---------------------------------------------------------------- overlays

void DrawScorePopups(Frame& f) {
  GameState& g = f.g;
  if (g.World.CurrentLevel < 1) return;
  for (std::size_t i = 1; i < g.Overlay.ScorePopups.size(); ++i) {
    const ScorePopupRecord& s = g.Overlay.ScorePopups[i];
    if (!s.Active) continue;  // one that faded out this frame has alpha 0 or less: nothing to see
    f.e.DrawText(f.a.default_num, s.Text, s.X, s.Y, static_cast<float>(1 / 2.4), 0, s.Alpha, 200, 255, 200);
  }
}

void DrawWarningArrows(Frame& f) {
  GameState& g = f.g;
  if (g.GameOver || !g.Overlay.WarningArrowsOn) return;
  const double top = -g.World.ScrollY;
  const long rowAbove = WholeDiv(top, 32);
  const long r = rowAbove + 18;
  const long d = Alpha((top + 576) - (rowAbove * 32 + 576));
  const std::int16_t alpha = d < 16 ? Alpha(100.0 / 16 * d) : Alpha(100 - 100.0 / 16 * (d - 16));
  for (int x = 1; x <= 13; ++x) {
    if (Cell(g, static_cast<Single>(x), static_cast<Single>(r)) > 0)
      f.e.Draw(f.a.arrow, static_cast<Single>(32 * x + 80), 448, 32, 32, 0, alpha);
  }
}

void DrawLevelBanner(Frame& f) {
  const OverlayState& o = f.g.Overlay;
  if (o.LevelBannerTimer <= 0) return;
  const Integer level = f.g.World.CurrentLevel;
  f.e.Draw(f.a.level_text, 128, 360, 256, 128, 0, o.LevelBannerAlpha);
  if (level >= 0 && level < 12)
    f.e.Draw(f.a.level_num[static_cast<std::size_t>(level)], 368, 360, 128, 128, 0, o.LevelBannerAlpha);
}

void DrawRecordPrompt(Frame& f) {
  GameState& g = f.g;
  if (!g.GameOver || !(g.World.Score > g.Records.HighScores[9].Score)) return;
  const float w = static_cast<float>(2.0 / 3 * 512), h = static_cast<float>(2.0 / 3 * 64);
  f.e.Draw(f.a.s_title, 150, 160, 512, 64, 0, 100, 0, 0, w, h);
  f.e.Draw(f.a.s_yournameplease, 147, 300, 512, 64, 0, 100, 0, 0, w, h);
  const std::string& name = g.Records.TypedName;
  const float x = static_cast<float>(323 - 11 * static_cast<int>(name.size()));
  f.e.DrawText(f.a.blue, name, x, 240, 1, 0, 100, 155, 255, 200);
  // The cursor blinks under its letter, or under the blank slot after the name.
  if (std::fmod(TimerSeconds(), 0.8) < 0.5)
    f.e.DrawText(f.a.blue, "_", x + 22 * static_cast<float>(NameCursor(g)), 244, 1, 0, 100, 155, 255, 200);
}

void DrawHints(Frame& f) {
  GameState& g = f.g;
  const OverlayState& o = g.Overlay;
  if (!g.StoryMode || !(o.HintAlpha > 0 || g.World.CurrentLevel == 0)) return;
  const double s = std::sin(TimerSeconds() * 6);
  const auto jitter = [&] { return static_cast<float>(2 * g.CosmeticRandom.Rnd()); };
  const std::int16_t alpha = Alpha(o.HintAlpha);
  const Single drillY = g.World.DrillY;
  Tint(f, 252, 252, 0);
  f.e.Draw(f.a.arrow_help, 162, 42 + drillY, 32, 32, static_cast<float>(20 * s - 90), alpha);
  f.e.DrawText(f.a.blue, "DANGER", 147 + jitter(), 75 + jitter() + drillY, 0.5f, 0, alpha, 255, 55, 55);
  Tint(f, 252, 252, 0);
  f.e.Draw(f.a.arrow_help, 162, 443, 32, 32, static_cast<float>(20 * s + 90), alpha);
  f.e.DrawText(f.a.blue, "DANGER", 147 + jitter(), 430 + jitter(), 0.5f, 0, alpha, 255, 55, 55);
  Tint(f, 255, 255, 255);
  f.e.DrawText(f.a.blue, "HIT 'SPACE' TO ACTIVATE THE BOMB", 148 + jitter(), 160 + jitter() + g.World.ScrollY,
               0.5f, 0, alpha, 255, 55, 55);
}

void DrawBombStock(Frame& f) {
  const GameState& g = f.g;
  const Single spin = g.Bonus.SelectionSpin;
  const int bombs = static_cast<int>(std::clamp(g.Bonus.BombCount, 0.0f, 60.0f));
  for (int i = 0; i < bombs; ++i) {
    Single x = 0, y = 0;
    BombStockPlace(i, x, y);
    f.e.Draw(f.a.bonus_selection, x, y + 4, 32, 32, spin, 40);
    f.e.Draw(f.a.bomb, x, y, 32, 32, 0, 95);
    f.e.Draw(f.a.bonus_selection, x, y + 4, 32, 32, -spin, 10);
  }
}

// A bonus gauge: icon with its highlight, the empty bar, the fill from 475 up.
void DrawGauge(Frame& f, const Texture& icon, Single x, Single timeLeft) {
  const Single spin = f.g.Bonus.SelectionSpin;
  f.e.Draw(f.a.bonus_selection, x, 315, 32, 32, spin, 20);
  f.e.Draw(icon, x, 315, 32, 32, 0, 100);
  f.e.Draw(f.a.bonus_selection, x, 315, 32, 32, -spin, 20);
  Tint(f, 255, 55, 55);
  f.e.Draw(f.a.sidebar, x, 347, 32, 128 - timeLeft / 10, 0, 20);
  Tint(f, 55, 255, 55);
  Single h = 0;
  std::int16_t a = 10;
  if (timeLeft > 0) {
    h = std::min(timeLeft / 10, 128.0f);
    a = 80;
  }
  if (h > 0) f.e.Draw(f.a.sidebar, x, 475 - h, 32, h, 180, a);
  Tint(f, 255, 255, 255);
}

void DrawSidebar(Frame& f) {
  const GameState& g = f.g;
  if (!g.StoryMode) DrawGauge(f, f.a.bigears, 43, g.Bonus.EarsTimeLeft);
  DrawGauge(f, f.a.boot, 5, g.Bonus.BootTimeLeft);
  f.e.Draw(f.a.bonus_selection, 25, 213, 32, 32, g.Bonus.SelectionSpin, 20);
  f.e.Draw(f.a.weighticon, 25, 213, 32, 32, 0, 50);
  Tint(f, 255, 55, 55);
  f.e.Draw(f.a.sidebar_h, 5, 247, 128, 32, 0, 20, 0, 0, 70, 32);
  Tint(f, 55, 255, 55);
  const Single w = std::min(static_cast<Single>((g.Hero.Weight - 3.4) * 10), 70.0f);
  if (w >= 1) f.e.Draw(f.a.sidebar_h, 5, 247, 128, 32, 0, 100, 0, 0, w, 32);
  Tint(f, 255, 255, 255);
}

void DrawTargetAndScore(Frame& f) {
  GameState& g = f.g;
  const auto& rows = g.Records.HighScores;
  if (!g.Replay.PlayingReplay) {
    f.e.DrawText(f.a.default_num, "BETTER", 2, 3, 0.5f, 0, 80, 5, 5, 90);
    int position = 1;
    Long target = rows[0].Score;
    for (int i = 9; i >= 0; --i) {
      if (g.World.Score < rows[static_cast<std::size_t>(i)].Score) {
        position = i + 1;
        target = rows[static_cast<std::size_t>(i)].Score;
        break;
      }
    }
    f.e.DrawText(f.a.default_num, std::to_string(position) + ". " + std::to_string(target), 2, 13, 0.4f, 0,
                 97, 5, 5, 95);
  }
  const int n = ScoreDigits(g.World.Score);
  if (g.Tuning.Score.Graphic_BackLayer)
    f.e.Draw(f.a.background_lightblue, 80 + 38, 10, 1, 1, 0, 55, 0, 0, static_cast<float>(22 * n), 22);
  Single red = 0, green = 0, blue = 0;
  ScoreColour(g.Tuning.Score.Graphic_RGB, red, green, blue);
  f.e.DrawText(f.a.blue, vb::FormatLong(static_cast<long long>(vb::Int(g.World.Score))), 80 + 38, 10, 1, 0,
               95, red, green, blue);
}

void DrawDebugWindow(Frame& f) {
  GameState& g = f.g;
  if (!g.Input.DebugWindowVisible) return;
  const OverlayState& o = g.Overlay;
  f.e.Draw(f.a.debug_window, o.DebugWindowX, o.DebugWindowY, 129, 257, 0, 80, 0, 0, o.DebugWindowW,
           o.DebugWindowH);
  f.e.DrawFont(kGameFont, static_cast<float>(Whole(o.DebugWindowX + 4)),
               static_cast<float>(Whole(o.DebugWindowY + 3)), o.DebugWindowW, o.DebugWindowH, o.DebugText, -1,
               0);
  f.e.DrawFont(kGameFont2, 488, static_cast<float>(Whole(o.DebugWindowY - 15)), 150, 15,
               "Pretisnite ESC za izlaz", -65536, 2);
}

void DrawPauseAndFades(Frame& f, Program& p) {
  GameState& g = f.g;
  const Integer fade = g.Overlay.PauseFade;
  if (fade > 0) {
    f.e.Draw(f.a.background_black, 0, 0, 1, 1, 0, static_cast<std::int16_t>(fade - 40), 0, 0, 640, 480);
    f.e.Draw(f.a.paused, 64, 200, 512, 128, static_cast<float>(std::cos(TimerSeconds())),
             static_cast<std::int16_t>(fade - 10));
  }
  if (g.Menu.MenuAlpha > 0 && g.Menu.MenuItem == 10) MenuBackground(p, g.Menu.MenuAlpha);
  // The end fade: the menu background comes in as GameEndFade runs out; in the
  // frame it ran out (the game step has just handed over to the menu) it is whole.
  if (g.GameEndFade > 0 || !g.InGame) MenuBackground(p, 100 - g.GameEndFade);
}

}  // namespace

Integer ShownTileCode(const GameState& g, Integer code, bool painted, bool greyGlass) {
  if (painted) return code;
  if (code == 5) return greyGlass ? Integer{60} : code;
  switch (KindOf(g, code)) {
    case 1: return 56;
    case 2: return 57;
    case 3: return 58;
    case 4: return 59;
    default: return code;
  }
}

void ScoreColour(const std::string& text, Single& red, Single& green, Single& blue) {
  Single* parts[3] = {&red, &green, &blue};
  std::size_t start = 0;
  for (int i = 0; i < 3; ++i) {
    const std::size_t comma = text.find(',', start);
    const std::string part =
        start <= text.size()
            ? text.substr(start, comma == std::string::npos ? std::string::npos : comma - start)
            : "";
    *parts[i] = static_cast<Single>(vb::Int(vb::ParseNumber(part).value_or(0)));
    if (comma == std::string::npos) {
      start = text.size() + 1;
    } else {
      start = comma + 1;
    }
  }
}

int ScoreDigits(Single score) {
  if (score >= 10000) return 5;
  if (score >= 1000) return 4;
  if (score >= 100) return 3;
  if (score >= 10) return 2;
  return 1;
}

void BombStockPlace(int i, Single& x, Single& y) {
  const int row = i < 15 ? i + 1 : i + 1 - 15;
  x = i < 15 ? 608 : 576;
  y = static_cast<Single>(32 * row);
}

void DrawGameScreen(Program& p) {
  Frame f{*p.Game, p.Assets, p.Objects.EngineObj, p.Game->GamePaused};
  f.e.ClearScreen(0, 0, 0);
  DrawSkyAndClouds(f);
  DrawField(f);
  DrawTobo(f);
  DrawMovingTiles(f);
  DrawSmashPieces(f);
  DrawBonuses(p);
  DrawBlastsAndParticles(f);
  DrawDrills(f);
  DrawWater(f);
  DrawScorePopups(f);
  DrawWarningArrows(f);
  DrawLevelBanner(f);
  DrawRecordPrompt(f);
  DrawHints(f);
  DrawBombStock(f);
  DrawSidebar(f);
  DrawTargetAndScore(f);
  DrawDebugWindow(f);
  DrawPauseAndFades(f, p);
}

}  // namespace pebblerun
