#pragma once
// Scripted input for checks of the whole program: a text file of lines
//   FRAME down KEY        (KEY held from that frame on)
//   FRAME up KEY
//   FRAME close           (the window's close button)
//   FRAME mouse BUTTON down|up      (BUTTON: left, right, middle)
//   FRAME pad attach | FRAME pad detach        (a virtual game controller)
//   FRAME pad down|up BUTTON   (a, b, x, y, back, guide, start, leftstick,
//                               rightstick, leftshoulder, rightshoulder,
//                               dpup, dpdown, dpleft, dpright)
//   FRAME pad axis AXIS VALUE  (leftx, lefty, rightx, righty, lefttrigger,
//                               righttrigger; -32768..32767)
// FRAME counts the passes of the main loop from 0; KEY is a scan code of two
// or more decimal digits ("57") or a key name: Escape, Enter, Space, Tab,
// Backspace, Up, Down, Left, Right, A..Z, 0..9, F1..F12, the modifier keys
// LAlt, RAlt, LCtrl, RCtrl, LShift, RShift, LWin, RWin (Alt, Ctrl, Shift and
// Win name the left ones), and Pause (also called Break). Lines starting
// with "#" and blank lines are skipped.
//
// Scripted keys are typed into the window's event queue, so they take the
// path real keys take (the keyboard lock, Alt+Enter, the key state): a
// combination is typed as its keys, e.g. "10 down LAlt", "11 down Tab".
// Pad lines drive the engine's virtual pad, which the game reads from the
// next frame on like any pad plugged in.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace pebblerun {

enum class ScriptAction {
  KeyDown,
  KeyUp,
  Close,
  MouseDown,
  MouseUp,
  PadAttach,
  PadDetach,
  PadDown,
  PadUp,
  PadAxis
};

struct ScriptEvent {
  std::int64_t Frame = 0;
  ScriptAction Action = ScriptAction::KeyDown;
  int Code = 0;   // scan code, mouse button 1 left, 2 right, 3 middle, or pad button or axis
  int Value = 0;  // a pad axis's value
};

// The scan code of a key name or number; nullopt for anything else.
std::optional<int> ScriptKeyCode(const std::string& name);

// Events in frame order (lines of one frame in the order written). Lines
// that cannot be read are reported in errors ("line N: ...") and skipped.
std::vector<ScriptEvent> ParseInputScript(const std::string& text, std::vector<std::string>& errors);

class InputScript {
 public:
  InputScript() = default;
  explicit InputScript(std::vector<ScriptEvent> events) : events_(std::move(events)) {}

  // The events due by frame that have not been taken yet, in order.
  std::vector<ScriptEvent> Take(std::int64_t frame);
  bool Empty() const { return events_.empty(); }

 private:
  std::vector<ScriptEvent> events_;
  std::size_t next_ = 0;
};

}  // namespace pebblerun
