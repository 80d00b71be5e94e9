#include "app_folder_fixture.h"
#include "quillon/extra.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <thread>

#include "engine_fixture.h"
#include "platform/profile_parse.h"
#include "temp_folder.h"

using quillon::Extra;

class HighScores : public AppFolderTest {
 protected:
  std::string Ini(const std::string& section, const std::string& key) {
    return extra.INIRead(section, key, "hs.ini");
  }

  // A table file of TopX ranks holding the given scores from rank 1 down.
  void StartTable(std::int16_t topX, std::int16_t values, const std::vector<float>& scores) {
    std::string name = "hs.ini";
    ASSERT_TRUE(extra.HighScore_Create(name, topX, values));
    for (float score : scores) {
      extra.HighScore_NewScore(score, "p" + std::to_string(static_cast<int>(score)), {});
    }
  }

  Extra extra;
};

TEST_F(HighScores, NewFileHoldsOnlyTheSetup) {
  std::string name = "hs.ini";
  std::int16_t topX = 10, values = 0;
  ASSERT_TRUE(extra.HighScore_Create(name, topX, values));
  EXPECT_EQ(name, app_.string() + "\\hs.ini");
  EXPECT_EQ(Ini("setup", "TopX"), "10");
  EXPECT_EQ(Ini("setup", "additionalValues"), "0");
  EXPECT_EQ(Ini("scores", "1_score"), "");
  for (std::int16_t i = 0; i <= 11; ++i) {
    EXPECT_EQ(extra.HighScore_GetScore(i), 0);
    EXPECT_EQ(extra.HighScore_GetName(i), "");
  }
  // The missing file was reported by the file check on the way.
  EXPECT_NE(Log().find("File is missing : "), std::string::npos);
}

TEST_F(HighScores, ExistingFileDecidesTheSize) {
  Write(
      "hs.ini",
      "[setup]\r\nTopX=5\r\nadditionalValues=2\r\n[scores]\r\n1_score=7.5\r\n1_name=Ann\r\n1_value_2=L3\r\n");
  std::string name = "HS.INI";
  std::int16_t topX = 10, values = 0;
  ASSERT_TRUE(extra.HighScore_Create(name, topX, values));
  EXPECT_EQ(topX, 5);
  EXPECT_EQ(values, 2);
  EXPECT_FLOAT_EQ(extra.HighScore_GetScore(1), 7.5f);
  EXPECT_EQ(extra.HighScore_GetName(1), "Ann");
  EXPECT_EQ(extra.HighScore_GetValue(1, 2), "L3");
  EXPECT_EQ(extra.HighScore_GetValue(1, 0), "");
  // Outside the table: nothing, never a crash.
  EXPECT_EQ(extra.HighScore_GetValue(1, 3), "");
  EXPECT_EQ(extra.HighScore_GetValue(7, 0), "");
  EXPECT_EQ(extra.HighScore_GetScore(-1), 0);
  EXPECT_EQ(extra.HighScore_GetName(7), "");
}

TEST_F(HighScores, TiesGoBelowAndThePushedOutEntryIsKept) {
  StartTable(3, 0, {100, 80, 60});
  EXPECT_EQ(extra.HighScore_CheckPos(80), 3);
  EXPECT_EQ(extra.HighScore_NewScore(80, "tie", {"v"}), 3);
  EXPECT_EQ(extra.HighScore_GetName(2), "p80");
  EXPECT_EQ(extra.HighScore_GetName(3), "tie");
  EXPECT_EQ(extra.HighScore_GetValue(3, 0), "v");
  // 60 fell out of the three ranks but is written as entry 4.
  EXPECT_EQ(Ini("scores", "4_score"), "60");
  EXPECT_EQ(Ini("scores", "4_name"), "p60");

  EXPECT_EQ(extra.HighScore_NewScore(120, "top", {}), 1);
  EXPECT_EQ(extra.HighScore_GetName(2), "p100");
  EXPECT_EQ(extra.HighScore_GetName(3), "p80");
  EXPECT_EQ(Ini("scores", "4_name"), "tie");

  // A reloaded table is the same table.
  Extra again;
  std::string name = "hs.ini";
  ASSERT_TRUE(again.HighScore_Create(name));
  EXPECT_EQ(again.HighScore_GetName(1), "top");
  EXPECT_FLOAT_EQ(again.HighScore_GetScore(3), 80);
  EXPECT_EQ(again.HighScore_GetName(4), "tie");
}

TEST_F(HighScores, ScoresThatDoNotEnterChangeNothing) {
  StartTable(3, 0, {100, 80, 60});
  const std::string before = Read("hs.ini");
  EXPECT_EQ(extra.HighScore_CheckPos(60), 0);
  EXPECT_EQ(extra.HighScore_NewScore(60, "equal", {}), 0);
  EXPECT_EQ(extra.HighScore_NewScore(-5, "low", {}), 0);
  EXPECT_EQ(extra.HighScore_CheckPos(1000), 1);  // asking never writes
  EXPECT_EQ(Read("hs.ini"), before);
}

TEST_F(HighScores, ValuesAndScoresKeepTheirText) {
  StartTable(2, 1, {});
  EXPECT_EQ(extra.HighScore_NewScore(1234.5f, "Zoe", {"level 3", "2024-01-01"}), 1);
  EXPECT_EQ(extra.HighScore_NewScore(0.25f, "Max", {"only one"}), 2);
  EXPECT_EQ(Ini("scores", "1_score"), "1234.5");
  EXPECT_EQ(Ini("scores", "1_value_1"), "2024-01-01");
  EXPECT_EQ(extra.HighScore_GetValue(2, 1), "");  // missing values are stored as ""
  Extra again;
  std::string name = "hs.ini";
  ASSERT_TRUE(again.HighScore_Create(name));
  EXPECT_FLOAT_EQ(again.HighScore_GetScore(2), 0.25f);
  EXPECT_EQ(again.HighScore_GetValue(1, 0), "level 3");
}

TEST_F(HighScores, BrokenFilesFailWithTheirLogLine) {
  Extra fresh;
  EXPECT_EQ(fresh.HighScore_NewScore(5, "x", {}), 0);  // no table yet
  EXPECT_EQ(fresh.HighScore_CheckPos(5), 0);

  for (const std::string& setup :
       {std::string("TopX=ten\r\nadditionalValues=0"), std::string("additionalValues=0"),
        std::string("TopX=-3\r\nadditionalValues=0"), std::string("TopX=30000\r\nadditionalValues=30000")}) {
    Write("bad.ini", "[setup]\r\n" + setup + "\r\n");
    quillon::profile::ClearCache();
    std::string name = "bad.ini";
    EXPECT_FALSE(fresh.HighScore_Create(name)) << setup;
    EXPECT_EQ(fresh.HighScore_GetName(1), "");
  }
  EXPECT_NE(Log().find("Error in loading HighScores : " + app_.string() + "/bad.ini\r\n"), std::string::npos);

  Write("badscore.ini", "[setup]\r\nTopX=2\r\nadditionalValues=0\r\n[scores]\r\n1_score=lots\r\n");
  std::string name = "badscore.ini";
  EXPECT_FALSE(fresh.HighScore_Create(name));
}

namespace quillon::testing {
namespace {

constexpr int kTopX = 10;

// Scores 1, 2, 3 ... in this order, each a new best: every update moves the
// whole table down by one rank. The table after score n holds n, n-1, ...
// at ranks 1, 2, ... (0 and "" where there is none yet), and at rank
// kTopX + 1 the entry pushed out.
[[noreturn]] void UpdateForever(const std::string& folder, int ready) {
  lib::State().AppFolder = folder;
  Extra extra;
  std::string file = "table.ini";
  std::int16_t topX = kTopX, values = 0;
  if (!extra.HighScore_Create(file, topX, values)) ::_exit(3);
  const char go = 1;
  if (::write(ready, &go, 1) != 1) ::_exit(4);
  for (int n = static_cast<int>(extra.HighScore_GetScore(1)) + 1;; ++n) {
    extra.HighScore_NewScore(static_cast<float>(n), "P" + std::to_string(n), {"V" + std::to_string(n)});
  }
}

// The n of the table the file holds; -1 when it is no such table.
int TableState(const std::string& bytes) {
  const profile::IniDocument doc(bytes);
  const auto field = [&](int rank, const char* name) {
    return std::string(doc.Find("scores", std::to_string(rank) + name).value_or(""));
  };
  const std::string best = field(1, "_score");
  const int n = best.empty() ? 0 : std::atoi(best.c_str());
  for (int rank = 1; rank <= kTopX + 1; ++rank) {
    const int score = n + 1 - rank;
    const bool present = score >= 1;
    const std::string s = field(rank, "_score");
    if (present ? s != std::to_string(score) : !(s.empty() || s == "0")) return -1;
    if (field(rank, "_name") != (present ? "P" + std::to_string(score) : "")) return -1;
    if (field(rank, "_value_0") != (present ? "V" + std::to_string(score) : "")) return -1;
  }
  return n;
}

// How long one update takes here (it waits for the disk), in microseconds.
int UpdateMicroseconds(const std::string& folder) {
  lib::State().AppFolder = folder;
  Extra extra;
  std::string file = "timing.ini";
  std::int16_t topX = kTopX, values = 0;
  extra.HighScore_Create(file, topX, values);
  const auto start = std::chrono::steady_clock::now();
  for (int n = 1; n <= 5; ++n) extra.HighScore_NewScore(static_cast<float>(n), "P", {"V"});
  const auto took = std::chrono::steady_clock::now() - start;
  return static_cast<int>(std::chrono::duration_cast<std::chrono::microseconds>(took).count() / 5);
}

TEST(HighScoreTable, AProcessKilledAtAnyMomentOfItsUpdatesLeavesAWholeTable) {
  TempFolder folder;
  const auto file = folder / "table.ini";
  // The kills fall anywhere in the first few updates of each child, however
  // long the disk takes for one.
  const int update = UpdateMicroseconds(folder.Path().string());
  std::mt19937 random(20261209);
  std::uniform_int_distribution<int> delayMicroseconds(0, std::max(20000, 3 * update));
  WriteBytes(file, "[setup]\r\nTopX=10\r\nadditionalValues=0\r\n");
  int lastState = 0, states = 0;
  for (int kill = 0; kill < 220; ++kill) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) UpdateForever(folder.Path().string(), ready[1]);
    ::close(ready[1]);
    char go = 0;
    const bool started = ::read(ready[0], &go, 1) == 1;
    ::close(ready[0]);
    if (started) std::this_thread::sleep_for(std::chrono::microseconds(delayMicroseconds(random)));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(started && WIFSIGNALED(status))
        << "the child could not load the table, status " << status << ", after kill " << kill << ":\n"
        << ReadBytes(file);
    const int state = TableState(ReadBytes(file));
    ASSERT_GE(state, lastState) << "after kill " << kill << " the file holds a broken table:\n"
                                << ReadBytes(file);
    if (state > lastState) ++states;
    lastState = state;
  }
  // The children got on with their updates between the kills.
  EXPECT_GT(states, 5) << "update time " << update << " us";
}

}  // namespace
}  // namespace quillon::testing
