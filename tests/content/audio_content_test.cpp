// The generated sounds and music decode, sound like finished content (audible,
// not clipped, no clicks at the ends) and the music loops without a seam.

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <string>

#include "audio_reader.h"
#include "image_reader.h"

namespace {

using content_test::Audio;
using content_test::Peak;
using content_test::Rms;
using content_test::ToDb;

// The game's sound table: name -> file under the application folder.
const std::map<std::string, std::string>& SoundTable() {
  static const std::map<std::string, std::string> table = {{"menu1", "sfx/menu_selection.wav"},
                                                           {"menu2", "sfx/menu_selection2.wav"},
                                                           {"jump", "sfx/jump.wav"},
                                                           {"boing", "sfx/boing.wav"},
                                                           {"bonus", "sfx/bonus.wav"},
                                                           {"explode1", "sfx/explode1.wav"},
                                                           {"explode2", "sfx/explode2.wav"},
                                                           {"explode3", "sfx/explode3.wav"},
                                                           {"explode4", "sfx/explode4.wav"},
                                                           {"explode5", "sfx/explode5.wav"},
                                                           {"explode6", "sfx/explode5.wav"},
                                                           {"waterhit1", "sfx/waterhit1.wav"},
                                                           {"waterhit2", "sfx/waterhit2.wav"},
                                                           {"waterhit3", "sfx/waterhit3.wav"},
                                                           {"waterhit4", "sfx/waterhit4.wav"},
                                                           {"waterhit5", "sfx/waterhit5.wav"},
                                                           {"breakglass1", "sfx/break_glass.wav"},
                                                           {"breakglass2", "sfx/break_glass2.wav"},
                                                           {"breakglass3", "sfx/break_glass2.wav"},
                                                           {"breakother1", "sfx/tile_explo.wav"},
                                                           {"breakother2", "sfx/tile_explo.wav"},
                                                           {"breakother3", "sfx/tile_explo.wav"},
                                                           {"tilepush", "sfx/tile_push.wav"},
                                                           {"fall1", "sfx/fall1.wav"},
                                                           {"nidle", "sfx/nidle.wav"},
                                                           {"swoosh", "sfx/swoosh.wav"},
                                                           {"done", "sfx/done.wav"},
                                                           {"walk", "sfx/walk.wav"},
                                                           {"key", "sfx/key.wav"}};
  return table;
}

Audio Read(const std::string& name) {
  std::string error;
  Audio audio = content_test::ReadAudio(content_test::AppDir() / name, error);
  EXPECT_GT(audio.rate, 0) << name << ": " << error;
  return audio;
}

TEST(SoundContentTest, EveryTableSoundIsAnAudibleCleanWaveFile) {
  std::set<std::string> files;
  for (const auto& [name, file] : SoundTable()) files.insert(file);
  ASSERT_EQ(SoundTable().size(), 29u);
  ASSERT_EQ(files.size(), 25u);
  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    const Audio a = Read(file);
    if (a.rate == 0) continue;
    EXPECT_EQ(a.codec, "pcm_s16le");
    EXPECT_EQ(a.channels, 1);
    EXPECT_TRUE(a.rate == 22050 || a.rate == 44100) << a.rate;
    EXPECT_GT(a.Seconds(), 0.04);
    EXPECT_LT(a.Seconds(), 2.0) << "effects stay short";
    // Normalised near full scale, never clipped.
    const double peakDb = ToDb(Peak(a.mono));
    EXPECT_GT(peakDb, -6.0);
    EXPECT_LT(peakDb, -0.5);
    EXPECT_GT(ToDb(Rms(a.mono, 0, a.mono.size())), -35.0) << "audible, not a near-silent file";
    // Starting or stopping away from zero clicks: the sound must rise from
    // silence (sharp attacks still take a fraction of a millisecond) and
    // settle back to it.
    const size_t ms = a.rate / 1000;
    EXPECT_LT(std::fabs(a.mono.front()), 0.01);
    EXPECT_LT(std::fabs(a.mono.back()), 0.01);
    EXPECT_LT(Rms(a.mono, 0, ms / 4), 0.05);
    EXPECT_LT(Rms(a.mono, a.mono.size() - ms, ms), 0.05);
  }
}

TEST(SoundContentTest, SoundsReplayedAtAFixedRateAreWrittenAtTheRateTheyAreHeardAt) {
  // The game plays these at 20 to 30 kHz (the jump at 22 with the usual
  // weight); at 44100 Hz they would sound an octave too low and twice as slow.
  for (const char* file : {"sfx/jump.wav", "sfx/swoosh.wav", "sfx/done.wav", "sfx/break_glass.wav",
                           "sfx/break_glass2.wav", "sfx/tile_explo.wav"})
    EXPECT_EQ(Read(file).rate, 22050) << file;
  // The bonus chime is played at 44 kHz.
  EXPECT_EQ(Read("sfx/bonus.wav").rate, 44100);
}

struct Track {
  const char* file;
  double targetSeconds;
  double roundedSeconds;  // what the game sees as the duration
};

// Names the track in test output instead of dumping its bytes.
void PrintTo(const Track& t, std::ostream* out) { *out << t.file; }

class MusicContentTest : public testing::TestWithParam<Track> {};

TEST_P(MusicContentTest, DecodesAsWmaOfTheIntendedLength) {
  const Track t = GetParam();
  const Audio a = Read(t.file);
  ASSERT_GT(a.rate, 0);
  EXPECT_EQ(a.codec, "wmav2");
  EXPECT_EQ(a.channels, 2);
  EXPECT_EQ(a.rate, 44100);
  ASSERT_GT(a.frameSize, 0);
  // The loop fills the target to within a codec frame; the decoded file runs
  // two frames on into the loop's start.
  const double frame = static_cast<double>(a.frameSize) / a.rate;
  EXPECT_GE(a.Seconds(), t.targetSeconds + frame);
  EXPECT_LE(a.Seconds(), t.targetSeconds + 2 * frame);
  // The game restarts a track when the rounded position reaches the rounded
  // duration, so the declared duration must round to the end of the loop.
  EXPECT_EQ(std::nearbyint(a.containerSeconds), t.roundedSeconds) << a.containerSeconds;
  EXPECT_LT(ToDb(Peak(a.mono)), 0.0);
  const double meanDb = ToDb(Rms(a.mono, 0, a.mono.size()));
  EXPECT_GT(meanDb, -26.0);
  EXPECT_LT(meanDb, -8.0);
}

TEST_P(MusicContentTest, LoopsWithoutSeamOrSilence) {
  const Track t = GetParam();
  const Audio a = Read(t.file);
  ASSERT_GT(a.frameSize, 0);
  const size_t frame = a.frameSize;
  ASSERT_GT(a.mono.size(), 4 * frame);
  const size_t loop = a.mono.size() - 2 * frame;
  // What follows the loop's end is the loop's start again, sample for sample
  // (up to the codec's own error): the music runs on across the wrap.
  double diff = 0, level = 0;
  for (size_t i = 0; i < frame; ++i) {
    diff += std::pow(a.mono[loop + i] - a.mono[i], 2);
    level += std::pow(a.mono[i], 2);
  }
  EXPECT_LT(std::sqrt(diff / level), 0.25);
  // Across the wrap the level is that of the music around it, not a dip.
  std::vector<float> wrap(a.mono.end() - 2 * frame - 2048, a.mono.end() - 2 * frame);
  wrap.insert(wrap.end(), a.mono.begin(), a.mono.begin() + 2048);
  const double seam = Rms(wrap, 0, wrap.size());
  const double around = (Rms(a.mono, loop - 3 * 4096, 2 * 4096) + Rms(a.mono, 4096, 2 * 4096)) / 2;
  EXPECT_GT(seam, 0.4 * around);
  EXPECT_LT(seam, 2.5 * around);
  // No silent stretch anywhere in the track (every 100 ms has sound).
  const size_t window = a.rate / 10;
  for (size_t at = 0; at + window <= loop; at += window)
    ASSERT_GT(ToDb(Rms(a.mono, at, window)), -45.0)
        << "silence at " << static_cast<double>(at) / a.rate << " s";
}

INSTANTIATE_TEST_SUITE_P(Tracks, MusicContentTest,
                         testing::Values(Track{"music/music_menu.wma", 89.5, 90},
                                         Track{"music/music_game.wma", 87.5, 88}),
                         [](const testing::TestParamInfo<Track>& track) {
                           return std::string(track.param.file).find("menu") != std::string::npos ? "Menu"
                                                                                                  : "Game";
                         });

}  // namespace
