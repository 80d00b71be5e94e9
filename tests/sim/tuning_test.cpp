// Reading the tuning file and the level table, whole and broken.

#include "sim/tuning.h"

#include <gtest/gtest.h>

#include <quillon/profile.h>

#include "app_folders.h"
#include "sim/game_events.h"
#include "sim/game_ini.h"
#include "sim/playfield.h"
#include "sim/shipped_tuning.h"
#include "sim_fixture.h"
#include "sim_folder_fixture.h"
#include "temp_folder.h"

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

TEST_F(TuningTest, MissingTuningFileStartsWithTheShippedLevels) {
  StartGame(*g_);
  EXPECT_EQ(g_->StoryLength, 445);
  EXPECT_EQ(g_->LevelSpecs[10].TileType, "reddark");
  EXPECT_EQ(g_->Field.Cells[0][445], 62);
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
  FillBuiltInLevels(*g_);
  g_->StoryLength = 1050;
  ReadLevelTable(*g_, true, GameFile(*g_, "\\Textures\\lvl1.bmp"));
  // Level 1 has no keys: reading stops there, before levels 5 and 7.
  EXPECT_EQ(g_->LevelSpecs[5].LevelSize, 120);
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

TEST_F(TuningTest, LevelSumBeyondTheFieldPlaysTheShippedTable) {
  std::string text = "[Levels]\n";
  for (int lvl : {1, 2, 3, 4, 6, 8, 9, 10}) {
    const std::string k = "Level-" + std::string(lvl < 10 ? "0" : "") + std::to_string(lvl);
    text += k + "_PlatformSize=3\n" + k + "_OnEachPlatformSkipLines=3\n" + k + "_ScreenSpeed=50\n" + k +
            "_LevelSize=5000\n" + k + "_TileType=green\n";
  }
  Tuning(text);
  g_->StoryLength = 1050;  // from an earlier game
  StartGame(*g_);
  EXPECT_EQ(g_->LevelSpecs[10].LevelSize, 80);
  EXPECT_EQ(g_->StoryLength, 445);
}

TEST_F(TuningTest, MapsUpToTheGridsEdgeAreBuiltWhole) {
  std::string text = "[Levels]\n";
  for (int lvl : {1, 2, 3, 4, 6, 8, 9, 10}) {
    const std::string k = "Level-" + std::string(lvl < 10 ? "0" : "") + std::to_string(lvl);
    text += k + "_PlatformSize=3\n" + k + "_OnEachPlatformSkipLines=3\n" + k + "_ScreenSpeed=50\n" + k +
            "_LevelSize=500\n" + k + "_TileType=green\n";
  }
  Tuning(text);
  StartGame(*g_);
  EXPECT_EQ(g_->StoryLength, 5000);
  EXPECT_EQ(g_->Field.Cells[0][4999], 62);  // walls and floor down to the grid's last rows
  EXPECT_EQ(g_->Field.Cells[7][4999], kStone);
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

// What a game starts from when its tuning file lacks a value or holds one
// no game can be played with: the shipped value, and one log line.
class TuningFallback : public simtest::LoggedFolderTest {
 protected:
  void Tuning(std::string_view text, const char* file = "lvl1.bmp") {
    WriteBytes(folder_ / "textures" / file, text);
    quillon::profile::ClearCache();
  }
  // The shipped file of a mode with some lines changed ("Key=value").
  static std::string Shipped(bool story, const std::vector<std::string>& changes) {
    std::string text(ShippedTuning(story));
    for (const std::string& change : changes) {
      const std::string key = "\n" + change.substr(0, change.find('=') + 1);
      const auto at = text.find(key);
      EXPECT_NE(at, std::string::npos) << key;
      text.replace(at + 1, text.find('\n', at + 1) - at - 1, change);
    }
    return text;
  }
};

TEST_F(TuningFallback, BuiltInValuesAreTheShippedFilesAndAllOfThemPlayable) {
  for (bool story : {true, false}) {
    const auto file = support::SourceFolder() / "data" / "textures" / (story ? "lvl1.bmp" : "lvl2.bmp");
    EXPECT_EQ(ShippedTuning(story), ReadBytes(file));
    // Every key is there and in range: nothing to tell.
    Tuning(ShippedTuning(story), story ? "lvl1.bmp" : "lvl2.bmp");
    g_->StoryMode = story;
    StartGame(*g_);
    EXPECT_EQ(log_.logLines, std::vector<std::string>{});
  }
}

TEST_F(TuningFallback, WithoutItsFileAGameStartsFromTheShippedValues) {
  for (bool story : {true, false}) {
    g_->StoryMode = story;
    StartGame(*g_);
    EXPECT_EQ(g_->StoryLength, story ? 445 : 555);
    EXPECT_EQ(g_->LevelSpecs[7].TileType, story ? "blue2" : "yellow");
    EXPECT_EQ(g_->Tuning.Player.WalkSpeed, 110);
    EXPECT_EQ(g_->Tuning.SharpDrills.Speed_of_Lowering, story ? 1.4f : 1.6f);
    EXPECT_EQ(g_->Bonus.BombCount, 3);
    EXPECT_FALSE(g_->GameOver);
  }
  ASSERT_EQ(log_.logLines.size(), 2u);
  EXPECT_EQ(log_.LinesWith((folder_ / "textures" / "lvl1.bmp").string()), 1);
  EXPECT_EQ(log_.LinesWith((folder_ / "textures" / "lvl2.bmp").string()), 1);
}

TEST_F(TuningFallback, AMissingKeyKeepsTheShippedValueThenTheValueOfTheGameBefore) {
  Tuning("[Player]\nWalkSpeed=111\n[Score]\nBonus_Bomb_Points=7\n");
  StartGame(*g_);
  EXPECT_EQ(g_->Tuning.Player.WalkSpeed, 111);
  EXPECT_EQ(g_->Tuning.Player.Jump_Force, 150);  // shipped
  EXPECT_EQ(g_->Tuning.Score.Graphic_RGB, "255,255,255");
  EXPECT_EQ(g_->StoryLength, 445);
  // One line names every key the file lacks.
  ASSERT_EQ(log_.logLines.size(), 1u);
  EXPECT_EQ(log_.LinesWith("[Player] Jump_Force;"), 1);
  EXPECT_EQ(log_.LinesWith("[Levels] Level-01_PlatformSize;"), 1);
  EXPECT_EQ(log_.LinesWith("[Levels] Level-06_LevelSize;"), 0) << "the level table stops at its first gap";
  EXPECT_EQ(log_.LinesWith("[Player] WalkSpeed;"), 0);

  Tuning("[Player]\nJump_Force=200\n");
  StartGame(*g_);
  Tuning("[Player]\nWalkSpeed=99\n");
  StartGame(*g_);
  EXPECT_EQ(g_->Tuning.Player.Jump_Force, 200);  // the game before's
  EXPECT_EQ(g_->Tuning.Player.WalkSpeed, 99);
}

// A file without a level table plays the shipped one in every game, not
// the shipped one first and other rows later under the first game's length.
TEST_F(TuningFallback, AFileWithoutLevelsPlaysTheSameLevelsGameAfterGame) {
  for (bool story : {true, false}) {
    SCOPED_TRACE(story);
    g_ = std::make_unique<GameState>();
    g_->AppFolder = folder_.Path().string();
    g_->StoryMode = story;
    g_->Events = &log_;
    Tuning("[Player]\nWalkSpeed=111\n", story ? "lvl1.bmp" : "lvl2.bmp");
    StartGame(*g_);
    const auto first = g_->LevelSpecs;
    const Single firstLength = g_->StoryLength;
    EXPECT_EQ(firstLength, story ? 445 : 555);
    for (int game = 2; game <= 3; ++game) {
      StartGame(*g_);
      EXPECT_EQ(g_->StoryLength, firstLength) << "game " << game;
      int rows = 0;
      for (std::size_t lvl = 0; lvl < first.size(); ++lvl) {
        const LevelSpec& now = g_->LevelSpecs[lvl];
        EXPECT_EQ(now.PlatformSize, first[lvl].PlatformSize) << "level " << lvl;
        EXPECT_EQ(now.ScreenSpeed, first[lvl].ScreenSpeed) << "level " << lvl;
        EXPECT_EQ(now.OnEachPlatformSkipLines, first[lvl].OnEachPlatformSkipLines) << "level " << lvl;
        EXPECT_EQ(now.LevelSize, first[lvl].LevelSize) << "level " << lvl;
        EXPECT_EQ(now.TileType, first[lvl].TileType) << "level " << lvl;
        if (lvl >= 1 && lvl <= 10) rows += now.LevelSize;
      }
      EXPECT_EQ(rows, g_->StoryLength) << "the map is as long as its levels";
    }
  }
}

TEST_F(TuningFallback, ValuesNoGameCanBePlayedWithTakeTheShippedValue) {
  Tuning(Shipped(true, {"NumOf_Bomb=-3", "Tile_Glass=-17", "Position_Tile_Y=20", "Level-02_LevelSize=-50",
                        "Level-03_PlatformSize=-1", "WalkSpeed=fast", "Jump_Force=1e60"}));
  g_->Tuning.Player.WalkSpeed = 77;
  g_->TuningRead = true;  // a game before this one set the values
  StartGame(*g_);
  const auto& t = g_->Tuning;
  EXPECT_EQ(t.Bonus.NumOf_Bomb, 8);
  EXPECT_EQ(t.TileKindPercent[5], 17);
  EXPECT_EQ(g_->Hero.PY, 96);
  EXPECT_EQ(g_->LevelSpecs[2].LevelSize, 50);
  EXPECT_EQ(g_->LevelSpecs[3].PlatformSize, 3);
  EXPECT_EQ(g_->StoryLength, 445);
  EXPECT_EQ(t.Player.WalkSpeed, 77) << "a value that is no number keeps the one before";
  for (const char* key :
       {"NumOf_Bomb = -3", "Tile_Glass = -17", "Position_Tile_Y = 20", "Level-02_LevelSize = -50",
        "Level-03_PlatformSize = -1", "WalkSpeed = fast", "Jump_Force = 1e60"}) {
    EXPECT_EQ(log_.LinesWith(key), 1) << key;
  }
  EXPECT_EQ(log_.logLines.size(), 7u);
}

TEST_F(TuningFallback, ALevelTableThatDoesNotFitTheFieldGivesWayToTheShippedOne) {
  for (const auto& changes : std::vector<std::vector<std::string>>{
           {"Level-03_LevelSize=4700"},                               // longer than the field
           {"Level-01_LevelSize=30000", "Level-02_LevelSize=30000"},  // beyond 16 bits
           {"Level-01_LevelSize=0", "Level-02_LevelSize=0", "Level-03_LevelSize=0", "Level-04_LevelSize=0",
            "Level-06_LevelSize=0", "Level-08_LevelSize=0", "Level-09_LevelSize=0",
            "Level-10_LevelSize=3"}}) {
    log_.logLines.clear();
    Tuning(Shipped(true, changes));
    StartGame(*g_);
    EXPECT_EQ(g_->StoryLength, 445) << changes[0];
    EXPECT_EQ(g_->LevelSpecs[3].LevelSize, 60);
    EXPECT_EQ(log_.LinesWith("Level-01_LevelSize .. Level-10_LevelSize"), 1) << changes[0];
  }
  // The longest table that fits is played as written.
  Tuning(Shipped(true, {"Level-03_LevelSize=4615"}));
  StartGame(*g_);
  EXPECT_EQ(g_->StoryLength, 5000);
}

class CursorLog : public GameEvents {
 public:
  void SetCursorVisible(bool visible) override { calls.push_back(visible); }
  std::vector<bool> calls;
};

class TuningMisc : public ::testing::Test {
 protected:
  void SetUp() override {
    quillon::profile::ClearCache();
    std::filesystem::create_directories(folder_ / "textures");
    g_ = std::make_unique<GameState>();
    g_->AppFolder = folder_.Path().string();
    g_->StoryMode = true;
    g_->Events = &cursor_;
  }
  void Start(std::string_view misc) {
    quillon::profile::ClearCache();
    WriteBytes(folder_ / "textures" / "lvl1.bmp", std::string("[Misc]\n") + std::string(misc));
    cursor_.calls.clear();
    StartGame(*g_);
  }
  TempFolder folder_;
  CursorLog cursor_;
  std::unique_ptr<GameState> g_;
};

TEST_F(TuningMisc, TheCursorChangesOnceAGameStartsInFullScreenOnly) {
  g_->FullScreen = true;
  Start("ShowCursor_InFullscreen=1\n");
  EXPECT_EQ(cursor_.calls, std::vector<bool>{true});
  Start("ShowCursor_InFullscreen=0\n");
  EXPECT_EQ(cursor_.calls, std::vector<bool>{false});
  Start("ShowCursor_InFullscreen=-3\n");
  EXPECT_EQ(cursor_.calls, std::vector<bool>{true});
  Start("ShowCursor_InFullscreen=some\n");  // not a number: nothing changes
  EXPECT_TRUE(cursor_.calls.empty());
  Start("");
  EXPECT_TRUE(cursor_.calls.empty());
  g_->FullScreen = false;
  Start("ShowCursor_InFullscreen=1\n");
  EXPECT_TRUE(cursor_.calls.empty());
}

TEST_F(TuningMisc, TheDebugWindowOpensAtTheStartOrKeepsWhatTabMadeOfIt) {
  Start("DebugWindow_Visible=True\n");
  EXPECT_TRUE(g_->Input.DebugWindowVisible);
  Start("DebugWindow_Visible=False\n");
  EXPECT_FALSE(g_->Input.DebugWindowVisible);
  g_->Input.DebugWindowVisible = true;  // Tab in the last game
  Start("DebugWindow_Visible=perhaps\n");
  EXPECT_TRUE(g_->Input.DebugWindowVisible);
  Start("DebugWindow_Visible=0\n");
  EXPECT_FALSE(g_->Input.DebugWindowVisible);
}

}  // namespace
}  // namespace pebblerun
