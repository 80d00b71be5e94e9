#include "program/mod_KeyboardLock.h"

#include <quillon/engine.h>

namespace pebblerun {

bool KeyboardLockSwallows(const HookKey& key, bool ctrlDown) {
  const bool altDown = (key.flags & kHookAltDown) != 0;
  switch (key.vkCode) {
    case kVkEscape: return ctrlDown || altDown;
    case kVkTab: return altDown;
    case kVkLeftWin:
    case kVkRightWin:
    case kVkCancel: return true;
    default: return false;
  }
}

std::int32_t KeyboardLockProc(std::int32_t code, std::int32_t message, const HookKey& key, bool ctrlDown,
                              NextKeyHandler next) {
  if (code == 0 && KeyboardLockSwallows(key, ctrlDown)) return 1;
  return next != nullptr ? next(code, message, key) : 0;
}

void InstallKeyboardLock(quillon::Engine& engine) { engine.SetKeyboardGrab(engine.IsFullScreen()); }

void RemoveKeyboardLock(quillon::Engine& engine) { engine.SetKeyboardGrab(false); }

}  // namespace pebblerun
