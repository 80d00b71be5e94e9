// The keyboard lock's filter: which key combinations it swallows.

#include "program/mod_KeyboardLock.h"

#include <gtest/gtest.h>

namespace pebblerun {
namespace {

struct Combination {
  const char* Name;
  std::uint32_t Key;
  bool Alt;
  bool Ctrl;
  bool Swallowed;
};

constexpr std::uint32_t kVkF4 = 115, kVkAlt = 18, kVkControl = 17, kVkA = 65;

const Combination kCombinations[] = {
    {"Control+Escape", kVkEscape, false, true, true},
    {"Alt+Tab", kVkTab, true, false, true},
    {"Alt+Escape", kVkEscape, true, false, true},
    {"left Windows key", kVkLeftWin, false, false, true},
    {"right Windows key", kVkRightWin, false, false, true},
    {"Windows key with Alt", kVkLeftWin, true, false, true},
    {"Control+Break", kVkCancel, false, true, true},
    {"Tab alone", kVkTab, false, false, false},
    {"Escape alone", kVkEscape, false, false, false},
    {"Alt alone", kVkAlt, true, false, false},
    {"Control alone", kVkControl, false, true, false},
    {"Control+Tab", kVkTab, false, true, false},
    {"Alt+F4", kVkF4, true, false, false},
    {"a letter with Alt and Control", kVkA, true, true, false},
};

int passedOn = 0;
std::int32_t Next(std::int32_t, std::int32_t, const HookKey&) {
  ++passedOn;
  return 42;
}

TEST(KeyboardLock, FilterTableOfCombinations) {
  for (const Combination& c : kCombinations) {
    HookKey key;
    key.vkCode = c.Key;
    key.flags = c.Alt ? kHookAltDown : 0;
    for (std::int32_t message : {0x100, 0x101, 0x104, 0x105}) {  // key down/up, with Alt too
      passedOn = 0;
      const auto result = KeyboardLockProc(0, message, key, c.Ctrl, Next);
      EXPECT_EQ(result, c.Swallowed ? 1 : 42) << c.Name;
      EXPECT_EQ(passedOn, c.Swallowed ? 0 : 1) << c.Name;
    }
  }
}

TEST(KeyboardLock, EventsWithAnotherCodeAlwaysPassOn) {
  HookKey key;
  key.vkCode = kVkLeftWin;
  passedOn = 0;
  EXPECT_EQ(KeyboardLockProc(3, 0x100, key, true, Next), 42);
  EXPECT_EQ(passedOn, 1);
  EXPECT_EQ(KeyboardLockProc(0, 0x100, key, false, nullptr), 1);
  key.vkCode = kVkA;
  EXPECT_EQ(KeyboardLockProc(0, 0x100, key, false, nullptr), 0);
}

}  // namespace
}  // namespace pebblerun
