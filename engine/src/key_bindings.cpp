#include "quillon/key_bindings.h"

#include <algorithm>

#include "quillon/ascii.h"
#include "quillon/profile.h"

namespace quillon::keys {

namespace {

struct KeyName {
  const char* Name;
  int Code;
};

// The first name of a code is the one written; later ones are only read.
constexpr KeyName kKeyNames[] = {
    {"Escape", 0x01},
    {"1", 0x02},
    {"2", 0x03},
    {"3", 0x04},
    {"4", 0x05},
    {"5", 0x06},
    {"6", 0x07},
    {"7", 0x08},
    {"8", 0x09},
    {"9", 0x0A},
    {"0", 0x0B},
    {"Minus", 0x0C},
    {"Equals", 0x0D},
    {"Backspace", 0x0E},
    {"Tab", 0x0F},
    {"Q", 0x10},
    {"W", 0x11},
    {"E", 0x12},
    {"R", 0x13},
    {"T", 0x14},
    {"Y", 0x15},
    {"U", 0x16},
    {"I", 0x17},
    {"O", 0x18},
    {"P", 0x19},
    {"LBracket", 0x1A},
    {"RBracket", 0x1B},
    {"Enter", 0x1C},
    {"LCtrl", 0x1D},
    {"A", 0x1E},
    {"S", 0x1F},
    {"D", 0x20},
    {"F", 0x21},
    {"G", 0x22},
    {"H", 0x23},
    {"J", 0x24},
    {"K", 0x25},
    {"L", 0x26},
    {"Semicolon", 0x27},
    {"Apostrophe", 0x28},
    {"Grave", 0x29},
    {"LShift", 0x2A},
    {"Backslash", 0x2B},
    {"Z", 0x2C},
    {"X", 0x2D},
    {"C", 0x2E},
    {"V", 0x2F},
    {"B", 0x30},
    {"N", 0x31},
    {"M", 0x32},
    {"Comma", 0x33},
    {"Period", 0x34},
    {"Slash", 0x35},
    {"RShift", 0x36},
    {"NumpadMultiply", 0x37},
    {"LAlt", 0x38},
    {"Space", 0x39},
    {"CapsLock", 0x3A},
    {"F1", 0x3B},
    {"F2", 0x3C},
    {"F3", 0x3D},
    {"F4", 0x3E},
    {"F5", 0x3F},
    {"F6", 0x40},
    {"F7", 0x41},
    {"F8", 0x42},
    {"F9", 0x43},
    {"F10", 0x44},
    {"NumLock", 0x45},
    {"ScrollLock", 0x46},
    {"Numpad7", 0x47},
    {"Numpad8", 0x48},
    {"Numpad9", 0x49},
    {"NumpadMinus", 0x4A},
    {"Numpad4", 0x4B},
    {"Numpad5", 0x4C},
    {"Numpad6", 0x4D},
    {"NumpadPlus", 0x4E},
    {"Numpad1", 0x4F},
    {"Numpad2", 0x50},
    {"Numpad3", 0x51},
    {"Numpad0", 0x52},
    {"NumpadPeriod", 0x53},
    {"OEM102", 0x56},
    {"F11", 0x57},
    {"F12", 0x58},
    {"NumpadEnter", 0x9C},
    {"RCtrl", 0x9D},
    {"NumpadDivide", 0xB5},
    {"PrintScreen", 0xB7},
    {"RAlt", 0xB8},
    {"Pause", 0xC5},
    {"Home", 0xC7},
    {"Up", 0xC8},
    {"PageUp", 0xC9},
    {"Left", 0xCB},
    {"Right", 0xCD},
    {"End", 0xCF},
    {"Down", 0xD0},
    {"PageDown", 0xD1},
    {"Insert", 0xD2},
    {"Delete", 0xD3},
    {"LWin", 0xDB},
    {"RWin", 0xDC},
    {"Apps", 0xDD},
    {"Esc", 0x01},
    {"Return", 0x1C},
    {"Break", 0xC5},
};

constexpr int kLeftWindows = 0xDB, kRightWindows = 0xDC;

bool Holds(const KeyPair& keys, int code) {
  return code != 0 && std::find(keys.begin(), keys.end(), code) != keys.end();
}

// The defaults of action without the keys the actions before it already have.
KeyPair FreeDefaults(std::span<const KeyPair> earlier, const KeyPair& defaults) {
  KeyPair keys{};
  std::size_t n = 0;
  for (int code : defaults) {
    if (code != 0 && !HolderOf(earlier, code)) keys[n++] = code;
  }
  return keys;
}

std::string Problem(std::string_view section, const Binding& action, const std::string& text,
                    const std::string& error, const KeyPair& keys) {
  const std::string kept = Format(keys);
  const std::string key(action.Key);
  if (error.empty()) {
    return "Error in options [" + std::string(section) + "] : " + key +
           " lost a default key to another action and keeps (" + (kept.empty() ? "none" : kept) + ")";
  }
  return "Error in options [" + std::string(section) + "] " + key + "=" + text + " : " + error + "; " + key +
         " keeps its default keys (" + (kept.empty() ? "none free" : kept) + ")";
}

}  // namespace

std::optional<int> CodeOfName(std::string_view name) {
  name = ascii::TrimBlanks(name);
  if (name.empty()) return std::nullopt;
  for (const KeyName& key : kKeyNames) {
    if (ascii::EqualsNoCase(key.Name, name)) return key.Code;
  }
  return std::nullopt;
}

std::string NameOfCode(int code) {
  for (const KeyName& key : kKeyNames) {
    if (key.Code == code) return key.Name;
  }
  return "";
}

bool CanBeBound(int code) {
  return code != kLeftWindows && code != kRightWindows && !NameOfCode(code).empty();
}

std::string Format(const KeyPair& keys) {
  std::string text;
  for (int code : keys) {
    if (code == 0) continue;
    if (!text.empty()) text += ", ";
    text += NameOfCode(code);
  }
  return text;
}

std::optional<KeyPair> Parse(std::string_view text, std::string& error) {
  KeyPair keys{};
  std::size_t n = 0;
  while (true) {
    const auto comma = text.find(',');
    const std::string_view part = ascii::TrimBlanks(text.substr(0, comma));
    const auto code = CodeOfName(part);
    if (!code) {
      error = part.empty() ? "a key name is missing" : "\"" + std::string(part) + "\" is not a key";
      return std::nullopt;
    }
    if (!CanBeBound(*code)) {
      error = std::string(part) + " is kept by the keyboard lock";
      return std::nullopt;
    }
    if (!Holds(keys, *code)) {
      if (n == keys.size()) {
        error = "an action takes at most two keys";
        return std::nullopt;
      }
      keys[n++] = *code;
    }
    if (comma == std::string_view::npos) return keys;
    text.remove_prefix(comma + 1);
  }
}

std::optional<std::size_t> HolderOf(std::span<const KeyPair> keys, int code,
                                    std::optional<std::size_t> except) {
  for (std::size_t a = 0; a < keys.size(); ++a) {
    if (a != except && Holds(keys[a], code)) return a;
  }
  return std::nullopt;
}

std::vector<KeyPair> ReadBindings(const std::filesystem::path& file, std::string_view section,
                                  std::span<const Binding> actions, std::vector<std::string>& problems) {
  return ReadBindings(profile::LoadSnapshot(file).value_or(profile::IniSnapshot()), section, actions,
                      problems);
}

std::vector<KeyPair> ReadBindings(const profile::IniSnapshot& file, std::string_view section,
                                  std::span<const Binding> actions, std::vector<std::string>& problems) {
  std::vector<KeyPair> keys;
  for (const Binding& action : actions) {
    const std::span<const KeyPair> earlier(keys);
    const std::string text = file.Read(section, action.Key, "");
    std::string error;
    std::optional<KeyPair> read;
    if (!ascii::TrimBlanks(text).empty()) {
      read = Parse(text, error);
      for (int code : read.value_or(KeyPair{})) {
        if (const auto holder = HolderOf(earlier, code); holder && read) {
          error = NameOfCode(code) + " is already the key of " + std::string(actions[*holder].Key);
          read.reset();
        }
      }
    }
    if (read) {
      keys.push_back(*read);
      continue;
    }
    keys.push_back(FreeDefaults(earlier, action.Defaults));
    if (!error.empty() || keys.back() != action.Defaults)
      problems.push_back(Problem(section, action, text, error, keys.back()));
  }
  return keys;
}

void WriteBindings(const std::filesystem::path& file, std::string_view section,
                   std::span<const Binding> actions, std::span<const KeyPair> keys) {
  for (std::size_t a = 0; a < actions.size() && a < keys.size(); ++a)
    (void)profile::WriteString(file, section, actions[a].Key, Format(keys[a]));
}

}  // namespace quillon::keys
