#include "sim/game_keys.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "sim/scan_codes.h"
#include "sim_fixture.h"

namespace pebblerun {
namespace {

class KeysTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_->Events = &log_;
    g_->SoundOn = true;
    g_->World.TileSize = 32;
  }
  // One frame of the game handler with the given keys held.
  void Game(std::initializer_list<int> held) {
    Hold(held);
    GameKeys(*g_);
  }
  void Names(std::initializer_list<int> held) {
    Hold(held);
    NameEntryKeys(*g_);
  }
  void Hold(std::initializer_list<int> held) {
    g_->Input.Keys.fill(0);
    for (int code : held) g_->Input.Keys[code] = scan::kDown;
  }

  simtest::SoundLog log_;
  std::unique_ptr<GameState> g_ = std::make_unique<GameState>();
};

TEST_F(KeysTest, HeldUpJumpsOnceAndBothMouseButtonsActAsUp) {
  Game({scan::Up});
  EXPECT_TRUE(g_->Input.JumpRequest);
  g_->Input.JumpRequest = false;
  Game({scan::Up});
  EXPECT_FALSE(g_->Input.JumpRequest);
  Game({});
  EXPECT_FALSE(g_->Input.UpHeld);

  g_->Input.MouseLeftDown = g_->Input.MouseRightDown = true;
  Game({});
  EXPECT_TRUE(g_->Input.JumpRequest);
  EXPECT_FALSE(g_->Input.MoveLeft);  // both buttons walk nowhere
  EXPECT_FALSE(g_->Input.MoveRight);
}

TEST_F(KeysTest, WalkingSetsOneDirectionAndNeverClears) {
  Game({scan::Left});
  EXPECT_TRUE(g_->Input.MoveLeft);
  Game({});
  EXPECT_TRUE(g_->Input.MoveLeft);  // the player step clears it after use
  Game({scan::Right});
  EXPECT_TRUE(g_->Input.MoveRight);
  EXPECT_FALSE(g_->Input.MoveLeft);
}

TEST_F(KeysTest, SpaceAndDownTogetherFireOneBomb) {
  g_->Bonus.BombCount = 3;
  g_->Hero.Weight = 3;
  Game({scan::Space, scan::Down});
  EXPECT_EQ(g_->Bonus.BombCount, 2);
  EXPECT_TRUE(g_->Input.BombHeld);
  Game({scan::Down});  // one of the two released: still latched
  Game({scan::Space});
  EXPECT_EQ(g_->Bonus.BombCount, 2);
  Game({});
  Game({scan::Down});
  EXPECT_EQ(g_->Bonus.BombCount, 1);
}

TEST_F(KeysTest, PauseStopsBombsButNotWalking) {
  g_->Bonus.BombCount = 3;
  Game({scan::P});
  EXPECT_TRUE(g_->GamePaused);
  Game({scan::P, scan::Space, scan::Left});  // P still held: no second toggle
  EXPECT_TRUE(g_->GamePaused);
  EXPECT_EQ(g_->Bonus.BombCount, 3);
  EXPECT_TRUE(g_->Input.MoveLeft);
  Game({});
  Game({scan::P});
  EXPECT_FALSE(g_->GamePaused);
}

TEST_F(KeysTest, PlaybackKeysEndThePlaybackAndPauseIsIgnored) {
  g_->Replay.PlayingReplay = true;
  Game({scan::P});
  EXPECT_FALSE(g_->GamePaused);
  EXPECT_FALSE(g_->GameOver);
  Game({scan::Left});
  EXPECT_TRUE(g_->GameOver);
  EXPECT_FALSE(g_->Input.MoveLeft);
}

TEST_F(KeysTest, EscapeEndsAPausedGameButNotDuringTheEndFade) {
  g_->GameEndFade = 40;
  Game({scan::Escape});
  EXPECT_FALSE(g_->GameOver);
  g_->GameEndFade = 0;
  g_->GamePaused = true;
  Game({scan::Escape});
  EXPECT_TRUE(g_->GameOver);
  EXPECT_FALSE(g_->GamePaused);
}

TEST_F(KeysTest, NameEntryTypesOneCharacterPerPress) {
  Names({scan::A});
  Names({scan::A});
  Names({});
  Names({scan::B, scan::C});  // several keys in one frame act in table order
  EXPECT_EQ(g_->Records.TypedName, "ABC");
  Names({scan::Backspace});
  EXPECT_EQ(g_->Records.TypedName, "AB");
  EXPECT_EQ(log_.sounds.size(), 4u);
  EXPECT_FALSE(g_->EndOfGameReady);
  Names({scan::Enter});
  EXPECT_TRUE(g_->EndOfGameReady);
}

TEST_F(KeysTest, SpaceHeldFromTheLastBombTypesNoBlankUntilReleased) {
  g_->Input.BombHeld = true;
  Names({scan::Space});
  EXPECT_EQ(g_->Records.TypedName, "");
  Names({});
  Names({scan::Space});
  EXPECT_EQ(g_->Records.TypedName, " ");
}

TEST_F(KeysTest, AddNameCharKeepsTwentyCharactersAndIgnoresEmptyBackspace) {
  AddNameChar(*g_, "-");
  EXPECT_TRUE(log_.sounds.empty());
  for (int i = 0; i < 25; ++i) AddNameChar(*g_, std::string(1, static_cast<char>('A' + i)));
  EXPECT_EQ(g_->Records.TypedName, "ABCDEFGHIJKLMNOPQRST");
  EXPECT_EQ(log_.sounds.size(), 20u);
  AddNameChar(*g_, "-");
  EXPECT_EQ(g_->Records.TypedName, "ABCDEFGHIJKLMNOPQRS");
}

TEST_F(KeysTest, DebugKeysOnlyWhileTheDebugWindowIsOn) {
  g_->Hero.Weight = 5;
  Game({scan::E});
  EXPECT_EQ(g_->Hero.Weight, 5);
  Game({scan::Tab});
  EXPECT_TRUE(g_->Input.DebugWindowVisible);
  Game({scan::E});
  Game({scan::E});
  EXPECT_EQ(g_->Hero.Weight, 6);
  Game({scan::B});
  EXPECT_EQ(g_->Bonus.BombCount, 100);
}

}  // namespace
}  // namespace pebblerun
