// The menu's state machine driven by key states, its rules for screens and
// credit lines, and the choice of the attract mode's replay.

#include "program/mod_Menu.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "program/mod_Declares.h"
#include "temp_folder.h"

namespace pebblerun {
namespace {

enum { kEscape = 1, kEnter = 28, kUp = 200, kDown = 208 };

class MenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(folder_ / "textures");
    p_.Game->AppFolder = folder_.Path().string();
    p_.Game->Running = true;
    p_.Game->StoryMode = true;
    p_.Game->ArcadeLocked = true;
    p_.Objects.MenuMusic = MakeEngineMusicPlayer();
    p_.Objects.GameMusic = MakeEngineMusicPlayer();
    Menu().MenuItem = 1;
  }

  // One key pressed for a frame and released in the next.
  void Press(int key) {
    p_.Game->Input.Keys = {};
    p_.Game->Input.Keys[static_cast<std::size_t>(key)] = 0x80;
    MenuInput(p_);
    p_.Game->Input.Keys = {};
    MenuInput(p_);
  }
  MenuState& Menu() { return p_.Game->Menu; }

  TempFolder folder_;
  Program p_;
};

TEST_F(MenuTest, MainMenuSelectionStopsAtBothEnds) {
  for (int i = 0; i < 8; ++i) Press(kDown);
  EXPECT_EQ(Menu().MenuItem, 7);
  for (int i = 0; i < 9; ++i) Press(kUp);
  EXPECT_EQ(Menu().MenuItem, 1);
}

TEST_F(MenuTest, HeldKeyActsOnce) {
  p_.Game->Input.Keys[kDown] = 0x80;
  for (int i = 0; i < 5; ++i) MenuInput(p_);
  EXPECT_EQ(Menu().MenuItem, 2);
}

TEST_F(MenuTest, OptionRowsSkipElevenAndStopAtFifteen) {
  Menu().MenuItem = 4;
  Press(kEnter);
  ASSERT_EQ(Menu().MenuScreen, "options");
  ASSERT_EQ(Menu().MenuItem, 10);
  const int expected[] = {12, 13, 14, 15, 15};
  for (int e : expected) {
    Press(kUp);
    EXPECT_EQ(Menu().MenuItem, e);
  }
  Menu().MenuItem = 12;
  Press(kDown);
  EXPECT_EQ(Menu().MenuItem, 10);
}

TEST_F(MenuTest, LockedGameModeChangesNothingButSaves) {
  Menu().MenuScreen = "options";
  Menu().MenuItem = 15;
  Press(kEnter);
  EXPECT_TRUE(p_.Game->StoryMode);
  EXPECT_TRUE(std::filesystem::exists(folder_ / "textures" / "options.bmp"));
}

TEST_F(MenuTest, StoryPagesReturnToTheStoryEntry) {
  Menu().MenuItem = 3;
  Press(kEnter);
  EXPECT_EQ(Menu().MenuScreen, "story");
  Press(kEnter);  // "next"
  EXPECT_EQ(Menu().MenuScreen, "story2");
  Press(kEscape);
  EXPECT_EQ(Menu().MenuScreen, "");
  EXPECT_EQ(Menu().MenuItem, 3);
  Menu().MenuItem = 3;
  Press(kEnter);
  Press(kEnter);
  Press(kEnter);  // back on the second page
  EXPECT_EQ(Menu().MenuScreen, "");
  EXPECT_EQ(Menu().MenuItem, 3);
}

TEST_F(MenuTest, NewGameFadesOutOverTwentyFramesThenStarts) {
  MenuFrame(p_);  // a plain menu frame: the menu at full opacity
  Press(kEnter);
  EXPECT_TRUE(Menu().StartRequested);
  int frames = 0;
  while (!p_.Game->InGame && frames < 100) {
    MenuFrame(p_);
    ++frames;
  }
  EXPECT_EQ(frames, 20);
  EXPECT_EQ(Menu().MenuAlpha, 100);
  EXPECT_FALSE(Menu().StartRequested);
}

TEST_F(MenuTest, ExitEntryStopsTheProgram) {
  Menu().MenuItem = 7;
  Press(kEnter);
  EXPECT_FALSE(p_.Game->Running);
}

TEST_F(MenuTest, AttractReplayNeedsAShippedReplay) {
  EXPECT_EQ(PickAttractReplay(*p_.Game), "");
  std::ofstream(folder_ / "replay7.ini") << "[options]\r\n";
  for (int i = 0; i < 5; ++i) EXPECT_EQ(PickAttractReplay(*p_.Game), "replay7.ini");
}

TEST(MenuRules, ScreensReturnToTheirEntries) {
  EXPECT_EQ(MenuItemOfScreen("hs", 10), 2);
  EXPECT_EQ(MenuItemOfScreen("story2", 10), 3);
  EXPECT_EQ(MenuItemOfScreen("howtoplay", 10), 6);
  EXPECT_EQ(MenuItemOfScreen("", 4), 7);
  EXPECT_EQ(MenuItemOfScreen("won", 10), 10);
}

TEST(MenuRules, CreditLinesFadeInAndOutInTheirBands) {
  EXPECT_EQ(CreditLineAlpha(460, 0), 0);
  EXPECT_EQ(CreditLineAlpha(405, 0), 50);
  EXPECT_EQ(CreditLineAlpha(300, 100), 100);  // unchanged between the bands
  EXPECT_EQ(CreditLineAlpha(205, 100), 50);
  EXPECT_EQ(CreditLineAlpha(-10, 0), 0);
  EXPECT_EQ(FiveWide(950), "  950");
  EXPECT_EQ(FiveWide(123456), "123456");
}

TEST(AttractReplay, TriesEachNameOnceAndGivesUpWhenNoneExists) {
  TempFolder folder;
  const auto& dir = folder.Path();
  auto g = std::make_unique<GameState>();
  g->AppFolder = dir.string();
  g->CosmeticRandom.Seed(1234);
  EXPECT_EQ(PickAttractReplay(*g), "");  // returns instead of drawing for ever

  std::ofstream(dir / "Replay7.ini") << "[Map]\n";  // names compare without regard to case
  for (std::uint32_t seed = 0; seed < 20; ++seed) {
    g->CosmeticRandom.Seed(seed * 99991);
    EXPECT_EQ(PickAttractReplay(*g), "replay7.ini");
  }
}

}  // namespace
}  // namespace pebblerun
