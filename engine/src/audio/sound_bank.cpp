#include "audio/sound_bank.h"

#include "audio/levels.h"
#include "mod_extra.h"
#include "quillon/ascii.h"

namespace quillon::audio {
namespace {

// The range a sound buffer accepts for its playback rate.
constexpr std::int64_t kMinFrequency = 100;
constexpr std::int64_t kMaxFrequency = 100000;

void ApplyGains(platform::EffectVoice& voice, std::int64_t volume, std::int64_t pan) {
  const SideGains gains = PannedGains(volume, pan);
  voice.SetGains(gains.Left, gains.Right);
}

}  // namespace

SoundBank::SoundBank(std::shared_ptr<platform::AudioOutput> output, MessageBox messageBox)
    : output_(std::move(output)), messageBox_(std::move(messageBox)) {}

SoundBank::Sound* SoundBank::Find(std::string_view sndName) {
  const std::string key = ascii::ToLower(sndName);
  for (Sound& sound : sounds_)
    if (sound.Name == key) return &sound;
  return nullptr;
}

const SoundBank::Sound* SoundBank::Find(std::string_view sndName) const {
  return const_cast<SoundBank*>(this)->Find(sndName);
}

void SoundBank::CreateSound(std::string_view sndName, std::string_view pFilename) {
  if (!lib::FileExists(pFilename)) return;  // logged there
  const std::string key = ascii::ToLower(sndName);
  if (Find(key)) {
    if (messageBox_)
      messageBox_("Error importing sound KeyName.\r\n'" + key + "' already exists!", "DirectX Error");
    return;
  }
  // The name is kept even when the file turns out unreadable: playing it
  // then does nothing, and the name cannot be taken twice.
  Sound& sound = sounds_.emplace_back();
  sound.Name = key;

  std::string error;
  auto pcm = platform::DecodeWholeFile(lib::MakeAbsolute(pFilename), kMaxFrames, error);
  if (pcm) {
    sound.SampleRate = pcm->SampleRate;
    sound.Voice = output_->CreateEffect(*pcm, error);
  }
  if (!sound.Voice) {
    lib::SaveLog("Error in CreateSound(" + lib::LogPath(pFilename) + ") : " + error);
  }
}

void SoundBank::SetVolume(Sound& sound, std::int64_t attenuation) {
  if (attenuation < kSilence || attenuation > 0) return;
  sound.Volume = attenuation;
  ApplyGains(*sound.Voice, sound.Volume, sound.Pan);
}

void SoundBank::SetPan(Sound& sound, std::int64_t pan) {
  if (pan < kSilence || pan > -kSilence) return;
  sound.Pan = pan;
  ApplyGains(*sound.Voice, sound.Volume, sound.Pan);
}

void SoundBank::SetFrequency(Sound& sound, std::int64_t hertz) {
  if (hertz != 0 && (hertz < kMinFrequency || hertz > kMaxFrequency)) return;
  sound.Frequency = hertz;
  sound.Voice->SetPitch(hertz == 0 ? 1.0f
                                   : static_cast<float>(static_cast<double>(hertz) / sound.SampleRate));
}

void SoundBank::SoundPlay(std::string_view sndName, bool sndLoop, std::int32_t sndVolume, std::int32_t sndPan,
                          std::int32_t sndFrequency) {
  Sound* sound = Find(sndName);
  if (!sound || !sound->Voice) return;
  const std::int64_t attenuation = EffectAttenuation(sndVolume);
  SetVolume(*sound, attenuation);
  SetPan(*sound, 100 * std::int64_t{sndPan});
  SetFrequency(*sound, 1000 * std::int64_t{sndFrequency});
  // At volume 0 the sound is not started; the settings above still apply, so
  // a sound that loops goes silent.
  if (attenuation > kSilence) sound->Voice->Play(sndLoop);
}

void SoundBank::SoundVolume(std::string_view sndName, std::int32_t sndVolume) {
  Sound* sound = Find(sndName);
  if (sound && sound->Voice) SetVolume(*sound, EffectAttenuation(sndVolume));
}

void SoundBank::SoundFrequency(std::string_view sndName, std::int32_t sndFrequency) {
  Sound* sound = Find(sndName);
  if (sound && sound->Voice) SetFrequency(*sound, 1000 * std::int64_t{sndFrequency});
}

void SoundBank::SoundStop(std::string_view sndName, bool sndPause) {
  if (!sndName.empty()) {
    Sound* sound = Find(sndName);
    if (sound && sound->Voice) sound->Voice->Stop(sndPause);
    return;
  }
  for (Sound& sound : sounds_)
    if (sound.Voice) sound.Voice->Stop(sndPause);
}

bool SoundBank::Playing(std::string_view sndName) const {
  const Sound* sound = Find(sndName);
  return sound && sound->Voice && sound->Voice->Playing();
}

}  // namespace quillon::audio
