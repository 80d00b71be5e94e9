#include "app_folder_fixture.h"
#include "quillon/extra.h"

#include <gtest/gtest.h>

using quillon::Extra;

TEST(Scrambler, RoundTripsAndByteZeroLeavesTextAlone) {
  std::string all;
  for (int c = 0; c < 256; ++c) {
    all += static_cast<char>(c);
  }
  for (std::uint8_t key :
       {std::uint8_t{0x01}, std::uint8_t{0x7f}, Extra::DefaultScrambleByte, std::uint8_t{0xff}}) {
    const std::string once = Extra::EnDeCode(all, key);
    EXPECT_NE(once, all);
    EXPECT_EQ(Extra::EnDeCode(once, key), all);
  }
  EXPECT_EQ(Extra::EnDeCode(all, 0), all);
  EXPECT_EQ(Extra::EnDeCode(""), "");
  EXPECT_EQ(Extra::EnDeCode(Extra::EnDeCode("Tobo")), "Tobo");
}

TEST(Scrambler, PrintableTextNeverTurnsIntoCharactersAnIniLineCannotHold) {
  for (int c = 0x20; c < 0x7f; ++c) {
    const auto scrambled =
        static_cast<unsigned char>(Extra::EnDeCode(std::string(1, static_cast<char>(c)))[0]);
    EXPECT_GE(scrambled, 0x80) << c;
  }
}

class ExtraServices : public AppFolderTest {
 protected:
  Extra extra;
};

TEST_F(ExtraServices, IniValuesScrambledOnWriteReadBackWithDecrypt) {
  const std::string secret = "  Level=3; \"quoted\" [x] ";
  ASSERT_NE(extra.INIWrite("main", "Secret", secret, "opt.ini", true), 0);
  ASSERT_NE(extra.INIWrite("main", "Plain", "visible", "opt.ini"), 0);
  EXPECT_EQ(extra.INIRead("MAIN", "secret", "opt.ini", true), secret);
  EXPECT_NE(extra.INIRead("main", "Secret", "opt.ini"), secret);
  EXPECT_EQ(Read("opt.ini").find("Level"), std::string::npos);
  EXPECT_EQ(extra.INIRead("main", "Plain", "OPT.ini"), "visible");
  EXPECT_EQ(extra.INIRead("main", "none", "opt.ini"), "");
  EXPECT_EQ(extra.INIRead("main", "Plain", "no-such.ini"), "");
  // A folder that does not exist cannot take the file.
  EXPECT_EQ(extra.INIWrite("main", "k", "v", "no\\such\\dir\\x.ini"), 0);
}

TEST_F(ExtraServices, SaveLogAppendsLinesAndNamesTheFileItUsed) {
  std::string logFile;
  extra.SaveLog("first", logFile);
  EXPECT_EQ(logFile, app_.string() + "\\log.txt");
  extra.SaveLog("second");
  EXPECT_EQ(Log(), "first\r\nsecond\r\n");

  std::string other = "other.log";
  extra.SaveLog("elsewhere", other);
  EXPECT_EQ(other, app_.string() + "\\other.log");
  EXPECT_EQ(Read("other.log"), "elsewhere\r\n");

  std::string unwritable = "no\\such\\folder\\x.log";
  extra.SaveLog("lost", unwritable);  // not reported, no crash
}

TEST_F(ExtraServices, FileExistsLogsWhatIsMissingExceptTheEngineSettings) {
  Write("present.txt", "x");
  std::filesystem::create_directory(Path("Folder"));
  EXPECT_TRUE(extra.FileExists("present.txt"));
  EXPECT_TRUE(extra.FileExists("PRESENT.TXT"));
  EXPECT_TRUE(extra.FileExists("folder"));
  EXPECT_TRUE(extra.FileExists(Path("present.txt").string()));
  EXPECT_EQ(Log(), "");

  EXPECT_FALSE(extra.FileExists("qlno.ini"));
  EXPECT_FALSE(extra.FileExists("QLNO.INI"));
  EXPECT_EQ(Log(), "");
  EXPECT_FALSE(extra.FileExists("textures\\gone.bmp"));
  EXPECT_EQ(Log(), "File is missing : " + app_.string() + "/textures/gone.bmp\r\n");
}

TEST_F(ExtraServices, FilesInFolder) {
  std::filesystem::create_directories(Path("lvl/empty"));
  std::filesystem::create_directories(Path("lvl/Sub"));
  Write("lvl/b.txt", "");
  Write("lvl/A.txt", "");
  Write("lvl/.hidden", "");
  Write("lvl/Sub/deep.txt", "");

  EXPECT_EQ(extra.FilesInFolder("lvl\\empty"), std::vector<std::string>{""});
  EXPECT_EQ(extra.FilesInFolder("no-such-folder"), std::vector<std::string>{""});
  EXPECT_EQ(extra.FilesInFolder("\\lvl\\"), (std::vector<std::string>{"A.txt", "b.txt"}));
  EXPECT_EQ(extra.FilesInFolder("lvl", false, false),
            (std::vector<std::string>{app_.string() + "\\lvl\\A.txt", app_.string() + "\\lvl\\b.txt"}));
  // Names from subfolders come back without their folders; empty subfolders add nothing.
  EXPECT_EQ(
      extra.FilesInFolder("lvl", true, false),
      (std::vector<std::string>{app_.string() + "\\lvl\\A.txt", app_.string() + "\\lvl\\b.txt", "deep.txt"}));
  Write("top.ini", "");
  EXPECT_EQ(extra.FilesInFolder(), std::vector<std::string>{"top.ini"});
}

TEST(AddItem2Array1D, FillsAnEmptyLastElementElseGrows) {
  std::vector<std::string> names{""};
  Extra::AddItem2Array1D(names, "a");
  EXPECT_EQ(names, std::vector<std::string>{"a"});
  Extra::AddItem2Array1D(names, "b");
  EXPECT_EQ(names, (std::vector<std::string>{"a", "b"}));

  std::vector<std::int32_t> numbers{5, 0};
  Extra::AddItem2Array1D(numbers, 7);
  Extra::AddItem2Array1D(numbers, 0);
  Extra::AddItem2Array1D(numbers, 9);  // the 0 just added counts as empty
  EXPECT_EQ(numbers, (std::vector<std::int32_t>{5, 7, 9}));

  std::vector<float> singles{0.5f};
  Extra::AddItem2Array1D(singles, 1.5f);
  EXPECT_EQ(singles.size(), 2u);

  std::vector<bool> flags{false};
  Extra::AddItem2Array1D(flags, true);
  Extra::AddItem2Array1D(flags, true);
  EXPECT_EQ(flags, (std::vector<bool>{true, true}));

  struct Point {
    int x, y;
  };
  std::vector<Point> points{{1, 1}, {2, 2}};
  Extra::AddItem2Array1D(points, Point{3, 3});  // other types never grow
  ASSERT_EQ(points.size(), 2u);
  EXPECT_EQ(points[1].x, 3);

  std::vector<int> none;
  Extra::AddItem2Array1D(none, 0);
  EXPECT_EQ(none, std::vector<int>{0});
}

TEST(FileNames, ExtensionAndShortName) {
  EXPECT_EQ(Extra::GetFileExt("Pic.PNG"), "png");
  EXPECT_EQ(Extra::GetFileExt("archive.tar.GZ"), "gz");
  EXPECT_EQ(Extra::GetFileExt("noext"), "");
  EXPECT_EQ(Extra::GetFileExt("dir.d\\file"), "d\\file");  // a dot in a folder name counts
  EXPECT_EQ(Extra::GetFileShortName("C:\\a\\b.txt"), "b.txt");
  EXPECT_EQ(Extra::GetFileShortName("/home/x/c.txt"), "c.txt");
  EXPECT_EQ(Extra::GetFileShortName("plain"), "plain");
  EXPECT_EQ(Extra::GetFileShortName("dir\\"), "");
}

TEST_F(ExtraServices, FrameLimiterCountsFramesAndSpins) {
  auto& state = quillon::lib::State();
  state = {};
  state.AppFolder = app_.string();
  static int pumped = 0;
  pumped = 0;
  quillon::lib::LimitFrame(1000, [] { ++pumped; });
  // The first frame publishes at once: the last second tick starts at 0.
  EXPECT_EQ(extra.GetFps(), 1);
  EXPECT_EQ(extra.GetFpsTooMuch(), 1);
  for (int i = 0; i < 5; ++i) {
    quillon::lib::LimitFrame(1000, [] { ++pumped; });
    EXPECT_GT(extra.GetFpsTooMuch(), 0);
  }
  EXPECT_GE(pumped, 6);
  EXPECT_EQ(state.FramesThisSecond, 5);

  extra.SetFPSLimit();
  EXPECT_EQ(state.FpsLimit, 50);
  extra.SetFPSLimit(0);
  EXPECT_EQ(state.FpsLimit, 0);
  quillon::lib::LimitFrame(0);  // no rate: no wait, still counted
  EXPECT_EQ(state.FramesThisSecond, 6);
}

TEST_F(ExtraServices, DownloadFileCopiesAUrlIntoTheApplicationFolder) {
  Write("source.bin", std::string("\0downloaded\xff", 12));
  std::filesystem::create_directory(Path("Downloads"));
  EXPECT_TRUE(extra.DownloadFile("file://" + Path("source.bin").string(), "downloads\\copy.bin"));
  EXPECT_EQ(Read("Downloads/copy.bin"), std::string("\0downloaded\xff", 12));

  Write("keep.bin", "old");
  EXPECT_FALSE(extra.DownloadFile("file://" + Path("missing.bin").string(), "keep.bin"));
  EXPECT_FALSE(extra.DownloadFile("gopher://example.invalid/x", "keep.bin"));
  EXPECT_EQ(Read("keep.bin"), "old");
}

TEST_F(ExtraServices, DialogsAndLinksWithoutADesktopAnswerNothing) {
  std::string folder = "textures";
  EXPECT_EQ(extra.ShowOpenDialog("Pick", folder), "");
  EXPECT_EQ(folder, app_.string() + "\\textures");
  EXPECT_FALSE(extra.PAK_OpenPAK("", true));
}
