// The keyboard lock's filter: which key combinations it swallows, on its
// own and installed in the engine's key path.

#include "program/mod_KeyboardLock.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include <quillon/engine.h>

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

// The lock in the engine's key path, for the combinations that have no
// effect of their own in the game (the Windows keys, Control+Break) as much
// as for the others; once removed, nothing is filtered.
TEST(KeyboardLockInTheEngine, SwallowsTheCombinationsWhileInstalled) {
  const auto folder = std::filesystem::temp_directory_path() / ("lock-engine-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  quillon::Engine engine;
  ASSERT_TRUE(engine.Quillon_Start(0, folder.string(), 64, 64));
  struct Case {
    const char* Name;
    int Modifier;  // 0: none
    int Key;
    bool Swallowed;
  };
  constexpr int kLAlt = 56, kRAlt = 184, kLCtrl = 29, kRCtrl = 157;
  const Case cases[] = {
      {"Control+Escape", kLCtrl, 1, true},
      {"right Control+Escape", kRCtrl, 1, true},
      {"Alt+Tab", kLAlt, 15, true},
      {"Alt Gr+Tab", kRAlt, 15, true},
      {"Alt+Escape", kLAlt, 1, true},
      {"left Windows key", 0, 219, true},
      {"right Windows key", 0, 220, true},
      {"Control+Break", kLCtrl, 197, true},
      {"Tab", 0, 15, false},
      {"Escape", 0, 1, false},
      {"Alt", 0, kLAlt, false},
      {"Control", 0, kLCtrl, false},
      {"Alt+F4", kLAlt, 62, false},
      {"Pause", 0, 197, false},
      {"Control+Tab", kLCtrl, 15, false},
      {"Alt+Enter's Alt", 0, kRAlt, false},
  };
  const auto tryCase = [&](const Case& c) {
    if (c.Modifier != 0) engine.QueueKeyEvent(c.Modifier, true);
    engine.QueueKeyEvent(c.Key, true);
    engine.SampleInput();
    const bool down = engine.GetKeyDown(c.Key);
    engine.QueueKeyEvent(c.Key, false);
    if (c.Modifier != 0) engine.QueueKeyEvent(c.Modifier, false);
    engine.SampleInput();
    return down;
  };
  InstallKeyboardLock(engine);
  for (const Case& c : cases) EXPECT_EQ(tryCase(c), !c.Swallowed) << c.Name;
  RemoveKeyboardLock(engine);
  for (const Case& c : cases) EXPECT_TRUE(tryCase(c)) << c.Name << " after the lock is removed";
  engine.Quillon_Unload();
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace pebblerun
