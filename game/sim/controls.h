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
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pebblerun {

enum class GameAction { WalkLeft, WalkRight, Jump, Bomb, Pause, Back };
inline constexpr int kGameActions = 6;
inline constexpr int kKeysPerAction = 2;

using KeyStates = std::array<std::uint8_t, 256>;     // 0x80 = down
using ActionKeys = std::array<int, kKeysPerAction>;  // scan codes, 0 = no key

struct GameActionInfo {
  GameAction Action;
  const char* Key;         // its key in section "controls"
  const char* Label;       // as the settings dialog shows it
  int GameCode;            // the scan code the game's keyboard handler reads for it
  ActionKeys Defaults;     // the game's own keys
  const char* PadButtons;  // the pad's buttons for it, as the settings dialog shows them
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

// Whether a key may drive an action: it has a name, and the keyboard lock does
// not swallow it (the Windows keys never reach the game). Combinations such as
// Alt+Enter cannot be bound at all: a binding is one key.
bool KeyCanBeBound(int code);

// "Space, Down" for the keys of an action (empty slots left out).
std::string FormatActionKeys(const ActionKeys& keys);
// The keys of such a text: one or two key names separated by a comma. nullopt
// with the reason in error for an unknown name, a key that cannot be bound,
// more than two keys or none.
std::optional<ActionKeys> ParseActionKeys(std::string_view text, std::string& error);

// The action other than except that has code among its keys.
std::optional<GameAction> ActionHoldingKey(const ControlBindings& bindings, int code,
                                           std::optional<GameAction> except = std::nullopt);

// Section "controls" of the options file. A missing or empty key gives its
// action the default keys; a line that cannot be used (see ParseActionKeys,
// or a key an earlier action holds) does the same and adds a line for the
// log to problems. A default key another action already holds is left out.
ControlBindings ReadBindings(const std::filesystem::path& optionsFile, std::vector<std::string>& problems);
void WriteBindings(const std::filesystem::path& optionsFile, const ControlBindings& bindings);

// The key state the game's keyboard handler reads during play, from the
// keys the player holds: an action's own scan code is down while one of its
// keys is down. The keys of the bindings and the game's codes for the
// actions act only through their actions, so a key that one action took
// from another (Space made the jump key) never fires the other one too;
// every other key passes as it is.
KeyStates PlayKeys(const ControlBindings& bindings, const KeyStates& held);

}  // namespace pebblerun
