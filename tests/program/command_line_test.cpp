// The command line: every flag read, and what it refuses.

#include "program/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

TEST(CommandLine, SeedsOutsideTheGeneratorsRangeAreRefused) {
  for (const char* bad : {"-1", "16777216", "12abc", ""})
    EXPECT_FALSE(ParseCommandLine({"--seed", bad}).Error.empty()) << bad;
  EXPECT_EQ(ParseCommandLine({"--seed", "16777215"}).GameSeed, 16777215);
  EXPECT_EQ(ParseCommandLine({"--seed", "0"}).GameSeed, 0);
  EXPECT_EQ(ParseCommandLine({}).GameSeed, -1);
}

TEST(CommandLine, OptionsThatBelongToTheVideoExportAreCheckedWithIt) {
  const auto ok = ParseCommandLine({"--export-video", "r.ini", "v.webm", "--scale", "3", "--progress-lines"});
  EXPECT_TRUE(ok.Error.empty()) << ok.Error;
  EXPECT_TRUE(ok.Export && ok.Headless && ok.ProgressLines);
  EXPECT_EQ(ok.ExportReplay, "r.ini");
  EXPECT_EQ(ok.ExportFile, "v.webm");
  EXPECT_EQ(ok.ExportScale, 3);
  for (const std::vector<std::string>& bad : {std::vector<std::string>{"--scale", "2"},
                                              {"--progress-lines"},
                                              {"--export-video", "r.ini"},
                                              {"--export-video", "r.ini", "v.mp4", "--scale", "0"},
                                              {"--export-video", "r.ini", "v.mp4", "--scale", "9"},
                                              {"--export-video", "r.ini", "v.mp4", "--replay", "r.ini"},
                                              {"--export-video", "r.ini", "v.mp4", "--script", "k.txt"}}) {
    EXPECT_FALSE(ParseCommandLine(bad).Error.empty()) << bad[0] << " " << bad.size();
  }
}

}  // namespace
}  // namespace pebblerun
