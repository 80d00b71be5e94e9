// Whole frames of the game branch: pause, bonuses in play, the end of a game.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include <quillon/profile.h>

#include "../engine/temp_folder.h"
#include "sim/bonus.h"
#include "sim/game_frame.h"
#include "sim/game_screen_step.h"
#include "sim/tuning.h"
#include "sim_fixture.h"

namespace pebblerun {
namespace {

using Keys = std::array<std::uint8_t, kKeyCount>;
constexpr int kP = 25, kLeft = 203, kRight = 205, kUp = 200;

class GameFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    quillon::profile::ClearCache();
    std::filesystem::create_directories(folder_ / "textures");
    const char* source = std::getenv("PEBBLERUN_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    for (const char* name : {"lvl1.bmp", "lvl2.bmp"}) {
      std::filesystem::copy_file(std::filesystem::path(source) / "data" / "textures" / name,
                                 folder_ / "textures" / name);
    }
    g_ = Fresh();
  }
  std::unique_ptr<GameState> Fresh() const {
    auto g = std::make_unique<GameState>();
    g->AppFolder = folder_.Path().string();
    g->Policy.RecordsInMemory = true;
    g->DetailsHigh = true;
    g->CosmeticRandom.Seed(2024);
    for (int i = 0; i < 10; ++i) g->Records.HighScores[i] = {"TOBO", (10 - i) * 200};
    return g;
  }
  void Start(bool story) {
    g_->StoryMode = story;
    StartGame(*g_);
    g_->InGame = true;
  }
  static Keys Press(std::initializer_list<int> codes) {
    Keys k{};
    for (int c : codes) k[c] = 0x80;
    return k;
  }

  TempFolder folder_;
  std::unique_ptr<GameState> g_;
};

// Everything of a game that a paused frame must leave alone.
std::string Snapshot(const GameState& g) {
  std::string s;
  auto add = [&s](const void* p, std::size_t n) { s.append(static_cast<const char*>(p), n); };
  add(&g.Hero, sizeof g.Hero);
  add(&g.World, sizeof g.World);
  add(&g.Field.Cells, sizeof g.Field.Cells);
  add(&g.Field.PaintedGrid, sizeof g.Field.PaintedGrid);
  add(&g.Tiles.MovingTiles, sizeof g.Tiles.MovingTiles);
  add(&g.Tiles.SmashPieces, sizeof g.Tiles.SmashPieces);
  add(&g.Random.State, sizeof g.Random.State);
  add(&g.Bonus.BombCount, sizeof g.Bonus.BombCount);
  add(&g.Bonus.BootTimeLeft, sizeof g.Bonus.BootTimeLeft);
  add(&g.Overlay.LevelBannerTimer, sizeof g.Overlay.LevelBannerTimer);
  for (const Bonus& b : g.Bonus.Bonuses) add(&b.Active, sizeof b.Active);
  s += std::to_string(g.Replay.ReplayFrame) + (g.GameOver ? "over" : "on");
  return s;
}

TEST_F(GameFrameTest, APausedFrameChangesNothing) {
  for (bool story : {true, false}) {
    Start(story);
    for (int i = 0; i < 120; ++i) RunGameFrame(*g_, i % 40 < 20 ? Press({kLeft}) : Press({kRight, kUp}));
    // Drills resting on stone: while paused they must not be pushed back.
    g_->World.DrillY = 104;
    const int row = static_cast<int>((136 - g_->World.ScrollY) / 32);
    for (int x = 1; x <= 13; ++x) Cell(*g_, x, row, 6);
    RunGameFrame(*g_, Press({kP}));
    ASSERT_TRUE(g_->GamePaused);
    const std::string before = Snapshot(*g_);
    for (int i = 0; i < 200; ++i) RunGameFrame(*g_, Press({kLeft, kUp}));
    EXPECT_EQ(Snapshot(*g_), before) << (story ? "story" : "arcade");
    RunGameFrame(*g_, Keys{});
    RunGameFrame(*g_, Press({kP}));
    EXPECT_FALSE(g_->GamePaused);
  }
}

TEST_F(GameFrameTest, SameSeedSameGame) {
  Start(false);
  std::vector<std::string> first;
  for (int i = 0; i < 300; ++i) {
    RunGameFrame(*g_, Press({i % 60 < 30 ? kLeft : kRight}));
    first.push_back(Snapshot(*g_));
  }
  const auto seed = g_->Replay.GameSeed;
  g_ = Fresh();
  Start(false);
  EXPECT_EQ(g_->Replay.GameSeed, seed);
  for (int i = 0; i < 300; ++i) {
    RunGameFrame(*g_, Press({i % 60 < 30 ? kLeft : kRight}));
    ASSERT_EQ(Snapshot(*g_), first[i]) << "frame " << i;
  }
}

TEST_F(GameFrameTest, IdleHeroIsCaughtByTheDrillsAndTheGameEnds) {
  Start(true);
  int frames = 0;
  while (g_->InGame && frames < 20000) {
    RunGameFrame(*g_, Keys{});
    ++frames;
  }
  EXPECT_FALSE(g_->InGame);
  EXPECT_TRUE(g_->GameOver);
  EXPECT_EQ(g_->World.CurrentLevel, 0);  // never left the start box
  EXPECT_GT(g_->World.DrillY, 32);
}

TEST(Bonuses, PickupsByKind) {
  auto g = simtest::MakeState();
  g->Tuning.Bonus.Bonus_Boot_Time = 2;
  g->Tuning.Bonus.Bonus_Ears_Time = 3;
  const char* kinds[] = {"", "boot", "boot", "bomb", "pie", "ears", "bombglass"};
  g->Bonus.Bonuses.assign(7, Bonus{});
  for (int i = 1; i <= 6; ++i) g->Bonus.Bonuses[i] = Bonus{true, kinds[i], 160, 320, 10, 0.5f, 0, 100};
  g->Hero.PX = 150;
  g->Hero.PY = 300;
  g->Hero.Weight = 4;
  g->Bonus.BombCount = 1;
  BonusStep(*g);
  for (int i = 1; i <= 6; ++i) EXPECT_FALSE(g->Bonus.Bonuses[i].Active) << kinds[i];
  EXPECT_EQ(g->World.Score, 60);
  EXPECT_EQ(g->Bonus.BootTimeLeft, 200);  // two boots add up
  EXPECT_EQ(g->Bonus.EarsTimeLeft, 150);
  EXPECT_EQ(g->Bonus.BombCount, 2);
  EXPECT_FLOAT_EQ(g->Hero.Weight, 4 + 5 * 0.5f);
  EXPECT_TRUE(g->Bonus.GlassWaveArmed);
  EXPECT_EQ(g->Bonus.SelectionSpin, 5);
  BonusStep(*g);
  EXPECT_EQ(g->Bonus.Bonuses[1].SelectionAlpha, 96);
  PowerTimers(*g);
  EXPECT_EQ(g->Bonus.BootTimeLeft, 199);
  g->GamePaused = true;
  PowerTimers(*g);
  EXPECT_EQ(g->Bonus.BootTimeLeft, 199);
}

TEST(Bonuses, DrillsDestroyBonusesAndSetBombsOff) {
  auto g = simtest::MakeState();
  g->Bonus.Bonuses.assign(3, Bonus{});
  g->Bonus.Bonuses[1] = Bonus{true, "pie", 160, 64, 10, 0, 0, 100};
  g->Bonus.Bonuses[2] = Bonus{true, "bomb", 256, 64, 10, 0, 0, 100};
  Cell(*g, 8, 3, 1);
  g->Hero.PX = 0;
  g->Hero.PY = 400;
  g->World.DrillY = 40;  // lower edge at 72: below the bonuses' top
  BonusStep(*g);
  EXPECT_FALSE(g->Bonus.Bonuses[1].Active);
  EXPECT_EQ(g->World.Score, 5);  // the bomb broke the tile above it
  EXPECT_EQ(Cell(*g, 8, 3), 0);
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

}  // namespace
}  // namespace pebblerun
