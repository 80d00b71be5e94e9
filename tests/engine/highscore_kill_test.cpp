// A score table killed in the middle of its updates: whatever moment the
// process dies, the file on disk is the table before some update or after
// it, never one with some entries moved and others not.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <thread>

#include "engine_fixture.h"
#include "platform/profile_parse.h"
#include "quillon/extra.h"
#include "temp_folder.h"

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
