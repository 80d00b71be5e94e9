#pragma once
// The keyboard lock: while the game window exists, the key combinations that
// would switch away from the game or open the desktop's start menu go
// nowhere, windowed or full screen.
//
// The filter itself is a pure function over one key event, so it is the same
// whatever delivers the events. Installed, it is the engine's key filter: the
// engine asks it before a key press reaches anything else (the key state the
// game reads, Alt+Enter), so a swallowed combination has no effect on the
// game. In full screen the engine also grabs the keyboard, so Alt+Tab, the
// Super keys and Ctrl+Escape come to the game instead of the desktop, and the
// filter swallows them there.

#include <cstdint>

namespace quillon {
class Engine;
struct KeyPress;
}  // namespace quillon

namespace pebblerun {

// The key event being filtered (virtual key code, scan code, flags, time,
// extra info), as the low-level keyboard event record holds it.
struct HookKey {
  std::uint32_t vkCode = 0;
  std::uint32_t scanCode = 0;
  std::uint32_t flags = 0;
  std::uint32_t time = 0;
  std::uint32_t dwExtraInfo = 0;
};

inline constexpr std::uint32_t kHookAltDown = 0x20;
inline constexpr std::uint32_t kVkCancel = 3;  // Break, as sent with Control
inline constexpr std::uint32_t kVkTab = 9;
inline constexpr std::uint32_t kVkEscape = 27;
inline constexpr std::uint32_t kVkLeftWin = 91;
inline constexpr std::uint32_t kVkRightWin = 92;

// Passes an event on to whoever comes next; returns their answer.
using NextKeyHandler = std::int32_t (*)(std::int32_t code, std::int32_t message, const HookKey& key);

// True for the five combinations the lock swallows: Control+Escape,
// Alt+Tab, Alt+Escape, either Windows key, Control+Break. Key-down and
// key-up events alike.
bool KeyboardLockSwallows(const HookKey& key, bool ctrlDown);

// The filter: returns 1 for a swallowed event, otherwise what next answers.
// A code other than 0 is passed on untouched. ctrlDown is the state of the
// Control key at the moment of the event.
std::int32_t KeyboardLockProc(std::int32_t code, std::int32_t message, const HookKey& key, bool ctrlDown,
                              NextKeyHandler next);

// The key event of an engine key press, as the filter takes it: the virtual
// key code of the keys the lock knows (Pause with Control is Break), the Alt
// flag.
HookKey HookKeyOf(const quillon::KeyPress& press);

// Installs the filter as the engine's key filter and grabs the keyboard while
// the window is full screen; RemoveKeyboardLock takes the filter away and
// hands the keyboard back to the desktop.
void InstallKeyboardLock(quillon::Engine& engine);
void RemoveKeyboardLock(quillon::Engine& engine);

}  // namespace pebblerun
