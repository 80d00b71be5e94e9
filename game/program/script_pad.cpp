#include "program/script_pad.h"

#include <quillon/ascii.h>
#include <quillon/numbers.h>

namespace pebblerun {

namespace {

// The names of SDL's mapping strings, in the order of quillon::PadButton and PadAxis.
constexpr const char* kButtonNames[quillon::kPadButtons] = {"a",
                                                            "b",
                                                            "x",
                                                            "y",
                                                            "back",
                                                            "guide",
                                                            "start",
                                                            "leftstick",
                                                            "rightstick",
                                                            "leftshoulder",
                                                            "rightshoulder",
                                                            "dpup",
                                                            "dpdown",
                                                            "dpleft",
                                                            "dpright"};
constexpr const char* kAxisNames[quillon::kPadAxes] = {"leftx",  "lefty",       "rightx",
                                                       "righty", "lefttrigger", "righttrigger"};

template <std::size_t N>
std::optional<int> IndexOf(const char* const (&names)[N], const std::string& name) {
  for (std::size_t i = 0; i < N; ++i) {
    if (name == names[i]) return static_cast<int>(i);
  }
  return std::nullopt;
}

}  // namespace

bool ReadPadLine(const std::vector<std::string>& words, ScriptEvent& e, std::string& error) {
  const auto word = [&words](std::size_t i) {
    return i < words.size() ? quillon::ascii::ToLower(words[i]) : std::string();
  };
  const std::string verb = word(1), what = word(2), value = word(3);
  if ((verb == "attach" || verb == "detach") && words.size() == 2) {
    e.Action = verb == "attach" ? ScriptAction::PadAttach : ScriptAction::PadDetach;
    return true;
  }
  if ((verb == "down" || verb == "up") && words.size() == 3) {
    if (const auto button = IndexOf(kButtonNames, what)) {
      e.Action = verb == "down" ? ScriptAction::PadDown : ScriptAction::PadUp;
      e.Code = *button;
      return true;
    }
    error = "unknown pad button \"" + what + "\"";
    return false;
  }
  if (verb == "axis" && words.size() == 4) {
    const auto axis = IndexOf(kAxisNames, what);
    const auto number = quillon::vb::ParseLong(value);
    if (axis && number && *number >= -32768 && *number <= 32767) {
      e.Action = ScriptAction::PadAxis;
      e.Code = *axis;
      e.Value = static_cast<int>(*number);
      return true;
    }
    error = "cannot read the pad axis \"" + what + " " + value + "\"";
  }
  return false;
}

void ApplyScriptedPad(quillon::Engine& engine, const std::vector<ScriptEvent>& events) {
  for (const ScriptEvent& e : events) {
    switch (e.Action) {
      case ScriptAction::PadAttach: engine.Pad_AttachVirtual(); break;
      case ScriptAction::PadDetach: engine.Pad_DetachVirtual(); break;
      case ScriptAction::PadDown:
      case ScriptAction::PadUp:
        engine.Pad_SetVirtualButton(static_cast<quillon::PadButton>(e.Code),
                                    e.Action == ScriptAction::PadDown);
        break;
      case ScriptAction::PadAxis:
        engine.Pad_SetVirtualAxis(static_cast<quillon::PadAxis>(e.Code), static_cast<std::int16_t>(e.Value));
        break;
      default: break;
    }
  }
}

}  // namespace pebblerun
