#pragma once
// Keys by name, and actions that take their keys from a section of an INI
// file. The names are those of the engine's key codes ("Left", "A", "Space",
// "F1", "Numpad0"); a host lists its actions with their default keys, and
// the reader gives every action usable keys whatever the file holds, so a
// game and its settings dialog read the same section the same way.

#include <array>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <quillon/profile.h>

namespace quillon::keys {

// The key code of a name, without regard to case; a few other spellings are
// taken too ("Esc", "Return", "Break"). nullopt for anything else.
std::optional<int> CodeOfName(std::string_view name);

// The name of a key code; "" for codes without one.
std::string NameOfCode(int code);

// Whether a key can drive an action: it has a name and reaches a host at all
// (the Windows keys never do: the keyboard lock keeps them). A combination
// such as Alt+Enter is never a binding: a binding is one key.
bool CanBeBound(int code);

// The keys of one action: at most two key codes, 0 for an empty slot.
using KeyPair = std::array<int, 2>;

// "Space, Down" (empty slots left out).
std::string Format(const KeyPair& keys);
// One or two key names separated by a comma (a name twice counts once).
// nullopt with the reason in error for an unknown name, a key that cannot
// be bound, more than two keys or none.
std::optional<KeyPair> Parse(std::string_view text, std::string& error);

// An action as the file names it, with the keys it has without a line.
struct Binding {
  std::string_view Key;
  KeyPair Defaults;
};

// The action of bindings other than except that has code among its keys.
std::optional<std::size_t> HolderOf(std::span<const KeyPair> keys, int code,
                                    std::optional<std::size_t> except = std::nullopt);

// The keys of each action from section of file, in the order of actions. A
// missing or empty line gives the action its defaults; a line that cannot be
// used (see Parse, or a key an earlier action has) does the same and adds a
// line for the log to problems. A default key an earlier action already has
// is left out, so no key ever drives two actions.
std::vector<KeyPair> ReadBindings(const std::filesystem::path& file, std::string_view section,
                                  std::span<const Binding> actions, std::vector<std::string>& problems);
// The same from a text already read.
std::vector<KeyPair> ReadBindings(const profile::IniSnapshot& text, std::string_view section,
                                  std::span<const Binding> actions, std::vector<std::string>& problems);
void WriteBindings(const std::filesystem::path& file, std::string_view section,
                   std::span<const Binding> actions, std::span<const KeyPair> keys);

}  // namespace quillon::keys
