#pragma once
// Effect and stream voices on OpenAL sources of the current context. Both
// play stereo with the direct-channels extension, so that the left samples
// reach the left speaker unchanged: OpenAL's own panning would lower both
// channels of a centred sound.

#include <memory>
#include <string>

#include "platform/audio_output.h"

namespace quillon::platform {

std::unique_ptr<EffectVoice> CreateOpenAlEffect(const PcmSound& sound, std::string& error);
std::unique_ptr<StreamVoice> CreateOpenAlStream(int sampleRate, std::string& error);

}  // namespace quillon::platform
