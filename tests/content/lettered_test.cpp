// Lettered textures say different things: a label copied onto the wrong
// button or a level number drawn twice would pass every size check.
// Also guards the BMP writer's row padding on odd widths, which would shear
// a picture without changing its size.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image_reader.h"

using content_test::AppDir;
using content_test::Picture;
using content_test::ReadPicture;

namespace {

Picture Load(const std::string& file) {
  std::string error;
  Picture p = ReadPicture(AppDir() / file, error);
  EXPECT_TRUE(error.empty()) << file << ": " << error;
  return p;
}

void ExpectAllDifferent(const std::vector<std::string>& files) {
  std::vector<Picture> pictures;
  for (const std::string& f : files) pictures.push_back(Load(f));
  for (size_t a = 0; a < files.size(); ++a) {
    ASSERT_GT(pictures[a].width, 0) << files[a];
    for (size_t b = a + 1; b < files.size(); ++b) {
      int differing = 0;
      for (size_t i = 0; i < pictures[a].rgba.size() && i < pictures[b].rgba.size(); ++i)
        differing += pictures[a].rgba[i] != pictures[b].rgba[i];
      EXPECT_GT(differing, 200) << files[a] << " and " << files[b] << " look the same";
    }
  }
}

TEST(LetteredTest, ButtonsSayDifferentThings) {
  std::vector<std::string> files;
  for (const char* b :
       {"newgame", "highscores", "story", "options", "howtoplay", "credits", "exit", "back", "next"})
    files.push_back(std::string("textures/menu/b_") + b + ".dds");
  ExpectAllDifferent(files);
}

TEST(LetteredTest, LevelNumbersAreAllDifferent) {
  std::vector<std::string> files;
  for (int n = 0; n <= 11; ++n) files.push_back("textures/level_num_" + std::to_string(n) + ".dds");
  ExpectAllDifferent(files);
}

TEST(LetteredTest, OptionsShowWhichEntryIsSelected) {
  for (const char* o : {"gamemode", "fullscreen", "details", "sound"})
    ExpectAllDifferent({std::string("textures/menu/options/o_") + o + ".dds",
                        std::string("textures/menu/options/o_s_") + o + ".dds"});
  for (const char* v : {"on", "off", "arcade", "story"})
    ExpectAllDifferent({std::string("textures/menu/options/o_s_") + v + ".dds",
                        std::string("textures/menu/options/o_ss_") + v + ".dds"});
}

TEST(LetteredTest, CreditsLinesAreAllDifferent) {
  std::vector<std::string> files;
  for (const char* line :
       {"c_programming", "c_programming_1", "c_graphics", "c_graphics_1", "c_graphics_2", "c_graphics_3",
        "c_graphics_4", "c_soundandmusic", "c_soundandmusic_1", "c_soundandmusic_2", "c_soundandmusic_3",
        "c_thanksto", "c_thanksto_1", "c_thanksto_2", "c_thanksto_3", "c_thanksto_4", "c_thanksto_5",
        "c_title", "c_notice"})
    files.push_back(std::string("textures/menu/credits/") + line + ".dds");
  ExpectAllDifferent(files);
}

TEST(LetteredTest, OddWidthBitmapsKeepTheirColumnsStraight) {
  // The debug panel's frame runs down column 2 from row 10 to row 246.
  const Picture p = Load("textures/debug_window.bmp");
  ASSERT_EQ(p.width, 129);
  for (int y = 10; y < 247; ++y)
    EXPECT_EQ(std::vector<std::uint8_t>(p.At(2, y), p.At(2, y) + 4),
              std::vector<std::uint8_t>(p.At(2, 10), p.At(2, 10) + 4))
        << "row " << y;
  // The sky is one column; a shear would scramble its gradient.
  const Picture sky = Load("textures/background_sky.bmp");
  ASSERT_EQ(sky.height, 480);
  for (int y = 1; y < 480; ++y) EXPECT_GE(sky.At(0, y)[0] + 1, sky.At(0, y - 1)[0]) << "row " << y;
}

}  // namespace
