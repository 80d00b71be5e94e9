// The game screen's step: the drills' contact with the field, the glass
// bomb's wave over the visible tiles, and the timers of the overlays (level
// banner, warning arrows, story hints, pause and start fades, score popups).

#include "sim/game_screen_step.h"

#include <gtest/gtest.h>

#include "sim/overlays.h"
#include "sim/tiles.h"
#include "sim_fixture.h"

namespace pebblerun {
namespace {

using simtest::MakeState;

// Game-screen steps until done() holds; how many it took (1000 at most).
template <class Done>
int StepsUntil(GameState& g, Done done) {
  int steps = 0;
  for (; !done() && steps < 1000; ++steps) GameScreenStep(g);
  return steps;
}

TEST(DrillContact, StonePushesBackOncePerStoneNeverAboveMinus30) {
  auto g = MakeState();
  g->World.DrillY = 100;  // lower edge at 132: inside row 4
  Cell(*g, 3, 4, 6);
  Cell(*g, 9, 4, 6);
  Cell(*g, 5, 4, 1);
  Cell(*g, 6, 5, 1);
  GameScreenStep(*g);
  EXPECT_FLOAT_EQ(g->World.DrillY, 100 - 2 * (10 * 5 * 0.02f));
  EXPECT_EQ(Cell(*g, 3, 4), 0);  // the drills break even stone
  EXPECT_EQ(Cell(*g, 5, 4), 0);
  EXPECT_EQ(Cell(*g, 6, 5), 1);  // the row below is untouched
  g->World.DrillY = -29.5f;      // lower edge at 2.5: row 0
  Cell(*g, 4, 0, 6);
  g->Tuning.SharpDrills.HitStone_GoBack_Pixels = 100;
  GameScreenStep(*g);
  EXPECT_EQ(g->World.DrillY, -30);
}

TEST(DrillContact, ArcadeKnocksSomeTilesLooseStoryNever) {
  for (bool story : {false, true}) {
    auto g = MakeState(story);
    g->Random.Seed(4);
    int loose = 0;
    for (int i = 0; i < 40; ++i) {
      g->World.DrillY = 100;
      for (int x = 1; x <= 13; ++x) Cell(*g, x, 4, 1);
      g->Tiles = TileState{};
      GameScreenStep(*g);
      loose += simtest::ActiveMovingTiles(*g);
    }
    if (story) {
      EXPECT_EQ(loose, 0);
    } else {
      EXPECT_GT(loose, 5);  // about one in twenty of 520 strikes
      EXPECT_LT(loose, 60);
    }
  }
}

TEST(Bonuses, GlassBombTurnsVisibleTilesToGlass) {
  auto g = simtest::MakeState();
  const Integer codes[] = {1, 5, 6, 55, 20, 47};
  for (int x = 1; x <= 6; ++x) Cell(*g, x, 8, codes[x - 1]);
  Cell(*g, 3, 30, 1);  // out of view
  g->Bonus.GlassWaveArmed = true;
  GameScreenStep(*g);
  EXPECT_FALSE(g->Bonus.GlassWaveArmed);
  EXPECT_EQ(Cell(*g, 1, 8), 5);
  EXPECT_EQ(Cell(*g, 2, 8), 5);
  EXPECT_EQ(Cell(*g, 3, 8), 6);
  EXPECT_EQ(Cell(*g, 4, 8), 55);
  EXPECT_EQ(Cell(*g, 5, 8), 5);
  EXPECT_EQ(Cell(*g, 6, 8), 5);
  EXPECT_EQ(Cell(*g, 3, 30), 1);
  EXPECT_EQ(simtest::ActiveSmashPieces(*g), 3);
  EXPECT_EQ(g->World.Score, 0);
}

TEST(OverlayTimers, TheLevelBannerFadesInForAHundredFramesAndOutForAHundred) {
  auto g = simtest::MakeState();
  g->World.CurrentLevel = 1;
  int frames = 0, peak = 0, peakFrame = 0;
  do {
    GameScreenStep(*g);
    ++frames;
    if (g->Overlay.LevelBannerAlpha > peak) {
      peak = g->Overlay.LevelBannerAlpha;
      peakFrame = frames;
    }
  } while (g->Overlay.LevelBannerTimer > 0 && frames < 1000);
  EXPECT_EQ(frames, 200);
  EXPECT_EQ(peak, 100);
  EXPECT_EQ(peakFrame, 100);
  EXPECT_EQ(g->Overlay.LevelBannerAlpha, 0);
  EXPECT_EQ(g->Overlay.LevelShown, 1);

  // Paused, the banner stands still.
  g->World.CurrentLevel = 2;
  GameScreenStep(*g);
  g->GamePaused = true;
  const auto timer = g->Overlay.LevelBannerTimer, alpha = g->Overlay.LevelBannerAlpha;
  for (int i = 0; i < 10; ++i) GameScreenStep(*g);
  EXPECT_EQ(g->Overlay.LevelBannerTimer, timer);
  EXPECT_EQ(g->Overlay.LevelBannerAlpha, alpha);
  g->GamePaused = false;

  // A leftover opacity meets the timer earlier and goes above 100.
  auto leftover = simtest::MakeState();
  leftover->World.CurrentLevel = 3;
  leftover->Overlay.LevelBannerAlpha = 50;
  int met = 0;
  for (int i = 1; i <= 200 && met == 0; ++i) {
    GameScreenStep(*leftover);
    if (leftover->Overlay.LevelBannerAlpha == leftover->Overlay.LevelBannerTimer) met = i;
  }
  EXPECT_EQ(met, 75);

  // Level 11 and beyond have no banner.
  auto deep = simtest::MakeState();
  deep->World.CurrentLevel = 11;
  GameScreenStep(*deep);
  EXPECT_EQ(deep->Overlay.LevelBannerTimer, 0);
}

TEST(OverlayTimers, TheWarningArrowsLatchWhenToboStandsLow) {
  auto g = simtest::MakeState();
  g->Hero.PY = 331;
  GameScreenStep(*g);
  EXPECT_FALSE(g->Overlay.WarningArrowsOn);
  g->Hero.PY = 340;
  g->Hero.Airborne = true;  // falling past is not standing low
  GameScreenStep(*g);
  EXPECT_FALSE(g->Overlay.WarningArrowsOn);
  g->Hero.Airborne = false;
  GameScreenStep(*g);
  EXPECT_TRUE(g->Overlay.WarningArrowsOn);
  g->Hero.PY = 100;  // latched for the rest of the game
  GameScreenStep(*g);
  EXPECT_TRUE(g->Overlay.WarningArrowsOn);

  auto over = simtest::MakeState();
  over->GameOver = true;
  over->Hero.PY = 400;
  GameScreenStep(*over);
  EXPECT_FALSE(over->Overlay.WarningArrowsOn);
}

TEST(OverlayTimers, StoryHintsShowInLevelZeroThenFadeByOnePerFrame) {
  auto g = simtest::MakeState(true);
  g->World.CurrentLevel = 0;
  GameScreenStep(*g);
  EXPECT_EQ(g->Overlay.HintAlpha, 100);
  g->World.CurrentLevel = 1;
  EXPECT_EQ(StepsUntil(*g, [&] { return g->Overlay.HintAlpha <= 0; }), 100);
  GameScreenStep(*g);
  EXPECT_EQ(g->Overlay.HintAlpha, 0);

  auto arcade = simtest::MakeState(false);
  arcade->World.CurrentLevel = 0;
  GameScreenStep(*arcade);
  EXPECT_EQ(arcade->Overlay.HintAlpha, 0);
}

TEST(OverlayTimers, PauseFadeAndStartFade) {
  auto g = simtest::MakeState();
  g->GamePaused = true;
  EXPECT_EQ(StepsUntil(*g, [&] { return g->Overlay.PauseFade >= 100; }), 20);
  GameScreenStep(*g);
  EXPECT_EQ(g->Overlay.PauseFade, 100);
  g->GamePaused = false;
  EXPECT_EQ(StepsUntil(*g, [&] { return g->Overlay.PauseFade <= 0; }), 20);

  // The menu fades out over the first 50 frames of a game started from it.
  g->Menu.MenuAlpha = 100;
  g->Menu.MenuItem = 10;
  EXPECT_EQ(StepsUntil(*g, [&] { return g->Menu.MenuAlpha <= 0; }), 50);
  g->Menu.MenuAlpha = 100;
  g->Menu.MenuItem = 1;
  GameScreenStep(*g);
  EXPECT_EQ(g->Menu.MenuAlpha, 100);
}

TEST(OverlayTimers, ScorePopupsRiseFadeAndNeverExceedTwenty) {
  auto g = simtest::MakeState();
  g->World.CurrentLevel = 0;
  SpawnScorePopup(*g, 10, 10, "5");
  for (const auto& p : g->Overlay.ScorePopups) EXPECT_FALSE(p.Active);  // none before level 1

  g->World.CurrentLevel = 1;
  for (int i = 0; i < 25; ++i) SpawnScorePopup(*g, 100.7f + i, 200.2f, std::to_string(i));
  int active = 0;
  for (const auto& p : g->Overlay.ScorePopups) active += p.Active ? 1 : 0;
  EXPECT_EQ(active, 20);
  EXPECT_FALSE(g->Overlay.ScorePopups[0].Active);  // slots 1..20
  const auto& first = g->Overlay.ScorePopups[1];
  EXPECT_EQ(first.X, 100);
  EXPECT_EQ(first.Y, 200);
  EXPECT_EQ(first.Text, "0");
  EXPECT_EQ(g->Overlay.ScorePopups[20].Text, "19");  // the five beyond were dropped

  AdvanceScorePopups(*g);
  EXPECT_EQ(first.Alpha, 98);
  EXPECT_EQ(first.Y, 198);
  int frames = 1;
  while (first.Active && frames < 1000) {
    AdvanceScorePopups(*g);
    ++frames;
  }
  EXPECT_EQ(frames, 50);
  SpawnScorePopup(*g, 1, 1, "again");
  EXPECT_EQ(g->Overlay.ScorePopups[1].Text, "again");  // a free slot is taken again
}

}  // namespace
}  // namespace pebblerun
