#include "program/mod_KeyboardLock.h"

#include <quillon/engine.h>

#include "sim/scan_codes.h"

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

namespace {

constexpr std::uint32_t kVkPause = 19;
constexpr std::int32_t kKeyDownMessage = 0x100, kSysKeyDownMessage = 0x104;

bool LockFilter(const quillon::KeyPress& press) {
  const HookKey key = HookKeyOf(press);
  const std::int32_t message = press.Alt ? kSysKeyDownMessage : kKeyDownMessage;
  return KeyboardLockProc(0, message, key, press.Control, nullptr) == 1;
}

}  // namespace

HookKey HookKeyOf(const quillon::KeyPress& press) {
  HookKey key;
  key.scanCode = static_cast<std::uint32_t>(press.Key);
  key.flags = press.Alt ? kHookAltDown : 0;
  switch (press.Key) {
    case scan::Escape: key.vkCode = kVkEscape; break;
    case scan::Tab: key.vkCode = kVkTab; break;
    case scan::LeftWindows: key.vkCode = kVkLeftWin; break;
    case scan::RightWindows: key.vkCode = kVkRightWin; break;
    case scan::Pause: key.vkCode = press.Control ? kVkCancel : kVkPause; break;
    default: break;  // no other key matters to the lock
  }
  return key;
}

void InstallKeyboardLock(quillon::Engine& engine) {
  engine.SetKeyFilter(LockFilter);
  engine.SetKeyboardGrab(engine.IsFullScreen());
}

void RemoveKeyboardLock(quillon::Engine& engine) {
  engine.SetKeyFilter(nullptr);
  engine.SetKeyboardGrab(false);
}

}  // namespace pebblerun
