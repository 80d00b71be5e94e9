#include "program/input_script.h"

#include <algorithm>
#include <cctype>
#include <sstream>

#include <quillon/ascii.h>
#include <quillon/numbers.h>

#include "program/script_pad.h"
#include "sim/scan_codes.h"

namespace pebblerun {

namespace {

struct NamedKey {
  const char* Name;
  int Code;
};

constexpr NamedKey kNamedKeys[] = {
    {"escape", scan::Escape}, {"esc", scan::Escape}, {"enter", scan::Enter},         {"return", scan::Enter},
    {"space", scan::Space},   {"tab", scan::Tab},    {"backspace", scan::Backspace}, {"up", scan::Up},
    {"down", scan::Down},     {"left", scan::Left},  {"right", scan::Right}};

// Letters and digits of the standard layout.
constexpr const char* kLetterRows[] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
constexpr int kLetterRowStart[] = {16, 30, 44};

std::optional<int> LetterOrDigit(char c) {
  if (c >= '1' && c <= '9') return 2 + (c - '1');
  if (c == '0') return 11;
  for (int row = 0; row < 3; ++row) {
    const std::string letters = kLetterRows[row];
    const auto at = letters.find(c);
    if (at != std::string::npos) return kLetterRowStart[row] + static_cast<int>(at);
  }
  return std::nullopt;
}

std::optional<int> MouseButton(const std::string& name) {
  if (name == "left") return 1;
  if (name == "right") return 2;
  if (name == "middle") return 3;
  return std::nullopt;
}

std::optional<ScriptEvent> ParseLine(const std::string& line, std::string& error) {
  std::istringstream in(line);
  std::string frameText, action, a, b, rest;
  in >> frameText >> action >> a >> b >> rest;
  const auto frame = quillon::vb::ParseLong(frameText);
  if (!frame || *frame < 0) {
    error = "no frame number";
    return std::nullopt;
  }
  action = quillon::ascii::ToLower(action);
  ScriptEvent e;
  e.Frame = *frame;
  if (action == "pad") return ParsePadLine(line, e, error);
  if (action == "close" && a.empty()) {
    e.Action = ScriptAction::Close;
    return e;
  }
  if ((action == "down" || action == "up") && !a.empty() && b.empty()) {
    const auto code = ScriptKeyCode(a);
    if (!code) {
      error = "unknown key \"" + a + "\"";
      return std::nullopt;
    }
    e.Action = action == "down" ? ScriptAction::KeyDown : ScriptAction::KeyUp;
    e.Code = *code;
    return e;
  }
  const auto button = MouseButton(quillon::ascii::ToLower(a));
  b = quillon::ascii::ToLower(b);
  if (action == "mouse" && button && (b == "down" || b == "up") && rest.empty()) {
    e.Action = b == "down" ? ScriptAction::MouseDown : ScriptAction::MouseUp;
    e.Code = *button;
    return e;
  }
  error = "cannot read \"" + line + "\"";
  return std::nullopt;
}

}  // namespace

std::optional<int> ScriptKeyCode(const std::string& name) {
  if (name.empty()) return std::nullopt;
  if (const auto number = quillon::vb::ParseLong(name); number && name.size() > 1) {
    if (*number > 0 && *number < kKeyCount) return static_cast<int>(*number);
    return std::nullopt;
  }
  const std::string lower = quillon::ascii::ToLower(name);
  for (const NamedKey& key : kNamedKeys) {
    if (lower == key.Name) return key.Code;
  }
  if (name.size() == 1)
    return LetterOrDigit(static_cast<char>(std::toupper(static_cast<unsigned char>(name[0]))));
  return std::nullopt;
}

std::vector<ScriptEvent> ParseInputScript(const std::string& text, std::vector<std::string>& errors) {
  std::vector<ScriptEvent> events;
  std::istringstream in(text);
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') continue;
    std::string error;
    if (auto event = ParseLine(line, error)) {
      events.push_back(*event);
    } else {
      errors.push_back("line " + std::to_string(number) + ": " + error);
    }
  }
  std::stable_sort(events.begin(), events.end(),
                   [](const ScriptEvent& x, const ScriptEvent& y) { return x.Frame < y.Frame; });
  return events;
}

bool InputScript::Advance(std::int64_t frame, GameState& g) {
  bool close = false;
  for (; next_ < events_.size() && events_[next_].Frame <= frame; ++next_) {
    const ScriptEvent& e = events_[next_];
    const bool down = e.Action == ScriptAction::MouseDown;
    switch (e.Action) {
      case ScriptAction::KeyDown: held_[e.Code] = true; break;
      case ScriptAction::KeyUp: held_[e.Code] = false; break;
      case ScriptAction::Close: close = true; break;
      case ScriptAction::MouseDown:
      case ScriptAction::MouseUp:
        if (e.Code == 1) g.Input.MouseLeftDown = down;
        if (e.Code == 2) g.Input.MouseRightDown = down;
        if (e.Code == 3) g.Input.MouseThirdDown = down;
        break;
      case ScriptAction::PadAttach:
      case ScriptAction::PadDetach:
      case ScriptAction::PadDown:
      case ScriptAction::PadUp:
      case ScriptAction::PadAxis: pad_.push_back(e); break;
    }
  }
  return close;
}

void InputScript::Merge(std::array<std::uint8_t, kKeyCount>& keys) const {
  for (int code = 0; code < kKeyCount; ++code) {
    if (held_[code]) keys[code] = scan::kDown;
  }
}

}  // namespace pebblerun
