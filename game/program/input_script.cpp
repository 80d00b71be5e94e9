#include "program/input_script.h"

#include <algorithm>
#include <cctype>
#include <sstream>

#include <quillon/ascii.h>
#include <quillon/numbers.h>

#include "program/script_pad.h"
#include "sim/game_state.h"
#include "sim/scan_codes.h"

namespace pebblerun {

namespace {

struct NamedKey {
  const char* Name;
  int Code;
};

constexpr NamedKey kNamedKeys[] = {{"escape", scan::Escape},
                                   {"esc", scan::Escape},
                                   {"enter", scan::Enter},
                                   {"return", scan::Enter},
                                   {"space", scan::Space},
                                   {"tab", scan::Tab},
                                   {"backspace", scan::Backspace},
                                   {"up", scan::Up},
                                   {"down", scan::Down},
                                   {"left", scan::Left},
                                   {"right", scan::Right},
                                   {"lalt", scan::LeftAlt},
                                   {"alt", scan::LeftAlt},
                                   {"ralt", scan::RightAlt},
                                   {"lctrl", scan::LeftControl},
                                   {"ctrl", scan::LeftControl},
                                   {"control", scan::LeftControl},
                                   {"rctrl", scan::RightControl},
                                   {"lshift", scan::LeftShift},
                                   {"shift", scan::LeftShift},
                                   {"rshift", scan::RightShift},
                                   {"lwin", scan::LeftWindows},
                                   {"win", scan::LeftWindows},
                                   {"rwin", scan::RightWindows},
                                   {"pause", scan::Pause},
                                   {"break", scan::Pause},
                                   {"printscreen", scan::PrintScreen},
                                   {"f11", scan::F11},
                                   {"f12", scan::F12}};

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

// The words of a line after its frame number. Only the first (the line's
// kind) is lower-cased here: a key name keeps its case for the error
// message, and the other readers lower-case what they compare.
using Words = std::vector<std::string>;

// One kind of line: the first word names it; the reader fills e from the
// other words or says what is wrong.
struct LineKind {
  const char* Word;
  bool (*Read)(const Words& words, ScriptEvent& e, std::string& error);
};

bool ReadKey(const Words& words, ScriptEvent& e, std::string& error) {
  if (words.size() != 2) return false;
  const auto code = ScriptKeyCode(words[1]);
  if (!code) {
    error = "unknown key \"" + words[1] + "\"";
    return false;
  }
  e.Action = words[0] == "down" ? ScriptAction::KeyDown : ScriptAction::KeyUp;
  e.Code = *code;
  return true;
}

bool ReadClose(const Words& words, ScriptEvent& e, std::string&) {
  e.Action = ScriptAction::Close;
  return words.size() == 1;
}

bool ReadMouse(const Words& words, ScriptEvent& e, std::string&) {
  if (words.size() != 3) return false;
  const auto button = MouseButton(quillon::ascii::ToLower(words[1]));
  const std::string edge = quillon::ascii::ToLower(words[2]);
  if (!button || (edge != "down" && edge != "up")) return false;
  e.Action = edge == "down" ? ScriptAction::MouseDown : ScriptAction::MouseUp;
  e.Code = *button;
  return true;
}

constexpr LineKind kLineKinds[] = {
    {"down", ReadKey}, {"up", ReadKey}, {"close", ReadClose}, {"mouse", ReadMouse}, {"pad", ReadPadLine}};

std::optional<ScriptEvent> ParseLine(const std::string& line, std::string& error) {
  std::istringstream in(line);
  std::string frameText;
  in >> frameText;
  Words words;
  for (std::string word; in >> word;) words.push_back(word);
  const auto frame = quillon::vb::ParseLong(frameText);
  if (!frame || *frame < 0) {
    error = "no frame number";
    return std::nullopt;
  }
  ScriptEvent e;
  e.Frame = *frame;
  if (!words.empty()) {
    words[0] = quillon::ascii::ToLower(words[0]);
    for (const LineKind& kind : kLineKinds) {
      if (words[0] == kind.Word && kind.Read(words, e, error)) return e;
    }
  }
  if (error.empty()) error = "cannot read \"" + line + "\"";
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
  if (lower.size() == 2 && lower[0] == 'f' && lower[1] >= '1' && lower[1] <= '9')
    return scan::F1 + (lower[1] - '1');
  if (lower == "f10") return scan::F10;
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

std::vector<ScriptEvent> InputScript::Take(std::int64_t frame) {
  std::vector<ScriptEvent> due;
  for (; next_ < events_.size() && events_[next_].Frame <= frame; ++next_) due.push_back(events_[next_]);
  return due;
}

}  // namespace pebblerun
