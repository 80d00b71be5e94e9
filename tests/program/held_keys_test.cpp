// Keys held from play into the name entry: the bound ones wait to be let go,
// a key that is its action's own game key keeps the game's handling.

#include <gtest/gtest.h>

#include "program/held_keys.h"
#include "sim/scan_codes.h"

namespace pebblerun {
namespace {

constexpr int kD = 32;

KeyStates Down(std::initializer_list<int> codes) {
  KeyStates keys{};
  for (int code : codes) keys[static_cast<std::size_t>(code)] = scan::kDown;
  return keys;
}

KeyStates Filtered(HeldKeys& held, const ControlBindings& bindings, InputContext context, KeyStates keys) {
  held.Filter(bindings, context, keys);
  return keys;
}

TEST(HeldKeysTest, BoundKeysHeldOutOfPlayWaitUntilLetGo) {
  ControlBindings bindings = DefaultBindings();
  bindings[GameAction::WalkRight] = {kD, 0};
  bindings[GameAction::Jump] = {scan::Enter, scan::Up};
  HeldKeys held;
  const KeyStates holding = Down({kD, scan::Enter, scan::Up, scan::Escape, scan::Tab});
  EXPECT_EQ(Filtered(held, bindings, InputContext::Play, holding), holding);  // play sees them all

  // In the name entry: D and Enter wait; Up, Escape (their actions' own
  // keys) and Tab (bound to nothing) pass as the game has always had them.
  const KeyStates entry = Filtered(held, bindings, InputContext::NameEntry, holding);
  EXPECT_EQ(entry, Down({scan::Up, scan::Escape, scan::Tab}));
  EXPECT_EQ(Filtered(held, bindings, InputContext::NameEntry, holding), entry);  // still held: still waiting
  // And on into the menus after the name.
  EXPECT_EQ(Filtered(held, bindings, InputContext::Menu, Down({kD, scan::Enter})), KeyStates{});

  // Let go of D only: it acts again when pressed, Enter still waits.
  EXPECT_EQ(Filtered(held, bindings, InputContext::Menu, Down({scan::Enter})), KeyStates{});
  EXPECT_EQ(Filtered(held, bindings, InputContext::Menu, Down({kD, scan::Enter})), Down({kD}));
  EXPECT_EQ(Filtered(held, bindings, InputContext::Menu, Down({})), KeyStates{});
  EXPECT_EQ(Filtered(held, bindings, InputContext::Menu, Down({scan::Enter})), Down({scan::Enter}));
}

TEST(HeldKeysTest, OnlyLeavingPlayHoldsKeysBack) {
  ControlBindings bindings = DefaultBindings();
  bindings[GameAction::Jump] = {scan::Enter, 0};
  HeldKeys held;
  // Enter held from the menu into a game and on: the game reads it.
  EXPECT_EQ(Filtered(held, bindings, InputContext::Menu, Down({scan::Enter})), Down({scan::Enter}));
  EXPECT_EQ(Filtered(held, bindings, InputContext::Play, Down({scan::Enter})), Down({scan::Enter}));
  // Pressed only after the game turned into the name entry: it confirms.
  EXPECT_EQ(Filtered(held, bindings, InputContext::NameEntry, Down({})), KeyStates{});
  EXPECT_EQ(Filtered(held, bindings, InputContext::NameEntry, Down({scan::Enter})), Down({scan::Enter}));
}

}  // namespace
}  // namespace pebblerun
