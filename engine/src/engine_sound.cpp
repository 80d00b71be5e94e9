// Engine: the sound card start and the named sound effects.

#include <string>

#include "engine_impl.h"
#include "platform/message_box.h"

namespace quillon {

void Engine::Impl::InitSound() {
  Sound.Initilize_Soundcard([](std::string_view text, std::string_view title) {
    platform::ShowMessageBox(std::string(text), std::string(title));
  });
}

void Engine::CreateSound(std::string_view sndName, std::string_view pFilename) {
  if (auto* sounds = impl_->Sound.Sounds()) sounds->CreateSound(sndName, pFilename);
}

void Engine::SoundPlay(std::string_view sndName, bool sndLoop, std::int32_t sndVolume, std::int32_t sndPan,
                       std::int32_t sndFrequency) {
  if (auto* sounds = impl_->Sound.Sounds())
    sounds->SoundPlay(sndName, sndLoop, sndVolume, sndPan, sndFrequency);
}

void Engine::SoundVolume(std::string_view sndName, std::int32_t sndVolume) {
  if (auto* sounds = impl_->Sound.Sounds()) sounds->SoundVolume(sndName, sndVolume);
}

void Engine::SoundFrequency(std::string_view sndName, std::int32_t sndFrequency) {
  if (auto* sounds = impl_->Sound.Sounds()) sounds->SoundFrequency(sndName, sndFrequency);
}

void Engine::SoundStop(std::string_view sndName, bool sndPause) {
  if (auto* sounds = impl_->Sound.Sounds()) sounds->SoundStop(sndName, sndPause);
}

}  // namespace quillon
