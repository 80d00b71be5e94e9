// The game's key bindings: its "controls" lines in the options file, and the
// key state the game's keyboard handler reads when the player's keys are not
// the game's own.

#include "sim/controls.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include <quillon/profile.h>

#include "sim/game_keys.h"
#include "sim/scan_codes.h"
#include "sim_folder_fixture.h"

namespace pebblerun {
namespace {

class ControlsFile : public simtest::FolderTest {
 protected:
  std::filesystem::path File() const { return folder_ / "textures" / "options.bmp"; }
};

TEST_F(ControlsFile, WithoutTheSectionTheGameKeepsItsOwnKeys) {
  WriteBytes(File(), "[main]\nSound_On=True\n");
  std::vector<std::string> problems;
  EXPECT_EQ(ReadBindings(File(), problems), DefaultBindings());
  EXPECT_TRUE(problems.empty());
  EXPECT_EQ(DefaultBindings()[GameAction::Bomb], (ActionKeys{scan::Space, scan::Down}));
}

TEST_F(ControlsFile, TheGamesLinesReadBackAndADamagedOneFallsBack) {
  ControlBindings b = DefaultBindings();
  b[GameAction::WalkLeft] = {scan::A, scan::Left};
  b[GameAction::Jump] = {scan::W, scan::Space};
  b[GameAction::Bomb] = {scan::S, 0};
  WriteBindings(File(), b);
  quillon::profile::Flush();
  quillon::profile::ClearCache();
  std::vector<std::string> problems;
  EXPECT_EQ(ReadBindings(File(), problems), b);
  EXPECT_TRUE(problems.empty());
  const std::string text = ReadBytes(File());
  EXPECT_NE(text.find("[controls]"), std::string::npos);
  EXPECT_NE(text.find("WalkLeft=A, Left"), std::string::npos) << text;

  WriteBytes(File(), "[controls]\nPause=Nowhere\n");
  quillon::profile::ClearCache();
  EXPECT_EQ(ReadBindings(File(), problems)[GameAction::Pause], (ActionKeys{scan::P, 0}));
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_NE(problems[0].find("Pause=Nowhere"), std::string::npos);
}

class PlayKeysTest : public ::testing::Test {
 protected:
  KeyStates Held(std::initializer_list<int> codes) {
    KeyStates keys{};
    for (int code : codes) keys[static_cast<std::size_t>(code)] = scan::kDown;
    return keys;
  }
  // One frame of the game's keyboard handler on what the player holds.
  void Play(std::initializer_list<int> codes) {
    g_->Input.Keys = PlayKeys(b_, Held(codes));
    GameKeys(*g_);
  }
  ControlBindings b_ = DefaultBindings();
  std::unique_ptr<GameState> g_ = std::make_unique<GameState>();
};

TEST_F(PlayKeysTest, TheGamesOwnKeysPassAsTheyAre) {
  for (int code :
       {scan::Left, scan::Right, scan::Up, scan::Space, scan::P, scan::Escape, scan::Tab, scan::S}) {
    EXPECT_EQ(PlayKeys(b_, Held({code})), Held({code})) << quillon::keys::NameOfCode(code);
  }
  // Down is the bomb's second key: it reaches the handler as the bomb.
  EXPECT_EQ(PlayKeys(b_, Held({scan::Down})), Held({scan::Space}));
}

TEST_F(PlayKeysTest, SwappedKeysFireOnlyTheirNewAction) {
  b_[GameAction::Jump] = {scan::Space, 0};
  b_[GameAction::Bomb] = {scan::Up, 0};
  g_->Bonus.BombCount = 5;
  Play({scan::Space});
  EXPECT_TRUE(g_->Input.JumpRequest);
  EXPECT_FALSE(g_->Input.BombHeld);  // no bomb went off
  EXPECT_EQ(g_->Bonus.BombCount, 5);
  Play({});
  g_->Input.JumpRequest = false;
  Play({scan::Up});
  EXPECT_FALSE(g_->Input.JumpRequest);
  EXPECT_TRUE(g_->Input.BombHeld);
  // The old keys do nothing now.
  EXPECT_EQ(PlayKeys(b_, Held({scan::Down})), Held({}));
}

TEST_F(PlayKeysTest, ABoundLetterDoesNotAlsoWorkItsDebugKey) {
  b_[GameAction::Jump] = {scan::W, 0};
  b_[GameAction::WalkLeft] = {scan::A, 0};
  g_->Input.DebugWindowVisible = true;
  g_->Hero.Weight = 4;
  g_->World.ScrollY = 0;
  g_->LevelSpecs[1].ScreenSpeed = 50;  // A would scroll the view
  Play({scan::W, scan::A});
  EXPECT_TRUE(g_->Input.JumpRequest);
  EXPECT_TRUE(g_->Input.MoveLeft);
  EXPECT_EQ(g_->Hero.Weight, 4);       // W's weight cheat stayed off
  EXPECT_EQ(g_->World.ScrollY, 0.0f);  // and A's scrolling
  // A key nobody bound still reaches its own use.
  Play({scan::E});
  EXPECT_EQ(g_->Hero.Weight, 5);
}

}  // namespace
}  // namespace pebblerun
