#include "program/held_keys.h"

#include <utility>

#include "sim/scan_codes.h"

namespace pebblerun {

void HeldKeys::Filter(const ControlBindings& bindings, InputContext context, KeyStates& keyboard) {
  const bool leftPlay =
      std::exchange(context_, context) == InputContext::Play && context != InputContext::Play;
  for (std::size_t code = 0; code < keyboard.size(); ++code) {
    if (keyboard[code] != scan::kDown) heldBack_[code] = false;
  }
  if (leftPlay) {
    for (const GameActionInfo& info : GameActions()) {
      for (int code : bindings[info.Action]) {
        const auto key = static_cast<std::size_t>(code);
        if (code > 0 && code != info.GameCode && key < keyboard.size() && keyboard[key] == scan::kDown)
          heldBack_[key] = true;
      }
    }
  }
  for (std::size_t code = 0; code < keyboard.size(); ++code) {
    if (heldBack_[code]) keyboard[code] = 0;
  }
}

}  // namespace pebblerun
