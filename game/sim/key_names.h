#pragma once
// Names of the keys of the game's 256-byte key state, as the options file and
// the settings dialog write them ("Left", "A", "Space", "F1", "Numpad0").

#include <optional>
#include <string>
#include <string_view>

namespace pebblerun {

// The scan code of a key name, without regard to case; a few other
// spellings are taken too ("Esc", "Return", "Break"). nullopt for anything else.
std::optional<int> KeyCodeOfName(std::string_view name);

// The name of a scan code; "" for codes without one.
std::string KeyNameOfCode(int code);

}  // namespace pebblerun
