// The pebblerun-sim command line, run as a child process: its one-line
// summary, its trace file, and a game it records played back by it again.

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "app_folders.h"
#include "program_run.h"
#include "temp_folder.h"
#include "trace_rows.h"

namespace pebblerun {
namespace {

using support::GameOverRow;
using support::RunProgram;
using support::RunResult;
using support::WithoutScore;

struct Summary {
  std::string Mode;
  long Frames = -1;
  int Level = -1;
  double Score = -1;
  std::string Result;
  bool operator==(const Summary&) const = default;
};

void PrintTo(const Summary& s, std::ostream* out) {
  *out << "mode=" << s.Mode << " frames=" << s.Frames << " level=" << s.Level << " score=" << s.Score
       << " result=" << s.Result;
}

// The whole output must be the one summary line.
Summary ParseSummary(const std::string& output) {
  static const std::regex line(
      "mode=(story|arcade) frames=([0-9]+) level=([0-9]+) score=(-?[0-9.e+]+) "
      "result=(won|died|unfinished|unplayable) seed=[0-9]+\n");
  std::smatch m;
  Summary s;
  if (!std::regex_match(output, m, line)) {
    ADD_FAILURE() << "not a summary line: " << output;
    return s;
  }
  return {m[1], std::stol(m[2]), std::stoi(m[3]), std::stod(m[4]), m[5]};
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t from = 0;
  for (auto end = text.find('\n'); end != std::string::npos; end = text.find('\n', from)) {
    lines.push_back(text.substr(from, end - from));
    from = end + 1;
  }
  EXPECT_EQ(from, text.size()) << "the last line has no line end";
  return lines;
}

class SimTool : public ::testing::Test {
 protected:
  void SetUp() override { support::CopyShippedTuning(folder_.Path()); }

  RunResult Sim(std::vector<std::string> args) const {
    args.insert(args.begin(), {"--app-dir", folder_.Path().string()});
    return RunProgram(PEBBLERUN_SIM_TOOL, args);
  }
  std::string File(const char* name) const { return (folder_ / name).string(); }

  // A game recorded by one run and played back by another (in the other
  // mode: a playback takes its recording's) gives the same summary and the
  // same trace, frame for frame, up to the score a playback drops once the
  // game is over. The runner's table holds the default scores 2000 down to
  // 200: a live game that beats the last of them waits one frame more for
  // its name (the runner types Enter); a playback never enters the table.
  void ExpectRecordingPlaysBackAlike(const std::string& player, const std::string& seed, bool named) {
    const auto live =
        Sim({"--mode", "story", player, seed, "--record", File("game.ini"), "--trace", File("live.csv")});
    ASSERT_EQ(live.ExitCode, 0) << live.Output;
    const Summary liveSummary = ParseSummary(live.Output);
    EXPECT_EQ(liveSummary.Mode, "story");
    EXPECT_NE(liveSummary.Result, "unfinished");
    ASSERT_EQ(liveSummary.Score > 200, named) << "a game that shows the other case is needed";

    const auto replay =
        Sim({"--mode", "arcade", "--replay", File("game.ini"), "--trace", File("replay.csv")});
    ASSERT_EQ(replay.ExitCode, 0) << replay.Output;
    Summary expected = liveSummary;
    expected.Frames -= named ? 1 : 0;
    EXPECT_EQ(ParseSummary(replay.Output), expected);

    const auto liveRows = Lines(ReadBytes(folder_ / "live.csv"));
    const auto replayRows = Lines(ReadBytes(folder_ / "replay.csv"));
    ASSERT_GT(liveRows.size(), 50u);
    ASSERT_EQ(replayRows.size() + (named ? 1 : 0), liveRows.size());
    std::size_t end = 1;
    while (end < liveRows.size() && !GameOverRow(liveRows[end])) ++end;
    ASSERT_LT(end, replayRows.size());
    for (std::size_t i = 0; i < end; ++i) ASSERT_EQ(replayRows[i], liveRows[i]) << "line " << i;
    // A won story opens arcade mode, so the live game's end fade runs under
    // arcade rules, while a playback keeps its recording's rules to its end:
    // their fields part there (the last column, the grid's hash).
    const auto after = [&](const std::string& row) {
      const std::string rest = WithoutScore(row);
      return liveSummary.Result == "won" ? rest.substr(0, rest.rfind(',')) : rest;
    };
    for (std::size_t i = end; i < replayRows.size(); ++i)
      EXPECT_EQ(after(replayRows[i]), after(liveRows[i])) << "line " << i;
  }

  TempFolder folder_;
};

TEST_F(SimTool, UsageOnHelpAndOnWhatItCannotRead) {
  const auto help = RunProgram(PEBBLERUN_SIM_TOOL, {"--help"});
  EXPECT_EQ(help.ExitCode, 0);
  EXPECT_EQ(help.Output.rfind("usage: pebblerun-sim", 0), 0u) << help.Output;
  for (const std::vector<std::string>& args : {std::vector<std::string>{"--mode", "story"},
                                               {"--idle"},
                                               {"--mode", "sideways", "--idle"},
                                               {"--mode", "story", "--bot", "-1"},
                                               {"--mode", "story", "--idle", "--frames", "ten"}}) {
    const auto run = Sim(args);
    EXPECT_EQ(run.ExitCode, 2) << args.back();
    EXPECT_NE(run.Output.find("usage:"), std::string::npos) << run.Output;
  }
  const auto unwritable = Sim({"--mode", "story", "--idle", "--trace", File("no/such/folder/t.csv")});
  EXPECT_EQ(unwritable.ExitCode, 1);
  EXPECT_NE(unwritable.Output.find("cannot write"), std::string::npos) << unwritable.Output;
}

TEST_F(SimTool, IdleGameSummaryAndTraceAgree) {
  const auto run = Sim({"--mode", "story", "--idle", "--trace", File("idle.csv")});
  ASSERT_EQ(run.ExitCode, 0) << run.Output;
  const Summary s = ParseSummary(run.Output);
  EXPECT_EQ(s.Mode, "story");
  EXPECT_EQ(s.Result, "died");
  EXPECT_LE(s.Level, 1);
  const auto rows = Lines(ReadBytes(folder_ / "idle.csv"));
  ASSERT_GT(rows.size(), 2u);
  EXPECT_EQ(rows[0], "frame,px,py,pvy,weight,scrolly,drilly,score,bombs,boot,ears,level,gameover,gridhash");
  // One row per frame of an unpaused game, numbered from 0, the last one
  // the game's end.
  EXPECT_EQ(static_cast<long>(rows.size() - 1), s.Frames);
  EXPECT_EQ(rows[1].substr(0, 2), "0,");
  EXPECT_TRUE(GameOverRow(rows.back()));

  // A frame budget stops the game unfinished, its trace that long.
  const auto cut = Sim({"--mode", "arcade", "--idle", "--frames", "25", "--trace", File("cut.csv")});
  ASSERT_EQ(cut.ExitCode, 0) << cut.Output;
  const Summary c = ParseSummary(cut.Output);
  EXPECT_EQ(c.Mode, "arcade");
  EXPECT_EQ(c.Frames, 25);
  EXPECT_EQ(c.Result, "unfinished");
  EXPECT_EQ(Lines(ReadBytes(folder_ / "cut.csv")).size(), 26u);
}

// A short game that ends below the table.
TEST_F(SimTool, RandomKeysGameRecordedPlaysBackAlike) {
  ExpectRecordingPlaysBackAlike("--random", "5", false);
}

// A won story that enters the table: a whole game of the bot, which plays
// every move ahead on a copy of the game; slow under the sanitizers, left
// out of that pass.
TEST_F(SimTool, BotGameRecordedPlaysBackAlike) { ExpectRecordingPlaysBackAlike("--bot", "3", true); }

}  // namespace
}  // namespace pebblerun
