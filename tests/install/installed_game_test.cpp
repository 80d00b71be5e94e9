// The game as a player installs it: a read-only prefix, the programs in
// "bin", each player's options, scores, replays and log in their own
// folders, and the installed folder never written.

#include <gtest/gtest.h>

#include <sstream>

#include "installed_game.h"
#include "key_script.h"
#include "program_run.h"

namespace pebblerun::testing {
namespace {

using Script = support::KeyScript;
using support::CountOf;

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
  // A bare name: the working folder (/tmp) has none, the installed folder has it.
  const RunResult run = RunProgram(
      {prefix.Program("pebblerun").string(), "--headless", "--frames", "300", "--replay", "replay1.ini"},
      player.Env());
  ASSERT_EQ(run.ExitCode, 0) << run.Output;
  EXPECT_TRUE(Has(run.Output, "lastframe=" + LastFrameOf(ReadFile(prefix.Content() / "replay1.ini"))))
      << run.Output;
  EXPECT_TRUE(Has(ReadFile(player.StateFolder() / "log.txt"), "APPLICATION ENDED"));
  EXPECT_EQ(Snapshot(prefix.Prefix()), installed);
}

// T held in the menu records the game into the player's data folder; R held
// plays that recording back, and so does --replay with the bare name.
TEST_F(InstalledGame, RecordsTheLastGameForThePlayerAndPlaysItBack) {
  const auto installed = Snapshot(prefix.Prefix());
  WriteFile(player.DataFolder() / "textures" / "options.bmp", "[main]\r\nStoryReaden=True\r\n");
  // No score of this game enters the table, so it ends without a name entry.
  std::string table = "[hs]\r\n";
  for (int row = 0; row < 10; ++row)
    table += "s" + std::to_string(row) + "=999999\r\nn" + std::to_string(row) + "=NOBODY\r\n";
  WriteFile(player.DataFolder() / "textures" / "dot_black2.bmp", table);

  Script record(5);
  record.Press("T")
      .Press("Enter")
      .WaitUntil(60)
      .Hold("Left", 40)
      .Press("Up")
      .Hold("Right", 60)
      .Press("Space");
  record.Wait(40).Press("Escape");
  const RunResult run1 = Play(record, record.Frame() + 80);
  ASSERT_EQ(run1.ExitCode, 0) << run1.Output;
  const std::string recorded = ReadFile(player.DataFolder() / "replay.ini");
  const std::string lastFrame = LastFrameOf(recorded);
  ASSERT_NE(lastFrame, "?") << recorded;
  const std::string log = ReadFile(player.StateFolder() / "log.txt");
  const auto seedAt = log.find("Game started with seed ");
  ASSERT_NE(seedAt, std::string::npos) << log;
  const std::string seedLine = log.substr(seedAt, log.find_first_of("\r\n", seedAt) - seedAt);

  Script playback(5);
  playback.Press("R").Press("Enter").WaitUntil(std::stoi(lastFrame) + 120).Press("Escape", 2);
  const RunResult run2 = Play(playback, playback.Frame() + 20);
  ASSERT_EQ(run2.ExitCode, 0) << run2.Output;
  EXPECT_TRUE(Has(ReadFile(player.StateFolder() / "log.txt"), seedLine + " (replay replay.ini)"))
      << ReadFile(player.StateFolder() / "log.txt");

  const RunResult run3 = RunProgram(
      {prefix.Program("pebblerun").string(), "--headless", "--replay", "replay.ini"}, player.Env());
  ASSERT_EQ(run3.ExitCode, 0) << run3.Output;
  EXPECT_TRUE(Has(run3.Output, "lastframe=" + lastFrame)) << run3.Output;
  EXPECT_EQ(ReadFile(player.DataFolder() / "replay.ini"), recorded);  // playing it back changed nothing
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
