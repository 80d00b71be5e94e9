// The Engine's sound members: started with the engine, quiet before it and
// after its unload.

#include <gtest/gtest.h>

#include "audio_support.h"
#include "quillon/engine.h"

namespace {

using audio_test::kMixRate;
using audio_test::Tone;
using quillon::Engine;

class EngineSound : public audio_test::AudioTest {
 protected:
  void SetUp() override {
    AudioTest::SetUp();
    audio_test::WriteWav(File("jump.wav"), kMixRate, 1, Tone(kMixRate, 1000, 1.0));
  }
};

TEST_F(EngineSound, SoundOnlyStartPlaysEffectsWithTheDefaults) {
  Engine engine;
  ASSERT_TRUE(engine.Quillon_Start_OnlySound(0, folder_.string()));
  engine.CreateSound("Jump", "jump.wav");
  engine.SoundPlay("JUMP");
  const auto mix = Render(0.3);
  EXPECT_NEAR(mix.Rms(0), 0.5 / std::sqrt(2.0), 0.005);  // full level, centred, own rate
  EXPECT_NEAR(mix.Rms(1), 0.5 / std::sqrt(2.0), 0.005);
  EXPECT_NEAR(mix.Frequency(0), 1000.0, 2.0);

  engine.SoundVolume("jump", 80);
  EXPECT_NEAR(audio_test::Db(Render(0.3).Rms(0, 0.05) / mix.Rms(0)), -20.0, 0.5);
  engine.SoundFrequency("jump", 22);
  EXPECT_NEAR(Render(0.3).Frequency(0), 1000.0 * 22000 / kMixRate, 3.0);
  engine.SoundStop();
  EXPECT_EQ(Render(0.1).Rms(0), 0.0);
}

TEST_F(EngineSound, DuplicateNameIsReportedInTheMessageBoxText) {
  Engine engine;
  ASSERT_TRUE(engine.Quillon_Start_OnlySound(0, folder_.string()));
  engine.CreateSound("jump", "jump.wav");
  engine.CreateSound("JUMP", "jump.wav");  // headless: the box's text goes to the log
  EXPECT_NE(LogText().find("Error importing sound KeyName.\r\n'jump' already exists!"), std::string::npos);
}

TEST_F(EngineSound, BeforeTheStartAndAfterTheUnloadSoundsDoNothing) {
  Engine engine;
  engine.CreateSound("jump", "jump.wav");
  engine.SoundPlay("jump");
  EXPECT_EQ(Render(0.1).Rms(0), 0.0);

  ASSERT_TRUE(engine.Quillon_Start_OnlySound(0, folder_.string()));
  engine.CreateSound("jump", "jump.wav");
  engine.SoundPlay("jump", true);
  EXPECT_GT(Render(0.1).Rms(0), 0.3);
  engine.Quillon_Unload();
  EXPECT_EQ(Render(0.1).Rms(0), 0.0);
  engine.SoundPlay("jump", true);
  EXPECT_EQ(Render(0.1).Rms(0), 0.0);
}

}  // namespace
