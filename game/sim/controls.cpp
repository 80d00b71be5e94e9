#include "sim/controls.h"

#include "sim/scan_codes.h"

namespace pebblerun {

namespace {

constexpr const char* kSection = "controls";

constexpr std::array<GameActionInfo, kGameActions> kActions{{
    {GameAction::WalkLeft, "WalkLeft", scan::Left, {scan::Left, 0}},
    {GameAction::WalkRight, "WalkRight", scan::Right, {scan::Right, 0}},
    {GameAction::Jump, "Jump", scan::Up, {scan::Up, 0}},
    {GameAction::Bomb, "Bomb", scan::Space, {scan::Space, scan::Down}},
    {GameAction::Pause, "Pause", scan::P, {scan::P, 0}},
    {GameAction::Back, "Back", scan::Escape, {scan::Escape, 0}},
}};

std::array<quillon::keys::Binding, kGameActions> FileLines() {
  std::array<quillon::keys::Binding, kGameActions> lines{};
  for (std::size_t a = 0; a < lines.size(); ++a) lines[a] = {kActions[a].Key, kActions[a].Defaults};
  return lines;
}

}  // namespace

const std::array<GameActionInfo, kGameActions>& GameActions() { return kActions; }

const GameActionInfo& InfoOf(GameAction action) { return kActions[static_cast<std::size_t>(action)]; }

ControlBindings DefaultBindings() {
  ControlBindings bindings;
  for (const GameActionInfo& info : kActions) bindings[info.Action] = info.Defaults;
  return bindings;
}

ControlBindings ReadBindings(const std::filesystem::path& optionsFile, std::vector<std::string>& problems) {
  return ReadBindings(quillon::profile::LoadSnapshot(optionsFile).value_or(quillon::profile::IniSnapshot()),
                      problems);
}

ControlBindings ReadBindings(const quillon::profile::IniSnapshot& options,
                             std::vector<std::string>& problems) {
  const auto keys = quillon::keys::ReadBindings(options, kSection, FileLines(), problems);
  ControlBindings bindings;
  for (std::size_t a = 0; a < keys.size() && a < bindings.Keys.size(); ++a) bindings.Keys[a] = keys[a];
  return bindings;
}

void WriteBindings(const std::filesystem::path& optionsFile, const ControlBindings& bindings) {
  quillon::keys::WriteBindings(optionsFile, kSection, FileLines(), bindings.Keys);
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
