#pragma once
// Scripted input for checks of the whole program: a text file of lines
//   FRAME down KEY        (KEY held from that frame on)
//   FRAME up KEY
//   FRAME close           (the window's close button)
//   FRAME mouse BUTTON down|up      (BUTTON: left, right, middle)
// FRAME counts the passes of the main loop from 0; KEY is a scan code of two
// or more decimal digits ("57") or a key name: Escape, Enter, Space, Tab, Backspace, Up, Down,
// Left, Right, A..Z, 0..9. Lines starting with "#" and blank lines are
// skipped. Scripted keys are added to what the keyboard reports.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/game_state.h"

namespace pebblerun {

enum class ScriptAction { KeyDown, KeyUp, Close, MouseDown, MouseUp };

struct ScriptEvent {
  std::int64_t Frame = 0;
  ScriptAction Action = ScriptAction::KeyDown;
  int Code = 0;  // scan code, or mouse button 1 left, 2 right, 3 middle
};

// The scan code of a key name or number; nullopt for anything else.
std::optional<int> ScriptKeyCode(const std::string& name);

// Events in frame order. Lines that cannot be read are reported in errors
// ("line N: ...") and skipped.
std::vector<ScriptEvent> ParseInputScript(const std::string& text, std::vector<std::string>& errors);

class InputScript {
 public:
  InputScript() = default;
  explicit InputScript(std::vector<ScriptEvent> events) : events_(std::move(events)) {}

  // Applies the events of frame: keys to the held set, mouse buttons to g's
  // flags; true when the window's close was asked for in this frame.
  bool Advance(std::int64_t frame, GameState& g);
  // Marks the held keys down in keys.
  void Merge(std::array<std::uint8_t, kKeyCount>& keys) const;
  bool Empty() const { return events_.empty(); }

 private:
  std::vector<ScriptEvent> events_;
  std::size_t next_ = 0;
  std::array<bool, kKeyCount> held_{};
};

}  // namespace pebblerun
