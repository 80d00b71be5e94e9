#include "game_launch.h"

#include "modMain.h"

#include <quillon/paths.h>

#include <system_error>

namespace settings {

namespace fs = std::filesystem;

GameLaunch GameToStart(const fs::path& appDir, const fs::path& settingsFolder) {
  std::error_code error;
  const fs::path inAppFolder = GameProgramPath(appDir);
  if (fs::is_regular_file(inAppFolder, error)) return {inAppFolder, {}};
  // Names are matched without regard to case: "pebblerun" installed, "Pebblerun" built.
  const fs::path beside = quillon::paths::Resolve("pebblerun", settingsFolder);
  if (settingsFolder.empty() || !fs::is_regular_file(beside, error)) return {inAppFolder, {}};
  const auto own = quillon::paths::InstalledContentFolder(settingsFolder);
  if (own && fs::equivalent(*own, appDir, error)) return {beside, {}};
  return {beside, {"--app-dir", appDir.string()}};
}

}  // namespace settings
