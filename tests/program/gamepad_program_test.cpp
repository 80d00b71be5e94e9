// The real program, headless, played with the engine's virtual pad (script
// lines "FRAME pad ..."): from the first menu through a game to the name
// entry, a recorded pad game and its playback, a pad pulled out in the middle
// of a game, rumble, and a game played with rebound keys.

#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <sstream>
#include <vector>

#include <quillon/numbers.h>
#include <quillon/profile.h>

#include "program_run.h"
#include "sim/game_ini.h"
#include "temp_folder.h"
#include "trace_rows.h"

namespace pebblerun {
namespace {

using support::AppCopy;
using support::CountOf;
using support::RunPebblerun;
using support::RunProgram;

// Script lines in frame order: presses of pad buttons and keys, each held for
// two frames, one every six frames.
class Script {
 public:
  explicit Script(int startFrame = 5) : frame_(startFrame) {}
  Script& Line(const std::string& what) {
    out_ << frame_ << " " << what << "\n";
    return *this;
  }
  Script& Pad(const std::string& button, int times = 1) {
    return Press("pad down " + button, "pad up " + button, times);
  }
  Script& Key(const std::string& key, int times = 1) { return Press("down " + key, "up " + key, times); }
  Script& Hold(const std::string& button, int frames) {
    Line("pad down " + button);
    frame_ += frames;
    Line("pad up " + button);
    return Wait(4);
  }
  Script& Stick(int x, int frames) {
    Line("pad axis leftx " + std::to_string(x));
    frame_ += frames;
    Line("pad axis leftx 0");
    return Wait(4);
  }
  Script& Wait(int frames) {
    frame_ += frames;
    return *this;
  }
  int Frame() const { return frame_; }
  void WriteTo(const AppCopy& app) const { app.Write("script.txt", out_.str()); }

 private:
  Script& Press(const std::string& down, const std::string& up, int times) {
    for (int i = 0; i < times; ++i) {
      Line(down);
      frame_ += 2;
      Line(up);
      frame_ += 4;
    }
    return *this;
  }
  int frame_;
  std::ostringstream out_;
};

// A table of ten equal scores: 0, so that any game asks for a name, or one
// no short game reaches, so that a game ends without asking.
void Table(const AppCopy& app, int score) {
  app.Write("textures/dot_black2.bmp", support::ScoreTable(10, std::to_string(score), "NOBODY"));
}

support::RunResult RunScript(const AppCopy& app, int frames, const std::vector<std::string>& more = {}) {
  std::vector<std::string> args = {"--headless",
                                   "--app-dir",
                                   app.Dir().string(),
                                   "--script",
                                   (app.Dir() / "script.txt").string(),
                                   "--frames",
                                   std::to_string(frames)};
  args.insert(args.end(), more.begin(), more.end());
  return RunPebblerun(args);
}

std::string Value(const AppCopy& app, const std::string& file, const std::string& section,
                  const std::string& key) {
  quillon::profile::ClearCache();
  return ReadIni(section, key, app.Dir() / file);
}

// How many frames of section "ingame" of a replay set flag to "True".
int PressesIn(const std::string& replay, const std::string& flag) {
  return CountOf(replay, "_" + flag + "=True");
}

// The game frames in which a replay sets flag to "True".
std::vector<long> FramesIn(const std::string& replay, const std::string& flag) {
  std::vector<long> frames;
  const std::regex line("(^|\\n)([0-9]+)_" + flag + "=True");
  for (auto it = std::sregex_iterator(replay.begin(), replay.end(), line); it != std::sregex_iterator(); ++it)
    frames.push_back(std::stol((*it)[2]));
  return frames;
}

TEST(PadProgram, APadAloneGoesFromTheFirstMenuThroughAGameToTheNameEntry) {
  AppCopy app;  // as shipped: the story pages open first
  Table(app, 0);
  Script s;
  s.Line("pad attach")
      .Wait(10)
      .Pad("a")        // the next story page
      .Pad("a")        // back to the menu, on "Story"
      .Pad("dpup", 2)  // "New game"
      .Pad("a")        // starts it
      .Wait(1600)      // Tobo stands still until the drills take him
      .Pad("b", 6)     // the name is empty or deleted
      .Pad("dpup")     // A
      .Pad("dpright")
      .Pad("dpup", 2)  // A, B
      .Pad("dpright")
      .Hold("dpdown", 23)  // held: 9, then one more step as it starts to repeat
      .Pad("a");           // confirmed
  s.WriteTo(app);
  const auto run = RunScript(app, s.Frame() + 60);
  EXPECT_EQ(run.ExitCode, 0) << run.Output;
  EXPECT_EQ(Value(app, "textures/options.bmp", "main", "StoryReaden"), "True");
  EXPECT_EQ(Value(app, "textures/dot_black2.bmp", "hs", "n0"), "AB8");
  EXPECT_EQ(CountOf(app.Log(), "Gamepad connected : Pebblerun virtual pad"), 1);
}

TEST(PadProgram, APadGameIsRecordedAndPlaysBackAsItWasPlayed) {
  AppCopy app;
  app.Write("textures/options.bmp", "[main]\nStoryReaden=True\n");
  Table(app, 0);
  Script s;
  s.Line("pad attach").Key("T").Pad("a");  // record the next game, and start it
  s.Wait(60)
      .Hold("dpright", 25)
      .Pad("b")
      .Stick(-30000, 30)
      .Pad("a")
      .Wait(20)
      .Pad("x")
      .Stick(9000, 20)
      .Wait(1600)  // then the drills take him
      .Pad("a");   // the name as offered
  s.WriteTo(app);
  const auto run = RunScript(app, s.Frame() + 80);
  ASSERT_EQ(run.ExitCode, 0) << run.Output;

  const std::string replay = app.Read("replay.ini");
  EXPECT_GE(PressesIn(replay, "keyright"), 2) << replay.substr(0, 400);
  EXPECT_GE(PressesIn(replay, "keyleft"), 1);
  EXPECT_EQ(PressesIn(replay, "keyup"), 1);
  EXPECT_EQ(PressesIn(replay, "keydown"), 2);
  // The bombs went off under a pad that rumbles. A headless run has no frame
  // waits, so the second blast may come while the first pulse still runs;
  // SDL then only lengthens that pulse, and the pad hears one.
  EXPECT_GE(CountOf(app.Log(), "Virtual pad rumble : 65535 49152"), 1) << app.Log();
  const auto lastFrame = quillon::vb::ParseLong(Value(app, "replay.ini", "options", "lastframe"));
  const auto score = quillon::vb::ParseLong(Value(app, "textures/dot_black2.bmp", "hs", "s0"));
  ASSERT_TRUE(lastFrame && score);

  // The headless tool plays the file back to the same death with the same
  // score. (A playback's score is cleared in the frame he dies; it stopped
  // growing the frame before.)
  const std::string replayFile = (app.Dir() / "replay.ini").string();
  const std::string traceFile = (app.Dir() / "trace.csv").string();
  const auto played = RunProgram(PEBBLERUN_SIM_TOOL, {"--app-dir", app.Dir().string(), "--mode", "story",
                                                      "--replay", replayFile, "--trace", traceFile});
  ASSERT_EQ(played.ExitCode, 0) << played.Output;
  std::smatch summary;
  ASSERT_TRUE(std::regex_search(played.Output, summary, std::regex("frames=([0-9]+) .*result=died")))
      << played.Output;
  long deathFrame = -1;
  float deathScore = -1;
  std::istringstream rows(ReadBytes(traceFile));
  std::string row;
  std::getline(rows, row);  // the header
  while (deathFrame < 0 && std::getline(rows, row)) {
    if (support::GameOverRow(row)) {
      deathFrame = support::FrameOf(row);
    } else {
      std::stringstream cells(row);
      std::string cell;
      for (int column = 0; column <= 7; ++column) std::getline(cells, cell, ',');
      deathScore = std::stof(cell);
    }
  }
  EXPECT_GE(deathFrame, 0);
  EXPECT_LT(deathFrame, *lastFrame);  // he died before the name was confirmed
  EXPECT_EQ(std::lround(deathScore), *score);

  // And so does the program itself.
  const auto playback = RunPebblerun({"--headless", "--app-dir", app.Dir().string(), "--replay", replayFile});
  std::smatch m;
  ASSERT_TRUE(std::regex_search(playback.Output, m, std::regex("replay frame=([0-9]+) lastframe=([0-9]+)")))
      << playback.Output;
  EXPECT_EQ(std::stol(m[2]), *lastFrame);
  EXPECT_EQ(m[1], summary[1]);
}

TEST(PadProgram, PullingThePadOutPausesTheGameAndPluggingItInAgainResumes) {
  AppCopy app;
  app.Write("textures/options.bmp", "[main]\nStoryReaden=True\n");
  Table(app, 99999);
  Script s;
  s.Key("T").Key("Enter");                                     // a recorded game, started from the keyboard
  s.Wait(80).Line("pad attach").Wait(20).Hold("dpright", 10);  // plugged in during the game
  s.Line("pad detach").Wait(300);                              // pulled out: paused for 300 frames
  s.Line("pad attach").Wait(20).Pad("start");                  // back, and Start resumes
  s.Wait(30).Pad("back");                                      // Back ends the game
  s.WriteTo(app);
  const auto run = RunScript(app, s.Frame() + 200);
  ASSERT_EQ(run.ExitCode, 0) << run.Output;
  const auto lastFrame = quillon::vb::ParseLong(Value(app, "replay.ini", "options", "lastframe"));
  ASSERT_TRUE(lastFrame);
  // The game ran for about 140 of its frames; the 300 paused ones do not count.
  EXPECT_GT(*lastFrame, 100);
  EXPECT_LT(*lastFrame, 250);
  EXPECT_GE(PressesIn(app.Read("replay.ini"), "keyright"), 1);
  EXPECT_EQ(CountOf(app.Log(), "Gamepad removed : Pebblerun virtual pad"), 1);
}

TEST(PadProgram, RumbleOffKeepsThePadStill) {
  AppCopy app;
  app.Write("textures/options.bmp", "[main]\nStoryReaden=True\nRumble=False\n");
  Table(app, 99999);
  Script s;
  s.Line("pad attach").Key("T").Pad("a").Wait(60).Pad("b").Wait(20).Pad("x").Wait(20).Pad("back");
  s.WriteTo(app);
  const auto run = RunScript(app, s.Frame() + 60);
  ASSERT_EQ(run.ExitCode, 0) << run.Output;
  // Both bombs went off (the recording has them), and the pad stayed still.
  EXPECT_EQ(PressesIn(app.Read("replay.ini"), "keydown"), 2);
  EXPECT_EQ(CountOf(app.Log(), "Virtual pad rumble"), 0) << app.Log();
}

TEST(PadProgram, TheStickWalksFromAQuarterOfItsTravelOn) {
  AppCopy app;
  app.Write("textures/options.bmp", "[main]\nStoryReaden=True\n");
  Table(app, 99999);
  Script s;
  s.Line("pad attach").Key("T").Pad("a").Wait(60);
  const int jumpAt = s.Frame();
  s.Pad("a");  // a jump marks a frame the recording can be measured from
  s.Line("pad axis leftx -8191").Wait(30).Line("pad axis leftx 8191").Wait(30);  // just short: still
  const int pushAt = s.Frame();
  s.Line("pad axis leftx 8192").Wait(10).Line("pad axis leftx 0").Wait(10);
  s.Line("pad axis leftx -8192").Wait(10).Line("pad axis leftx 0").Wait(10).Pad("back");
  s.WriteTo(app);
  const auto run = RunScript(app, s.Frame() + 60);
  ASSERT_EQ(run.ExitCode, 0) << run.Output;
  const std::string replay = app.Read("replay.ini");
  const auto jumps = FramesIn(replay, "keyup");
  const auto rights = FramesIn(replay, "keyright");
  const auto lefts = FramesIn(replay, "keyleft");
  ASSERT_EQ(jumps.size(), 1U) << replay;
  ASSERT_EQ(rights.size(), 1U) << replay;
  ASSERT_EQ(lefts.size(), 1U) << replay;
  // Every pad line reaches the game with the same delay, so the distances
  // between the script's lines hold in the recording.
  EXPECT_EQ(rights[0] - jumps[0], pushAt - jumpAt);
  EXPECT_EQ(lefts[0] - jumps[0], pushAt + 20 - jumpAt);
}

TEST(ReboundKeys, AGameIsPlayedWithTheKeysOfTheOptionsFile) {
  AppCopy app;
  app.Write("textures/options.bmp",
            "[main]\nStoryReaden=True\n[controls]\nWalkLeft=A\nWalkRight=D\nJump=Space\nBomb=Up\nBack=Q\n"
            "Pause=Nowhere\n");
  Table(app, 99999);
  Script s;
  s.Key("T").Key("Enter").Wait(60);
  s.Line("down D").Wait(20).Line("up D").Wait(4);  // walks right
  s.Key("Space");                                  // jumps
  s.Key("Up");                                     // a bomb
  s.Line("down A").Wait(20).Line("up A").Wait(4);  // walks left
  s.Key("Left").Key("Down");                       // the old keys do nothing now
  const int escapeAt = s.Frame();
  s.Key("Escape").Wait(20);  // nor does Escape
  const int backAt = s.Frame();
  s.Key("Q");  // Back ends the game
  s.WriteTo(app);
  const auto run = RunScript(app, s.Frame() + 100);
  ASSERT_EQ(run.ExitCode, 0) << run.Output;
  const std::string replay = app.Read("replay.ini");
  EXPECT_EQ(PressesIn(replay, "keyright"), 1) << replay.substr(replay.find("[ingame]"));
  EXPECT_EQ(PressesIn(replay, "keyleft"), 1);
  EXPECT_EQ(PressesIn(replay, "keyup"), 1);
  EXPECT_EQ(PressesIn(replay, "keydown"), 1);
  // The game ended with Q, not with Escape (the recording counts from the
  // game's start, some 20 frames after Enter).
  const auto lastFrame = quillon::vb::ParseLong(Value(app, "replay.ini", "options", "lastframe"));
  ASSERT_TRUE(lastFrame);
  EXPECT_GT(*lastFrame, escapeAt - 10);
  EXPECT_LT(*lastFrame, backAt);
  // The damaged line fell back to P, with a line in the log.
  EXPECT_EQ(CountOf(app.Log(), "Error in options [controls] Pause=Nowhere"), 1) << app.Log();
}

TEST(ReboundKeys, KeysHeldFromTheGameWaitToBeLetGoInTheNameEntry) {
  AppCopy app;
  app.Write("textures/options.bmp",
            "[main]\nStoryReaden=True\n[controls]\nWalkRight=D\nJump=Enter\nBack=Q\n");
  Table(app, 0);  // every game asks for a name
  Script s;
  s.Key("Enter").Wait(80);                                // a new game
  s.Line("down D").Wait(10).Line("down Enter").Wait(20);  // walking and jumping
  s.Key("Q").Wait(30);                                    // Back, with D and Enter still down
  s.Line("up D").Line("up Enter").Wait(10);               // let go at last
  s.Key("A").Key("B").Key("Enter");                       // the name, typed and confirmed
  s.WriteTo(app);
  const auto run = RunScript(app, s.Frame() + 100);
  ASSERT_EQ(run.ExitCode, 0) << run.Output;
  // Neither the held D nor the held Q typed a letter, and the held Enter
  // did not confirm the empty name before A and B came.
  EXPECT_EQ(Value(app, "textures/dot_black2.bmp", "hs", "n0"), "AB");
}

}  // namespace
}  // namespace pebblerun
