// The played-games count of a tool's run: taken from the player's settings
// once, counted on in memory over the run's games, never read again nor
// written. The player's own game takes it from the settings at every start.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include <quillon/profile.h>

#include "app_folders.h"
#include "headless/runner.h"
#include "sim/game_frame.h"
#include "sim/options.h"
#include "sim/tuning.h"
#include "temp_folder.h"

namespace pebblerun {
namespace {

// A private per-user folder, so the count written here is no other test's.
class PlayedGames : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char* old = std::getenv("XDG_CONFIG_HOME")) oldConfig_ = old;
    setenv("XDG_CONFIG_HOME", (folder_ / "config").c_str(), 1);
    quillon::profile::ClearCache();
    support::CopyShippedTuning(folder_ / "app");
  }
  void TearDown() override {
    if (oldConfig_)
      setenv("XDG_CONFIG_HOME", oldConfig_->c_str(), 1);
    else
      unsetenv("XDG_CONFIG_HOME");
    quillon::profile::ClearCache();
  }
  // What another program (the player's game) leaves in the settings.
  static void Settings(int count) {
    std::filesystem::create_directories(UserSettingsFile().parent_path());
    WriteBytes(UserSettingsFile(), "[Stats]\r\nNumber_Of_Played_Games=" + std::to_string(count) + "\r\n");
    quillon::profile::ClearCache();
  }
  // The end of a game that was played, not watched.
  static void FinishGame(GameState& g) {
    g.GameOver = true;
    g.EndOfGameReady = true;
    EndOfGameStep(g);
  }

  TempFolder folder_;
  std::optional<std::string> oldConfig_;
};

TEST_F(PlayedGames, AToolCountsItsGamesInMemoryOverSeveralStarts) {
  Settings(7);
  SimOptions options;
  options.AppDir = (folder_ / "app").string();
  const auto g = StartSimGame(options);
  EXPECT_EQ(g->PlayedGames, 7);
  // The player plays on meanwhile: the run keeps its own count, game after game.
  Settings(2);
  const std::string before = ReadBytes(UserSettingsFile());
  for (int game = 1; game <= 3; ++game) {
    FinishGame(*g);
    StartGame(*g);
    EXPECT_EQ(g->PlayedGames, 7 + game) << "game " << game;
  }
  EXPECT_EQ(ReadBytes(UserSettingsFile()), before);
}

TEST_F(PlayedGames, ThePlayersGameTakesTheCountFromTheSettingsAtEveryStart) {
  auto g = std::make_unique<GameState>();
  g->AppFolder = (folder_ / "app").string();
  g->StoryMode = true;
  Settings(7);
  StartGame(*g);
  EXPECT_EQ(g->PlayedGames, 7);
  FinishGame(*g);
  EXPECT_NE(ReadBytes(UserSettingsFile()).find("Number_Of_Played_Games=8"), std::string::npos);
  Settings(20);  // another copy of the game counted its own games
  StartGame(*g);
  EXPECT_EQ(g->PlayedGames, 20);
}

}  // namespace
}  // namespace pebblerun
