// Reading the tuning file and the level table, whole and broken.

#include "sim/tuning.h"

#include <gtest/gtest.h>

#include <quillon/profile.h>

#include "sim/game_ini.h"
#include "sim_folder_fixture.h"

namespace pebblerun {
namespace {

class TuningTest : public simtest::FolderTest {
 protected:
  void Tuning(std::string_view text) { WriteBytes(folder_ / "textures" / "lvl1.bmp", text); }
};

TEST_F(TuningTest, ConversionsOfTheTuningKeys) {
  Tuning(
      "[Player]\nWeight=15\nWalkSpeed_Ice_MULTIPLY=30\nPosition_Tile_X=6\nPosition_Tile_Y=2.5\n"
      "BounceFrom_Gum_DEVIDER=12\n[Water]\nStartupHeight=100\nFixedHeight=-20\n"
      "[Bonus]\nEars_Weight=3\nBomb_Weight=3\n[Score]\nBonus_Pie_Points=12.5\nGraphic_RGB= 1,2,3 \n"
      "[Sharp drills]\nStarting_Position_Y=-7.5\n[Falling_Tiles]\n"
      "Continue_Falling_After_PushingAnotherTile=true\n");
  StartGame(*g_);
  const auto& t = g_->Tuning;
  EXPECT_FLOAT_EQ(t.Player.Weight, 1.5f);
  EXPECT_FLOAT_EQ(g_->Hero.Weight, 1.5f);
  EXPECT_FLOAT_EQ(t.Player.WalkSpeed_Ice_MULTIPLY, 2.0f);
  EXPECT_EQ(g_->Hero.PX, 192);
  EXPECT_EQ(g_->Hero.PY, 80);
  EXPECT_FLOAT_EQ(t.Player.BounceFrom_Gum_DEVIDER, 1.2f);
  EXPECT_EQ(g_->World.WaterY, 380);
  EXPECT_EQ(g_->World.WaterTarget, 500);
  EXPECT_EQ(t.Bonus.Ears_Weight, static_cast<float>(3 * 0.1));  // x 0.1, not / 10
  EXPECT_EQ(t.Bonus.Bomb_Weight, static_cast<float>(3 / 10.0));
  EXPECT_EQ(t.Score.Bonus_Pie_Points, 12);  // Integer: halves to even
  EXPECT_EQ(t.Score.Graphic_RGB, "1,2,3");
  EXPECT_EQ(g_->World.DrillY, -7.5f);
  EXPECT_TRUE(t.Falling_Tiles.Continue_Falling_After_PushingAnotherTile);
  EXPECT_EQ(g_->World.FieldOffsetX, 80);
  EXPECT_EQ(g_->World.TileSize, 32);
}

TEST_F(TuningTest, MissingTuningFileStillStartsWithTheBuiltInLevels) {
  StartGame(*g_);
  EXPECT_EQ(g_->StoryLength, 1050);
  EXPECT_EQ(g_->LevelSpecs[10].TileType, "reddark");
  EXPECT_EQ(g_->Field.Cells[0][1050], 62);
  EXPECT_EQ(g_->Field.Cells[7][4], 47);
  EXPECT_FALSE(g_->GameOver);
}

TEST_F(TuningTest, BadValuesKeepTheOldValueGoodOnesStillRead) {
  Tuning(
      "[Player]\nWalkSpeed=120\nJump_Force=300\n[Falling_Tiles]\nHit_SmashOnForce=9\n"
      "Smashing_Explosion_Distance=12\n");
  StartGame(*g_);
  Tuning(
      "[Player]\nWalkSpeed=fast\nJump_Force=1e60\n[Falling_Tiles]\nHit_SmashOnForce=\n"
      "Smashing_Explosion_Distance=40000\n[Misc]\nDebugWindow_Visible=maybe\n");
  quillon::profile::ClearCache();
  StartGame(*g_);
  const auto& t = g_->Tuning;
  EXPECT_EQ(t.Player.WalkSpeed, 120);
  EXPECT_EQ(t.Player.Jump_Force, 300);  // too big for a Single
  EXPECT_EQ(t.Falling_Tiles.Hit_SmashOnForce, 9);
  EXPECT_EQ(t.Falling_Tiles.Smashing_Explosion_Distance, 12);  // too big for an Integer
  EXPECT_FALSE(t.Misc.DebugWindow_Visible);
}

TEST_F(TuningTest, LevelsFiveAndSevenFollowSixAndSeven) {
  Tuning(
      "[Levels]\nLevel-05_PlatformSize=2\nLevel-05_LevelSize=999\nLevel-06_ScreenSpeed=77\n"
      "Level-06_LevelSize=9\nLevel-07_TileType=red\n");
  ReadLevelTable(*g_, true, GameFile(*g_, "\\Textures\\lvl1.bmp"));
  // Level 1 has no keys: reading stops there, before levels 5 and 7.
  EXPECT_EQ(g_->LevelSpecs[5].LevelSize, 0);
  Tuning(
      "[Levels]\n"
      "Level-01_PlatformSize=3\nLevel-01_OnEachPlatformSkipLines=3\nLevel-01_ScreenSpeed=50\n"
      "Level-01_LevelSize=10\nLevel-01_TileType=Green\n"
      "Level-02_PlatformSize=3\nLevel-02_OnEachPlatformSkipLines=3\nLevel-02_ScreenSpeed=50\n"
      "Level-02_LevelSize=10\nLevel-02_TileType=green\n"
      "Level-03_PlatformSize=3\nLevel-03_OnEachPlatformSkipLines=3\nLevel-03_ScreenSpeed=50\n"
      "Level-03_LevelSize=10\nLevel-03_TileType=green\n"
      "Level-04_PlatformSize=3\nLevel-04_OnEachPlatformSkipLines=3\nLevel-04_ScreenSpeed=50\n"
      "Level-04_LevelSize=10\nLevel-04_TileType=green\n"
      "Level-05_PlatformSize=2\nLevel-05_LevelSize=999\n"
      "Level-06_PlatformSize=5\nLevel-06_OnEachPlatformSkipLines=2\nLevel-06_ScreenSpeed=77\n"
      "Level-06_LevelSize=9\nLevel-06_TileType=blue\n"
      "Level-07_TileType=red\n"
      "Level-08_PlatformSize=3\nLevel-08_OnEachPlatformSkipLines=3\nLevel-08_ScreenSpeed=50\n"
      "Level-08_LevelSize=10\nLevel-08_TileType=green\n"
      "Level-09_PlatformSize=3\nLevel-09_OnEachPlatformSkipLines=3\nLevel-09_ScreenSpeed=50\n"
      "Level-09_LevelSize=10\nLevel-09_TileType=green\n"
      "Level-10_PlatformSize=3\nLevel-10_OnEachPlatformSkipLines=3\nLevel-10_ScreenSpeed=50\n"
      "Level-10_LevelSize=10\nLevel-10_TileType=green\n");
  quillon::profile::ClearCache();
  FillBuiltInLevels(*g_);
  ReadLevelTable(*g_, true, GameFile(*g_, "\\Textures\\lvl1.bmp"));
  for (int lvl : {5, 7}) {
    const LevelSpec& s = g_->LevelSpecs[lvl];
    EXPECT_EQ(s.PlatformSize, 14);
    EXPECT_EQ(s.OnEachPlatformSkipLines, 0);
    EXPECT_EQ(s.ScreenSpeed, 77);
    EXPECT_EQ(s.LevelSize, 9);
    EXPECT_EQ(s.TileType, "red");
  }
  EXPECT_EQ(g_->LevelSpecs[1].TileType, "Green");
  EXPECT_EQ(g_->StoryLength, 7 * 10 + 3 * 9);
}

TEST_F(TuningTest, LevelTableStopsAtTheFirstBadValueAndKeepsTheLength) {
  g_->StoryLength = 321;
  Tuning(
      "[Levels]\nLevel-01_PlatformSize=6\nLevel-01_OnEachPlatformSkipLines=x\n"
      "Level-01_ScreenSpeed=10\n");
  FillBuiltInLevels(*g_);
  ReadLevelTable(*g_, true, GameFile(*g_, "\\Textures\\lvl1.bmp"));
  EXPECT_EQ(g_->LevelSpecs[1].PlatformSize, 6);
  EXPECT_EQ(g_->LevelSpecs[1].ScreenSpeed, 90);  // not read: the read stopped before
  EXPECT_EQ(g_->StoryLength, 321);
  ReadLevelTable(*g_, false, GameFile(*g_, "\\Textures\\lvl1.bmp"));
  EXPECT_EQ(g_->LevelSpecs[1].PlatformSize, 6);
}

TEST_F(TuningTest, LevelSumBeyondSixteenBitsKeepsTheOldLength) {
  std::string text = "[Levels]\n";
  for (int lvl : {1, 2, 3, 4, 6, 8, 9, 10}) {
    const std::string k = "Level-" + std::string(lvl < 10 ? "0" : "") + std::to_string(lvl);
    text += k + "_PlatformSize=3\n" + k + "_OnEachPlatformSkipLines=3\n" + k + "_ScreenSpeed=50\n" + k +
            "_LevelSize=5000\n" + k + "_TileType=green\n";
  }
  Tuning(text);
  g_->StoryLength = 1050;  // from an earlier game
  StartGame(*g_);
  EXPECT_EQ(g_->LevelSpecs[10].LevelSize, 5000);
  EXPECT_EQ(g_->StoryLength, 1050);
}

TEST_F(TuningTest, MapsLongerThanTheGridAreCutAtItsEdge) {
  std::string text = "[Levels]\n";
  for (int lvl : {1, 2, 3, 4, 6, 8, 9, 10}) {
    const std::string k = "Level-" + std::string(lvl < 10 ? "0" : "") + std::to_string(lvl);
    text += k + "_PlatformSize=3\n" + k + "_OnEachPlatformSkipLines=3\n" + k + "_ScreenSpeed=50\n" + k +
            "_LevelSize=800\n" + k + "_TileType=green\n";
  }
  Tuning(text);
  StartGame(*g_);
  EXPECT_EQ(g_->StoryLength, 8000);
  EXPECT_EQ(g_->Field.Cells[0][5000], 61);  // walls up to the last row of the grid
}

TEST_F(TuningTest, HostileValuesStartAGameWithoutHanging) {
  std::string text = "[Bonus]\nNumOf_Pie=30000\nNumOf_Bomb=30000\nNumOf_Boots=-5\n[Levels]\n";
  for (int lvl : {1, 2, 3, 4, 6, 8, 9, 10}) {
    const std::string k = "Level-" + std::string(lvl < 10 ? "0" : "") + std::to_string(lvl);
    text += k + "_PlatformSize=30000\n" + k + "_OnEachPlatformSkipLines=-3\n" + k + "_ScreenSpeed=-50\n" + k +
            "_LevelSize=100\n" + k + "_TileType=green\n";
  }
  Tuning(text);
  StartGame(*g_);
  EXPECT_EQ(g_->StoryLength, 1000);
  EXPECT_LE(g_->Bonus.Bonuses.size(), 2001u);
  EXPECT_EQ(g_->Bonus.Bonuses[1].Type, "bomb");
}

TEST_F(TuningTest, StoryAndArcadeReadTheirOwnFile) {
  Tuning("[Player]\nWalkSpeed=111\n");
  WriteBytes(folder_ / "textures" / "lvl2.bmp", "[Player]\nWalkSpeed=222\n");
  StartGame(*g_);
  EXPECT_EQ(g_->Tuning.Player.WalkSpeed, 111);
  g_->StoryMode = false;
  StartGame(*g_);
  EXPECT_EQ(g_->Tuning.Player.WalkSpeed, 222);
  EXPECT_EQ(g_->Field.Cells[7][4], 6);  // no start box in arcade
}

TEST_F(TuningTest, LongValuesAreCutAt254) {
  Tuning("[Score]\nGraphic_RGB=" + std::string(300, '7') + "\n");
  StartGame(*g_);
  EXPECT_EQ(g_->Tuning.Score.Graphic_RGB.size(), 254u);
}

}  // namespace
}  // namespace pebblerun
