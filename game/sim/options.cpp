#include "sim/options.h"

#include <cstdlib>
#include <system_error>

#include <quillon/numbers.h>

#include "sim/game_ini.h"
#include "sim/high_scores.h"

namespace pebblerun {

namespace vb = quillon::vb;

namespace {

struct OptionKey {
  const char* key;
  bool GameState::*field;
  bool fallback;
};

// Defaults for a file that lacks a key (the settings dialog never writes
// "GameMode_Story" and "ArcadeLocked"): story mode, arcade locked, sound on,
// high details, windowed, story not read, rumble on.
constexpr OptionKey kOptionKeys[] = {
    {"Details_High", &GameState::DetailsHigh, true},  {"GameMode_Story", &GameState::StoryMode, true},
    {"Sound_On", &GameState::SoundOn, true},          {"FULL_SCREEN", &GameState::FullScreen, false},
    {"ArcadeLocked", &GameState::ArcadeLocked, true}, {"StoryReaden", &GameState::StoryRead, false},
    {"Rumble", &GameState::RumbleOn, true},
};

}  // namespace

void LoadOptions(GameState& g) {
  const auto file = GameFile(g, kOptionsFile);
  for (const auto& [key, value] : ReadOptions(g, LoadIni(file).value_or(IniText()))) {
    WriteIni("main", key, vb::FormatBool(value), file);
  }
}

std::vector<std::pair<std::string, bool>> ReadOptions(GameState& g, const IniText& file) {
  std::vector<std::pair<std::string, bool>> defaulted;
  for (const OptionKey& option : kOptionKeys) {
    const auto value = vb::ParseBool(ReadIni("main", option.key, file));
    g.*option.field = value.value_or(option.fallback);
    if (!value) defaulted.emplace_back(option.key, option.fallback);
  }
  g.FullScreenOption = g.FullScreen;
  if (!g.StoryRead) {
    g.Menu.MenuScreen = "story";
    g.Menu.MenuItem = 10;
  }
  g.GameAreaWidth = 640;
  g.GameAreaHeight = 480;
  g.DisplayWidth = 800;
  g.DisplayHeight = 600;
  return defaulted;
}

void SaveOptions(GameState& g) {
  if (g.Policy.RecordsInMemory) return;
  const auto file = GameFile(g, kOptionsFile);
  WriteIni("main", "Details_High", vb::FormatBool(g.DetailsHigh), file);
  WriteIni("main", "GameMode_Story", vb::FormatBool(g.StoryMode), file);
  WriteIni("main", "Sound_On", vb::FormatBool(g.SoundOn), file);
  WriteIni("main", "FULL_SCREEN", vb::FormatBool(g.FullScreenOption), file);
  WriteIni("main", "ArcadeLocked", vb::FormatBool(g.ArcadeLocked), file);
}

std::filesystem::path UserSettingsFile() {
  std::filesystem::path base;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/') {
    base = xdg;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    base = std::filesystem::path(home) / ".config";
  } else {
    base = std::filesystem::temp_directory_path();
  }
  return base / "Pebblerun" / "settings.ini";
}

std::vector<std::filesystem::path> PlayerFiles(const GameState& g) {
  return {GameFile(g, kOptionsFile), GameFile(g, HighScoreFile(true)), GameFile(g, HighScoreFile(false)),
          GameFile(g, "replay.ini"), UserSettingsFile()};
}

Integer ReadPlayedGames() {
  return vb::ParseInteger(ReadIni("Stats", "Number_Of_Played_Games", UserSettingsFile())).value_or(0);
}

void WritePlayedGames(const GameState& g) {
  // The one place the count leaves memory: a tool's games are not the player's.
  if (g.Policy.RecordsInMemory) return;
  const auto file = UserSettingsFile();
  std::error_code ec;
  std::filesystem::create_directories(file.parent_path(), ec);
  WriteIni("Stats", "Number_Of_Played_Games", vb::FormatLong(g.PlayedGames), file);
}

}  // namespace pebblerun
