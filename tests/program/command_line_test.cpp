// The command line: every flag read, and what it refuses.

#include "program/command_line.h"

#include <gtest/gtest.h>

namespace pebblerun {
namespace {

TEST(CommandLine, ReadsEveryFlag) {
  const auto cl = ParseCommandLine({"--app-dir", "/x", "--headless", "--replay", "r.ini", "--frames", "12",
                                    "--script", "s.txt", "--windowed"});
  EXPECT_TRUE(cl.Error.empty());
  EXPECT_EQ(cl.AppDir, "/x");
  EXPECT_TRUE(cl.Headless);
  EXPECT_EQ(cl.ReplayFile, "r.ini");
  EXPECT_EQ(cl.Frames, 12);
  EXPECT_EQ(cl.ScriptFile, "s.txt");
  EXPECT_EQ(cl.FullScreen, false);
  EXPECT_EQ(ParseCommandLine({"--fullscreen"}).FullScreen, true);
  EXPECT_FALSE(ParseCommandLine({}).FullScreen.has_value());
  EXPECT_TRUE(ParseCommandLine({"--help"}).Help);
  EXPECT_TRUE(ParseCommandLine({"--version"}).Version);
}

TEST(CommandLine, RefusesWhatItCannotRead) {
  EXPECT_FALSE(ParseCommandLine({"--frames"}).Error.empty());
  EXPECT_FALSE(ParseCommandLine({"--frames", "-3"}).Error.empty());
  EXPECT_FALSE(ParseCommandLine({"--frames", "ten"}).Error.empty());
  EXPECT_FALSE(ParseCommandLine({"--replay"}).Error.empty());
  EXPECT_FALSE(ParseCommandLine({"--bogus"}).Error.empty());
}

}  // namespace
}  // namespace pebblerun
