#include "program/script_pad.h"

#include <sstream>

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

std::optional<ScriptEvent> ParsePadLine(const std::string& line, ScriptEvent e, std::string& error) {
  std::istringstream in(line);
  std::string frame, pad, verb, what, value, rest;
  in >> frame >> pad >> verb >> what >> value >> rest;
  verb = quillon::ascii::ToLower(verb);
  what = quillon::ascii::ToLower(what);
  if ((verb == "attach" || verb == "detach") && what.empty()) {
    e.Action = verb == "attach" ? ScriptAction::PadAttach : ScriptAction::PadDetach;
    return e;
  }
  if ((verb == "down" || verb == "up") && value.empty()) {
    if (const auto button = IndexOf(kButtonNames, what)) {
      e.Action = verb == "down" ? ScriptAction::PadDown : ScriptAction::PadUp;
      e.Code = *button;
      return e;
    }
    error = "unknown pad button \"" + what + "\"";
    return std::nullopt;
  }
  if (verb == "axis" && rest.empty()) {
    const auto axis = IndexOf(kAxisNames, what);
    const auto number = quillon::vb::ParseLong(value);
    if (axis && number && *number >= -32768 && *number <= 32767) {
      e.Action = ScriptAction::PadAxis;
      e.Code = *axis;
      e.Value = static_cast<int>(*number);
      return e;
    }
    error = "cannot read the pad axis \"" + what + " " + value + "\"";
    return std::nullopt;
  }
  error = "cannot read \"" + line + "\"";
  return std::nullopt;
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
