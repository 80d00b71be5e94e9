#include "sim/controls.h"

#include <algorithm>

#include <quillon/ascii.h>

#include "sim/game_ini.h"
#include "sim/key_names.h"
#include "sim/scan_codes.h"

namespace pebblerun {

namespace {

constexpr const char* kSection = "controls";

constexpr std::array<GameActionInfo, kGameActions> kActions{{
    {GameAction::WalkLeft, "WalkLeft", "Walk left", scan::Left, {scan::Left, 0}, "D-pad left, left stick"},
    {GameAction::WalkRight,
     "WalkRight",
     "Walk right",
     scan::Right,
     {scan::Right, 0},
     "D-pad right, left stick"},
    {GameAction::Jump, "Jump", "Jump", scan::Up, {scan::Up, 0}, "A"},
    {GameAction::Bomb, "Bomb", "Bomb", scan::Space, {scan::Space, scan::Down}, "B, X"},
    {GameAction::Pause, "Pause", "Pause", scan::P, {scan::P, 0}, "Start"},
    {GameAction::Back, "Back", "Back", scan::Escape, {scan::Escape, 0}, "Back"},
}};

constexpr int kLeftWindows = 0xDB, kRightWindows = 0xDC;

bool Holds(const ActionKeys& keys, int code) {
  return code != 0 && std::find(keys.begin(), keys.end(), code) != keys.end();
}

// The action's defaults without the keys earlier actions already hold.
ActionKeys FreeDefaults(const ControlBindings& bindings, GameAction action, int before) {
  ActionKeys keys{};
  std::size_t n = 0;
  for (int code : InfoOf(action).Defaults) {
    bool taken = false;
    for (int a = 0; a < before; ++a) taken = taken || Holds(bindings.Keys[static_cast<std::size_t>(a)], code);
    if (code != 0 && !taken) keys[n++] = code;
  }
  return keys;
}

// The first key of keys that an action before index holds, with that action.
std::optional<std::pair<int, GameAction>> TakenKey(const ControlBindings& bindings, const ActionKeys& keys,
                                                   int before) {
  for (int code : keys) {
    for (int a = 0; a < before; ++a) {
      if (Holds(bindings.Keys[static_cast<std::size_t>(a)], code)) return std::pair{code, kActions[a].Action};
    }
  }
  return std::nullopt;
}

}  // namespace

const std::array<GameActionInfo, kGameActions>& GameActions() { return kActions; }

const GameActionInfo& InfoOf(GameAction action) { return kActions[static_cast<std::size_t>(action)]; }

ControlBindings DefaultBindings() {
  ControlBindings bindings;
  for (const GameActionInfo& info : kActions) bindings[info.Action] = info.Defaults;
  return bindings;
}

bool KeyCanBeBound(int code) {
  return code != kLeftWindows && code != kRightWindows && !KeyNameOfCode(code).empty();
}

std::string FormatActionKeys(const ActionKeys& keys) {
  std::string text;
  for (int code : keys) {
    if (code == 0) continue;
    if (!text.empty()) text += ", ";
    text += KeyNameOfCode(code);
  }
  return text;
}

std::optional<ActionKeys> ParseActionKeys(std::string_view text, std::string& error) {
  ActionKeys keys{};
  std::size_t n = 0;
  while (true) {
    const auto comma = text.find(',');
    const std::string_view part = quillon::ascii::TrimBlanks(text.substr(0, comma));
    const auto code = KeyCodeOfName(part);
    if (!code) {
      error = part.empty() ? "a key name is missing" : "\"" + std::string(part) + "\" is not a key";
      return std::nullopt;
    }
    if (!KeyCanBeBound(*code)) {
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

std::optional<GameAction> ActionHoldingKey(const ControlBindings& bindings, int code,
                                           std::optional<GameAction> except) {
  for (const GameActionInfo& info : kActions) {
    if (info.Action != except && Holds(bindings[info.Action], code)) return info.Action;
  }
  return std::nullopt;
}

ControlBindings ReadBindings(const std::filesystem::path& optionsFile, std::vector<std::string>& problems) {
  ControlBindings bindings;
  for (int a = 0; a < kGameActions; ++a) {
    const GameActionInfo& info = kActions[static_cast<std::size_t>(a)];
    const std::string text = ReadIni(kSection, info.Key, optionsFile);
    std::string error;
    std::optional<ActionKeys> keys;
    if (!quillon::ascii::TrimBlanks(text).empty()) {
      keys = ParseActionKeys(text, error);
      if (keys) {
        if (const auto taken = TakenKey(bindings, *keys, a)) {
          error = KeyNameOfCode(taken->first) + " is already the key of " + InfoOf(taken->second).Key;
          keys.reset();
        }
      }
    }
    if (keys) {
      bindings[info.Action] = *keys;
      continue;
    }
    bindings[info.Action] = FreeDefaults(bindings, info.Action, a);
    const std::string fallback = FormatActionKeys(bindings[info.Action]);
    if (!error.empty()) {
      problems.push_back("Error in options [" + std::string(kSection) + "] " + info.Key + "=" + text + " : " +
                         error + "; " + info.Key + " keeps its default keys (" +
                         (fallback.empty() ? "none free" : fallback) + ")");
    } else if (bindings[info.Action] != info.Defaults) {
      problems.push_back("Error in options [" + std::string(kSection) + "] : " + info.Key +
                         " lost a default key to another action and keeps (" +
                         (fallback.empty() ? "none" : fallback) + ")");
    }
  }
  return bindings;
}

void WriteBindings(const std::filesystem::path& optionsFile, const ControlBindings& bindings) {
  for (const GameActionInfo& info : kActions)
    WriteIni(kSection, info.Key, FormatActionKeys(bindings[info.Action]), optionsFile);
}

KeyStates PlayKeys(const ControlBindings& bindings, const KeyStates& held) {
  KeyStates keys = held;
  for (const GameActionInfo& info : kActions) {
    keys[static_cast<std::size_t>(info.GameCode)] = 0;
    for (int code : info.Defaults) keys[static_cast<std::size_t>(code)] = 0;
    for (int code : bindings[info.Action]) keys[static_cast<std::size_t>(code)] = 0;
  }
  for (const GameActionInfo& info : kActions) {
    for (int code : bindings[info.Action]) {
      if (code != 0 && held[static_cast<std::size_t>(code)] == scan::kDown)
        keys[static_cast<std::size_t>(info.GameCode)] = scan::kDown;
    }
  }
  return keys;
}

}  // namespace pebblerun
