#include "audio/sound_card.h"

#include "mod_extra.h"

namespace quillon::audio {

SoundCard::SoundCard(DeviceList list, DeviceOpener open) : list_(std::move(list)), open_(std::move(open)) {}

void SoundCard::Initilize_Soundcard(SoundBank::MessageBox messageBox) {
  if (bank_) return;
  if (list_().empty()) return;
  platform::SoundDeviceResult device = open_();
  if (!device.Output) {
    // Sound stays off: a device that is not open plays nothing, and every
    // sound created on it would only log a failure of its own.
    lib::SaveLog("Error in Initilize_Soundcard() : " + device.Error);
    return;
  }
  bank_ = std::make_unique<SoundBank>(std::move(device.Output), std::move(messageBox));
}

}  // namespace quillon::audio
