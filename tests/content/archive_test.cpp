// The archive of end pictures opens with the engine's own code and gives
// back both pictures, whole and of screen size.

#include <gtest/gtest.h>

#include <quillon/extra.h>

#include <unistd.h>
#include <filesystem>
#include <string>
#include <utility>

#include "image_reader.h"
#include "mod_extra.h"

namespace fs = std::filesystem;

namespace {

TEST(ArchiveTest, OpensAndGivesBackBothEndPictures) {
  quillon::lib::State().AppFolder = content_test::AppDir().string();
  quillon::Extra extra;
  ASSERT_TRUE(extra.PAK_OpenPAK("Textures\\other.pak"));
  EXPECT_EQ(extra.PAK_FileCount(), 2);
  const fs::path out = fs::temp_directory_path() / ("pak_test_" + std::to_string(getpid()));
  fs::create_directories(out);
  // Names in the archive match without regard to case.
  for (const auto& [name, file] : {std::pair{"wd.jpg", "wd.jpg"}, std::pair{"WD_WOW.JPG", "wd_wow.jpg"}}) {
    const fs::path target = out / file;
    ASSERT_TRUE(extra.PAK_ExtractFile(name, target.string())) << name;
    std::string error;
    const content_test::Picture p = content_test::ReadPicture(target, error);
    EXPECT_TRUE(error.empty()) << name << ": " << error;
    EXPECT_EQ(p.width, 640) << name;
    EXPECT_EQ(p.height, 480) << name;
  }
  // The two pictures are different screens, not one picture twice.
  EXPECT_NE(content_test::ReadBytes(out / "wd.jpg"), content_test::ReadBytes(out / "wd_wow.jpg"));
  fs::remove_all(out);
}

}  // namespace
