// Engine: clearing, presenting and pacing frames, screenshots, and the window
// operations this platform adds for hosts with their own loop.

#include <cstdio>
#include <filesystem>

#include "engine_impl.h"
#include "mod_extra.h"
#include "platform/events.h"
#include "quillon/paths.h"

namespace quillon {

bool Engine::ClearScreen(std::int16_t vRed, std::int16_t vGreen, std::int16_t vBlue) {
  std::string error = "no display device";
  if (!impl_->Video ||
      !impl_->Video->Clear(static_cast<std::uint8_t>(vRed), static_cast<std::uint8_t>(vGreen),
                           static_cast<std::uint8_t>(vBlue), error)) {
    lib::SaveLog("Error in ClearScreen : " + error);
    return false;
  }
  return true;
}

void Engine::RenderAll() {
  impl_->SampleInput();
  impl_->PresentFrame();
  const int limit = lib::State().FpsLimit;
  lib::LimitFrame(limit == 0 ? 2048 : limit, platform::PumpOsEvents);
}

void Engine::Present(bool sampleInput) {
  if (sampleInput) impl_->SampleInput();
  impl_->PresentFrame();
}

void Engine::SampleInput() { impl_->SampleInput(); }

void Engine::PumpEvents() {
  if (impl_->Video) platform::DispatchEvents(*impl_);
}

void Engine::Impl::SampleInput() {
  // Without a window of our own the queue belongs to someone else.
  if (!Video) return;
  platform::DispatchEvents(*this);
  if (!InputReady) return;
  Keyboard.Sample();
  MouseDevice.Sample();
  PadSample = Pads ? Pads->Sample() : PadState{};
}

void Engine::Impl::PresentFrame() {
  if (!Video) return;
  Video->Present();
  Texts.EndFrame();
}

void Engine::SaveScreenshot() {
  std::error_code ec;
  const auto& folder = lib::State().AppFolder;
  if (folder.empty() || !std::filesystem::is_directory(folder, ec)) return;
  // The frame on the screen now: the one last presented, whatever is being
  // drawn for the next, and written before this call returns.
  if (!impl_->Video) {
    lib::SaveLog("Error in SaveScreenshot() : no display device");
    return;
  }
  impl_->WriteScreenshot();
}

void Engine::Impl::WriteScreenshot() {
  // A shared game folder is not this user's: pictures go to their own folder.
  const std::filesystem::path folder = paths::ScreenshotFolder(lib::State().AppFolder);
  std::filesystem::path file;
  std::error_code ec;
  for (int n = 1;; ++n) {
    char name[32];
    std::snprintf(name, sizeof name, "screenshot%03d.bmp", n);
    file = paths::Resolve(name, folder);
    if (!std::filesystem::exists(file, ec)) break;
  }
  std::string error;
  if (!Video->SaveBmp(file, error)) lib::SaveLog("Error in SaveScreenshot() : " + error);
}

void Engine::SetWindowEventHandler(std::function<void(const WindowEvent&)> handler) {
  impl_->EventHandler = std::move(handler);
}

bool Engine::IsFullScreen() const { return impl_->Video && impl_->Video->FullScreen(); }

bool Engine::SetFullScreen(bool fullScreen) {
  if (!impl_->Video) return false;
  std::string error;
  if (!impl_->Video->SetFullScreen(fullScreen, error)) {
    lib::SaveLog("Error in SetFullScreen : " + error);
    return false;
  }
  lib::State().FullScreen = fullScreen;
  return true;
}

void Engine::SetWindowCaption(std::string_view caption) {
  if (impl_->Video) impl_->Video->SetCaption(std::string(caption));
}

void Engine::SetCursorVisible(bool visible) { platform::ShowCursor(visible); }

void Engine::SetKeyboardGrab(bool grab) {
  if (impl_->Video) impl_->Video->SetKeyboardGrab(grab);
}

bool Engine::HasDisplay() const { return impl_->Video != nullptr; }

}  // namespace quillon
