#pragma once
// The Engine's sound device and its named effects. Started by both engine
// starts, released by the unload. Without a device every effect call does
// nothing.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "audio/sound_bank.h"
#include "platform/audio_output.h"

namespace quillon::audio {

class SoundCard {
 public:
  using DeviceList = std::function<std::vector<std::string>()>;
  using DeviceOpener = std::function<platform::SoundDeviceResult()>;

  // The system's devices by default; tests pass their own.
  explicit SoundCard(DeviceList list = platform::ListSoundDevices,
                     DeviceOpener open = platform::OpenSoundDevice);

  // No device on the machine: no sound, nothing logged. A device that does
  // not open: the line "Error in Initilize_Soundcard() : ..." and no sound.
  // Started again, a card that already plays keeps its sounds.
  void Initilize_Soundcard(SoundBank::MessageBox messageBox);

  bool SoundAvailable() const { return bank_ != nullptr; }
  // nullptr without sound.
  SoundBank* Sounds() { return bank_.get(); }

  // Drops every sound and lets go of the device.
  void Release() { bank_.reset(); }

 private:
  DeviceList list_;
  DeviceOpener open_;
  std::unique_ptr<SoundBank> bank_;
};

}  // namespace quillon::audio
