// The one sound device of the process. OpenAL has one current context per
// process, so the Engine's effects and every MP3Player share one device; it
// stays open while anything that plays on it lives.

#include <AL/alc.h>

#include <cstring>
#include <mutex>

#include "platform/openal_output.h"

namespace quillon::platform {
namespace {

struct DeviceSlot {
  std::mutex Mutex;
  std::weak_ptr<AudioOutput> Live;
};

DeviceSlot& Slot() {
  static DeviceSlot slot;
  return slot;
}

// OpenAL lists names as one block of strings, each ended by a zero, the
// block ended by an empty one.
std::vector<std::string> SplitNameList(const ALCchar* names) {
  std::vector<std::string> result;
  while (names && *names) {
    result.emplace_back(names);
    names += std::strlen(names) + 1;
  }
  return result;
}

}  // namespace

std::vector<std::string> ListSoundDevices() {
  const ALCenum which = alcIsExtensionPresent(nullptr, "ALC_ENUMERATE_ALL_EXT") ? ALC_ALL_DEVICES_SPECIFIER
                                                                                : ALC_DEVICE_SPECIFIER;
  return SplitNameList(alcGetString(nullptr, which));
}

SoundDeviceResult OpenSoundDevice() {
  DeviceSlot& slot = Slot();
  std::lock_guard lock(slot.Mutex);
  if (auto live = slot.Live.lock()) return {live, ""};
  std::string error;
  std::shared_ptr<AudioOutput> output = OpenAlOutput::OpenDefault(error);
  if (!output) return {nullptr, error};
  slot.Live = output;
  return {output, ""};
}

std::shared_ptr<OpenAlOutput> InstallLoopbackDevice(int sampleRate, std::string& error, bool limiter) {
  DeviceSlot& slot = Slot();
  std::lock_guard lock(slot.Mutex);
  if (!slot.Live.expired()) {
    error = "another sound device is open";
    return nullptr;
  }
  std::shared_ptr<OpenAlOutput> output = OpenAlOutput::OpenLoopback(sampleRate, error, limiter);
  if (output) slot.Live = output;
  return output;
}

}  // namespace quillon::platform
