// The player's own files: tools leave them alone, a write killed half-way
// leaves no litter for good, and the log names them as the system shows them.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "reliability_fixture.h"
#include "temp_folder.h"

namespace pebblerun::support {
namespace {

namespace fs = std::filesystem;

using PlayerFiles = ReliabilityTest;

TEST_F(PlayerFiles, SimulatorGamesLeaveThePlayersSettingsByteForByte) {
  const fs::path settings = Home() / "Pebblerun" / "settings.ini";
  fs::create_directories(settings.parent_path());
  const std::string mine = "; my own notes\r\n[Stats]\r\nNumber_Of_Played_Games=7\r\n";
  std::ofstream(settings, std::ios::binary) << mine;
  for (const char* mode : {"story", "arcade"}) {
    const auto run = Sim({"--app-dir", AppDir(), "--mode", mode, "--random", "3"});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_NE(run.Out.find("result=died"), std::string::npos) << "the game ran to its end: " << run.Out;
  }
  EXPECT_EQ(ReadBytes(settings), mine);
  EXPECT_EQ(ListTree(Home()), (std::vector<std::string>{"Pebblerun", "Pebblerun/settings.ini"}));
}

TEST_F(PlayerFiles, StaleTemporariesGoAtTheNextStartWhileALiveWritersStay) {
  // What a write killed between its temporary file and the rename leaves:
  // one complete copy, one empty. This test process is a live writer.
  const fs::path textures = app_.Dir() / "textures";
  const std::string dead = std::to_string(DeadProcessId()), live = std::to_string(::getpid());
  const std::string options = ReadBytes(textures / "options.bmp");
  std::ofstream(textures / (".options.bmp." + dead + ".0.tmp"), std::ios::binary) << options;
  std::ofstream(textures / (".options.bmp." + dead + ".1.tmp"), std::ios::binary);
  std::ofstream(textures / (".dot_white2.bmp." + dead + ".4.tmp"), std::ios::binary) << "[hs]";
  std::ofstream(textures / (".options.bmp." + live + ".2.tmp"), std::ios::binary) << "being written";
  const fs::path settingsTemp = Home() / "Pebblerun" / (".settings.ini." + dead + ".0.tmp");
  fs::create_directories(settingsTemp.parent_path());
  std::ofstream(settingsTemp) << "[Stats]";
  // A file that only looks alike is not ours to remove.
  std::ofstream(textures / (".options.bmp." + dead + ".tmp")) << "x";

  const auto run = Game({"--headless", "--frames", "5", "--app-dir", AppDir()});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_FALSE(fs::exists(textures / (".options.bmp." + dead + ".0.tmp")));
  EXPECT_FALSE(fs::exists(textures / (".options.bmp." + dead + ".1.tmp")));
  EXPECT_FALSE(fs::exists(textures / (".dot_white2.bmp." + dead + ".4.tmp")));
  EXPECT_FALSE(fs::exists(settingsTemp));
  EXPECT_TRUE(fs::exists(textures / (".options.bmp." + live + ".2.tmp")));
  EXPECT_TRUE(fs::exists(textures / (".options.bmp." + dead + ".tmp")));
  EXPECT_EQ(ReadBytes(textures / "options.bmp"), options);
}

TEST_F(PlayerFiles, LogNamesFilesAsTheSystemShowsThem) {
  fs::remove(app_.Dir() / "music" / "music_menu.wma");
  fs::remove_all(app_.Dir() / "sfx");
  fs::remove(app_.Dir() / "textures" / "menu" / "logo.jpg");
  const auto run = Game({"--headless", "--frames", "5", "--app-dir", AppDir()});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  const std::string log = app_.Log();
  for (const fs::path& missing :
       {app_.Dir() / "music" / "music_menu.wma", app_.Dir() / "textures" / "menu" / "logo.jpg"}) {
    EXPECT_NE(log.find(missing.string()), std::string::npos) << missing << "\n" << log;
  }
  // No name is left in the system's own spelling, or half in each.
  std::istringstream lines(log);
  for (std::string line; std::getline(lines, line);) EXPECT_EQ(line.find('\\'), std::string::npos) << line;
}

}  // namespace
}  // namespace pebblerun::support
