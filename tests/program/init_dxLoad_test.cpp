// The texture catalogue and the sound table the program loads from.

#include "program/init_dxLoad.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace pebblerun {
namespace {

TEST(Catalogue, EveryTextureOnceInLoadOrderWithItsColourKey) {
  GameAssets assets;
  const auto catalogue = TextureCatalogue(assets);
  // 168 pictures plus two: the credits have a texture for each of their 19
  // lines (title and notice included) besides the two logos.
  ASSERT_EQ(catalogue.size(), 170u);
  EXPECT_EQ(catalogue[0].File, "\\fonts\\blue.bmp");
  EXPECT_EQ(catalogue[2].Slot, &assets.logo);
  EXPECT_EQ(catalogue[9].File, "\\textures\\menu\\background_space.jpg");
  EXPECT_EQ(catalogue[10].Slot, &assets.tiles[5]);
  EXPECT_EQ(catalogue.back().Slot, &assets.options.restart);

  std::set<const Texture*> slots;
  std::set<std::string> files;
  int keyed = 0;
  for (const auto& entry : catalogue) {
    slots.insert(entry.Slot);
    files.insert(entry.File);
    if (entry.ColourKey != 0) {
      EXPECT_EQ(entry.ColourKey, 16711935) << entry.File;
      ++keyed;
    }
  }
  EXPECT_EQ(slots.size(), catalogue.size());
  EXPECT_EQ(files.size(), catalogue.size());
  EXPECT_EQ(keyed, 7);
}

TEST(Catalogue, TilesByCellCode) {
  GameAssets assets;
  const auto catalogue = TextureCatalogue(assets);
  auto fileOf = [&](int code) -> std::string {
    for (const auto& entry : catalogue) {
      if (entry.Slot == &assets.tiles[code]) return entry.File;
    }
    return "";
  };
  EXPECT_EQ(fileOf(1), "\\textures\\level_tiles\\tile_ground_green.dds");
  EXPECT_EQ(fileOf(4), "\\textures\\level_tiles\\tile_ground_green_ice.dds");
  EXPECT_EQ(fileOf(7), "\\textures\\level_tiles\\tile_ground_greendark.dds");
  EXPECT_EQ(fileOf(50), "\\textures\\level_tiles\\tile_ground_yellow_ice.dds");
  EXPECT_EQ(fileOf(56), "\\textures\\level_tiles\\tile_ground_bw.dds");
  EXPECT_EQ(fileOf(59), "\\textures\\level_tiles\\tile_ground_bw_ice.dds");
  EXPECT_EQ(fileOf(60), "\\textures\\level_tiles\\tile_ground_glass_bw.bmp");
  EXPECT_EQ(fileOf(62), "\\textures\\tile_wall_bricks2_bw.bmp");
  EXPECT_EQ(fileOf(0), "");
  EXPECT_EQ(fileOf(53), "");
}

TEST(Catalogue, SoundTableSharesFilesWhereTheNamesDo) {
  std::map<std::string, std::string> sounds;
  for (const auto& s : SoundTable()) sounds[s.Name] = s.File;
  EXPECT_EQ(sounds.size(), 29u);
  EXPECT_EQ(sounds["explode6"], sounds["explode5"]);
  EXPECT_EQ(sounds["breakglass2"], sounds["breakglass3"]);
  EXPECT_NE(sounds["breakglass1"], sounds["breakglass2"]);
  EXPECT_EQ(sounds["breakother1"], "sfx\\tile_explo.wav");
  EXPECT_EQ(sounds["breakother3"], sounds["breakother1"]);
  EXPECT_EQ(sounds["key"], "sfx\\key.wav");
}

}  // namespace
}  // namespace pebblerun
