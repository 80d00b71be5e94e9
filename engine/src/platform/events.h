#pragma once
// The window's event queue, turned into what the engine's input and window
// code needs. Keys arrive as DirectInput scan codes (0..255), mouse buttons as
// 0 left, 1 right, 2 middle, 3 fourth; positions in back-buffer pixels.

#include <cstdint>

namespace quillon::platform {

enum class WindowChange { CloseRequested, FocusLost, FocusGained, ToggleFullScreen };

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
  virtual void OnKey(int code, bool down) = 0;
  virtual void OnMouseMove(int x, int y) = 0;
  virtual void OnMouseButton(int button, bool down) = 0;
  virtual void OnWheel(int delta) = 0;  // 120 per notch, positive away from the user
  virtual void OnWindow(WindowChange change) = 0;
  virtual void OnPad(const PadEvent& event) { (void)event; }
};

// Hands every pending event to sink.
void DispatchEvents(EventSink& sink);

// The DirectInput scan code of an SDL scancode; 0 for keys without one.
int DirectInputCode(int sdlScancode);
// The SDL scancode of a DirectInput scan code; 0 when there is none.
int SdlScancode(int directInputCode);

// The cursor: visibility and position on the screen.
void ShowCursor(bool visible);
void WarpCursor(int screenX, int screenY);

}  // namespace quillon::platform
