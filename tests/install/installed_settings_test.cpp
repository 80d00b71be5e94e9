// The installed settings dialog works on the same per-user options as the
// installed game, and "SAVE & PLAY" finds the game installed beside it.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

#include <quillon/paths.h>
#include <stdlib.h>

#include "game_launch.h"
#include "installed_game.h"
#include "modMain.h"

namespace pebblerun::testing {
namespace {

// The dialog writes its boxes every half second; wait until the file shows
// what is expected (or give up after ten seconds).
bool WaitUntil(const std::function<bool()>& done) {
  for (int i = 0; i < 200; ++i) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return done();
}

TEST(InstalledSettings, WritesThePlayersOptionsWhereTheGameReadsThem) {
  InstalledPrefix prefix;
  Player player;
  const auto installed = Snapshot(prefix.Prefix());
  const fs::path options = player.DataFolder() / "textures" / "options.bmp";
  const std::vector<std::string> settings = {prefix.Program("pebblerun-settings").string()};
  {
    // No options of the player's yet: the dialog starts from the installed
    // ones, and the file it leaves keeps every key the game needs.
    Running dialog(settings, player.Env());
    ASSERT_TRUE(dialog.Started());
    EXPECT_TRUE(WaitUntil([&] { return Has(ReadFile(options), "Details_High=True"); })) << ReadFile(options);
  }
  std::string text = ReadFile(options);
  EXPECT_TRUE(Has(text, "GameMode_Story=True")) << text;
  EXPECT_TRUE(Has(text, "ArcadeLocked=True")) << text;
  EXPECT_TRUE(Has(text, "FULL_SCREEN=False")) << text;

  // The player's own values are the ones it shows and writes back.
  WriteFile(options,
            "[main]\r\nFULL_SCREEN=1\r\nSound_On=false\r\nDetails_High=0\r\nGameMode_Story=True\r\n"
            "ArcadeLocked=True\r\nStoryReaden=True\r\n");
  {
    Running dialog(settings, player.Env());
    // One timer pass writes all three boxes as clean words.
    EXPECT_TRUE(WaitUntil([&] {
      text = ReadFile(options);
      return Has(text, "FULL_SCREEN=True") && Has(text, "Sound_On=False") && Has(text, "Details_High=False");
    })) << text;
  }

  // And the game starts from them.
  const RunResult game =
      RunProgram({prefix.Program("pebblerun").string(), "--headless", "--frames", "20"}, player.Env());
  EXPECT_EQ(game.ExitCode, 0) << game.Output;
  EXPECT_EQ(Snapshot(prefix.Prefix()), installed);
}

TEST(InstalledSettings, SaveAndPlayStartsTheGameInstalledBesideIt) {
  InstalledPrefix prefix;
  const fs::path bin = prefix.Prefix() / "bin";
  const settings::GameLaunch installed = settings::GameToStart(prefix.Content(), bin);
  EXPECT_EQ(installed.Program, bin / "pebblerun");
  EXPECT_TRUE(installed.Arguments.empty());
  // Another folder is handed to the installed game, which would not find it.
  ScratchFolder other("other");
  const settings::GameLaunch elsewhere = settings::GameToStart(other.Path(), bin);
  EXPECT_EQ(elsewhere.Program, bin / "pebblerun");
  EXPECT_EQ(elsewhere.Arguments, (std::vector<std::string>{"--app-dir", other.Path().string()}));
  // A folder that holds its own game (a build's) keeps starting that one.
  const fs::path built = BuildFolder() / "app";
  EXPECT_EQ(settings::GameToStart(built, bin).Program, built / "Pebblerun");
}

TEST(InstalledSettings, ResettingScoresHidesASharedTableBehindAnEmptyOne) {
  // A shared folder that came with a table, and the player's own table.
  ScratchFolder app("shared");
  Player player;
  for (const std::string& variable : player.Env()) {
    const auto eq = variable.find('=');
    ::setenv(variable.substr(0, eq).c_str(), variable.substr(eq + 1).c_str(), 1);
  }
  WriteFile(app.Path() / "installed.txt", "");
  WriteFile(app.Path() / "textures" / "dot_black2.bmp", "[hs]\r\nn0=SHARED\r\n");
  const fs::path mine = player.DataFolder() / "textures" / "dot_black2.bmp";
  WriteFile(mine, "[hs]\r\nn0=MINE\r\n");

  const fs::path scores = settings::StoryHighScorePath(app.Path());
  EXPECT_EQ(settings::DeleteHighScoreFile(scores), std::nullopt);
  // Neither table shows to the game any more; the shared one is left as it was.
  EXPECT_EQ(quillon::paths::ForReading("\\textures\\dot_black2.bmp", app.Path()), mine);
  EXPECT_TRUE(fs::exists(mine));
  EXPECT_EQ(ReadFile(mine), "");
  EXPECT_EQ(ReadFile(app.Path() / "textures" / "dot_black2.bmp"), "[hs]\r\nn0=SHARED\r\n");
}

}  // namespace
}  // namespace pebblerun::testing
