#pragma once
// The game's access to its INI files (tuning, options, high scores, replays).

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <quillon/profile.h>

#include "sim/game_state.h"

namespace pebblerun {

// The path on disk of one of the game's files ("\Textures\lvl1.bmp"), under
// the application folder unless the name is absolute. When that folder is
// shared (installed for every user), ReadIni and WriteIni take this user's
// copy instead, as quillon/paths.h says; anything else that opens or tests
// the file goes through quillon::paths::ForReading / ForWriting too.
std::filesystem::path GameFile(const GameState& g, std::string_view name);

// The value of key in section of file, "" when absent; at most 254 characters.
std::string ReadIni(std::string_view section, std::string_view key, const std::filesystem::path& file);

// A file read once for many reads (a whole tuning, options or replay file),
// or bytes that never were a file. nullopt when there is no such file.
using IniText = quillon::profile::IniSnapshot;
std::optional<IniText> LoadIni(const std::filesystem::path& file);
// The value of key in section of text, "" when absent; as ReadIni.
std::string ReadIni(std::string_view section, std::string_view key, const IniText& text);

// Writes key = value, creating file, section and key as needed; a failed
// write is not reported. A file of a shared application folder is written as
// this user's copy (started from the shared one), so every writer follows the
// same rule whatever path it was given.
void WriteIni(std::string_view section, std::string_view key, std::string_view value,
              const std::filesystem::path& file);

// Writes several keys of section as one change on disk: the file holds all
// of them or, after a failure or a crash, none. Not reported either.
void WriteIniKeys(std::string_view section, const std::vector<std::pair<std::string, std::string>>& keys,
                  const std::filesystem::path& file);

}  // namespace pebblerun
