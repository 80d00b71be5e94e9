#include "quillon/paths.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "temp_folder.h"

namespace fs = std::filesystem;
using namespace quillon::paths;

namespace {

// The application folder as the game sees it: names spelled differently from
// how the game writes them, on a file system that minds case.
class PathsOnDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(app / "Textures" / "Menu");
    WriteBytes(app / "Textures" / "lvl1.bmp", "");
    WriteBytes(app / "Textures" / "Menu" / "Title.PNG", "");
    fs::create_directories(app / "Data");
    fs::create_directories(app / "data");
    fs::create_directories(app / "dATA");
  }
  TempFolder dir;
  fs::path app = dir / "app";
};

}  // namespace

TEST(Paths, AbsoluteNamesAndShortNames) {
  EXPECT_TRUE(IsAbsolute("C:\\Games\\x.ini"));
  EXPECT_TRUE(IsAbsolute("/home/x.ini"));
  EXPECT_FALSE(IsAbsolute("\\textures\\options.bmp"));
  EXPECT_FALSE(IsAbsolute("Textures\\lvl1.bmp"));
  EXPECT_FALSE(IsAbsolute(""));
  EXPECT_EQ(ShortName("a\\b/c.pak"), "c.pak");
  EXPECT_EQ(ShortName("..\\..\\evil"), "evil");
  EXPECT_EQ(ShortName("plain"), "plain");
  EXPECT_EQ(ShortName("folder\\"), "");
}

TEST_F(PathsOnDisk, MatchesEveryComponentWithoutRegardToCase) {
  EXPECT_EQ(Resolve("Textures\\lvl1.bmp", app), app / "Textures" / "lvl1.bmp");
  EXPECT_EQ(Resolve("\\TEXTURES\\LVL1.BMP", app), app / "Textures" / "lvl1.bmp");
  EXPECT_EQ(Resolve("textures/menu\\title.png", app), app / "Textures" / "Menu" / "Title.PNG");
  // Several candidates: the exact spelling, otherwise the first in byte order.
  EXPECT_EQ(Resolve("data", app), app / "data");
  EXPECT_EQ(Resolve("DATA", app), app / "Data");
}

TEST_F(PathsOnDisk, NewFilesGoIntoTheFolderThatMatches) {
  EXPECT_EQ(Resolve("\\textures\\options.bmp", app), app / "Textures" / "options.bmp");
  EXPECT_EQ(Resolve("textures\\New\\Deeper.ini", app), app / "Textures" / "New" / "Deeper.ini");
  EXPECT_EQ(Resolve("replay.ini", app), app / "replay.ini");
}

TEST_F(PathsOnDisk, SkipsEmptyAndDotComponentsAndClimbsWithDotDot) {
  EXPECT_EQ(Resolve("textures\\\\\\lvl1.bmp", app), app / "Textures" / "lvl1.bmp");
  EXPECT_EQ(Resolve(".\\textures\\.\\lvl1.bmp", app), app / "Textures" / "lvl1.bmp");
  EXPECT_EQ(Resolve("textures\\menu\\..\\LVL1.bmp", app), app / "Textures" / "lvl1.bmp");
  EXPECT_EQ(Resolve("missing\\..\\textures\\lvl1.bmp", app), app / "Textures" / "lvl1.bmp");
  EXPECT_EQ(Resolve("/../../tmp", app), fs::path("/tmp"));
  EXPECT_EQ(Resolve("", app), app);
}

TEST_F(PathsOnDisk, AbsoluteNamesIgnoreTheBase) {
  std::string windowsName = "C:" + (app / "TEXTURES" / "Lvl1.bmp").string();
  std::replace(windowsName.begin(), windowsName.end(), '/', '\\');
  EXPECT_EQ(Resolve(windowsName, "/elsewhere"), app / "Textures" / "lvl1.bmp");
  EXPECT_EQ(Resolve((app / "textures").string(), "/elsewhere"), app / "Textures");
  EXPECT_EQ(Resolve("D:\\no\\such.ini", app), fs::path("/no/such.ini"));
}

TEST_F(PathsOnDisk, FollowsTheDiskWhenFoldersAreRenamed) {
  EXPECT_EQ(Resolve("textures\\lvl1.bmp", app), app / "Textures" / "lvl1.bmp");
  fs::rename(app / "Textures", app / "TexTures");
  EXPECT_EQ(Resolve("textures\\lvl1.bmp", app), app / "TexTures" / "lvl1.bmp");
  fs::create_directories(app / "textures");
  WriteBytes(app / "textures" / "lvl1.bmp", "");
  EXPECT_EQ(Resolve("textures\\lvl1.bmp", app), app / "textures" / "lvl1.bmp");
}
