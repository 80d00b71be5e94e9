#include "modMain.h"

#include <quillon/numbers.h>
#include <quillon/paths.h>
#include <quillon/profile.h>

#include <system_error>

namespace settings {

namespace {

std::filesystem::path AppFile(std::string_view name, const std::filesystem::path& appDir) {
  quillon::paths::FoldersOf(appDir);  // so that the folder's files are recognised as shared
  return quillon::paths::Resolve(name, appDir);
}

}  // namespace

std::filesystem::path OptionsFilePath(const std::filesystem::path& appDir) {
  return AppFile("\\textures\\options.bmp", appDir);
}

std::filesystem::path StoryHighScorePath(const std::filesystem::path& appDir) {
  return AppFile("\\textures\\dot_black2.bmp", appDir);
}

std::filesystem::path ArcadeHighScorePath(const std::filesystem::path& appDir) {
  return AppFile("\\textures\\dot_white2.bmp", appDir);
}

std::filesystem::path GameProgramPath(const std::filesystem::path& appDir) {
  return quillon::paths::Resolve("\\Pebblerun", appDir);
}

std::string ReadIni(const std::filesystem::path& file, std::string_view section, std::string_view key) {
  return quillon::profile::ReadString(quillon::paths::ForReading(file), section, key, "");
}

bool WriteIni(const std::filesystem::path& file, std::string_view section, std::string_view key,
              std::string_view value) {
  return quillon::profile::WriteString(quillon::paths::ForEditing(file), section, key, value);
}

bool FlushIni() { return quillon::profile::Flush(); }

bool CheckedFromText(std::string_view text) { return quillon::vb::ParseBool(text).value_or(false); }

std::optional<std::string> DeleteHighScoreFile(const std::filesystem::path& file) {
  std::error_code error;
  if (!quillon::paths::RemoveForUser(file, error)) return error.message();
  return std::nullopt;
}

}  // namespace settings
