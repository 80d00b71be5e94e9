#pragma once
// The window's event queue, turned into what the engine's input and window
// code needs. Keys arrive as DirectInput scan codes (0..255), mouse buttons as
// 0 left, 1 right, 2 middle, 3 fourth; positions in back-buffer pixels.

#include <cstdint>

namespace quillon::platform {

enum class WindowChange { CloseRequested, FocusLost, FocusGained };

// The modifier keys held when a key event happened.
struct KeyModifiers {
  bool Alt = false;
  bool Control = false;
  bool Shift = false;
  bool Super = false;
};

// What the queue tells about game controllers (platform/gamepad.h).
struct PadEvent {
  enum class Kind { ControllerAdded, ControllerRemoved, JoystickAdded, ButtonDown };
  Kind What = Kind::ControllerAdded;
  int Id = 0;  // device index for the two "added" kinds, instance id otherwise
  int Button = 0;
};

class EventSink {
 public:
  virtual ~EventSink() = default;
  // repeat: the key's auto-repeat while it is held.
  virtual void OnKey(int code, bool down, bool repeat, const KeyModifiers& modifiers) = 0;
  virtual void OnMouseMove(int x, int y) = 0;
  virtual void OnMouseButton(int button, bool down) = 0;
  virtual void OnWheel(int delta) = 0;  // 120 per notch, positive away from the user
  virtual void OnWindow(WindowChange change) = 0;
  virtual void OnPad(const PadEvent& event) { (void)event; }
};

// Hands every pending event to sink.
void DispatchEvents(EventSink& sink);

// Puts a key event (a DirectInput scan code) into the queue as if the key had
// been typed in window windowId. heldModifiers keeps the modifier keys queued
// as down (SDL's own modifier bits); the event carries them together with
// those of the real keyboard. False for a code without a key, or when the
// queue refused the event.
bool QueueKey(int code, bool down, std::uint32_t windowId, std::uint16_t& heldModifiers);

// The DirectInput scan code of an SDL scancode; 0 for keys without one.
int DirectInputCode(int sdlScancode);
// The SDL scancode of a DirectInput scan code; 0 when there is none.
int SdlScancode(int directInputCode);

// The cursor: visibility and position on the screen.
void ShowCursor(bool visible);
void WarpCursor(int screenX, int screenY);

}  // namespace quillon::platform
