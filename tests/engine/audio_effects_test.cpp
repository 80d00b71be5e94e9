// Sound effects through the sound bank, heard on a loopback device.

#include <gtest/gtest.h>

#include "audio/sound_bank.h"
#include "audio/sound_card.h"
#include "audio_support.h"

namespace {

using audio_test::AudioTest;
using audio_test::Db;
using audio_test::kMixRate;
using audio_test::Tone;
using quillon::audio::SoundBank;

// A tone at full mix rate, so the levels come out without resampling. Its
// RMS is amplitude / √2.
constexpr double kToneRms = 0.5 / 1.4142135623730951;

class SoundEffects : public AudioTest {
 protected:
  void SetUp() override {
    AudioTest::SetUp();
    bank_ = std::make_unique<SoundBank>(device_, [this](std::string_view text, std::string_view title) {
      boxes_.push_back(std::string(title) + "|" + std::string(text));
    });
  }
  // A mono tone file registered under name.
  void AddTone(const std::string& name, double hertz, double seconds, int rate = kMixRate) {
    audio_test::WriteWav(File(name + ".wav"), rate, 1, Tone(rate, hertz, seconds));
    bank_->CreateSound(name, name + ".wav");
  }

  std::unique_ptr<SoundBank> bank_;
  std::vector<std::string> boxes_;
};

TEST_F(SoundEffects, VolumeIsOneDecibelPerStepAndFullLevelOnBothSides) {
  AddTone("hum", 1000, 2.0);
  bank_->SoundPlay("hum");
  const auto full = Render(0.5);
  EXPECT_NEAR(full.Rms(0), kToneRms, kToneRms * 0.01);
  EXPECT_NEAR(full.Rms(1), kToneRms, kToneRms * 0.01);

  bank_->SoundPlay("hum", false, 60);
  const auto lower = Render(0.5);
  EXPECT_NEAR(Db(lower.Rms(0) / full.Rms(0)), -40.0, 0.5);
  EXPECT_NEAR(Db(lower.Rms(1) / full.Rms(1)), -40.0, 0.5);

  // SoundVolume changes the level without starting over.
  bank_->SoundVolume("HUM", 90);
  const auto louder = Render(0.5);
  EXPECT_NEAR(Db(louder.Rms(0) / full.Rms(0)), -10.0, 0.5);
}

TEST_F(SoundEffects, VolumeZeroDoesNotStartAndSilencesALoop) {
  AddTone("hum", 1000, 0.5);
  bank_->SoundPlay("hum", false, 0);
  EXPECT_FALSE(bank_->Playing("hum"));
  EXPECT_EQ(Render(0.2).Rms(0), 0.0);

  bank_->SoundPlay("hum", true, 100);
  EXPECT_GT(Render(0.2).Rms(0), 0.3);
  bank_->SoundPlay("hum", true, 0);
  EXPECT_EQ(Render(0.2).Rms(0, 0.05), 0.0);  // after the device's short fade
}

TEST_F(SoundEffects, FrequencyIsThePlaybackRate) {
  // 1 kHz recorded at 22.05 kHz: played at 44 kHz it sounds an octave (and a
  // little less) higher, at 11 kHz an octave lower.
  AddTone("beep", 1000, 2.0, 22050);
  bank_->SoundPlay("beep");
  EXPECT_NEAR(Render(0.5).Frequency(0), 1000.0, 2.0);

  bank_->SoundPlay("beep", false, 100, 0, 44);
  EXPECT_NEAR(Render(0.5).Frequency(0), 1000.0 * 44000 / 22050, 4.0);

  bank_->SoundFrequency("beep", 11);
  EXPECT_NEAR(Render(0.5).Frequency(0), 1000.0 * 11000 / 22050, 2.0);

  // Beyond what a sound buffer takes: the old rate stays.
  bank_->SoundFrequency("beep", 500);
  EXPECT_NEAR(Render(0.2).Frequency(0), 1000.0 * 11000 / 22050, 2.0);
}

TEST_F(SoundEffects, PanLowersTheFarSideByItsAmount) {
  AddTone("hum", 1000, 2.0);
  bank_->SoundPlay("hum", false, 100, -20);
  auto mix = Render(0.5);
  EXPECT_NEAR(mix.Rms(0), kToneRms, kToneRms * 0.01);
  EXPECT_NEAR(Db(mix.Rms(1) / mix.Rms(0)), -20.0, 0.5);

  bank_->SoundPlay("hum", false, 80, 35);
  mix = Render(0.5);
  EXPECT_NEAR(Db(mix.Rms(1) / kToneRms), -20.0, 0.5);
  EXPECT_NEAR(Db(mix.Rms(0) / kToneRms), -55.0, 0.5);

  bank_->SoundPlay("hum", false, 100, 100);
  mix = Render(0.5);
  EXPECT_EQ(mix.Rms(0, 0.01), 0.0);
  EXPECT_NEAR(mix.Rms(1), kToneRms, kToneRms * 0.01);
}

TEST_F(SoundEffects, LoopPlaysUntilStoppedAndOneShotEnds) {
  AddTone("tick", 1000, 0.1);
  bank_->SoundPlay("tick");
  EXPECT_LT(Render(0.3).Rms(0, 0.15), 1e-6);
  EXPECT_FALSE(bank_->Playing("tick"));

  bank_->SoundPlay("tick", true);
  EXPECT_GT(Render(1.0).Rms(0, 0.9), 0.3);
  EXPECT_TRUE(bank_->Playing("tick"));
  bank_->SoundStop("tick");
  EXPECT_FALSE(bank_->Playing("tick"));
  EXPECT_LT(Render(0.2).Rms(0, 0.01), 1e-6);
}

TEST_F(SoundEffects, PlayAgainAndPlayAfterPauseStartFromTheBeginning) {
  // 0.1 s of tone, then 0.2 s of silence.
  auto samples = Tone(kMixRate, 1000, 0.1);
  samples.resize(samples.size() * 3, 0);
  audio_test::WriteWav(File("blip.wav"), kMixRate, 1, samples);
  bank_->CreateSound("blip", "blip.wav");

  bank_->SoundPlay("blip");
  EXPECT_LT(Render(0.15).Rms(0, 0.11), 1e-6);  // into the silence
  bank_->SoundPlay("blip");
  EXPECT_GT(Render(0.05).Rms(0), 0.3);  // the tone again

  Render(0.1);
  bank_->SoundStop("blip", true);
  EXPECT_EQ(Render(0.05).Rms(0), 0.0);
  bank_->SoundPlay("blip");
  EXPECT_GT(Render(0.05).Rms(0), 0.3);
}

TEST_F(SoundEffects, StopWithoutNameStopsEverySound) {
  AddTone("one", 500, 0.2);
  AddTone("two", 700, 0.2);
  bank_->SoundPlay("one", true);
  bank_->SoundPlay("two", true);
  Render(0.05);
  bank_->SoundStop();
  EXPECT_FALSE(bank_->Playing("one"));
  EXPECT_FALSE(bank_->Playing("two"));
  EXPECT_EQ(Render(0.1).Rms(0), 0.0);
}

TEST_F(SoundEffects, NamesIgnoreCaseAndADuplicateIsRefusedWithAMessage) {
  AddTone("Jump", 1000, 0.5);
  audio_test::WriteWav(File("other.wav"), kMixRate, 1, Tone(kMixRate, 300, 0.5));
  bank_->CreateSound("jump", "other.wav");
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0], "DirectX Error|Error importing sound KeyName.\r\n'jump' already exists!");
  EXPECT_EQ(bank_->Count(), 1u);

  bank_->SoundPlay("JUMP");
  EXPECT_NEAR(Render(0.3).Frequency(0), 1000.0, 2.0);  // still the first file
}

TEST_F(SoundEffects, MissingUnreadableAndUnknownSoundsDoNoHarm) {
  bank_->CreateSound("gone", "nothere.wav");
  EXPECT_EQ(bank_->Count(), 0u);

  WriteBytes(File("noise.wav"), audio_test::RandomBytes(4000, 7));
  WriteBytes(File("empty.wav"), "");
  WriteBytes(File("cut.wav"), std::string("RIFF\xff\xff\xff\x7f"
                                          "WAVEfmt ",
                                          16));
  for (const char* name : {"noise", "empty", "cut"}) bank_->CreateSound(name, std::string(name) + ".wav");
  EXPECT_EQ(bank_->Count(), 3u);  // the names stay, without sound
  const std::string log = LogText();
  EXPECT_NE(log.find("Error in CreateSound(" + folder_.string() + "/noise.wav) : "), std::string::npos)
      << log;
  EXPECT_NE(log.find("Error in CreateSound(" + folder_.string() + "/empty.wav) : "), std::string::npos)
      << log;

  for (const char* name : {"noise", "empty", "cut", "never-made"}) {
    bank_->SoundPlay(name, true);
    bank_->SoundVolume(name, 50);
    bank_->SoundFrequency(name, 22);
    bank_->SoundStop(name, true);
  }
  EXPECT_EQ(Render(0.1).Rms(0), 0.0);
}

using SoundCardStart = AudioTest;

TEST_F(SoundCardStart, WithoutADeviceSoundIsOffAndNothingIsLogged) {
  int opened = 0;
  quillon::audio::SoundCard card([] { return std::vector<std::string>{}; },
                                 [&] {
                                   ++opened;
                                   return quillon::platform::SoundDeviceResult{};
                                 });
  card.Initilize_Soundcard(nullptr);
  EXPECT_FALSE(card.SoundAvailable());
  EXPECT_EQ(opened, 0);
  EXPECT_EQ(LogText(), "");
}

TEST_F(SoundCardStart, ADeviceThatDoesNotOpenIsLoggedAndSoundStaysOff) {
  quillon::audio::SoundCard card([] { return std::vector<std::string>{"ALSA Default"}; },
                                 [] {
                                   return quillon::platform::SoundDeviceResult{nullptr, "no card"};
                                 });
  card.Initilize_Soundcard(nullptr);
  EXPECT_FALSE(card.SoundAvailable());
  EXPECT_EQ(card.Sounds(), nullptr);
  EXPECT_EQ(LogText(), "Error in Initilize_Soundcard() : no card\r\n");
}

TEST_F(SoundCardStart, TheDeviceOfTheProcessPlaysTheEffectsUntilReleased) {
  quillon::audio::SoundCard card([] { return std::vector<std::string>{"loopback"}; });
  card.Initilize_Soundcard(nullptr);
  ASSERT_TRUE(card.SoundAvailable());
  audio_test::WriteWav(File("hum.wav"), kMixRate, 1, Tone(kMixRate, 1000, 1.0));
  card.Sounds()->CreateSound("hum", "hum.wav");
  card.Initilize_Soundcard(nullptr);  // a second start keeps the sounds
  card.Sounds()->SoundPlay("hum");
  EXPECT_NEAR(Render(0.3).Rms(0), kToneRms, kToneRms * 0.01);
  card.Release();
  EXPECT_FALSE(card.SoundAvailable());
  EXPECT_EQ(Render(0.1).Rms(0), 0.0);
}

}  // namespace
