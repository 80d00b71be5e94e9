// The tuning file's "Misc" keys in the running program.

#include <gtest/gtest.h>

#include <memory>
#include <regex>

#include "key_script.h"
#include "program/frmMain.h"
#include "program_run.h"

namespace pebblerun {
namespace {

using support::AppCopy;
using support::KeyScript;
using support::RecordedLastFrame;
using support::RunPebblerun;
using support::ScoreTable;

// With "DebugWindow_Visible" the debug window is open from the game's start
// without Tab, and with it the debug keys: Z scrolls the drills onto Tobo.
TEST(TuningMisc, TheDebugWindowCanBeOpenFromTheStart) {
  for (const bool visible : {true, false}) {
    SCOPED_TRACE(visible);
    AppCopy app;
    app.Write("textures/options.bmp", "[main]\r\nStoryReaden=True\r\n");
    app.Write("textures/dot_black2.bmp", ScoreTable(10, "999999", "NOBODY"));
    std::string tuning = app.Read("textures/lvl1.bmp");
    ASSERT_NE(tuning.find("DebugWindow_Visible="), std::string::npos);
    tuning = std::regex_replace(tuning, std::regex(R"(DebugWindow_Visible=\w+)"),
                                visible ? "DebugWindow_Visible=True" : "DebugWindow_Visible=False");
    app.Write("textures/lvl1.bmp", tuning);

    KeyScript s(5);
    s.Press("T").Press("Enter").WaitUntil(60).Hold("Z", 100);
    const int escape = s.Frame();
    s.Press("Escape");
    app.Write("keys.txt", s.Text());
    const auto run =
        RunPebblerun({"--headless", "--app-dir", app.Dir().string(), "--script",
                      (app.Dir() / "keys.txt").string(), "--frames", std::to_string(escape + 60)});
    ASSERT_EQ(run.ExitCode, 0) << run.Output;
    // The game's first frame is frame 30.
    const int last = RecordedLastFrame(app);
    if (visible) {
      EXPECT_GT(last, 60 - 30);
      EXPECT_LT(last, 60 - 30 + 50);
    } else {
      EXPECT_NEAR(last, escape - 30, 2);
    }
  }
}

// Alt+Enter re-makes the window's settings; in a game the tuning's choice
// for the cursor in full screen outlives it, on the menu the cursor hides.
TEST(TuningMisc, SwitchingToFullScreenInAGameKeepsTheTuningsCursor) {
  auto state = std::make_unique<GameState>();  // too big for the stack
  GameState& g = *state;
  g.Tuning.Misc.ShowCursor_InFullscreen = 1;
  g.InGame = true;
  EXPECT_TRUE(CursorShown(g, true));
  g.InGame = false;
  EXPECT_FALSE(CursorShown(g, true));
  EXPECT_TRUE(CursorShown(g, false));
  g.InGame = true;
  g.Tuning.Misc.ShowCursor_InFullscreen = 0;
  EXPECT_FALSE(CursorShown(g, true));
  EXPECT_TRUE(CursorShown(g, false));
}

}  // namespace
}  // namespace pebblerun
