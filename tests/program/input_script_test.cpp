// Scripted input: key names and codes (modifier and function keys too), and
// the events a script gives frame by frame.

#include "program/input_script.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pebblerun {
namespace {

TEST(InputScript, KeyNamesAndCodes) {
  EXPECT_EQ(ScriptKeyCode("Enter"), 28);
  EXPECT_EQ(ScriptKeyCode("down"), 208);
  EXPECT_EQ(ScriptKeyCode("a"), 30);
  EXPECT_EQ(ScriptKeyCode("Z"), 44);
  EXPECT_EQ(ScriptKeyCode("0"), 11);
  EXPECT_EQ(ScriptKeyCode("1"), 2);
  EXPECT_EQ(ScriptKeyCode("57"), 57);
  EXPECT_FALSE(ScriptKeyCode("256").has_value());
  EXPECT_FALSE(ScriptKeyCode("F13").has_value());
  EXPECT_FALSE(ScriptKeyCode("").has_value());
}

TEST(InputScript, ModifierKeysAndFunctionKeys) {
  EXPECT_EQ(ScriptKeyCode("LAlt"), 56);
  EXPECT_EQ(ScriptKeyCode("alt"), 56);
  EXPECT_EQ(ScriptKeyCode("RAlt"), 184);
  EXPECT_EQ(ScriptKeyCode("LCtrl"), 29);
  EXPECT_EQ(ScriptKeyCode("RCtrl"), 157);
  EXPECT_EQ(ScriptKeyCode("LShift"), 42);
  EXPECT_EQ(ScriptKeyCode("RShift"), 54);
  EXPECT_EQ(ScriptKeyCode("LWin"), 219);
  EXPECT_EQ(ScriptKeyCode("RWin"), 220);
  EXPECT_EQ(ScriptKeyCode("Pause"), 197);
  EXPECT_EQ(ScriptKeyCode("Break"), 197);
  EXPECT_EQ(ScriptKeyCode("F1"), 59);
  EXPECT_EQ(ScriptKeyCode("f4"), 62);
  EXPECT_EQ(ScriptKeyCode("F10"), 68);
  EXPECT_EQ(ScriptKeyCode("F12"), 88);
  EXPECT_FALSE(ScriptKeyCode("F0").has_value());
  EXPECT_FALSE(ScriptKeyCode("LAltGr").has_value());
}

TEST(InputScript, EventsAreTakenInFrameOrderOnce) {
  std::vector<std::string> errors;
  const auto events = ParseInputScript(
      "# a comment\n\n3 up Enter\n1 down Enter\r\n2 mouse middle down\n2 down 57\n5 close\nx down A\n4 "
      "jump\n6 down F13\n7 mouse left sideways\n8 close now\n",
      errors);
  ASSERT_EQ(errors.size(), 5u);
  EXPECT_EQ(errors[2], "line 10: unknown key \"F13\"");
  ASSERT_EQ(events.size(), 5u);

  InputScript script(events);
  EXPECT_TRUE(script.Take(0).empty());
  auto due = script.Take(2);  // frames 1 and 2, in the order written
  ASSERT_EQ(due.size(), 3u);
  EXPECT_EQ(due[0].Action, ScriptAction::KeyDown);
  EXPECT_EQ(due[0].Code, 28);
  EXPECT_EQ(due[1].Action, ScriptAction::MouseDown);
  EXPECT_EQ(due[1].Code, 3);
  EXPECT_EQ(due[2].Code, 57);
  EXPECT_TRUE(script.Take(2).empty());
  due = script.Take(10);
  ASSERT_EQ(due.size(), 2u);
  EXPECT_EQ(due[0].Action, ScriptAction::KeyUp);
  EXPECT_EQ(due[1].Action, ScriptAction::Close);
}

}  // namespace
}  // namespace pebblerun
