// Engine: game controllers, their hot-plug events and rumble.

#include "engine_impl.h"
#include "mod_extra.h"

namespace quillon {

void Engine::Impl::InitPads() {
  std::string error;
  Pads = platform::Gamepads::Start(
      lib::State().AppFolder, [](const std::string& line) { lib::SaveLog(line); }, error);
  // The keyboard and mouse work on without pads.
  if (!Pads) lib::SaveLog("Error in Initilize_Gamepads() : " + error);
}

void Engine::Impl::OnPad(const platform::PadEvent& event) {
  if (!Pads) return;
  const auto change = Pads->OnEvent(event);
  if (!change) return;
  Emit(*change == platform::PadChange::Added ? WindowEventKind::PadAdded : WindowEventKind::PadRemoved);
}

bool Engine::Pad_GetState(PadState& ret_State) {
  ret_State = impl_->PadSample;
  return ret_State.Connected > 0;
}

bool Engine::Pad_Rumble(std::uint16_t lowFrequency, std::uint16_t highFrequency, std::uint32_t durationMs) {
  return impl_->Pads && impl_->Pads->Rumble(lowFrequency, highFrequency, durationMs);
}

bool Engine::Pad_AttachVirtual() {
  if (!impl_->Pads) return false;
  std::string error;
  if (impl_->Pads->AttachVirtual(error)) return true;
  lib::SaveLog("Error in Pad_AttachVirtual : " + error);
  return false;
}

bool Engine::Pad_DetachVirtual() { return impl_->Pads && impl_->Pads->DetachVirtual(); }

bool Engine::Pad_SetVirtualButton(PadButton button, bool down) {
  return impl_->Pads && impl_->Pads->SetVirtualButton(button, down);
}

bool Engine::Pad_SetVirtualAxis(PadAxis axis, std::int16_t value) {
  return impl_->Pads && impl_->Pads->SetVirtualAxis(axis, value);
}

}  // namespace quillon
