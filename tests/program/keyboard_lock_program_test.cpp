// The keyboard lock and Alt+Enter in the running program: scripted keys are
// typed into the window's event queue and take the path of real keys.
//
// What a key did is read from the files the game leaves: a recorded game
// ("T" held in the menu) stores the frame it ended in, the options file the
// options toggled, the score table the name typed.

#include <gtest/gtest.h>

#include "key_script.h"
#include "program_run.h"

namespace pebblerun {
namespace {

using support::AppCopy;
using support::CountOf;
using support::KeyScript;
using support::RecordedLastFrame;
using support::RunPebblerun;
using support::ScoreTable;

class KeyboardLockProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    app_.Write("textures/options.bmp", "[main]\r\nStoryReaden=True\r\n");
    // A table no score enters, so a game ends without a name prompt.
    app_.Write("textures/dot_black2.bmp", ScoreTable(10, "999999", "NOBODY"));
  }
  void Run(const KeyScript& script, int frames) {
    app_.Write("keys.txt", script.Text());
    const auto run = RunPebblerun({"--headless", "--app-dir", app_.Dir().string(), "--script",
                                   (app_.Dir() / "keys.txt").string(), "--frames", std::to_string(frames)});
    ASSERT_EQ(run.ExitCode, 0) << run.Output;
    EXPECT_EQ(CountOf(app_.Log(), "APPLICATION ENDED"), 1);
  }
  // Arms the recording and starts a game from the main menu: Enter in frame
  // 10, the game's first frame after the menu's fade in frame kGameStart.
  static KeyScript RecordedGame() {
    KeyScript s(5);
    s.Press("T").Press("Enter").WaitUntil(60);
    return s;
  }
  static constexpr int kGameStart = 30;
  AppCopy app_;
};

TEST_F(KeyboardLockProgram, InAGameTheLockedCombinationsChangeNothing) {
  KeyScript s = RecordedGame();
  s.Chord({"LCtrl", "Escape"})  // would end the game
      .Chord({"RCtrl", "Escape"})
      .Chord({"LAlt", "Escape"})
      .Chord({"RAlt", "Escape"})
      .Chord({"LAlt", "Tab"})  // would open the debug window, and with it Z ...
      .Hold("Z", 40)           // ... would scroll the drills onto Tobo
      .Chord({"LWin"})
      .Chord({"RWin"})
      .Chord({"LCtrl", "Pause"})
      .Chord({"LAlt", "LWin"})
      .Wait(10);
  const int ended = s.Frame();
  s.Press("Escape");  // Escape alone ends it
  Run(s, ended + 80);
  const int last = RecordedLastFrame(app_);
  EXPECT_GE(last, ended - kGameStart - 2) << "the game ended before the plain Escape in frame " << ended;
  EXPECT_LE(last, ended - kGameStart + 2);
}

TEST_F(KeyboardLockProgram, TabAloneStillOpensTheDebugWindow) {
  KeyScript s = RecordedGame();
  s.Press("LAlt").Press("LCtrl").Press("RShift");  // alone they are no combination
  const int tab = s.Frame();
  s.Press("Tab").Hold("Z", 200).Press("Escape");
  Run(s, s.Frame() + 80);
  // With the debug window open Z scrolls the drills onto Tobo in a few frames.
  const int last = RecordedLastFrame(app_);
  EXPECT_GT(last, tab - kGameStart);
  EXPECT_LT(last, tab - kGameStart + 40);
}

// On a menu screen Control+Escape and Alt+Escape do not go back to the main
// menu; Escape alone does, and Alt+F4 closes the program.
TEST_F(KeyboardLockProgram, OnAMenuScreenEscapeCombinationsStayAndAltF4Closes) {
  KeyScript s(10);
  s.Press("Down", 3)
      .Press("Enter")  // options
      .Chord({"LCtrl", "Escape"})
      .Chord({"LAlt", "Escape"})
      .Chord({"RCtrl", "Escape"})
      .Press("Up")
      .Press("Enter")  // sound off, if still on the options screen
      .Press("Escape")
      .Chord({"LAlt", "F4"})
      .Wait(10)
      .Press("Down", 3)  // none of this may happen after Alt+F4
      .Press("Enter")
      .Press("Up")
      .Press("Enter");
  Run(s, s.Frame() + 50);
  const std::string options = app_.Read("textures/options.bmp");
  EXPECT_NE(options.find("Sound_On=False"), std::string::npos) << options;
}

// The Enter of Alt+Enter opens no menu entry and confirms no name.
TEST_F(KeyboardLockProgram, AltEnterOnlySwitchesTheMode) {
  app_.Write("textures/dot_black2.bmp", ScoreTable(10, "0", "NOBODY"));
  KeyScript s(10);
  s.Press("Down", 6)             // Exit
      .Chord({"LAlt", "Enter"})  // must not quit
      .Chord({"RAlt", "Enter"})  // and back
      .Press("Up", 6)            // New game
      .Press("Enter")
      .Wait(200)
      .Press("Escape")  // ends the game: every score enters this table
      .Wait(70)
      .Press("Backspace", 8)
      .Press("A")
      .Press("B")
      .Chord({"LAlt", "Enter"})  // must not confirm "AB"
      .Chord({"LAlt", "Enter"})
      .Press("C")
      .Press("Enter")
      .Wait(120);
  Run(s, s.Frame());
  const std::string scores = app_.Read("textures/dot_black2.bmp");
  EXPECT_NE(scores.find("n0=ABC"), std::string::npos) << scores;
}

}  // namespace
}  // namespace pebblerun
