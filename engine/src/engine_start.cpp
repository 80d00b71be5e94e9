// Engine: object life, the two start-up sequences, the display start and the
// unload.

#include <cmath>
#include <ctime>

#include "engine_impl.h"
#include "mod_extra.h"
#include "platform/message_box.h"
#include "quillon/numbers.h"
#include "quillon/paths.h"

namespace quillon {

namespace {

constexpr int kVersionMajor = 0, kVersionMinor = 9, kVersionRevision = 23;
const std::string kHashLine(48, '#');

std::string StartedLine() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[64];
  std::strftime(text, sizeof text, "### APPLICATION STARTED @ %Y-%m-%d @ %H-%M ###", &local);
  return text;
}

// A shared (installed) game folder sends this user's files elsewhere; the
// log says where, once per start. A folder of the user's own adds nothing.
void LogDataFolders() {
  const paths::DataFolders& folders = paths::FoldersOf(lib::State().AppFolder);
  if (const std::string line = paths::DescribeFolders(folders); !line.empty()) lib::SaveLog(line);
}

void SetPiAndRad() {
  auto& state = lib::State();
  state.Pi = static_cast<float>(4 * std::atan(1.0));
  state.Rad = state.Pi / 180;
}

std::int16_t ToInteger(float value, bool& failed) {
  const auto v = vb::CInt(value);
  if (!v) failed = true;
  return v.value_or(0);
}

}  // namespace

Engine::Engine() : impl_(std::make_unique<Impl>()) {}
Engine::~Engine() = default;
Engine::Engine(Engine&&) noexcept = default;
Engine& Engine::operator=(Engine&&) noexcept = default;

bool Engine::DebugMode() const { return impl_->DebugMode; }
void Engine::DebugMode(bool value) { impl_->DebugMode = value; }

bool Engine::Quillon_Start(std::int32_t hWnd, std::string_view pAppPath, float oResWidth, float oResHeight,
                           bool oFullScreen, float oScrWidth, float oScrHeight, bool WinOnTop) {
  auto& state = lib::State();
  bool early = false;  // trouble before the device that does not stop the start
  state.FullScreen = oFullScreen;
  state.ResWidth = ToInteger(oResWidth, early);
  state.ResHeight = ToInteger(oResHeight, early);
  if (oScrWidth == 0) {
    state.WindowWidth = state.ResWidth;
    state.WindowHeight = state.ResHeight;
  } else {
    state.WindowWidth = ToInteger(oScrWidth, early);
    state.WindowHeight = ToInteger(oScrHeight, early);
  }
  state.WindowHandle = hWnd;
  state.AppFolder = std::string(pAppPath);

  lib::SaveLog(kHashLine);
  lib::SaveLog(StartedLine());
  lib::SaveLog(kHashLine);
  LogDataFolders();

  DisplayOptions options;
  options.BufferWidth = state.ResWidth;
  options.BufferHeight = state.ResHeight;
  options.WindowWidth = state.WindowWidth;
  options.WindowHeight = state.WindowHeight;
  options.FullScreen = oFullScreen;
  options.WindowOnTop = WinOnTop;
  std::string trail = "1, ";  // the window is placed with the device below
  std::string error;
  if (early) platform::ShowMessageBox("Install DirectX 8.1 or better", "DirectX Error");
  impl_->StartError = "";
  if (!impl_->OpenDisplay(options, trail, error)) {
    impl_->StartError = error;
    lib::SaveLog("Error in Quillon_Start : " + error);
    return false;
  }
  impl_->InitSound();
  trail += "7, ";
  if (!LoadLetterTable(impl_->Letters, error)) {
    impl_->StartError = error;
    lib::SaveLog("Error in Quillon_Start : " + error);
    return false;
  }
  AmbientColor(255, 255, 255);
  SetPiAndRad();
  lib::SaveLog("Engine Init: Step " + trail + "DONE!");
  return true;
}

bool Engine::Quillon_Start_OnlySound(std::int32_t hWnd, std::string_view pAppPath) {
  auto& state = lib::State();
  state.WindowHandle = hWnd;
  state.AppFolder = std::string(pAppPath);
  lib::SaveLog(kHashLine);
  lib::SaveLog(StartedLine());
  lib::SaveLog("### USING ONLY SOUND ENGINE                  ###");
  lib::SaveLog(kHashLine);
  LogDataFolders();
  impl_->InitSound();  // logs its own trouble; the start goes on without sound
  SetPiAndRad();
  return true;
}

bool Engine::StartDisplay(const DisplayOptions& options) {
  std::string trail, error;
  if (!impl_->OpenDisplay(options, trail, error) || !LoadLetterTable(impl_->Letters, error)) {
    impl_->StartError = error.empty() ? "the display could not be started" : error;
    lib::SaveLog("Error in StartDisplay : " + error);
    return false;
  }
  impl_->StartError = "";
  AmbientColor(255, 255, 255);
  SetPiAndRad();
  return true;
}

bool Engine::Impl::OpenDisplay(const DisplayOptions& options, std::string& trail, std::string& error) {
  CloseDisplay();
  if (!VideoSystem) VideoSystem = platform::VideoSystem::Acquire(error);
  trail += "2, ";
  if (!VideoSystem) {
    platform::ShowMessageBox("Install DirectX 8.1 or better", "DirectX Error");
    return false;
  }
  if (options.BufferWidth <= 0 || options.BufferHeight <= 0) {
    error =
        "bad resolution " + std::to_string(options.BufferWidth) + "x" + std::to_string(options.BufferHeight);
    return false;
  }
  platform::VideoMode mode;
  mode.BufferWidth = options.BufferWidth;
  mode.BufferHeight = options.BufferHeight;
  mode.WindowWidth = options.WindowWidth > 0 ? options.WindowWidth : options.BufferWidth;
  mode.WindowHeight = options.WindowHeight > 0 ? options.WindowHeight : options.BufferHeight;
  mode.FullScreen = options.FullScreen;
  mode.OnTop = options.WindowOnTop;
  mode.Caption = options.Caption;
  trail += "3, ";
  Video = platform::Video::Create(mode, error);
  if (!Video && mode.FullScreen) {
    if (options.FullScreenFailureMessage.empty()) {
      lib::SaveLog("DirectX Error, trying windowed mode!");
    } else {
      platform::ShowMessageBox(options.FullScreenFailureMessage, "DirectX Error");
    }
    mode.FullScreen = false;
    trail += "3, ";
    Video = platform::Video::Create(mode, error);
  }
  if (!Video) return false;
  lib::State().FullScreen = mode.FullScreen;
  // Alpha blending is set per texture; there is no separate sprite batch.
  trail += "4, 5, ";
  InitInput();
  trail += "6, ";
  return true;
}

bool Engine::Impl::InitInput() {
  if (!Video) {
    lib::SaveLog("Error in Initilize_DxInput() : no window for the input devices");
    return false;
  }
  Keyboard.Reset();
  MouseDevice.Reset();
  InitPads();
  InputReady = true;
  return true;
}

void Engine::Impl::CloseDisplay() {
  InputReady = false;
  Keyboard.Reset();
  MouseDevice.Reset();
  Pads.reset();
  PadSample = PadState{};
  Texts.Clear();
  Video.reset();
}

const std::string& Engine::StartError() const { return impl_->StartError; }

void Engine::SetDebugMode(bool TrueFalse) { impl_->DebugMode = TrueFalse; }

std::string Engine::Version() const {
  return "Quillon Engine v" + std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
         std::to_string(kVersionRevision);
}

void Engine::Quillon_Unload() {
  lib::SaveLog("APPLICATION ENDED");
  impl_->Sound.Release();
  impl_->Fonts.clear();
  impl_->CloseDisplay();
  impl_->VideoSystem.reset();
}

}  // namespace quillon
