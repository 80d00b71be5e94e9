#pragma once
// Which game program "SAVE & PLAY" starts, and with what arguments.

#include <filesystem>
#include <string>
#include <vector>

namespace settings {

struct GameLaunch {
  std::filesystem::path Program;
  std::vector<std::string> Arguments;
};

// The game in the application folder when there is one (a build's folder, or
// a copy of the game), else the game installed beside this program
// ("P/bin/pebblerun"), told the application folder when it would not find
// that folder by itself. With neither, the application folder's game, so the
// failure names the file that was looked for.
GameLaunch GameToStart(const std::filesystem::path& appDir, const std::filesystem::path& settingsFolder);

}  // namespace settings
