#include "sim/high_scores.h"

#include <gtest/gtest.h>

#include <memory>

#include <quillon/profile.h>

#include "sim/game_ini.h"
#include "sim_folder_fixture.h"

namespace pebblerun {
namespace {

class HighScoresTest : public simtest::FolderTest {
 protected:
  std::filesystem::path File() const { return folder_ / "textures" / "dot_black2.bmp"; }
  std::vector<Long> Scores() const {
    std::vector<Long> scores;
    for (int row = 0; row < 10; ++row) scores.push_back(g_->Records.HighScores[row].Score);
    return scores;
  }
  void Offer(const std::string& name, Long score) {
    g_->Records.HighScores[10] = {name, score};
    SaveHighScores(*g_);
  }
};

TEST_F(HighScoresTest, FirstLoadFillsDefaultsAndCreatesTheFile) {
  LoadHighScores(*g_);
  EXPECT_EQ(Scores(), (std::vector<Long>{2000, 1800, 1600, 1400, 1200, 1000, 800, 600, 400, 200}));
  for (int row = 0; row < 10; ++row) EXPECT_EQ(g_->Records.HighScores[row].Name, "TOBO");
  quillon::profile::Flush();
  const std::string text = ReadBytes(File());
  EXPECT_EQ(text.find("[hs]\r\ns0=2000\r\nn0=TOBO\r\ns1=1800\r\n"), 0u) << text;
  EXPECT_NE(text.find("s9=200\r\nn9=TOBO"), std::string::npos);
}

TEST_F(HighScoresTest, ModesUseTheirOwnFiles) {
  EXPECT_EQ(HighScoreFile(*g_), "\\textures\\dot_black2.bmp");
  g_->StoryMode = false;
  EXPECT_EQ(HighScoreFile(*g_), "\\textures\\dot_white2.bmp");
}

TEST_F(HighScoresTest, EqualScoresGoBelowAndTheLastRowMustBeBeaten) {
  LoadHighScores(*g_);
  Offer("NEW", 1000);
  EXPECT_EQ(Scores(), (std::vector<Long>{2000, 1800, 1600, 1400, 1200, 1000, 1000, 800, 600, 400}));
  EXPECT_EQ(g_->Records.HighScores[6].Name, "NEW");
  EXPECT_EQ(g_->Records.HighScores[10].Name, "Tobo");
  EXPECT_EQ(g_->Records.HighScores[10].Score, 0);

  Offer("LOW", 400);  // equal to the last row: stays out
  EXPECT_EQ(g_->Records.HighScores[9].Score, 400);
  EXPECT_EQ(g_->Records.HighScores[9].Name, "TOBO");
  EXPECT_EQ(g_->Records.HighScores[10].Name, "LOW");

  Offer("EDGE", 401);
  EXPECT_EQ(g_->Records.HighScores[9].Name, "EDGE");
  EXPECT_EQ(g_->Records.HighScores[9].Score, 401);
}

TEST_F(HighScoresTest, DefaultTableTakes201ButNot200) {
  LoadHighScores(*g_);
  Offer("A", 200);
  EXPECT_EQ(g_->Records.HighScores[9].Name, "TOBO");
  Offer("B", 201);
  EXPECT_EQ(g_->Records.HighScores[9].Name, "B");
  EXPECT_EQ(g_->Records.HighScores[8].Score, 400);
}

TEST_F(HighScoresTest, ScoresAbove16BitsAreStoredAsScored) {
  LoadHighScores(*g_);
  Offer("BIG", 1234567);
  quillon::profile::Flush();
  EXPECT_NE(ReadBytes(File()).find("s0=1234567\r\nn0=BIG"), std::string::npos);
  g_ = std::make_unique<GameState>();
  SetUp();
  LoadHighScores(*g_);
  EXPECT_EQ(g_->Records.HighScores[0].Score, 1234567);
  EXPECT_EQ(g_->Records.HighScores[0].Name, "BIG");
}

TEST_F(HighScoresTest, MalformedFileFallsBackRowByRow) {
  WriteBytes(File(),
             "[hs]\r\ns0=abc\r\nn0=ANA\r\ns1=99999999999\r\nn1=BOB\r\ns2=777\r\nn2=\r\n"
             "s3=3.5e2\r\nn3=CID\r\n\x01\x02garbage without equals\r\n[other]\r\ns4=1\r\n");
  g_->Records.HighScores[0].Score = 55;  // left from an earlier load
  g_->Records.HighScores[1].Score = 66;
  LoadHighScores(*g_);
  const auto& rows = g_->Records.HighScores;
  EXPECT_EQ(rows[0].Name, "ANA");
  EXPECT_EQ(rows[0].Score, 55);     // not a number: the row keeps its score
  EXPECT_EQ(rows[1].Score, 66);     // beyond 32 bits: likewise
  EXPECT_EQ(rows[2].Name, "TOBO");  // empty name: default row, whatever the score key says
  EXPECT_EQ(rows[2].Score, 1600);
  EXPECT_EQ(rows[3].Score, 350);
  EXPECT_EQ(rows[4].Name, "TOBO");  // keys of another section do not count
  EXPECT_EQ(rows[4].Score, 1200);
}

TEST_F(HighScoresTest, InMemoryTableWritesNoFile) {
  g_->Policy.RecordsInMemory = true;
  LoadHighScores(*g_);
  Offer("X", 5000);
  quillon::profile::Flush();
  EXPECT_FALSE(std::filesystem::exists(File()));
  EXPECT_EQ(g_->Records.HighScores[0].Name, "X");
}

}  // namespace
}  // namespace pebblerun
