// Sound files decoded with FFmpeg: exact PCM for WAV, WMA within one codec
// frame, and hostile files refused without harm.

#include <gtest/gtest.h>

#include "audio/music_stream.h"
#include "audio_support.h"
#include "platform/ffmpeg_decoder.h"

namespace {

using audio_test::AudioTest;
using audio_test::kMixRate;
using audio_test::Tone;
using quillon::platform::DecodeWholeFile;
using quillon::platform::FfmpegDecoder;

// FFmpeg's WMA decoder hands out the file one 2048-frame block late.
constexpr double kWmaFrame = 2048.0 / kMixRate;

using Decoding = AudioTest;

TEST_F(Decoding, WavComesOutSampleForSampleAndMonoOnBothSides) {
  const auto mono = Tone(22050, 1000, 0.25);
  audio_test::WriteWav(File("mono.wav"), 22050, 1, mono);
  std::string error;
  auto sound = DecodeWholeFile(File("mono.wav"), 1 << 20, error);
  ASSERT_TRUE(sound) << error;
  EXPECT_EQ(sound->SampleRate, 22050);
  ASSERT_EQ(sound->Frames(), mono.size());
  for (std::size_t i = 0; i < mono.size(); ++i) {
    ASSERT_EQ(sound->Samples[2 * i], mono[i]) << i;
    ASSERT_EQ(sound->Samples[2 * i + 1], mono[i]) << i;
  }

  std::vector<std::int16_t> stereo = {1, -1, 200, -200, 32767, -32768};
  audio_test::WriteWav(File("stereo.wav"), 8000, 2, stereo);
  sound = DecodeWholeFile(File("stereo.wav"), 1 << 20, error);
  ASSERT_TRUE(sound) << error;
  EXPECT_EQ(sound->Samples, stereo);
}

TEST_F(Decoding, WmaIsWithinOneCodecFrame) {
  audio_test::WriteWav(File("tone.wav"), kMixRate, 1, Tone(kMixRate, 1000, 3.0));
  if (!audio_test::EncodeWma(File("tone.wav"), File("tone.wma")))
    GTEST_SKIP() << "no ffmpeg program to write WMA";
  std::string error;
  auto decoder = FfmpegDecoder::Open(File("tone.wma"), error);
  ASSERT_TRUE(decoder) << error;
  ASSERT_TRUE(decoder->DurationSeconds());
  EXPECT_NEAR(*decoder->DurationSeconds(), 3.0, kWmaFrame);

  auto sound = DecodeWholeFile(File("tone.wma"), 1 << 20, error);
  ASSERT_TRUE(sound) << error;
  EXPECT_NEAR(double(sound->Frames()) / kMixRate, 3.0, kWmaFrame);

  // As music it plays the tone and reports its three seconds.
  auto stream = quillon::audio::MusicStream::Open(device_, File("tone.wma"), error);
  ASSERT_TRUE(stream) << error;
  stream->Play(false);
  const auto mix = Render(3.5);
  EXPECT_NEAR(mix.Rms(0, 0.5, 2.5), 0.5 / std::sqrt(2.0), 0.02);  // a lossy codec: near the tone's level
  EXPECT_LT(mix.Rms(0, 3.1), 0.001);
  EXPECT_NEAR(stream->PositionSeconds(), 3.0, kWmaFrame);
}

TEST_F(Decoding, LongSoundsAreRefusedAsEffects) {
  audio_test::WriteWav(File("long.wav"), 8000, 1, std::vector<std::int16_t>(100000));
  std::string error;
  EXPECT_FALSE(DecodeWholeFile(File("long.wav"), 50000, error));
  EXPECT_FALSE(error.empty());
}

TEST_F(Decoding, HostileFilesAreRefusedOrEndEarly) {
  std::string error;
  EXPECT_FALSE(FfmpegDecoder::Open(File("nothing-here.wav"), error));
  EXPECT_FALSE(error.empty());

  // A playlist that names other files is one file, not a way to reach them.
  audio_test::WriteWav(File("real.wav"), 8000, 1, Tone(8000, 440, 1.0));
  WriteBytes(File("list.m3u8"), "#EXTM3U\n#EXT-X-TARGETDURATION:10\n#EXTINF:1,\nreal.wav\n#EXT-X-ENDLIST\n");
  WriteBytes(File("list.ffconcat"), "ffconcat version 1.0\nfile real.wav\n");
  for (const char* name : {"list.m3u8", "list.ffconcat"}) {
    error.clear();
    auto decoder = FfmpegDecoder::Open(File(name), error);
    std::int16_t out[2 * 1024];
    EXPECT_TRUE(!decoder || decoder->Read(out, 1024) == 0) << name;
  }

  // A valid header followed by damage, random bytes, a header that claims far
  // more data than there is: each decodes what it can and ends.
  auto damaged = Tone(8000, 440, 0.5);
  audio_test::WriteWav(File("damaged.wav"), 8000, 1, damaged);
  {
    std::ofstream out(File("damaged.wav"), std::ios::binary | std::ios::app);
    out << audio_test::RandomBytes(3000, 11);
  }
  for (unsigned seed = 1; seed <= 20; ++seed) {
    const std::string name = "noise" + std::to_string(seed) + ".bin";
    WriteBytes(File(name), audio_test::RandomBytes(100 + seed * 500, seed));
    error.clear();
    if (auto sound = DecodeWholeFile(File(name), 1 << 20, error)) {
      EXPECT_LE(sound->Frames(), 1u << 20);
    }
  }
  auto sound = DecodeWholeFile(File("damaged.wav"), 1 << 20, error);
  ASSERT_TRUE(sound) << error;
  EXPECT_GE(sound->Frames(), damaged.size());
}

}  // namespace
