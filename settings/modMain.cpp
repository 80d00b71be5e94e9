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

std::filesystem::path LastReplayPath(const std::filesystem::path& appDir) {
  // The game records into the player's copy when the folder is shared.
  return quillon::paths::ForReading("replay.ini", appDir);
}

std::string ReadIni(const std::filesystem::path& file, std::string_view section, std::string_view key) {
  return quillon::profile::ReadString(quillon::paths::ForReading(file), section, key, "");
}

bool WriteIni(const std::filesystem::path& file, std::string_view section, std::string_view key,
              std::string_view value) {
  return quillon::profile::WriteString(quillon::paths::ForEditing(file), section, key, value);
}

bool FlushIni() { return quillon::profile::Flush(); }

const std::array<ActionRow, kActions>& ControlActions() {
  // Scan codes: Left 0xCB, Right 0xCD, Up 0xC8, Space 0x39, Down 0xD0, P 0x19, Escape 0x01.
  static constexpr std::array<ActionRow, kActions> kRows{{
      {Action::WalkLeft, {"WalkLeft", {0xCB, 0}}, "Walk left", "D-pad left, left stick"},
      {Action::WalkRight, {"WalkRight", {0xCD, 0}}, "Walk right", "D-pad right, left stick"},
      {Action::Jump, {"Jump", {0xC8, 0}}, "Jump", "A"},
      {Action::Bomb, {"Bomb", {0x39, 0xD0}}, "Bomb", "B, X"},
      {Action::Pause, {"Pause", {0x19, 0}}, "Pause", "Start"},
      {Action::Back, {"Back", {0x01, 0}}, "Back", "Back"},
  }};
  return kRows;
}

bool CheckedFromText(std::string_view text) { return quillon::vb::ParseBool(text).value_or(false); }

std::optional<std::string> DeleteHighScoreFile(const std::filesystem::path& file) {
  std::error_code error;
  if (!quillon::paths::RemoveForUser(file, error)) return error.message();
  return std::nullopt;
}

}  // namespace settings
