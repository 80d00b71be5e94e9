// Whole frames of the game branch: pause, the same game from the same seed,
// the end of a game and what follows it.

#include <gtest/gtest.h>

#include <cstring>

#include <quillon/profile.h>

#include "app_folders.h"
#include "sim/game_frame.h"
#include "sim/game_screen_step.h"
#include "sim/tuning.h"
#include "sim_fixture.h"
#include "temp_folder.h"

namespace pebblerun {
namespace {

using Keys = std::array<std::uint8_t, kKeyCount>;
constexpr int kP = 25, kLeft = 203, kRight = 205, kUp = 200;

class GameFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    quillon::profile::ClearCache();
    support::CopyShippedTuning(folder_.Path());
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

TEST(EndOfGameStep, RecordEntersTheTableAndTheGameIsCounted) {
  auto g = simtest::MakeState();
  g->Policy.RecordsInMemory = true;
  for (int i = 0; i < 10; ++i) g->Records.HighScores[i] = {"TOBO", (10 - i) * 200};
  g->World.Score = 40000.4f;  // beyond 16 bits: stored as scored
  g->Records.TypedName = "";
  g->GameOver = true;
  g->EndOfGameReady = true;
  g->PlayedGames = 4;
  g->World.DrillY = 0;
  EndOfGameStep(*g);
  EXPECT_EQ(g->Records.HighScores[0].Score, 40000);
  EXPECT_EQ(g->Records.HighScores[0].Name, "TOBO");
  EXPECT_EQ(g->Menu.MenuScreen, "hs");
  EXPECT_EQ(g->GameEndFade, 100);
  EXPECT_EQ(g->PlayedGames, 5);
  EXPECT_EQ(g->World.DrillY, 10);
  EXPECT_FALSE(g->EndOfGameReady);
  // The end fade hands back to the menu after 50 frames.
  g->InGame = true;
  int frames = 0;
  while (g->InGame && frames < 100) {
    GameScreenStep(*g);
    ++frames;
  }
  EXPECT_EQ(frames, 50);
}

}  // namespace
}  // namespace pebblerun
