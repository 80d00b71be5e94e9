// The generated content is complete: every texture the game loads exists
// under its name, is the format its extension names and has the size the
// game draws it at.

// The generated content is complete: every texture of the game's own
// catalogue exists under its name, is the format its extension names and has
// the size the game draws it at.

#include <fnmatch.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "image_reader.h"
#include "program/init_dxLoad.h"

using content_test::AppDir;
using content_test::Picture;
using content_test::ReadPicture;

namespace {

// The size the game draws each texture at, by file name pattern; the first
// pattern that matches a file is its rule.
struct SizeRule {
  const char* pattern;
  int width, height;
};

constexpr SizeRule kSizes[] = {
    {"fonts/*.bmp", 256, 256},
    {"textures/menu/logo.jpg", 640, 480},
    {"textures/menu/load1.jpg", 640, 480},
    {"textures/menu/background_space.jpg", 640, 480},
    {"textures/menu/logo_sponsor_*.dds", 256, 128},
    {"textures/menu/butterfly*.dds", 32, 32},
    {"textures/menu/title.dds", 512, 155},
    {"textures/menu/story.dds", 512, 512},
    {"textures/menu/story2.dds", 512, 512},
    {"textures/menu/howtoplay.dds", 512, 512},
    {"textures/menu/s_*.dds", 512, 64},
    {"textures/menu/b_*.dds", 256, 64},
    {"textures/menu/options/o_s_on.dds", 128, 32},
    {"textures/menu/options/o_s_off.dds", 128, 32},
    {"textures/menu/options/o_s_arcade.dds", 128, 32},
    {"textures/menu/options/o_s_story.dds", 128, 32},
    {"textures/menu/options/o_ss_*.dds", 128, 32},
    {"textures/menu/options/o_*.dds", 256, 32},
    {"textures/menu/options/unlock.dds", 128, 32},
    {"textures/menu/options/restart.dds", 256, 32},
    {"textures/menu/credits/c_logo_*.dds", 158, 65},
    {"textures/menu/credits/c_*.dds", 512, 64},
    {"textures/level_tiles/*", 32, 32},
    {"textures/tile_wall_*", 32, 32},
    {"textures/level_text.dds", 256, 128},
    {"textures/level_num_*.dds", 128, 128},
    {"textures/paused.dds", 512, 128},
    {"textures/bonus/explosion.dds", 134, 128},
    {"textures/bonus/text_boom.bmp", 64, 19},
    {"textures/bonus/*", 32, 32},
    {"textures/sidebar.dds", 32, 128},
    {"textures/sidebar_h.dds", 128, 32},
    {"textures/debug_window.bmp", 129, 257},
    {"textures/background_sky.bmp", 1, 480},
    {"textures/background_*.bmp", 1, 1},
    {"textures/clouds.dds", 256, 256},
    {"textures/tobo_*.dds", 32, 32},
    {"textures/sharp.bmp", 32, 32},
    {"textures/arrow*.dds", 32, 32},
    {"textures/particles.png", 32, 32},
    {"textures/weighticon.dds", 32, 32},
};

struct CatalogueFile {
  std::string file;  // under the application folder, with '/'
  std::int32_t colourKey;
};

// The textures the game loads from the application folder, as it names
// them; the arcade-end picture is left out: it comes out of the archive at
// run time (the archive's own test reads it).
std::vector<CatalogueFile> GameCatalogue() {
  pebblerun::GameAssets assets;
  std::vector<CatalogueFile> files;
  for (const auto& entry : pebblerun::TextureCatalogue(assets)) {
    if (entry.Slot == &assets.wd_wow) continue;
    std::string file = entry.File.substr(entry.File.find_first_not_of('\\'));
    for (char& c : file) c = c == '\\' ? '/' : c;
    files.push_back({file, entry.ColourKey});
  }
  return files;
}

Picture Load(const std::string& file) {
  std::string error;
  Picture p = ReadPicture(AppDir() / file, error);
  EXPECT_TRUE(error.empty()) << file << ": " << error;
  return p;
}

TEST(CatalogueTest, EveryTextureExistsInItsFormatAndSize) {
  const std::vector<CatalogueFile> catalogue = GameCatalogue();
  // Every texture of the game's catalogue but the arcade-end picture.
  EXPECT_EQ(catalogue.size(), 169u);
  std::set<const SizeRule*> used;
  for (const CatalogueFile& e : catalogue) {
    const SizeRule* rule = nullptr;
    for (const SizeRule& r : kSizes) {
      if (::fnmatch(r.pattern, e.file.c_str(), 0) == 0) {
        rule = &r;
        break;
      }
    }
    if (rule == nullptr) {
      ADD_FAILURE() << e.file << ": no size known for this texture";
      continue;
    }
    used.insert(rule);
    std::string error;
    const Picture p = ReadPicture(AppDir() / e.file, error);
    EXPECT_TRUE(error.empty()) << e.file << ": " << error;
    EXPECT_EQ(p.width, rule->width) << e.file;
    EXPECT_EQ(p.height, rule->height) << e.file;
    if (p.bitsPerPixel) {
      EXPECT_TRUE(p.bitsPerPixel == 24 || p.bitsPerPixel == 32) << e.file;
    }
  }
  // A size no texture of the catalogue has any more is a rule to drop.
  for (const SizeRule& r : kSizes) EXPECT_TRUE(used.count(&r)) << r.pattern << " matches no texture";
}

TEST(CatalogueTest, ColourKeyedFilesAreMagentaWhereTransparentWithoutFringe) {
  int keyed = 0;
  for (const CatalogueFile& e : GameCatalogue()) {
    if (e.colourKey == 0) continue;
    ++keyed;
    const std::string& file = e.file;
    // Loaded as the game loads them: magenta, alpha 0, as the key.
    std::string error;
    const Picture p = ReadPicture(AppDir() / file, error, e.colourKey);
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
  EXPECT_GT(keyed, 0);
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
