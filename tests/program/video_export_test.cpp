// Pebblerun --export-video: the real program plays a replay into a video
// file, looked at afterwards with ffprobe and ffmpeg as a player would.

#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>

#include "app_folders.h"
#include "headless/players.h"
#include "headless/runner.h"
#include "program/init_dxLoad.h"
#include "program_run.h"
#include "sim/game_events.h"
#include "video_file.h"

extern char** environ;

namespace pebblerun {
namespace {

namespace fs = std::filesystem;
using support::AppCopy;
using support::RunPebblerun;

constexpr int kFrames = 300;
constexpr double kSamplesPerFrame = 48000.0 / 50;

fs::path ShippedReplay() { return support::BuiltAppFolder() / "replay1.ini"; }

// Files in a folder (the video, and nothing half-written beside it).
std::vector<std::string> FilesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  return names;
}

class VideoExport : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!video_test::ToolsPresent()) GTEST_SKIP() << "ffmpeg and ffprobe are not installed";
    out_ = app_.Dir() / "videos";
    fs::create_directories(out_);
  }
  support::RunResult Export(const fs::path& file, std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {
        "--app-dir",   app_.Dir().string(), "--export-video",       replay_.string(),
        file.string(), "--frames",          std::to_string(kFrames)};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunPebblerun(args);
  }

  AppCopy app_;
  fs::path out_;
  fs::path replay_ = ShippedReplay();
};

TEST_F(VideoExport, EachContainerHoldsOneVideoAndOneSoundStreamOfTheSameLength) {
  for (const char* name : {"run.mp4", "run.webm", "run.mkv"}) {
    SCOPED_TRACE(name);
    const fs::path file = out_ / name;
    const auto run = Export(file);
    ASSERT_EQ(run.ExitCode, 0) << run.Output;
    EXPECT_NE(run.Output.find("300 frames"), std::string::npos) << run.Output;
    // stderr is a pipe here, not a terminal: no progress bar in it.
    EXPECT_EQ(run.Output.find("real time"), std::string::npos) << run.Output;

    const auto streams = video_test::Streams(file);
    ASSERT_EQ(streams.size(), 2u);
    const auto& video = streams[0].Type == "video" ? streams[0] : streams[1];
    const auto& sound = streams[0].Type == "video" ? streams[1] : streams[0];
    EXPECT_EQ(video.Type, "video");
    EXPECT_EQ(video.Codec, std::string(name).ends_with(".webm") ? "vp9" : "h264");
    EXPECT_EQ(video.Width, 800);
    EXPECT_EQ(video.Height, 600);
    EXPECT_EQ(video.FrameRate, "50/1");
    EXPECT_EQ(video.Frames, kFrames);
    // The colour layout every player and site decodes.
    EXPECT_EQ(video.PixelFormat, "yuv420p");
    if (std::string(name).ends_with(".mp4")) {
      // The index before the pictures, so a player can start before the
      // whole file has arrived.
      const auto boxes = video_test::TopLevelBoxes(file);
      const auto moov = std::find(boxes.begin(), boxes.end(), "moov");
      ASSERT_NE(moov, boxes.end());
      EXPECT_LT(moov, std::find(boxes.begin(), boxes.end(), "mdat"));
    }
    EXPECT_EQ(sound.Type, "audio");
    EXPECT_EQ(sound.SampleRate, 48000);
    // The sound lasts as long as the pictures, to one codec frame (AAC 1024
    // samples, Opus 960).
    const double soundFrames = static_cast<double>(video_test::Sound(file).size() / 2);
    EXPECT_NEAR(soundFrames, kFrames * kSamplesPerFrame, 1024);
  }
  EXPECT_EQ(FilesIn(out_).size(), 3u);  // no temporary file left beside them
}

TEST_F(VideoExport, ScaleMultipliesTheSizeWithSharpPixels) {
  const fs::path file = out_ / "big.mp4";
  const auto run = RunPebblerun({"--app-dir", app_.Dir().string(), "--export-video", replay_.string(),
                                 file.string(), "--frames", "10", "--scale", "2"});
  ASSERT_EQ(run.ExitCode, 0) << run.Output;
  const auto streams = video_test::Streams(file);
  ASSERT_FALSE(streams.empty());
  EXPECT_EQ(streams[0].Width, 1600);
  EXPECT_EQ(streams[0].Height, 1200);
}

// The same game frame, once from the headless program's screenshot key and
// once from the video: the same pixels but for the codec's loss, and closer
// to it than the frames just before and after (the game moves every frame),
// so a video one frame early or late fails. The key pressed in pass N copies
// what is on the screen then: the picture pass N-1 drew, video frame N-1.
TEST_F(VideoExport, AFrameOfTheVideoIsTheScreenshotOfThatFrame) {
  constexpr int kKeyPass = 151;
  constexpr long kShown = kKeyPass - 1;
  app_.Write("shot.txt", std::to_string(kKeyPass) + " down S\n" + std::to_string(kKeyPass + 1) + " up S\n");
  const auto shot =
      RunPebblerun({"--headless", "--app-dir", app_.Dir().string(), "--replay", replay_.string(), "--script",
                    (app_.Dir() / "shot.txt").string(), "--frames", std::to_string(kKeyPass + 2)});
  ASSERT_EQ(shot.ExitCode, 0) << shot.Output;
  const fs::path bmp = app_.Dir() / "screenshot001.bmp";
  ASSERT_TRUE(fs::exists(bmp));
  const auto expected = video_test::Frame(bmp, 800, 600);
  ASSERT_FALSE(expected.Rgb.empty());
  const auto distance = [&](const fs::path& file, long frame) {
    const auto d = video_test::MeanDifference(expected, video_test::Frame(file, 800, 600, frame));
    return d[0] + d[1] + d[2];
  };

  for (const char* name : {"frame.mp4", "frame.webm"}) {
    SCOPED_TRACE(name);
    const fs::path file = out_ / name;
    ASSERT_EQ(Export(file, {"--frames", std::to_string(kShown + 2)}).ExitCode, 0);
    const auto diff = video_test::MeanDifference(expected, video_test::Frame(file, 800, 600, kShown));
    EXPECT_LT(diff[0], 3.0);
    EXPECT_LT(diff[1], 3.0);
    EXPECT_LT(diff[2], 3.0);
    const double here = diff[0] + diff[1] + diff[2];
    EXPECT_LT(here, distance(file, kShown - 1));
    EXPECT_LT(here, distance(file, kShown + 1));
  }
}

// Length in seconds of a 16-bit PCM WAV file, and its sample rate.
std::pair<double, int> WavLength(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::string b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const auto u32 = [&](std::size_t at) {
    std::uint32_t v;
    std::memcpy(&v, &b[at], 4);
    return v;
  };
  const auto u16 = [&](std::size_t at) {
    std::uint16_t v;
    std::memcpy(&v, &b[at], 2);
    return v;
  };
  int rate = 0, channels = 1;
  for (std::size_t at = 12; at + 8 <= b.size(); at += 8 + u32(at + 4) + (u32(at + 4) & 1)) {
    if (b.compare(at, 4, "fmt ") == 0) {
      channels = u16(at + 10);
      rate = static_cast<int>(u32(at + 12));
    }
    if (b.compare(at, 4, "data") == 0 && rate > 0) return {u32(at + 4) / (2.0 * channels * rate), rate};
  }
  return {0, 0};
}

// When each sound the game asks for is heard, in frames of a playback [from,
// to): from its start for its length at its playback rate, or until it is
// stopped or started again (a sound never overlaps itself).
class HeardSounds : public GameEvents {
 public:
  explicit HeardSounds(const fs::path& appDir) {
    for (const SoundEntry& e : SoundTable()) {
      std::string file = e.File;
      std::replace(file.begin(), file.end(), '\\', '/');
      files_[e.Name] = WavLength(appDir / file);
    }
  }
  void PlaySound(const std::string& name, bool loop, std::int32_t volume, std::int32_t,
                 std::int32_t kHz) override {
    StopSound(name);
    if (volume <= 0) return;
    const auto [seconds, rate] = files_[name];
    const double speed = kHz == 0 || rate == 0 ? 1.0 : kHz * 1000.0 / rate;
    const long from = Frame();
    intervals.push_back(
        {name, from, loop ? 1L << 30 : from + static_cast<long>(std::ceil(seconds / speed * 50))});
  }
  void StopSound(const std::string& name) override {
    for (auto& i : intervals)
      if (i.Name == name && i.To > Frame()) i.To = Frame();
  }
  struct Interval {
    std::string Name;
    long From, To;
  };
  std::vector<Interval> intervals;
  long pass = 0;  // the pass of the game loop that is running

 private:
  long Frame() const { return pass; }
  std::map<std::string, std::pair<double, int>> files_;
};

TEST_F(VideoExport, SoundIsHeardInTheFramesWhereTheGamePlaysOneAndNowhereElse) {
  constexpr long kSoundFrames = 600;
  // Without the music only the game's sounds are heard.
  fs::remove_all(app_.Dir() / "music");
  SimOptions options;
  options.AppDir = app_.Dir().string();
  options.Player = SimPlayerKind::Replay;
  options.ReplayFile = replay_.string();
  options.MaxFrames = kSoundFrames;
  auto g = StartSimGame(options);
  HeardSounds heard(app_.Dir());
  g->Events = &heard;
  g->SoundOn = true;
  IdlePlayer player;  // the playback holds the keys
  PlaySimGame(*g, options, player, [&](const std::string&) { ++heard.pass; });
  g->Events = nullptr;
  ASSERT_GT(heard.intervals.size(), 5u);

  const fs::path file = out_ / "sound.mkv";
  const auto run = RunPebblerun({"--app-dir", app_.Dir().string(), "--export-video", replay_.string(),
                                 file.string(), "--frames", std::to_string(kSoundFrames)});
  ASSERT_EQ(run.ExitCode, 0) << run.Output;
  const auto stereo = video_test::Sound(file);
  const auto frameRms = [&](long frame) {
    const auto at = static_cast<std::size_t>(static_cast<double>(frame) * kSamplesPerFrame);
    return video_test::Rms(stereo, at, at + static_cast<std::size_t>(kSamplesPerFrame));
  };
  // Frames with no sound, one frame of margin around every sound aside.
  int silent = 0;
  for (long frame = 0; frame < kSoundFrames; ++frame) {
    bool near = false;
    for (const auto& i : heard.intervals) near = near || (frame >= i.From - 1 && frame <= i.To);
    if (near) continue;
    ++silent;
    EXPECT_LT(frameRms(frame), 3e-4) << "frame " << frame;
  }
  EXPECT_GT(silent, 5);  // the shipped game is busy: a few quiet moments
  // Each sound from the frame that starts it (the quietest, a soft swoosh at
  // -10 dB, is still well above 2e-3).
  for (const auto& i : heard.intervals) {
    if (i.From + 1 >= kSoundFrames) continue;
    EXPECT_GT(frameRms(i.From), 2e-3) << i.Name << " from frame " << i.From;
  }
}

// The shipped replay cut to end at frame 80, in the copy's folder.
fs::path CutReplay(const AppCopy& app) {
  std::ifstream in(ShippedReplay(), std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  text = std::regex_replace(text, std::regex("lastframe=[0-9]+"), "lastframe=80");
  app.Write("cut.ini", text);
  return app.Dir() / "cut.ini";
}

// The frames a headless playback of replay draws (its end fade included).
long HeadlessPasses(const AppCopy& app, const fs::path& replay, const std::string& script = "") {
  std::vector<std::string> args = {"--headless", "--app-dir", app.Dir().string(), "--replay",
                                   replay.string()};
  if (!script.empty()) args.insert(args.end(), {"--script", script});
  const auto run = RunPebblerun(args);
  std::smatch m;
  if (run.ExitCode != 0 || !std::regex_search(run.Output, m, std::regex("passes=([0-9]+)"))) {
    ADD_FAILURE() << run.Output;
    return -1;
  }
  return std::stol(m[1]);
}

// A short game exported whole: every frame the program draws, the end fade
// included, with the game's music (the sound effects are taken away, so
// only music can be heard).
TEST_F(VideoExport, AWholeShortGameHasEveryFrameAndItsMusic) {
  for (const auto& entry : fs::recursive_directory_iterator(app_.Dir()))
    if (entry.path().extension() == ".wav") fs::remove(entry.path());
  const fs::path cut = CutReplay(app_);
  const long passes = HeadlessPasses(app_, cut);
  ASSERT_GT(passes, 80);

  const fs::path file = out_ / "whole.mp4";
  const auto run =
      RunPebblerun({"--app-dir", app_.Dir().string(), "--export-video", cut.string(), file.string()});
  ASSERT_EQ(run.ExitCode, 0) << run.Output;
  EXPECT_NE(run.Output.find(" (" + std::to_string(passes) + " frames"), std::string::npos) << run.Output;
  const auto streams = video_test::Streams(file);
  ASSERT_FALSE(streams.empty());
  EXPECT_EQ(streams[0].Frames, passes);

  const auto stereo = video_test::Sound(file);
  long loud = 0;
  for (long frame = 0; frame < passes; ++frame) {
    const auto at = static_cast<std::size_t>(static_cast<double>(frame) * kSamplesPerFrame);
    loud += video_test::Rms(stereo, at, at + static_cast<std::size_t>(kSamplesPerFrame)) > 2e-3 ? 1 : 0;
  }
  EXPECT_GT(loud, passes / 2) << "of " << passes << " frames";
}

// An output name that FFmpeg would take for something else than a file is
// still a file of that name in the working folder.
TEST_F(VideoExport, AnOutputNamedLikeAStreamIsAFile) {
  const fs::path cut = CutReplay(app_);
  const fs::path before = fs::current_path();
  fs::current_path(out_);
  const auto run = RunPebblerun(
      {"--app-dir", app_.Dir().string(), "--export-video", cut.string(), "pipe:1.mp4", "--frames", "5"});
  fs::current_path(before);
  ASSERT_EQ(run.ExitCode, 0) << run.Output.substr(0, 400);
  EXPECT_EQ(FilesIn(out_), std::vector<std::string>{"pipe:1.mp4"});
  EXPECT_EQ(video_test::Streams(out_ / "pipe:1.mp4").size(), 2u);
}

TEST_F(VideoExport, WhatCannotBePlayedOrWrittenIsRefusedBeforeAnythingIsWritten) {
  app_.Write("garbage.ini", std::string("\x01\x02 not a replay \xff\n", 18));
  std::ifstream in(replay_, std::ios::binary);
  std::string whole((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  app_.Write("unfinished.ini", whole.substr(0, whole.find("[options]")));
  struct Case {
    std::string Replay, Output, Reason;
  };
  const std::vector<Case> cases = {
      {(app_.Dir() / "missing.ini").string(), (out_ / "a.mp4").string(), "no replay"},
      {(app_.Dir() / "garbage.ini").string(), (out_ / "a.mp4").string(), "holds no map"},
      {(app_.Dir() / "unfinished.ini").string(), (out_ / "a.mp4").string(), "no end"},
      {replay_.string(), (out_ / "a.avi").string(), ".mp4, .webm or .mkv"},
      {replay_.string(), (out_ / "no-such-folder" / "a.mp4").string(), "does not exist"},
      {replay_.string(), (app_.Dir() / "garbage.ini" / "a.mp4").string(), "does not exist"},
      {replay_.string(), "/proc/pebblerun-video.mp4", "cannot write"},
      {replay_.string(), out_.string() + "/", "no file name"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Replay + " -> " + c.Output);
    const auto run = RunPebblerun({"--app-dir", app_.Dir().string(), "--export-video", c.Replay, c.Output});
    EXPECT_EQ(run.ExitCode, 2) << run.Output;
    EXPECT_NE(run.Output.find(c.Reason), std::string::npos) << run.Output;
  }
  EXPECT_TRUE(FilesIn(out_).empty());
  EXPECT_FALSE(fs::exists(app_.Dir() / "log.txt"));  // the game never started
}

// Ctrl+C in the middle: the export stops, says so, and leaves nothing.
TEST_F(VideoExport, InterruptedExportLeavesNoFile) {
  const std::string program = PEBBLERUN_PROGRAM;
  const std::string file = (out_ / "cut.mp4").string();
  std::vector<std::string> args = {program,          "--app-dir", app_.Dir().string(), "--export-video",
                                   replay_.string(), file,        "--progress-lines"};
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  int pipeFds[2];
  ASSERT_EQ(::pipe(pipeFds), 0);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
  pid_t pid = 0;
  ASSERT_EQ(posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ), 0);
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipeFds[1]);

  // Wait until frames are being written, then interrupt.
  FILE* out = ::fdopen(pipeFds[0], "r");
  char line[256];
  long done = 0;
  while (done < 100 && std::fgets(line, sizeof line, out)) std::sscanf(line, "progress %ld", &done);
  EXPECT_GE(done, 100);
  EXPECT_FALSE(FilesIn(out_).empty());  // the temporary file is being written
  ::kill(pid, SIGINT);
  while (std::fgets(line, sizeof line, out)) {
  }
  std::fclose(out);
  int status = 0;
  ::waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 130);
  EXPECT_TRUE(FilesIn(out_).empty());
}

}  // namespace
}  // namespace pebblerun
