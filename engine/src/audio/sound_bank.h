#pragma once
// The Engine's named sound effects. Each name has one voice, so a sound never
// overlaps itself: playing it again starts it over. Names are kept lower-cased
// and the first one that matches wins.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/audio_output.h"

namespace quillon::audio {

class SoundBank {
 public:
  // Shows a message box: text, title.
  using MessageBox = std::function<void(std::string_view, std::string_view)>;

  SoundBank(std::shared_ptr<platform::AudioOutput> output, MessageBox messageBox);

  void CreateSound(std::string_view sndName, std::string_view pFilename);
  void SoundPlay(std::string_view sndName, bool sndLoop = false, std::int32_t sndVolume = 100,
                 std::int32_t sndPan = 0, std::int32_t sndFrequency = 0);
  void SoundVolume(std::string_view sndName, std::int32_t sndVolume = 100);
  void SoundFrequency(std::string_view sndName, std::int32_t sndFrequency = 0);
  // An empty name stops every sound.
  void SoundStop(std::string_view sndName = "", bool sndPause = false);

  std::size_t Count() const { return sounds_.size(); }
  bool Playing(std::string_view sndName) const;

  // Longest effect, in frames (about three minutes at 44.1 kHz): effects live
  // in memory whole, so a bigger file is refused rather than filling it.
  static constexpr std::size_t kMaxFrames = std::size_t{1} << 23;

 private:
  struct Sound {
    std::string Name;
    std::unique_ptr<platform::EffectVoice> Voice;  // nullptr when the file could not be read
    int SampleRate = 0;
    std::int64_t Volume = 0;  // hundredths of a decibel, as last accepted
    std::int64_t Pan = 0;
    std::int64_t Frequency = 0;  // hertz; 0 = the sound's own rate
  };

  Sound* Find(std::string_view sndName);
  const Sound* Find(std::string_view sndName) const;
  // Values out of the device's range leave the old setting.
  static void SetVolume(Sound& sound, std::int64_t attenuation);
  static void SetPan(Sound& sound, std::int64_t pan);
  static void SetFrequency(Sound& sound, std::int64_t hertz);

  std::shared_ptr<platform::AudioOutput> output_;
  MessageBox messageBox_;
  std::vector<Sound> sounds_;
};

}  // namespace quillon::audio
