// The installed settings dialog works on the same per-user options as the
// installed game, and "SAVE & PLAY" finds the game installed beside it.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

#include "game_launch.h"
#include "installed_game.h"

namespace pebblerun::testing {
namespace {

bool Has(const std::string& text, const std::string& needle) {
  return text.find(needle) != std::string::npos;
}

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
    EXPECT_TRUE(WaitUntil([&] { return Has(ReadFile(options), "FULL_SCREEN=True"); })) << ReadFile(options);
  }
  text = ReadFile(options);
  EXPECT_TRUE(Has(text, "Sound_On=False")) << text;
  EXPECT_TRUE(Has(text, "Details_High=False")) << text;

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

}  // namespace
}  // namespace pebblerun::testing
