#include "sim/replay.h"

#include <gtest/gtest.h>

#include <memory>

#include <quillon/profile.h>

#include "sim/game_ini.h"
#include "sim/playfield.h"
#include "temp_folder.h"

namespace pebblerun {
namespace {

class ReplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    quillon::profile::ClearCache();
    g_->AppFolder = folder_.Path().string();
    g_->StoryLength = 20;
    g_->World.TileSize = 32;
  }
  std::string FileText() {
    quillon::profile::Flush();
    return ReadBytes(folder_ / "replay.ini");
  }
  // Records frames 0..frames-1, setting the flags of each frame with set(frame).
  template <typename Set>
  void Record(int frames, Set set) {
    g_->Replay.RecordingReplay = true;
    g_->Replay.ReplayFrame = 0;
    for (int f = 0; f < frames; ++f) {
      set(f);
      ReplayStep(*g_);
    }
    g_->Replay.RecordingReplay = false;
  }
  void StartPlayback(const std::string& file = "") {
    g_->Replay.PlayingReplay = true;
    g_->Replay.ReplayFile = file;
    g_->Replay.ReplayFrame = 0;
  }
  static std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
  }

  TempFolder folder_;
  std::unique_ptr<GameState> g_ = std::make_unique<GameState>();
};

TEST_F(ReplayTest, FlagChangesAreRecordedAndPlayedBackFrameForFrame) {
  Record(60, [&](int f) { g_->Input.MoveLeft = f >= 10 && f < 40; });
  WriteIni("options", "lastframe", "60", folder_ / "replay.ini");
  const std::string text = FileText();
  EXPECT_NE(text.find("10_keyleft=True"), std::string::npos) << text;
  EXPECT_NE(text.find("40_keyleft=False"), std::string::npos);
  EXPECT_EQ(Count(text, "_keyleft"), 2u);
  EXPECT_EQ(Count(text, "_keyright"), 0u);

  g_->Input.MoveLeft = false;
  StartPlayback();
  for (int f = 0; f < 60; ++f) {
    ReplayStep(*g_);
    EXPECT_EQ(g_->Input.MoveLeft, f >= 10 && f < 40) << "frame " << f;
    g_->Input.MoveLeft = false;  // the player step clears it after use
  }
  EXPECT_FALSE(g_->GameOver);
  ReplayStep(*g_);
  EXPECT_TRUE(g_->GameOver);  // frame 60 reaches "lastframe"
}

TEST_F(ReplayTest, KeysOfFrameZeroAreLostWithTheOldFile) {
  Record(8, [&](int f) { g_->Input.UpHeld = f < 5; });
  const std::string text = FileText();
  EXPECT_EQ(text.find("0_keyup"), std::string::npos) << text;
  EXPECT_NE(text.find("5_keyup=False"), std::string::npos);
  EXPECT_EQ(Count(text, "_keyup"), 1u);
}

TEST_F(ReplayTest, MapSeedBonusesAndPaintedFlagsAreStored) {
  Cell(*g_, 0, 7, kGlass);
  Cell(*g_, 3, 12, 47);
  g_->Field.PaintedGrid[1][2] = true;
  g_->Field.PaintedGrid[14][2] = true;
  g_->Replay.GameSeed = 1234567;
  g_->Bonus.Bonuses.resize(3);
  g_->Bonus.Bonuses[2] = Bonus{true, "boot", 64, 320, 12.5f, 0.2f, 0, 100};
  Record(1, [](int) {});
  const std::string text = FileText();
  EXPECT_EQ(text.find("[Map]\r\nmapsizey=20\r\nseed=1234567\r\n"), 0u) << text;
  EXPECT_NE(text.find("Y7_X0=5\r\n"), std::string::npos);
  EXPECT_NE(text.find("Y12_X3=47\r\n"), std::string::npos);
  EXPECT_EQ(text.find("Y7_X1="), std::string::npos);  // empty cells have no key
  EXPECT_NE(text.find("[Bonus]\r\n2_addforce=0\r\n2_type=boot\r\n2_x=64\r\n2_y=320\r\n"
                      "2_weight=0.2\r\n2_selectionalpha=100\r\n2_points=12.5\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("[Painted]\r\n0=000000000000000\r\n"), std::string::npos);
  EXPECT_NE(text.find("2=010000000000001\r\n"), std::string::npos);
  EXPECT_NE(text.find("20=000000000000000\r\n"), std::string::npos);
  EXPECT_LT(text.find("[Bonus]"), text.find("[Painted]"));
}

TEST_F(ReplayTest, PlaybackRestoresMapBonusesAndPaintedFlagsWithoutScoring) {
  WriteBytes(folder_ / "replay.ini",
             "[Map]\r\nmapsizey=30\r\nY2_X4=12\r\nY3_X5=junk\r\n[Bonus]\r\n0_type=pie\r\n"
             "1_type=bomb\r\n1_x=96\r\n1_y=oops\r\n1_points=7\r\n1_selectionalpha=80\r\n"
             "[Painted]\r\n2=000011110000000\r\n3=short\r\n[options]\r\nlastframe=100\r\n"
             "lastscreeny=4\r\n");
  g_->Bonus.Bonuses.resize(3);
  g_->Bonus.Bonuses[2] = Bonus{true, "ears", 1, 2, 3, 4, 5, 6};
  Cell(*g_, 5, 3, 9);
  Cell(*g_, 6, 9, 9);  // below "lastscreeny": kept
  StartPlayback();
  ReplayStep(*g_);
  EXPECT_EQ(g_->StoryLength, 30);
  EXPECT_EQ(Cell(*g_, 4, 2), 12);
  EXPECT_EQ(Cell(*g_, 5, 3), 0);  // unreadable code: the cell stays cleared
  EXPECT_EQ(Cell(*g_, 6, 9), 9);
  EXPECT_FALSE(g_->Field.PaintedGrid[3][2]);
  EXPECT_TRUE(g_->Field.PaintedGrid[4][2]);
  EXPECT_TRUE(g_->Field.PaintedGrid[0][3]);  // malformed row: as loaded
  EXPECT_EQ(g_->World.Score, 0);
  const auto& b = g_->Bonus.Bonuses;
  EXPECT_FALSE(b[0].Active);  // slot 0 is never read back
  EXPECT_TRUE(b[1].Active);
  EXPECT_EQ(b[1].Type, "bomb");
  EXPECT_EQ(b[1].X, 96);
  EXPECT_EQ(b[1].Y, 0);
  EXPECT_EQ(b[1].Points, 7);
  EXPECT_EQ(b[1].SelectionAlpha, 80);
  EXPECT_FALSE(b[2].Active);
  EXPECT_EQ(b[2].SelectionAlpha, 100);
  EXPECT_EQ(g_->Replay.ReplayLastFrame, 100);
}

TEST_F(ReplayTest, MissingFileKeepsLengthAndLastFrame) {
  g_->Replay.ReplayLastFrame = 3;
  Cell(*g_, 2, 0, 9);
  Cell(*g_, 2, 1, 9);
  StartPlayback("nothing-here.ini");
  for (int f = 0; f < 3; ++f) ReplayStep(*g_);
  EXPECT_EQ(g_->StoryLength, 20);
  EXPECT_EQ(Cell(*g_, 2, 0), 0);  // row 0 is cleared
  EXPECT_EQ(Cell(*g_, 2, 1), 9);
  EXPECT_FALSE(g_->GameOver);
  ReplayStep(*g_);
  EXPECT_TRUE(g_->GameOver);
}

TEST_F(ReplayTest, HostileLengthsAllocateNothing) {
  for (const char* last : {"1e30", "3000000000", "100000000", "-7", "nan", "inf"}) {
    SCOPED_TRACE(last);
    quillon::profile::ClearCache();
    WriteBytes(folder_ / "replay.ini", std::string("[Map]\r\nmapsizey=1e9\r\n[options]\r\nlastframe=") +
                                           last + "\r\nlastscreeny=3\r\n");
    g_ = std::make_unique<GameState>();
    SetUp();
    StartPlayback();
    for (int f = 0; f < 50 && !g_->GameOver; ++f) ReplayStep(*g_);
    EXPECT_EQ(g_->StoryLength, 20);
    EXPECT_LE(g_->PlaybackKeysBound, kMaxPlaybackFrames);
    for (const auto& texts : g_->Replay.PlaybackKeys) EXPECT_LE(texts.size(), 50u);
  }
}

TEST_F(ReplayTest, HugeLastScreenRowStopsAtTheEndOfTheGrid) {
  WriteBytes(folder_ / "replay.ini", "[Map]\r\nY5000_X3=7\r\n[options]\r\nlastscreeny=1e12\r\n");
  Cell(*g_, 4, 5000, 9);
  StartPlayback();
  ReplayStep(*g_);
  EXPECT_EQ(Cell(*g_, 3, 5000), 7);
  EXPECT_EQ(Cell(*g_, 4, 5000), 0);
}

TEST_F(ReplayTest, FractionalLastFrameEndsPlaybackWithoutOverrunningItsKeys) {
  WriteBytes(folder_ / "replay.ini", "[ingame]\r\n3_keyleft=True\r\n[options]\r\nlastframe=2.5\r\n");
  StartPlayback();
  for (int f = 0; f < 4; ++f) ReplayStep(*g_);
  EXPECT_TRUE(g_->GameOver);
  EXPECT_EQ(g_->PlaybackKeysBound, 2);
  EXPECT_EQ(g_->Replay.PlaybackKeys[2].size(), 3u);  // frame 3 lies beyond the texts kept
  EXPECT_TRUE(g_->Input.MoveLeft);
}

TEST_F(ReplayTest, GarbageFilePlaysWithoutCrashing) {
  std::string junk;
  for (int i = 0; i < 4096; ++i) junk += static_cast<char>((i * 7919) % 251);
  junk += "\n[Map]\nmapsizey=\xff\xfe\nY0_X0=99999\n[ingame]\n0_keyup=True\n";
  WriteBytes(folder_ / "replay.ini", junk);
  g_->Bonus.Bonuses.resize(4);
  StartPlayback();
  for (int f = 0; f < 5; ++f) ReplayStep(*g_);
  EXPECT_EQ(Cell(*g_, 0, 0), 0);
  EXPECT_TRUE(g_->GameOver);
}

TEST_F(ReplayTest, FileExistsUnderTheApplicationFolder) {
  EXPECT_FALSE(ReplayFileExists(*g_, "replay3.ini"));
  WriteBytes(folder_ / "replay3.ini", "[Map]\r\n");
  EXPECT_TRUE(ReplayFileExists(*g_, "replay3.ini"));
  EXPECT_TRUE(ReplayFileExists(*g_, "REPLAY3.INI"));
}

}  // namespace
}  // namespace pebblerun
