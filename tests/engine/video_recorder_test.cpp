// Video files from pictures and sound: the encoder fed a test pattern, and
// the recorder fed by a started engine, decoded again with ffmpeg.

#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "audio_support.h"
#include "child_process.h"
#include "engine_fixture.h"
#include "platform/video_encoder.h"
#include "quillon/video_recorder.h"
#include "video_file.h"

namespace quillon {
namespace {

namespace fs = std::filesystem;
using platform::VideoEncoder;
using platform::VideoFormat;

constexpr std::uint32_t kGrey = 0x808080;

// Four coloured blocks on grey: where they land tells a wrong stride, a
// swapped channel or a bad scale apart.
struct Block {
  int X, Y, W, H;
  std::uint32_t Colour;
};
const Block kBlocks[] = {{96, 64, 128, 96, 0xFF0000},
                         {560, 80, 160, 64, 0x00FF00},
                         {128, 400, 96, 128, 0x0000FF},
                         {520, 360, 200, 160, 0xFFFF00}};

std::vector<std::uint32_t> Pattern(int width, int height) {
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height, kGrey);
  for (const Block& b : kBlocks)
    for (int y = b.Y; y < b.Y + b.H; ++y)
      for (int x = b.X; x < b.X + b.W; ++x) pixels[static_cast<std::size_t>(y) * width + x] = b.Colour;
  return pixels;
}

void ExpectColour(const video_test::Picture& picture, int x, int y, std::uint32_t colour) {
  const auto rgb = picture.At(x, y);
  const int want[3] = {int(colour >> 16 & 0xFF), int(colour >> 8 & 0xFF), int(colour & 0xFF)};
  for (int c = 0; c < 3; ++c) EXPECT_NEAR(rgb[c], want[c], 10) << "at " << x << "," << y << " channel " << c;
}

class VideoFiles : public testing::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    if (!video_test::ToolsPresent()) GTEST_SKIP() << "ffmpeg and ffprobe are not installed";
  }
  // Files the folder holds, the engine's own (log, letter table) aside.
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder_)) {
      const std::string name = e.path().filename().string();
      if (name != "log.txt" && name != "font.ini") names.push_back(name);
    }
    return names;
  }
};

TEST_F(VideoFiles, TestPatternComesBackInPlaceInEveryContainerAndScale) {
  const auto pixels = Pattern(800, 600);
  const PictureView picture{pixels.data(), 800, 600, 800};
  for (const auto& [name, scale] : std::vector<std::pair<std::string, int>>{
           {"pattern.mp4", 1}, {"pattern.webm", 1}, {"pattern.mkv", 1}, {"pattern2.mp4", 2}}) {
    SCOPED_TRACE(name);
    VideoFormat format;
    format.Scale = scale;
    std::string error;
    auto encoder = VideoEncoder::Open(Path(name), Path(name), format, error);
    ASSERT_TRUE(encoder) << error;
    const std::vector<float> silence(2 * 960, 0.0f);
    for (int frame = 0; frame < 25; ++frame) {
      ASSERT_TRUE(encoder->AddPicture(picture, error)) << error;
      ASSERT_TRUE(encoder->AddSound(silence, error)) << error;
    }
    ASSERT_TRUE(encoder->Finish(error)) << error;

    const auto decoded = video_test::Frame(Path(name), 800 * scale, 600 * scale, 12);
    ASSERT_FALSE(decoded.Rgb.empty());
    for (const Block& b : kBlocks) {
      // Inside each block, a few pixels in from its edges, and just outside it.
      const int s = scale;
      ExpectColour(decoded, (b.X + 4) * s, (b.Y + 4) * s, b.Colour);
      ExpectColour(decoded, (b.X + b.W - 5) * s, (b.Y + b.H - 5) * s, b.Colour);
      ExpectColour(decoded, (b.X + b.W / 2) * s, (b.Y + b.H / 2) * s, b.Colour);
      ExpectColour(decoded, (b.X - 4) * s, (b.Y + b.H / 2) * s, kGrey);
      ExpectColour(decoded, (b.X + b.W / 2) * s, (b.Y + b.H + 4) * s, kGrey);
      if (s == 1) continue;
      // Each pixel becomes s x s whole pixels: the file's last column before
      // a block is still grey and its first column already the block's (a
      // smoothing scaler blends the two by a quarter or more).
      ExpectColour(decoded, b.X * s - 1, (b.Y + b.H / 2) * s, kGrey);
      ExpectColour(decoded, b.X * s, (b.Y + b.H / 2) * s, b.Colour);
      ExpectColour(decoded, (b.X + b.W) * s - 1, (b.Y + b.H / 2) * s, b.Colour);
      ExpectColour(decoded, (b.X + b.W) * s, (b.Y + b.H / 2) * s, kGrey);
    }
  }
}

// An encoder dropped before Finish closes its file as it stands: no time
// goes into ending a file that is about to be removed (an MP4's index,
// moved to the front, would rewrite all of it).
TEST_F(VideoFiles, AnEncoderDroppedUnfinishedWritesNoIndex) {
  const auto pixels = Pattern(800, 600);
  const PictureView picture{pixels.data(), 800, 600, 800};
  std::string error;
  for (const bool finish : {true, false}) {
    const fs::path file = Path(finish ? "done.mp4" : "dropped.mp4");
    auto encoder = VideoEncoder::Open(file, file, VideoFormat{}, error);
    ASSERT_TRUE(encoder) << error;
    for (int frame = 0; frame < 60; ++frame) ASSERT_TRUE(encoder->AddPicture(picture, error)) << error;
    if (finish) {
      ASSERT_TRUE(encoder->Finish(error)) << error;
    }
    encoder.reset();
    const auto boxes = video_test::TopLevelBoxes(file);
    const bool indexed = std::find(boxes.begin(), boxes.end(), "moov") != boxes.end();
    EXPECT_EQ(indexed, finish) << file;
  }
}

TEST_F(VideoFiles, SoundComesBackAtItsLevelAndInStepWithThePictures) {
  for (const char* name : {"tone.mp4", "tone.webm", "tone.mkv"}) {
    SCOPED_TRACE(name);
    VideoFormat format;
    format.Width = 64;
    format.Height = 48;
    std::string error;
    auto encoder = VideoEncoder::Open(Path(name), Path(name), format, error);
    ASSERT_TRUE(encoder) << error;
    const std::vector<std::uint32_t> black(64 * 48, 0);
    // Half a second of silence, then half a second of a 1 kHz tone at half scale.
    for (int frame = 0; frame < 50; ++frame) {
      std::vector<float> stereo(2 * 960, 0.0f);
      if (frame >= 25)
        for (int i = 0; i < 960; ++i)
          stereo[2 * i] = stereo[2 * i + 1] =
              0.5f * static_cast<float>(std::sin(2 * audio_test::kPi * 1000 * (frame * 960 + i) / 48000.0));
      ASSERT_TRUE(encoder->AddPicture(PictureView{black.data(), 64, 48, 64}, error));
      ASSERT_TRUE(encoder->AddSound(stereo, error));
    }
    ASSERT_TRUE(encoder->Finish(error)) << error;
    const auto sound = video_test::Sound(Path(name));
    ASSERT_NEAR(static_cast<double>(sound.size() / 2), 48000, 1024);
    EXPECT_LT(video_test::Rms(sound, 0, 23000), 1e-3);
    EXPECT_NEAR(video_test::Rms(sound, 25000, 47000), 0.5 / std::sqrt(2.0), 0.02);
    // The tone starts with picture 25, not a codec frame later.
    std::size_t onset = 0;
    while (onset < sound.size() / 2 && std::abs(sound[2 * onset]) < 0.1f) ++onset;
    EXPECT_NEAR(static_cast<double>(onset), 24000, 240);
  }
}

// Each frame is the picture the window shows after its present: frames keep
// their order and their colours through the engine.
TEST_F(VideoFiles, RecorderTakesEachFrameFromTheEnginesWindow) {
  Engine engine;
  ASSERT_TRUE(engine.Quillon_Start(0, App(), 320, 240));
  VideoRecorder recorder;
  std::string error;
  ASSERT_TRUE(recorder.Open(Path("frames.mp4"), 320, 240, 1, error)) << error;
  const std::uint32_t colours[3] = {0xFF0000, 0x00FF00, 0x0000FF};
  for (int frame = 0; frame < 30; ++frame) {
    const std::uint32_t c = colours[frame % 3];
    engine.ClearScreen(std::int16_t(c >> 16), std::int16_t(c >> 8 & 0xFF), std::int16_t(c & 0xFF));
    engine.Present();
    ASSERT_TRUE(recorder.AddFrame(engine, error)) << error;
  }
  EXPECT_EQ(Files().size(), 1u);  // the temporary file, under another name
  EXPECT_FALSE(fs::exists(Path("frames.mp4")));
  ASSERT_TRUE(recorder.Finish(error)) << error;
  EXPECT_EQ(Files(), std::vector<std::string>{"frames.mp4"});
  for (int frame : {10, 11, 12, 29}) {
    SCOPED_TRACE(frame);
    ExpectColour(video_test::Frame(Path("frames.mp4"), 320, 240, frame), 160, 120, colours[frame % 3]);
  }
  engine.Quillon_Unload();
}

// A sound played while frame 10 is made is heard from frame 10 of the video.
TEST_F(VideoFiles, RecorderHearsTheEnginesSoundsInTheFrameThatPlaysThem) {
  VideoRecorder recorder;
  std::string error;
  ASSERT_TRUE(recorder.CaptureSound(error)) << error;
  Engine engine;
  ASSERT_TRUE(engine.Quillon_Start(0, App(), 64, 48));
  audio_test::WriteWav(Path("beep.wav"), 44100, 1, audio_test::Tone(44100, 1000, 0.1));
  engine.CreateSound("beep", "beep.wav");
  ASSERT_TRUE(recorder.Open(Path("beep.mkv"), 64, 48, 1, error)) << error;
  for (int frame = 0; frame < 30; ++frame) {
    if (frame == 10) engine.SoundPlay("beep");
    engine.ClearScreen(0, 0, 0);
    engine.Present();
    ASSERT_TRUE(recorder.AddFrame(engine, error)) << error;
  }
  ASSERT_TRUE(recorder.Finish(error)) << error;
  const auto sound = video_test::Sound(Path("beep.mkv"));
  std::size_t onset = 0;
  while (onset < sound.size() / 2 && std::abs(sound[2 * onset]) < 0.05f) ++onset;
  EXPECT_NEAR(static_cast<double>(onset), 10 * 960, 96);
  engine.Quillon_Unload();
}

TEST_F(VideoFiles, AnUnfinishedRecordingLeavesNothingAndAnOldFileStays) {
  std::ofstream(Path("keep.mp4")) << "an older video";
  Engine engine;
  ASSERT_TRUE(engine.Quillon_Start(0, App(), 64, 48));
  std::string error;
  {
    VideoRecorder recorder;
    ASSERT_TRUE(recorder.Open(Path("keep.mp4"), 64, 48, 1, error)) << error;
    engine.Present();
    ASSERT_TRUE(recorder.AddFrame(engine, error)) << error;
  }  // dropped without Finish
  EXPECT_EQ(Files(), std::vector<std::string>{"keep.mp4"});
  EXPECT_EQ(ReadBytes(Path("keep.mp4")), "an older video");

  VideoRecorder recorder;
  ASSERT_TRUE(recorder.Open(Path("gone.webm"), 64, 48, 1, error)) << error;
  recorder.Abandon();
  EXPECT_EQ(Files(), std::vector<std::string>{"keep.mp4"});
  EXPECT_FALSE(recorder.Finish(error));

  // What a killed export left beside keep.mp4 goes with the next recording
  // of it; the temporary of a writer still running stays.
  const auto stale = VideoRecorder::TemporaryFile(Path("keep.mp4"), pebblerun::support::DeadProcessId());
  const auto running = VideoRecorder::TemporaryFile(Path("keep.mp4"), static_cast<long>(::getppid()));
  std::ofstream(stale) << "half a video";
  std::ofstream(running) << "being written";
  ASSERT_TRUE(recorder.Open(Path("keep.mp4"), 64, 48, 1, error)) << error;
  recorder.Abandon();
  EXPECT_FALSE(fs::exists(stale));
  EXPECT_TRUE(fs::exists(running));
  fs::remove(running);
  engine.Quillon_Unload();
}

TEST_F(VideoFiles, NamesAndPlacesThatCannotHoldAVideoAreRefusedWithTheReason) {
  std::string error;
  EXPECT_FALSE(VideoRecorder::CheckFileName(Path("clip.avi"), error));
  EXPECT_NE(error.find(".mp4, .webm or .mkv"), std::string::npos);
  EXPECT_TRUE(VideoRecorder::CheckFileName(Path("CLIP.MP4"), error));
  EXPECT_FALSE(VideoRecorder::CheckFileName(Path("missing") / "clip.mp4", error));
  EXPECT_NE(error.find("does not exist"), std::string::npos);
  fs::create_directories(Path("folder.mkv"));
  EXPECT_FALSE(VideoRecorder::CheckFileName(Path("folder.mkv"), error));

  VideoRecorder recorder;
  EXPECT_FALSE(recorder.Open("/proc/clip.mp4", 64, 48, 1, error));
  EXPECT_NE(error.find("cannot write /proc/clip.mp4"), std::string::npos) << error;
  Engine engine;
  EXPECT_FALSE(recorder.AddFrame(engine, error));  // nothing open, no display either
}

}  // namespace
}  // namespace quillon
