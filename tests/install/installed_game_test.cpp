// The game as a player installs it: a read-only prefix, the programs in
// "bin", each player's options, scores, replays and log in their own
// folders, and the installed folder never written.

#include <gtest/gtest.h>

#include <sstream>

#include "installed_game.h"
#include "key_script.h"

namespace pebblerun::testing {
namespace {

using Script = support::KeyScript;

int CountOf(const std::string& text, const std::string& needle) {
  int count = 0;
  for (auto at = text.find(needle); at != std::string::npos; at = text.find(needle, at + needle.size()))
    ++count;
  return count;
}

bool Has(const std::string& text, const std::string& needle) {
  return text.find(needle) != std::string::npos;
}

std::string LastFrameOf(const std::string& replay) {
  const auto at = replay.find("lastframe=");
  return at == std::string::npos ? "?" : replay.substr(at + 10, replay.find_first_of("\r\n", at) - at - 10);
}

class InstalledGame : public ::testing::Test {
 protected:
  RunResult Play(const Script& script, int frames) {
    const fs::path file = player.Home() / "script.txt";
    WriteFile(file, script.Text());
    return RunProgram({prefix.Program("pebblerun").string(), "--headless", "--script", file.string(),
                       "--frames", std::to_string(frames)},
                      player.Env());
  }

  InstalledPrefix prefix;
  Player player;
};

TEST_F(InstalledGame, EachPlayerKeepsOptionsAndScoresOfTheirOwn) {
  ASSERT_TRUE(fs::is_regular_file(prefix.Program("pebblerun"))) << prefix.InstallOutput();
  const auto installed = Snapshot(prefix.Prefix());
  // A table of zero scores of this player's, so any score of the game asks for a name.
  std::string table = "[hs]\r\n";
  for (int row = 0; row < 10; ++row)
    table += "s" + std::to_string(row) + "=0\r\nn" + std::to_string(row) + "=NOBODY\r\n";
  WriteFile(player.DataFolder() / "textures" / "dot_black2.bmp", table);

  // First run: the installed options open on the story, which is read; sound
  // off and details low; a game that ends in the name entry; Exit.
  Script first;
  first.Press("Enter").Wait(10).Press("Enter");          // both story pages, back to the main menu
  first.Press("Up", 6).Press("Down", 3).Press("Enter");  // options
  first.Press("Up").Press("Enter").Press("Up").Press("Enter").Press("Escape");
  first.Press("Up", 3).Press("Enter").Wait(200).Press("Escape").Wait(10);  // a game, ended
  first.Press("Backspace", 8).Press("A").Press("B").Press("C").Press("Enter").Wait(120);
  first.Press("Escape").Press("Down", 8).Press("Enter");
  const RunResult run1 = Play(first, 3000);
  ASSERT_EQ(run1.ExitCode, 0) << run1.Output;

  const fs::path options = player.DataFolder() / "textures" / "options.bmp";
  const fs::path scores = player.DataFolder() / "textures" / "dot_black2.bmp";
  std::string text = ReadFile(options);
  EXPECT_TRUE(Has(text, "StoryReaden=True")) << text;
  EXPECT_TRUE(Has(text, "Sound_On=False")) << text;
  EXPECT_TRUE(Has(text, "Details_High=False")) << text;
  // The keys nobody changed came with the installed file.
  EXPECT_TRUE(Has(text, "ArcadeLocked=True")) << text;
  EXPECT_TRUE(Has(ReadFile(scores), "n0=ABC")) << ReadFile(scores);

  // Second run: it must open on the main menu (the story was read), keep
  // sound off and details low when it saves full screen, and keep the score.
  Script second;
  second.Press("Down", 3).Press("Enter").Press("Up", 3).Press("Enter").Press("Escape");
  second.Press("Down", 3).Press("Enter");  // Exit
  const RunResult run2 = Play(second, 1000);
  ASSERT_EQ(run2.ExitCode, 0) << run2.Output;
  text = ReadFile(options);
  EXPECT_TRUE(Has(text, "FULL_SCREEN=True")) << text;
  EXPECT_TRUE(Has(text, "Sound_On=False")) << text;
  EXPECT_TRUE(Has(text, "Details_High=False")) << text;
  EXPECT_TRUE(Has(ReadFile(scores), "n0=ABC")) << ReadFile(scores);

  const std::string log = ReadFile(player.StateFolder() / "log.txt");
  EXPECT_EQ(CountOf(log, "APPLICATION ENDED"), 2) << log;
  EXPECT_EQ(CountOf(log, "Shared game folder " + prefix.Content().string()), 2) << log;
  EXPECT_EQ(Snapshot(prefix.Prefix()), installed);
}

TEST_F(InstalledGame, PlaysAShippedReplayFromTheInstalledFolderWithoutWritingThere) {
  const auto installed = Snapshot(prefix.Prefix());
  // The first 300 frames are enough: the length it reports comes from the file.
  const RunResult run = RunProgram({prefix.Program("pebblerun").string(), "--headless", "--frames", "300",
                                    "--replay", (prefix.Content() / "replay1.ini").string()},
                                   player.Env());
  ASSERT_EQ(run.ExitCode, 0) << run.Output;
  EXPECT_TRUE(Has(run.Output, "lastframe=" + LastFrameOf(ReadFile(prefix.Content() / "replay1.ini"))))
      << run.Output;
  EXPECT_TRUE(Has(ReadFile(player.StateFolder() / "log.txt"), "APPLICATION ENDED"));
  EXPECT_EQ(Snapshot(prefix.Prefix()), installed);
}

TEST_F(InstalledGame, AFolderGivenWithAppDirIsUsedAsAlways) {
  // A writable copy of the content without the installed mark: the game
  // keeps its files there, and the player's folders stay empty.
  ScratchFolder copy("appdir");
  fs::copy(prefix.Content(), copy.Path(), fs::copy_options::recursive);
  fs::remove(copy.Path() / "installed.txt");
  fs::permissions(copy.Path(), fs::perms::owner_all);
  for (const auto& entry : fs::recursive_directory_iterator(copy.Path()))
    fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add);
  const RunResult run = RunProgram({prefix.Program("pebblerun").string(), "--headless", "--frames", "30",
                                    "--app-dir", copy.Path().string()},
                                   player.Env());
  ASSERT_EQ(run.ExitCode, 0) << run.Output;
  EXPECT_TRUE(Has(ReadFile(copy.Path() / "log.txt"), "APPLICATION ENDED"));
  EXPECT_FALSE(fs::exists(player.DataFolder()));
  EXPECT_FALSE(fs::exists(player.StateFolder()));
}

}  // namespace
}  // namespace pebblerun::testing
