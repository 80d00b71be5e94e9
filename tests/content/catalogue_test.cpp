// The generated content is complete: every texture the game loads exists
// under its name, is the format its extension names and has the size the
// game draws it at.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image_reader.h"

using content_test::AppDir;
using content_test::Picture;
using content_test::ReadPicture;

namespace {

struct Expected {
  std::string file;
  int width, height;
};

std::vector<Expected> Catalogue() {
  std::vector<Expected> c = {
      {"fonts/blue.bmp", 256, 256},
      {"fonts/default_num.bmp", 256, 256},
      {"textures/menu/logo.jpg", 640, 480},
      {"textures/menu/logo_sponsor_plus.dds", 256, 128},
      {"textures/menu/background_space.jpg", 640, 480},
      {"textures/level_tiles/tile_ground_glass.bmp", 32, 32},
      {"textures/level_tiles/tile_ground_glass_bw.bmp", 32, 32},
      {"textures/level_tiles/tile_ground_stone.dds", 32, 32},
      {"textures/level_text.dds", 256, 128},
      {"textures/paused.dds", 512, 128},
      {"textures/tile_wall_bricks.bmp", 32, 32},
      {"textures/tile_wall_wood.bmp", 32, 32},
      {"textures/tile_wall_wood_bw.bmp", 32, 32},
      {"textures/tile_wall_bricks2.bmp", 32, 32},
      {"textures/tile_wall_bricks2_bw.bmp", 32, 32},
      {"textures/tile_wall_metal.dds", 32, 32},
      {"textures/bonus/bonus_selection.dds", 32, 32},
      {"textures/bonus/bomb.dds", 32, 32},
      {"textures/bonus/pie.bmp", 32, 32},
      {"textures/bonus/boot.dds", 32, 32},
      {"textures/bonus/bombglass.dds", 32, 32},
      {"textures/bonus/bigears.dds", 32, 32},
      {"textures/sidebar.dds", 32, 128},
      {"textures/sidebar_h.dds", 128, 32},
      {"textures/debug_window.bmp", 129, 257},
      {"textures/tobo_blue.dds", 32, 32},
      {"textures/tobo_eyes.dds", 32, 32},
      {"textures/background_sky.bmp", 1, 480},
      {"textures/background_lightblue.bmp", 1, 1},
      {"textures/background_black.bmp", 1, 1},
      {"textures/background_red.bmp", 1, 1},
      {"textures/sharp.bmp", 32, 32},
      {"textures/clouds.dds", 256, 256},
      {"textures/tile_wall_ground.bmp", 32, 32},
      {"textures/bonus/explosion.dds", 134, 128},
      {"textures/bonus/text_boom.bmp", 64, 19},
      {"textures/arrow.dds", 32, 32},
      {"textures/arrow_help.dds", 32, 32},
      {"textures/particles.png", 32, 32},
      {"textures/weighticon.dds", 32, 32},
      {"textures/menu/load1.jpg", 640, 480},
      {"textures/menu/title.dds", 512, 155},
      {"textures/menu/story.dds", 512, 512},
      {"textures/menu/story2.dds", 512, 512},
      {"textures/menu/howtoplay.dds", 512, 512},
      {"textures/menu/s_title.dds", 512, 64},
      {"textures/menu/s_yournameplease.dds", 512, 64},
      {"textures/menu/options/unlock.dds", 128, 32},
      {"textures/menu/options/restart.dds", 256, 32},
  };
  for (int i = 1; i <= 5; ++i) {
    c.push_back({"textures/menu/logo_sponsor_" + std::to_string(i) + ".dds", 256, 128});
    c.push_back({"textures/menu/butterfly" + std::to_string(i) + ".dds", 32, 32});
  }
  for (const char* colour : {"green", "greendark", "blue", "blue2", "bluedark", "bluelight", "brown",
                             "orange", "orangedark", "red", "reddark", "yellow", "bw"})
    for (const char* kind : {"", "_mud", "_gum", "_ice"})
      c.push_back({std::string("textures/level_tiles/tile_ground_") + colour + kind + ".dds", 32, 32});
  for (int n = 0; n <= 11; ++n) c.push_back({"textures/level_num_" + std::to_string(n) + ".dds", 128, 128});
  for (const char* b :
       {"newgame", "highscores", "story", "options", "howtoplay", "credits", "exit", "back", "next"})
    c.push_back({std::string("textures/menu/b_") + b + ".dds", 256, 64});
  for (const char* o : {"gamemode", "fullscreen", "details", "sound"}) {
    c.push_back({std::string("textures/menu/options/o_") + o + ".dds", 256, 32});
    c.push_back({std::string("textures/menu/options/o_s_") + o + ".dds", 256, 32});
  }
  for (const char* v : {"on", "off", "arcade", "story"}) {
    c.push_back({std::string("textures/menu/options/o_s_") + v + ".dds", 128, 32});
    c.push_back({std::string("textures/menu/options/o_ss_") + v + ".dds", 128, 32});
  }
  const std::string credits = "textures/menu/credits/";
  for (const char* line :
       {"c_programming", "c_programming_1", "c_graphics", "c_graphics_1", "c_graphics_2", "c_graphics_3",
        "c_graphics_4", "c_soundandmusic", "c_soundandmusic_1", "c_soundandmusic_2", "c_soundandmusic_3",
        "c_thanksto", "c_thanksto_1", "c_thanksto_2", "c_thanksto_3", "c_thanksto_4", "c_thanksto_5",
        "c_title", "c_notice"})
    c.push_back({credits + line + ".dds", 512, 64});
  c.push_back({credits + "c_logo_1.dds", 158, 65});
  c.push_back({credits + "c_logo_2.dds", 158, 65});
  return c;
}

Picture Load(const std::string& file) {
  std::string error;
  Picture p = ReadPicture(AppDir() / file, error);
  EXPECT_TRUE(error.empty()) << file << ": " << error;
  return p;
}

TEST(CatalogueTest, EveryTextureExistsInItsFormatAndSize) {
  const std::vector<Expected> catalogue = Catalogue();
  // The catalogue's textures but the arcade-end picture beside the program
  // (that one comes out of the archive at run time), and two credits lines
  // more than the catalogue counts: the credits screen draws nineteen lines.
  EXPECT_EQ(catalogue.size(), 169u);
  for (const Expected& e : catalogue) {
    std::string error;
    const Picture p = ReadPicture(AppDir() / e.file, error);
    EXPECT_TRUE(error.empty()) << e.file << ": " << error;
    EXPECT_EQ(p.width, e.width) << e.file;
    EXPECT_EQ(p.height, e.height) << e.file;
    if (p.bitsPerPixel) {
      EXPECT_TRUE(p.bitsPerPixel == 24 || p.bitsPerPixel == 32) << e.file;
    }
  }
}

TEST(CatalogueTest, ColourKeyedFilesAreMagentaWhereTransparentWithoutFringe) {
  for (const char* file :
       {"fonts/blue.bmp", "fonts/default_num.bmp", "textures/level_tiles/tile_ground_glass.bmp",
        "textures/level_tiles/tile_ground_glass_bw.bmp", "textures/bonus/pie.bmp", "textures/sharp.bmp",
        "textures/bonus/text_boom.bmp"}) {
    // Loaded as the game loads them: magenta, alpha 0, as the key.
    std::string error;
    const Picture p = ReadPicture(AppDir() / file, error, 16711935);
    ASSERT_TRUE(error.empty()) << file << ": " << error;
    int cutOut = 0, shape = 0, fringe = 0, partial = 0;
    for (int y = 0; y < p.height; ++y)
      for (int x = 0; x < p.width; ++x) {
        const std::uint8_t* px = p.At(x, y);
        if (px[3] == 0) {
          ++cutOut;
          continue;
        }
        ++shape;
        partial += px[3] != 255;
        // A soft edge blended toward the key would show as a pinkish purple
        // rim around every shape once the key is cut out.
        if (px[0] > 150 && px[2] > 150 && px[1] < px[0] / 2 && px[1] < px[2] / 2) ++fringe;
      }
    EXPECT_GT(cutOut, 0) << file;
    EXPECT_GT(shape, 0) << file;
    EXPECT_EQ(fringe, 0) << file;
    EXPECT_EQ(partial, 0) << file;
    EXPECT_EQ(p.bitsPerPixel, 24) << file;
  }
}

TEST(CatalogueTest, SpritesAreTransparentAroundTheirShape) {
  for (const char* file :
       {"textures/tobo_blue.dds", "textures/tobo_eyes.dds", "textures/bonus/bomb.dds",
        "textures/bonus/boot.dds", "textures/bonus/bigears.dds", "textures/arrow.dds",
        "textures/menu/butterfly1.dds", "textures/menu/b_newgame.dds", "textures/menu/title.dds",
        "textures/bonus/explosion.dds", "textures/particles.png"}) {
    const Picture p = Load(file);
    ASSERT_GT(p.width, 0) << file;
    EXPECT_EQ(p.At(0, 0)[3], 0) << file;
    EXPECT_EQ(p.At(p.width - 1, p.height - 1)[3], 0) << file;
    int opaque = 0;
    for (size_t i = 3; i < p.rgba.size(); i += 4) opaque += p.rgba[i] == 255;
    EXPECT_GT(opaque, 0) << file;
  }
}

}  // namespace
