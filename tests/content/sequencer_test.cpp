// The music generator's building blocks: score notation, chords, the looping
// renderer and the synthesizer's finishing steps.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "sequencer.h"
#include "synth.h"

namespace {

using namespace assetgen;

TEST(ScoreNotationTest, PitchesAndChords) {
  EXPECT_EQ(music::ParsePitch("c4"), 60);
  EXPECT_EQ(music::ParsePitch("a4"), 69);
  EXPECT_EQ(music::ParsePitch("f#3"), 54);
  EXPECT_EQ(music::ParsePitch("bb2"), 46);
  EXPECT_EQ(music::ParsePitch("b3"), 59);
  for (const char* bad : {"h4", "c", "c#", "c#b4", "c9", "C4", ""})
    EXPECT_THROW(music::ParsePitch(bad), std::invalid_argument) << bad;

  // Close voicing above the floor, lowest first, whatever the root.
  EXPECT_EQ(music::ChordNotes("Dmaj7", 62), (std::vector<int>{62, 66, 69, 73}));
  EXPECT_EQ(music::ChordNotes("Bm7", 62), (std::vector<int>{62, 66, 69, 71}));
  EXPECT_EQ(music::ChordNotes("Fadd9", 53), (std::vector<int>{53, 57, 60, 67}));
  EXPECT_EQ(music::ChordNotes("Bbsus4", 58), (std::vector<int>{58, 63, 65}));
  EXPECT_EQ(music::ChordRoot("F#m7", 38), 42);
  for (const char* bad : {"", "Hm", "Cm13", "c"})
    EXPECT_THROW(music::ChordNotes(bad, 60), std::invalid_argument) << bad;
}

TEST(ScoreNotationTest, LinesHoldAndRestOnTheStepGrid) {
  music::Part part{music::Voice::Lead, 1.0, 0.0, 0.0, {}};
  music::AddLine(part, 8, 0.5, "- c4 -  - . e4", 0.7, 12);
  ASSERT_EQ(part.notes.size(), 2u);
  EXPECT_DOUBLE_EQ(part.notes[0].beat, 8.5);
  EXPECT_DOUBLE_EQ(part.notes[0].beats, 1.5);
  EXPECT_EQ(part.notes[0].pitch, 72);
  EXPECT_DOUBLE_EQ(part.notes[1].beat, 10.5);
  EXPECT_DOUBLE_EQ(part.notes[1].beats, 0.5);

  music::Part drums{music::Voice::Snare, 1.0, 0.0, 0.0, {}};
  music::AddHits(drums, 4, 0.25, "X.xo-");
  ASSERT_EQ(drums.notes.size(), 3u);
  EXPECT_DOUBLE_EQ(drums.notes[2].beat, 4.75);
  EXPECT_GT(drums.notes[0].velocity, drums.notes[1].velocity);
  EXPECT_GT(drums.notes[1].velocity, drums.notes[2].velocity);
}

double Energy(const std::vector<float>& s, size_t from, size_t to) {
  double e = 0;
  for (size_t i = from; i < to; ++i) e += static_cast<double>(s[i]) * s[i];
  return e;
}

TEST(LoopRenderTest, TailsPastTheEndRingOnAtTheStart) {
  constexpr int kRate = 8000;
  music::Song song{120, 4, 4, {}};  // four bars: 8 s
  music::Part keys{music::Voice::Keys, 1.0, 0.0, 0.0, {}};
  keys.notes.push_back({15.75, 0.25, 69, 1.0});  // the last eighth
  song.parts.push_back(keys);
  const long frames = 8 * kRate;
  const std::vector<float> loop = music::RenderLoop(song, kRate, frames);
  ASSERT_EQ(loop.size(), static_cast<size_t>(2 * frames));
  // The note's release continues at the top of the loop, and the middle,
  // long after it died away, stays silent.
  EXPECT_GT(Energy(loop, 0, kRate / 10), 1.0);
  EXPECT_LT(Energy(loop, 2 * 3 * kRate, 2 * 7 * kRate), 1e-6);
  // Across the wrap the waveform is continuous: no step bigger than the
  // note's own steepest.
  double steepest = 0;
  for (long i = frames * 2 - 2000; i < frames * 2 - 2; ++i)
    steepest = std::max(steepest, std::fabs(static_cast<double>(loop[i + 2]) - loop[i]));
  EXPECT_LE(std::fabs(loop[0] - loop[2 * frames - 2]), steepest * 1.5 + 1e-6);
}

TEST(LoopRenderTest, PanSendsEachPartToItsSide) {
  music::Song song{120, 4, 1, {}};
  music::Part left{music::Voice::Kick, 1.0, -1.0, 0.0, {}};
  music::AddHits(left, 0, 1, "x");
  song.parts.push_back(left);
  const std::vector<float> loop = music::RenderLoop(song, 8000, 16000);
  double l = 0, r = 0;
  for (size_t i = 0; i < loop.size(); i += 2) l += std::fabs(loop[i]), r += std::fabs(loop[i + 1]);
  EXPECT_GT(l, 10.0);
  EXPECT_LT(r, l * 1e-6);
}

TEST(SynthTest, NoiseIsReproducibleAndInRange) {
  synth::Noise a(5), b(5), c(6);
  bool differs = false;
  for (int i = 0; i < 10000; ++i) {
    const double x = a.White();
    EXPECT_EQ(x, b.White());
    differs |= x != c.White();
    ASSERT_GE(x, -1.0);
    ASSERT_LT(x, 1.0);
  }
  EXPECT_TRUE(differs);
}

TEST(SynthTest, FinishingStepsNormaliseAndFadeBothEnds) {
  std::vector<float> s(1000, 0.25f);
  s[500] = -0.5f;
  synth::ApplyFades(s, 2, 10, 20);
  EXPECT_LT(std::fabs(s[0]), 0.01);
  EXPECT_LT(std::fabs(s[1]), 0.01);
  EXPECT_LT(std::fabs(s[998]), 0.01);
  EXPECT_FLOAT_EQ(s[100], 0.25f);
  synth::NormalisePeak(s, -1.0);
  EXPECT_NEAR(synth::PeakOf(s), std::pow(10.0, -1.0 / 20.0), 1e-6);
  EXPECT_NEAR(s[500], -std::pow(10.0, -1.0 / 20.0), 1e-6);
  std::vector<float> silence(100, 0.0f);
  synth::NormalisePeak(silence, -1.0);  // nothing to scale, and no division by zero
  EXPECT_EQ(synth::PeakOf(silence), 0.0);
}

}  // namespace
