// The pad lines of a --script file: what they name, what is refused, and the
// frames they are handed over in.

#include "program/script_pad.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pebblerun {
namespace {

using quillon::PadAxis;
using quillon::PadButton;

TEST(ScriptPadLines, ReadWhatTheyNameAndRefuseTheRest) {
  std::vector<std::string> errors;
  const auto events = ParseInputScript(
      "3 pad attach\n4 pad down A\n5 pad up dpleft\n6 pad axis leftx -32768\n7 pad axis lefty 32767\n"
      "8 pad detach\n9 pad down turbo\n10 pad axis leftx 40000\n11 pad shake\n12 pad attach now\n",
      errors);
  ASSERT_EQ(events.size(), 6u);
  EXPECT_EQ(events[0].Action, ScriptAction::PadAttach);
  EXPECT_EQ(events[1].Action, ScriptAction::PadDown);
  EXPECT_EQ(events[1].Code, static_cast<int>(PadButton::A));
  EXPECT_EQ(events[2].Action, ScriptAction::PadUp);
  EXPECT_EQ(events[2].Code, static_cast<int>(PadButton::DpadLeft));
  EXPECT_EQ(events[3].Value, -32768);
  EXPECT_EQ(events[4].Code, static_cast<int>(PadAxis::LeftY));
  EXPECT_EQ(events[5].Action, ScriptAction::PadDetach);
  ASSERT_EQ(errors.size(), 4u);
  EXPECT_NE(errors[0].find("line 7"), std::string::npos);
  EXPECT_NE(errors[0].find("turbo"), std::string::npos);

  InputScript script(events);
  EXPECT_EQ(script.Take(5).size(), 3u);
  EXPECT_TRUE(script.Take(5).empty());
  EXPECT_EQ(script.Take(8).size(), 3u);
}

}  // namespace
}  // namespace pebblerun
