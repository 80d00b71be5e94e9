// The menu's state machine driven by key states, and the layout rules of the
// game screen's overlays.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "program/mod_Declares.h"
#include "program/mod_Menu.h"
#include "program/mod_Render.h"

namespace pebblerun {
namespace {

enum { kEscape = 1, kEnter = 28, kUp = 200, kDown = 208 };

class MenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("pebblerun_menu_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_ / "textures");
    p_.Game->AppFolder = folder_.string();
    p_.Game->Running = true;
    p_.Game->StoryMode = true;
    p_.Game->ArcadeLocked = true;
    p_.Objects.MenuMusic = MakeEngineMusicPlayer();
    p_.Objects.GameMusic = MakeEngineMusicPlayer();
    Menu().MenuItem = 1;
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  // One key pressed for a frame and released in the next.
  void Press(int key) {
    p_.Game->Input.Keys = {};
    p_.Game->Input.Keys[static_cast<std::size_t>(key)] = 0x80;
    MenuInput(p_);
    p_.Game->Input.Keys = {};
    MenuInput(p_);
  }
  MenuState& Menu() { return p_.Game->Menu; }

  std::filesystem::path folder_;
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

TEST(ScreenLayout, BombStockFillsTheOuterColumnFirst) {
  Single x = 0, y = 0;
  BombStockPlace(0, x, y);
  EXPECT_EQ(x, 608);
  EXPECT_EQ(y, 32);
  BombStockPlace(14, x, y);
  EXPECT_EQ(x, 608);
  EXPECT_EQ(y, 480);
  BombStockPlace(19, x, y);  // the twentieth bomb: fifth of the inner column
  EXPECT_EQ(x, 576);
  EXPECT_EQ(y, 160);
}

TEST(ScreenLayout, ScoreBackLayerCountsDigits) {
  EXPECT_EQ(ScoreDigits(0), 1);
  EXPECT_EQ(ScoreDigits(9999), 4);
  EXPECT_EQ(ScoreDigits(10000), 5);
  Single r = 0, g = 0, b = 0;
  ScoreColour("255, 120.7,3", r, g, b);
  EXPECT_EQ(r, 255);
  EXPECT_EQ(g, 120);
  EXPECT_EQ(b, 3);
  ScoreColour("oops", r, g, b);
  EXPECT_EQ(r, 0);
  EXPECT_EQ(b, 0);
}

TEST(ScreenLayout, UnpaintedTilesShowGreyAndGlassOnlyWhereAsked) {
  auto g = std::make_unique<GameState>();
  EXPECT_EQ(ShownTileCode(*g, 5, false, true), 60);
  EXPECT_EQ(ShownTileCode(*g, 5, false, false), 5);
  EXPECT_EQ(ShownTileCode(*g, 6, false, true), 6);    // stone has no grey variant
  EXPECT_EQ(ShownTileCode(*g, 51, false, true), 51);  // nor the walls
  EXPECT_EQ(ShownTileCode(*g, 9, true, true), 9);
}

}  // namespace
}  // namespace pebblerun
