// The tuning file's "Misc" keys at a game's start: the cursor in full screen
// and the debug window.

#include <gtest/gtest.h>

#include <quillon/profile.h>

#include "../engine/temp_folder.h"
#include "sim/game_events.h"
#include "sim/tuning.h"

namespace pebblerun {
namespace {

class CursorLog : public GameEvents {
 public:
  void SetCursorVisible(bool visible) override { calls.push_back(visible); }
  std::vector<bool> calls;
};

class TuningMisc : public ::testing::Test {
 protected:
  void SetUp() override {
    quillon::profile::ClearCache();
    std::filesystem::create_directories(folder_ / "textures");
    g_ = std::make_unique<GameState>();
    g_->AppFolder = folder_.Path().string();
    g_->StoryMode = true;
    g_->Events = &cursor_;
  }
  void Start(std::string_view misc) {
    quillon::profile::ClearCache();
    WriteBytes(folder_ / "textures" / "lvl1.bmp", std::string("[Misc]\n") + std::string(misc));
    cursor_.calls.clear();
    StartGame(*g_);
  }
  TempFolder folder_;
  CursorLog cursor_;
  std::unique_ptr<GameState> g_;
};

TEST_F(TuningMisc, TheCursorChangesOnceAGameStartsInFullScreenOnly) {
  g_->FullScreen = true;
  Start("ShowCursor_InFullscreen=1\n");
  EXPECT_EQ(cursor_.calls, std::vector<bool>{true});
  Start("ShowCursor_InFullscreen=0\n");
  EXPECT_EQ(cursor_.calls, std::vector<bool>{false});
  Start("ShowCursor_InFullscreen=-3\n");
  EXPECT_EQ(cursor_.calls, std::vector<bool>{true});
  Start("ShowCursor_InFullscreen=some\n");  // not a number: nothing changes
  EXPECT_TRUE(cursor_.calls.empty());
  Start("");
  EXPECT_TRUE(cursor_.calls.empty());
  g_->FullScreen = false;
  Start("ShowCursor_InFullscreen=1\n");
  EXPECT_TRUE(cursor_.calls.empty());
}

TEST_F(TuningMisc, TheDebugWindowOpensAtTheStartOrKeepsWhatTabMadeOfIt) {
  Start("DebugWindow_Visible=True\n");
  EXPECT_TRUE(g_->Input.DebugWindowVisible);
  Start("DebugWindow_Visible=False\n");
  EXPECT_FALSE(g_->Input.DebugWindowVisible);
  g_->Input.DebugWindowVisible = true;  // Tab in the last game
  Start("DebugWindow_Visible=perhaps\n");
  EXPECT_TRUE(g_->Input.DebugWindowVisible);
  Start("DebugWindow_Visible=0\n");
  EXPECT_FALSE(g_->Input.DebugWindowVisible);
}

}  // namespace
}  // namespace pebblerun
