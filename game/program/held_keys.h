#pragma once
// Keys the player still holds from the game when it turns into the name
// entry. During play the keys of the bindings act only through their
// actions, so the name entry's own one-press latches never saw them: a held
// "D" (walk right) would type a letter, a held Enter (jump) would confirm the
// name before the player could type it. Such a key acts in the name entry,
// and in the menus after it, only once it has been let go, as a pad button
// does. A key bound to the very action the game reads it as (Escape to end
// the game, P to pause) reaches the game as itself and keeps the game's own
// handling.

#include <array>

#include "program/pad_keys.h"
#include "sim/controls.h"

namespace pebblerun {

class HeldKeys {
 public:
  // Clears in keyboard the keys held back in this frame.
  void Filter(const ControlBindings& bindings, InputContext context, KeyStates& keyboard);

 private:
  InputContext context_ = InputContext::Menu;
  std::array<bool, std::tuple_size_v<KeyStates>> heldBack_{};
};

}  // namespace pebblerun
