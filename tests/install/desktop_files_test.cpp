// What the desktop reads from an installation: menu entries, icons, the
// software centre's description and the manual pages, checked by the
// desktop's own validators.

#include <gtest/gtest.h>

#include <cstdint>
#include <regex>

#include "installed_game.h"

namespace pebblerun::testing {
namespace {

bool HasTool(const std::string& tool) { return fs::exists("/usr/bin/" + tool); }

// The value of key in a desktop entry ("" when absent).
std::string EntryValue(const std::string& entry, const std::string& key) {
  std::smatch m;
  return std::regex_search(entry, m, std::regex("(^|\n)" + key + "=([^\n]*)")) ? m[2].str() : "";
}

// Width and height from a PNG's header.
std::pair<std::uint32_t, std::uint32_t> PngSize(const std::string& bytes) {
  if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0) return {0, 0};
  const auto be32 = [&](std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
    return v;
  };
  return {be32(16), be32(20)};
}

class DesktopFiles : public ::testing::Test {
 protected:
  InstalledPrefix prefix;
  fs::path share = prefix.Prefix() / "share";
};

TEST_F(DesktopFiles, MenuEntriesStartInstalledProgramsWithTheirIcons) {
  const fs::path apps = share / "applications";
  int entries = 0;
  for (const auto& file : fs::directory_iterator(apps)) {
    ++entries;
    const std::string entry = ReadFile(file.path());
    const std::string program = EntryValue(entry, "Exec");
    EXPECT_TRUE(fs::is_regular_file(prefix.Prefix() / "bin" / program)) << file.path() << ": " << program;
    const std::string icon = EntryValue(entry, "Icon");
    for (const int size : {16, 32, 48, 64, 128, 256}) {
      const std::string folder = std::to_string(size) + "x" + std::to_string(size);
      const auto [w, h] = PngSize(ReadFile(share / "icons" / "hicolor" / folder / "apps" / (icon + ".png")));
      EXPECT_EQ(w, static_cast<std::uint32_t>(size)) << icon << " " << folder;
      EXPECT_EQ(h, static_cast<std::uint32_t>(size)) << icon << " " << folder;
    }
    const std::string svg = ReadFile(share / "icons" / "hicolor" / "scalable" / "apps" / (icon + ".svg"));
    EXPECT_NE(svg.find("<svg"), std::string::npos) << icon;
    if (HasTool("desktop-file-validate")) {
      const RunResult check = RunProgram({"/usr/bin/desktop-file-validate", file.path().string()}, kTools);
      EXPECT_EQ(check.ExitCode, 0) << check.Output;
      // Hints are allowed: Settings is meant to show under both Settings and Games.
      EXPECT_EQ(check.Output.find("error"), std::string::npos) << check.Output;
      EXPECT_EQ(check.Output.find("warning"), std::string::npos) << check.Output;
    }
  }
  EXPECT_EQ(entries, 2);
  const std::string game = ReadFile(apps / "io.github.pebblerun.pebblerun.desktop");
  EXPECT_EQ(EntryValue(game, "Categories"), "Game;ActionGame;");
  const std::string settings = ReadFile(apps / "io.github.pebblerun.pebblerun_settings.desktop");
  EXPECT_EQ(EntryValue(settings, "Categories"), "Settings;Game;");
}

TEST_F(DesktopFiles, SoftwareCentreDescriptionIsValid) {
  const fs::path metainfo = share / "metainfo" / "io.github.pebblerun.pebblerun.metainfo.xml";
  const std::string text = ReadFile(metainfo);
  EXPECT_NE(text.find("<binary>pebblerun</binary>"), std::string::npos);
  EXPECT_NE(text.find("<binary>pebblerun-settings</binary>"), std::string::npos);
  EXPECT_NE(text.find("<content_rating"), std::string::npos);
  if (!HasTool("appstreamcli")) GTEST_SKIP() << "appstreamcli is not installed";
  const RunResult check =
      RunProgram({"/usr/bin/appstreamcli", "validate", "--no-net", "--pedantic", metainfo.string()}, kTools);
  EXPECT_EQ(check.ExitCode, 0) << check.Output;
  EXPECT_NE(check.Output.find("Validation was successful"), std::string::npos) << check.Output;
  EXPECT_EQ(check.Output.find("pedantic:"), std::string::npos) << check.Output;
}

TEST_F(DesktopFiles, ManualPagesFormatWithoutWarningsAndCoverEveryOption) {
  if (!HasTool("man")) GTEST_SKIP() << "man is not installed";
  const fs::path man6 = share / "man" / "man6";
  for (const char* page : {"pebblerun.6.gz", "pebblerun-settings.6.gz"}) {
    const RunResult shown =
        RunProgram({"/usr/bin/man", "--warnings", "-l", (man6 / page).string()},
                   {"PATH=/usr/bin:/bin", "LANG=C.UTF-8", "MANWIDTH=80", "MAN_KEEP_FORMATTING=0"});
    EXPECT_EQ(shown.ExitCode, 0) << page << "\n" << shown.Output;
    EXPECT_EQ(shown.Output.find("warning"), std::string::npos) << page << "\n" << shown.Output;
  }
  // Every option the program's own help names is in its manual page.
  const RunResult help = RunProgram({(prefix.Prefix() / "bin" / "pebblerun").string(), "--help"}, kTools);
  const RunResult page = RunProgram({"/usr/bin/man", "-l", (man6 / "pebblerun.6.gz").string()},
                                    {"PATH=/usr/bin:/bin", "LANG=C", "MANWIDTH=200", "MANPAGER=cat"});
  std::smatch m;
  std::string rest = help.Output;
  int options = 0;
  while (std::regex_search(rest, m, std::regex("--[a-z-]+"))) {
    ++options;
    EXPECT_NE(page.Output.find(m.str()), std::string::npos) << m.str() << " is missing from pebblerun(6)";
    rest = m.suffix();
  }
  EXPECT_GE(options, 9) << help.Output;
}

}  // namespace
}  // namespace pebblerun::testing
