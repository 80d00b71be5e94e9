// The timers of the game screen's overlays, frame by frame: the level banner,
// the warning arrows, the story hints, the pause and start fades and the
// score popups.

#include <gtest/gtest.h>

#include "sim/game_screen_step.h"
#include "sim/overlays.h"
#include "sim_fixture.h"

namespace pebblerun {
namespace {

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
  int frames = 0;
  while (g->Overlay.HintAlpha > 0 && frames < 1000) {
    GameScreenStep(*g);
    ++frames;
  }
  EXPECT_EQ(frames, 100);
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
  int frames = 0;
  while (g->Overlay.PauseFade < 100 && frames < 1000) {
    GameScreenStep(*g);
    ++frames;
  }
  EXPECT_EQ(frames, 20);
  GameScreenStep(*g);
  EXPECT_EQ(g->Overlay.PauseFade, 100);
  g->GamePaused = false;
  for (frames = 0; g->Overlay.PauseFade > 0 && frames < 1000; ++frames) GameScreenStep(*g);
  EXPECT_EQ(frames, 20);

  // The menu fades out over the first 50 frames of a game started from it.
  g->Menu.MenuAlpha = 100;
  g->Menu.MenuItem = 10;
  for (frames = 0; g->Menu.MenuAlpha > 0 && frames < 1000; ++frames) GameScreenStep(*g);
  EXPECT_EQ(frames, 50);
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
