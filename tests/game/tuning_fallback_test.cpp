// What a game starts from when its tuning or replay file lacks a value or
// holds one no game can be played with: the shipped value, and one log line.

#include <gtest/gtest.h>

#include <cstdlib>

#include <quillon/profile.h>

#include "../engine/temp_folder.h"
#include "sim/game_events.h"
#include "sim/game_frame.h"
#include "sim/replay.h"
#include "sim/shipped_tuning.h"
#include "sim/tuning.h"

namespace pebblerun {
namespace {

class LogLines : public GameEvents {
 public:
  void Log(const std::string& line) override { lines.push_back(line); }
  int Mentioning(const std::string& text) const {
    int n = 0;
    for (const auto& line : lines) n += line.find(text) != std::string::npos ? 1 : 0;
    return n;
  }
  std::vector<std::string> lines;
};

class TuningFallback : public ::testing::Test {
 protected:
  void SetUp() override {
    quillon::profile::ClearCache();
    std::filesystem::create_directories(folder_ / "textures");
    g_ = std::make_unique<GameState>();
    g_->AppFolder = folder_.Path().string();
    g_->StoryMode = true;
    g_->Events = &log_;
  }
  void TearDown() override { g_->Events = nullptr; }
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

  TempFolder folder_;
  LogLines log_;
  std::unique_ptr<GameState> g_;
};

TEST_F(TuningFallback, BuiltInValuesAreTheShippedFilesAndAllOfThemPlayable) {
  const char* source = std::getenv("PEBBLERUN_SOURCE_DIR");
  ASSERT_NE(source, nullptr);
  for (bool story : {true, false}) {
    const auto file = std::filesystem::path(source) / "data" / "textures" / (story ? "lvl1.bmp" : "lvl2.bmp");
    EXPECT_EQ(ShippedTuning(story), ReadBytes(file));
    // Every key is there and in range: nothing to tell.
    Tuning(ShippedTuning(story), story ? "lvl1.bmp" : "lvl2.bmp");
    g_->StoryMode = story;
    StartGame(*g_);
    EXPECT_EQ(log_.lines, std::vector<std::string>{});
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
  ASSERT_EQ(log_.lines.size(), 2u);
  EXPECT_EQ(log_.Mentioning((folder_ / "textures" / "lvl1.bmp").string()), 1);
  EXPECT_EQ(log_.Mentioning((folder_ / "textures" / "lvl2.bmp").string()), 1);
}

TEST_F(TuningFallback, AMissingKeyKeepsTheShippedValueThenTheValueOfTheGameBefore) {
  Tuning("[Player]\nWalkSpeed=111\n[Score]\nBonus_Bomb_Points=7\n");
  StartGame(*g_);
  EXPECT_EQ(g_->Tuning.Player.WalkSpeed, 111);
  EXPECT_EQ(g_->Tuning.Player.Jump_Force, 150);  // shipped
  EXPECT_EQ(g_->Tuning.Score.Graphic_RGB, "255,255,255");
  EXPECT_EQ(g_->StoryLength, 445);
  // One line names every key the file lacks.
  ASSERT_EQ(log_.lines.size(), 1u);
  EXPECT_EQ(log_.Mentioning("[Player] Jump_Force;"), 1);
  EXPECT_EQ(log_.Mentioning("[Levels] Level-01_PlatformSize;"), 1);
  EXPECT_EQ(log_.Mentioning("[Levels] Level-06_LevelSize;"), 0) << "the level table stops at its first gap";
  EXPECT_EQ(log_.Mentioning("[Player] WalkSpeed;"), 0);

  Tuning("[Player]\nJump_Force=200\n");
  StartGame(*g_);
  Tuning("[Player]\nWalkSpeed=99\n");
  StartGame(*g_);
  EXPECT_EQ(g_->Tuning.Player.Jump_Force, 200);  // the game before's
  EXPECT_EQ(g_->Tuning.Player.WalkSpeed, 99);
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
    EXPECT_EQ(log_.Mentioning(key), 1) << key;
  }
  EXPECT_EQ(log_.lines.size(), 7u);
}

TEST_F(TuningFallback, ALevelTableThatDoesNotFitTheFieldGivesWayToTheShippedOne) {
  for (const auto& changes : std::vector<std::vector<std::string>>{
           {"Level-03_LevelSize=4700"},                               // longer than the field
           {"Level-01_LevelSize=30000", "Level-02_LevelSize=30000"},  // beyond 16 bits
           {"Level-01_LevelSize=0", "Level-02_LevelSize=0", "Level-03_LevelSize=0", "Level-04_LevelSize=0",
            "Level-06_LevelSize=0", "Level-08_LevelSize=0", "Level-09_LevelSize=0",
            "Level-10_LevelSize=3"}}) {
    log_.lines.clear();
    Tuning(Shipped(true, changes));
    StartGame(*g_);
    EXPECT_EQ(g_->StoryLength, 445) << changes[0];
    EXPECT_EQ(g_->LevelSpecs[3].LevelSize, 60);
    EXPECT_EQ(log_.Mentioning("Level-01_LevelSize .. Level-10_LevelSize"), 1) << changes[0];
  }
  // The longest table that fits is played as written.
  Tuning(Shipped(true, {"Level-03_LevelSize=4615"}));
  StartGame(*g_);
  EXPECT_EQ(g_->StoryLength, 5000);
}

class ReplayMapSize : public TuningFallback {
 protected:
  void Play(const std::string& size) {
    WriteBytes(folder_ / "small.ini", "[Map]\nmapsizey=" + size + "\nY10_X3=6\n[options]\nlastframe=100\n");
    quillon::profile::ClearCache();
    g_->Replay.PlayingReplay = true;
    g_->Replay.ReplayFile = "small.ini";
    StartGame(*g_);
    log_.lines.clear();
    ReplayStep(*g_);
  }
};

TEST_F(ReplayMapSize, ASizeBelowOneRowIsReplacedAndTheGamePlays) {
  Play("-3");
  EXPECT_EQ(g_->StoryLength, 445);
  EXPECT_FALSE(g_->GameOver);
  EXPECT_FALSE(g_->Replay.UnplayableMap);
  EXPECT_EQ(log_.Mentioning("mapsizey = -3"), 1);
}

TEST_F(ReplayMapSize, AMapThatCannotHoldTheHeroEndsThePlaybackUnwon) {
  Play("6");
  EXPECT_TRUE(g_->Replay.UnplayableMap);
  EXPECT_TRUE(g_->GameOver);
  EXPECT_EQ(log_.Mentioning("cannot hold the hero"), 1);
  for (int frame = 0; frame < 5; ++frame) RunGameFrame(*g_, {});
  EXPECT_FALSE(g_->StoryCompleted);
  EXPECT_NE(g_->Menu.MenuScreen, "won");

  Play("7");  // Tobo starts in row 3; the floor is four rows below the end
  EXPECT_FALSE(g_->Replay.UnplayableMap);
  EXPECT_EQ(log_.lines, std::vector<std::string>{});
}

}  // namespace
}  // namespace pebblerun
