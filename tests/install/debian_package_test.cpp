// The Debian package, built by cpack from this build and looked at from the
// outside: its name, its dependencies, its files, a game that runs from the
// unpacked files alone, and lintian. It is never installed on this system.

#include <gtest/gtest.h>

#include <sstream>

#include "installed_game.h"

namespace pebblerun::testing {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(DebianPackage, BuildsUnpacksAndRunsWithoutTheSystemInstalling) {
  ScratchFolder work("deb");
  const RunResult built =
      RunProgram({PEBBLERUN_CPACK, "--config", (BuildFolder() / "CPackConfig.cmake").string(), "-B",
                  work.Path().string()},
                 kTools);
  ASSERT_EQ(built.ExitCode, 0) << built.Output;
  const fs::path deb = work.Path() / ("pebblerun_" + std::string(PEBBLERUN_VERSION) + "_amd64.deb");
  ASSERT_TRUE(fs::is_regular_file(deb)) << built.Output;

  const RunResult depends = RunProgram({"/usr/bin/dpkg-deb", "--field", deb.string(), "Depends"}, kTools);
  for (const char* package :
       {"libsdl2-2.0-0", "libopenal1", "libavcodec", "libqt6widgets6", "fonts-dejavu-core"})
    EXPECT_TRUE(Has(depends.Output, package)) << package << " in " << depends.Output;

  // Everything under /usr; the programs where Debian keeps games.
  const RunResult listing = RunProgram({"/usr/bin/dpkg-deb", "--contents", deb.string()}, kTools);
  for (const std::string& line : Lines(listing.Output)) {
    const std::string path = line.substr(line.find("./"));
    EXPECT_TRUE(path == "./" || path.rfind("./usr/", 0) == 0) << line;
    EXPECT_NE(path.find("/usr/bin/"), 0u) << line;
  }

  const fs::path root = work.Path() / "root";
  const RunResult unpacked = RunProgram({"/usr/bin/dpkg-deb", "-x", deb.string(), root.string()}, kTools);
  ASSERT_EQ(unpacked.ExitCode, 0) << unpacked.Output;
  Player player;
  const RunResult game = RunProgram({(root / "usr/games/pebblerun").string(), "--headless", "--frames", "200",
                                     "--replay", (root / "usr/share/games/pebblerun/replay2.ini").string()},
                                    player.Env());
  EXPECT_EQ(game.ExitCode, 0) << game.Output;
  EXPECT_TRUE(Has(game.Output, "replay frame=")) << game.Output;
  EXPECT_TRUE(Has(ReadFile(player.StateFolder() / "log.txt"), "APPLICATION ENDED"));

  if (!fs::exists("/usr/bin/lintian")) GTEST_SKIP() << "lintian is not installed";
  const RunResult lint = RunProgram({"/usr/bin/lintian", deb.string()}, kTools);
  for (const std::string& line : Lines(lint.Output)) {
    EXPECT_NE(line.rfind("E:", 0), 0u) << line;
    EXPECT_NE(line.rfind("W:", 0), 0u) << line;
  }
}

}  // namespace
}  // namespace pebblerun::testing
