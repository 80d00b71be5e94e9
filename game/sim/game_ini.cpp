#include "sim/game_ini.h"

#include <quillon/paths.h>
#include <quillon/profile.h>

namespace pebblerun {

std::filesystem::path GameFile(const GameState& g, std::string_view name) {
  quillon::paths::FoldersOf(g.AppFolder);  // so that the folder's files are recognised as shared
  return quillon::paths::Resolve(name, g.AppFolder);
}

std::string ReadIni(std::string_view section, std::string_view key, const std::filesystem::path& file) {
  return quillon::profile::ReadString(quillon::paths::ForReading(file), section, key, "");
}

std::optional<IniText> LoadIni(const std::filesystem::path& file) {
  return quillon::profile::LoadSnapshot(quillon::paths::ForReading(file));
}

std::string ReadIni(std::string_view section, std::string_view key, const IniText& text) {
  return text.Read(section, key, "");
}

void WriteIni(std::string_view section, std::string_view key, std::string_view value,
              const std::filesystem::path& file) {
  (void)quillon::profile::WriteString(quillon::paths::ForEditing(file), section, key, value);
}

void WriteIniKeys(std::string_view section, const std::vector<std::pair<std::string, std::string>>& keys,
                  const std::filesystem::path& file) {
  std::vector<quillon::profile::KeyValue> changes;
  changes.reserve(keys.size());
  for (const auto& [key, value] : keys) changes.push_back({section, key, value});
  (void)quillon::profile::WriteStrings(file, changes);
}

}  // namespace pebblerun
