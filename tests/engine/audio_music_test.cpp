// Music: MP3Player streaming files through the loopback device.

#include <gtest/gtest.h>

#include "audio/music_stream.h"
#include "audio_support.h"
#include "quillon/mp3player.h"

namespace {

using audio_test::AudioTest;
using audio_test::Db;
using audio_test::kMixRate;
using audio_test::Tone;
using quillon::MP3Player;

class Music : public AudioTest {
 protected:
  // A stereo tone file: the same tone on both sides.
  void WriteStereoTone(const std::string& name, double hertz, double seconds) {
    const auto mono = Tone(kMixRate, hertz, seconds);
    std::vector<std::int16_t> stereo(mono.size() * 2);
    for (std::size_t i = 0; i < mono.size(); ++i) stereo[2 * i] = stereo[2 * i + 1] = mono[i];
    audio_test::WriteWav(File(name), kMixRate, 2, stereo);
  }
};

TEST_F(Music, DurationIsWholeSecondsWithHalvesToEven) {
  // 83.5 s and 82.5 s of silence at 8 kHz.
  audio_test::WriteWav(File("long.wav"), 8000, 1, std::vector<std::int16_t>(668000));
  audio_test::WriteWav(File("short.wav"), 8000, 1, std::vector<std::int16_t>(660000));
  MP3Player player;
  ASSERT_TRUE(player.LoadMP3("long.wav"));
  EXPECT_EQ(player.GetDuration(), 84);
  ASSERT_TRUE(player.LoadMP3("short.wav"));
  EXPECT_EQ(player.GetDuration(), 82);
  EXPECT_EQ(player.GetCurrentPosition(), 0);
}

TEST_F(Music, StreamsInSmallBuffersAndTracksItsPosition) {
  WriteStereoTone("tune.wav", 440, 60.0);
  MP3Player player;
  ASSERT_TRUE(player.LoadMP3("tune.wav"));
  player.PlayMP3();
  const auto mix = Render(2.6);
  EXPECT_NEAR(mix.Rms(0, 0.1), 0.5 / std::sqrt(2.0), 0.005);  // full level, on both sides
  EXPECT_NEAR(mix.Rms(1, 0.1), 0.5 / std::sqrt(2.0), 0.005);
  EXPECT_EQ(player.GetCurrentPosition(), 3);  // 2.6 s
  EXPECT_EQ(player.GetDuration(), 60);
}

TEST_F(Music, DecodesOnlyAsFarAsItHasPlayed) {
  WriteStereoTone("tune.wav", 440, 60.0);
  std::string error;
  auto stream = quillon::audio::MusicStream::Open(device_, File("tune.wav"), error);
  ASSERT_TRUE(stream) << error;
  EXPECT_LT(stream->FramesDecoded(), kMixRate / 2);  // loading decodes nothing much
  stream->Play(false);
  Render(2.0);
  // Played 2 s; ahead of that only the few small buffers of the stream.
  EXPECT_GE(stream->FramesDecoded(), 2 * kMixRate);
  EXPECT_LT(stream->FramesDecoded(), 2 * kMixRate + 3 * kMixRate / 4);
  EXPECT_NEAR(stream->PositionSeconds(), 2.0, 0.02);
}

TEST_F(Music, PauseResumesAndStopRewinds) {
  WriteStereoTone("tune.wav", 440, 10.0);
  MP3Player player;
  ASSERT_TRUE(player.LoadMP3("tune.wav"));
  player.PlayMP3();
  Render(1.6);
  player.StopMP3(true);
  EXPECT_EQ(Render(0.5).Rms(0, 0.05), 0.0);
  EXPECT_EQ(player.GetCurrentPosition(), 2);  // 1.6 s, still
  player.PlayMP3();
  Render(1.0);
  EXPECT_EQ(player.GetCurrentPosition(), 3);  // 2.6 s

  player.StopMP3();
  EXPECT_EQ(player.GetCurrentPosition(), 0);
  player.PlayMP3();
  Render(0.7);
  EXPECT_EQ(player.GetCurrentPosition(), 1);

  player.PlayMP3(true);
  Render(0.4);
  EXPECT_EQ(player.GetCurrentPosition(), 0);
}

TEST_F(Music, StopsAtTheEndAndStaysThereUntilStartedOver) {
  WriteStereoTone("jingle.wav", 440, 1.0);
  MP3Player player;
  ASSERT_TRUE(player.LoadMP3("jingle.wav"));
  player.PlayMP3();
  const auto mix = Render(1.5);
  EXPECT_GT(mix.Rms(0, 0.5, 0.9), 0.3);
  EXPECT_EQ(mix.Rms(0, 1.05), 0.0);
  EXPECT_EQ(player.GetCurrentPosition(), player.GetDuration());

  player.PlayMP3();  // at the end: nothing more to play
  EXPECT_EQ(Render(0.3).Rms(0), 0.0);
  player.PlayMP3(true);
  EXPECT_GT(Render(0.3).Rms(0, 0.05), 0.3);
}

TEST_F(Music, VolumeIsOneDecibelPerStepAndClampedAtFullLevel) {
  WriteStereoTone("tune.wav", 440, 10.0);
  MP3Player player;
  std::int32_t volume = 150;
  player.SetVolume(volume);  // nothing loaded: no effect on the music, still clamped
  EXPECT_EQ(volume, 100);

  ASSERT_TRUE(player.LoadMP3("tune.wav"));
  player.PlayMP3();
  const double full = Render(0.5).Rms(0, 0.1);
  volume = 150;
  player.SetVolume(volume);
  EXPECT_EQ(volume, 100);
  EXPECT_NEAR(Db(Render(0.5).Rms(0, 0.1) / full), 0.0, 0.1);
  player.SetVolume(60);
  EXPECT_NEAR(Db(Render(0.5).Rms(0, 0.1) / full), -40.0, 0.5);

  player.SetVolume(0);  // stops and rewinds
  EXPECT_EQ(Render(0.3).Rms(0, 0.05), 0.0);
  EXPECT_EQ(player.GetCurrentPosition(), 0);
}

TEST_F(Music, TwoPlayersSoundAtOnce) {
  WriteStereoTone("menu.wav", 440, 5.0);
  WriteStereoTone("game.wav", 1320, 5.0);
  MP3Player menu, game;
  ASSERT_TRUE(menu.LoadMP3("menu.wav"));
  ASSERT_TRUE(game.LoadMP3("game.wav"));
  menu.PlayMP3();
  game.PlayMP3();
  game.SetVolume(94);  // -6 dB: half the amplitude
  const auto mix = Render(1.0);
  EXPECT_NEAR(mix.Amplitude(0, 440), 0.5, 0.01);
  EXPECT_NEAR(mix.Amplitude(0, 1320), 0.5 * std::pow(10.0, -6.0 / 20), 0.01);
}

TEST_F(Music, LoadingAFileReplacesTheOldOne) {
  WriteStereoTone("menu.wav", 440, 5.0);
  WriteStereoTone("game.wav", 1320, 5.0);
  MP3Player player;
  ASSERT_TRUE(player.LoadMP3("menu.wav"));
  player.PlayMP3();
  Render(0.5);
  ASSERT_TRUE(player.LoadMP3("game.wav"));
  EXPECT_EQ(player.GetCurrentPosition(), 0);
  EXPECT_EQ(Render(0.2).Rms(0, 0.05), 0.0);  // the old music stopped; the new one waits
  player.PlayMP3();
  const auto mix = Render(0.5);
  EXPECT_NEAR(mix.Amplitude(0, 1320), 0.5, 0.01);
  EXPECT_LT(mix.Amplitude(0, 440), 0.01);
}

TEST_F(Music, AFileThatCannotPlayIsLoggedAndLeavesNoMusic) {
  WriteStereoTone("tune.wav", 440, 5.0);
  WriteBytes(File("noise.mp3"), audio_test::RandomBytes(20000, 3));
  MP3Player player;
  ASSERT_TRUE(player.LoadMP3("tune.wav"));
  EXPECT_FALSE(player.LoadMP3("noise.mp3"));
  EXPECT_FALSE(player.LoadMP3("music\\missing.wma"));
  const std::string log = LogText();
  EXPECT_NE(log.find("Error loading MP3 file: " + folder_.string() + "/noise.mp3\r\n"), std::string::npos)
      << log;
  EXPECT_NE(log.find("Error loading MP3 file: " + folder_.string() + "/music/missing.wma\r\n"),
            std::string::npos);

  // No file: every member answers harmlessly.
  player.PlayMP3(true);
  player.SetVolume(50);
  player.StopMP3(true);
  EXPECT_EQ(player.GetDuration(), 0);
  EXPECT_EQ(player.GetCurrentPosition(), 0);
  EXPECT_EQ(Render(0.2).Rms(0), 0.0);
}

}  // namespace
