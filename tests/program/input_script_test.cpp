// Scripted input: key names and codes, and the keys, mouse buttons and close
// requests a script holds frame by frame.

#include "program/input_script.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
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

TEST(InputScript, HeldKeysMouseAndClose) {
  std::vector<std::string> errors;
  const auto events = ParseInputScript(
      "# a comment\n\n3 up Enter\n1 down Enter\r\n2 mouse middle down\n2 down 57\n5 close\nx down A\n4 "
      "jump\n",
      errors);
  EXPECT_EQ(errors.size(), 2u);
  ASSERT_EQ(events.size(), 5u);
  EXPECT_EQ(events.front().Frame, 1);  // sorted by frame

  InputScript script(events);
  auto g = std::make_unique<GameState>();
  std::array<std::uint8_t, kKeyCount> keys{};
  EXPECT_FALSE(script.Advance(0, *g));
  script.Merge(keys);
  EXPECT_EQ(keys[28], 0);
  EXPECT_FALSE(script.Advance(1, *g));
  script.Merge(keys);
  EXPECT_EQ(keys[28], 0x80);
  EXPECT_FALSE(script.Advance(2, *g));
  EXPECT_TRUE(g->Input.MouseThirdDown);
  keys.fill(0);
  EXPECT_FALSE(script.Advance(3, *g));
  script.Merge(keys);
  EXPECT_EQ(keys[28], 0);
  EXPECT_EQ(keys[57], 0x80);
  EXPECT_TRUE(script.Advance(5, *g));
}

}  // namespace
}  // namespace pebblerun
