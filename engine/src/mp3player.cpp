#include "quillon/mp3player.h"

#include <algorithm>
#include <string>

#include "audio/levels.h"
#include "audio/music_stream.h"
#include "mod_extra.h"
#include "quillon/numbers.h"

namespace quillon {

struct MP3Player::Impl {
  std::unique_ptr<audio::MusicStream> Stream;
};

namespace {

std::int32_t WholeSeconds(double seconds) { return vb::CLng(seconds).value_or(0); }

std::shared_ptr<platform::AudioOutput> MusicOutput() {
  // Without a sound device the music is still loaded and answers for its
  // length; it just plays nowhere.
  if (auto device = platform::OpenSoundDevice().Output) return device;
  return platform::NullAudioOutput();
}

}  // namespace

MP3Player::MP3Player() : impl_(std::make_unique<Impl>()) {}
MP3Player::~MP3Player() = default;

bool MP3Player::LoadMP3(std::string_view FileName) {
  impl_->Stream.reset();
  std::string error;
  impl_->Stream = audio::MusicStream::Open(MusicOutput(), lib::MakeAbsolute(FileName), error);
  if (!impl_->Stream) {
    lib::SaveLog("Error loading MP3 file: " + lib::LogPath(FileName));
    return false;
  }
  return true;
}

std::int32_t MP3Player::GetCurrentPosition() const {
  return impl_->Stream ? WholeSeconds(impl_->Stream->PositionSeconds()) : 0;
}

std::int32_t MP3Player::GetDuration() const {
  if (!impl_->Stream) return 0;
  return WholeSeconds(impl_->Stream->DurationSeconds().value_or(0.0));
}

void MP3Player::SetVolume(std::int32_t& sndVolume) {
  if (sndVolume > 100) sndVolume = 100;
  SetVolume(static_cast<const std::int32_t&>(sndVolume));
}

void MP3Player::SetVolume(const std::int32_t& sndVolume) {
  if (!impl_->Stream) return;
  if (sndVolume < 1) {
    StopMP3(false);
    return;
  }
  impl_->Stream->SetGain(audio::GainOf(audio::MusicAttenuation(std::min(sndVolume, 100))));
}

void MP3Player::PlayMP3(bool StartOver) {
  if (impl_->Stream) impl_->Stream->Play(StartOver);
}

void MP3Player::StopMP3(bool sndPause) {
  if (impl_->Stream) impl_->Stream->Stop(sndPause);
}

}  // namespace quillon
