#pragma once
// The player's actions in a game and the keys that drive them: two keys per
// action, kept in section "controls" of the options file, the game's own keys
// as defaults. The game's keyboard handler keeps reading its own scan codes
// (Left, Right, Up, Space, P, Escape); the keys a player chose are turned into
// those codes when the frame's key state is made, so replays and the
// simulation do not know about bindings at all.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <quillon/key_bindings.h>

namespace pebblerun {

enum class GameAction { WalkLeft, WalkRight, Jump, Bomb, Pause, Back };
inline constexpr int kGameActions = 6;
inline constexpr int kKeysPerAction = 2;

using KeyStates = std::array<std::uint8_t, 256>;  // 0x80 = down
using ActionKeys = quillon::keys::KeyPair;        // scan codes, 0 = no key

// The settings dialog keeps the same names and defaults in a table of its
// own (it includes nothing of the game); a test holds the two together.
struct GameActionInfo {
  GameAction Action;
  const char* Key;      // its key in section "controls"
  int GameCode;         // the scan code the game's keyboard handler reads for it
  ActionKeys Defaults;  // the game's own keys
};

// The actions in the order the file and the dialog list them.
const std::array<GameActionInfo, kGameActions>& GameActions();
const GameActionInfo& InfoOf(GameAction action);

struct ControlBindings {
  std::array<ActionKeys, kGameActions> Keys{};
  ActionKeys& operator[](GameAction a) { return Keys[static_cast<std::size_t>(a)]; }
  const ActionKeys& operator[](GameAction a) const { return Keys[static_cast<std::size_t>(a)]; }
  bool operator==(const ControlBindings&) const = default;
};

ControlBindings DefaultBindings();

// Section "controls" of the options file, read as quillon::keys::ReadBindings
// says: a line that cannot be used gives its action the default keys and adds
// a line for the log to problems.
ControlBindings ReadBindings(const std::filesystem::path& optionsFile, std::vector<std::string>& problems);
ControlBindings ReadBindings(const quillon::profile::IniSnapshot& options,
                             std::vector<std::string>& problems);
void WriteBindings(const std::filesystem::path& optionsFile, const ControlBindings& bindings);

// The key state the game's keyboard handler reads during play, from the
// keys the player holds: an action's own scan code is down while one of its
// keys is down. The keys of the bindings and the game's codes for the
// actions act only through their actions, so a key that one action took
// from another (Space made the jump key) never fires the other one too;
// every other key passes as it is.
KeyStates PlayKeys(const ControlBindings& bindings, const KeyStates& held);

}  // namespace pebblerun
