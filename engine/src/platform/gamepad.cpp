#include "platform/gamepad.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <system_error>

#include "quillon/paths.h"

namespace quillon::platform {

static_assert(SDL_CONTROLLER_BUTTON_A == static_cast<int>(PadButton::A));
static_assert(SDL_CONTROLLER_BUTTON_START == static_cast<int>(PadButton::Start));
static_assert(SDL_CONTROLLER_BUTTON_DPAD_RIGHT == static_cast<int>(PadButton::DpadRight));
static_assert(SDL_CONTROLLER_BUTTON_DPAD_RIGHT + 1 == kPadButtons);
static_assert(SDL_CONTROLLER_AXIS_TRIGGERRIGHT == static_cast<int>(PadAxis::RightTrigger));
static_assert(SDL_CONTROLLER_AXIS_MAX == kPadAxes);

namespace {

constexpr const char* kMappingFile = "gamecontrollerdb.txt";
constexpr const char* kVirtualName = "Pebblerun virtual pad";

std::string GuidText(SDL_JoystickGUID guid) {
  char text[40] = {};
  SDL_JoystickGetGUIDString(guid, text, sizeof text);
  return text;
}

}  // namespace

bool DispatchPadEvent(const SDL_Event& e, EventSink& sink) {
  using Kind = PadEvent::Kind;
  switch (e.type) {
    case SDL_CONTROLLERDEVICEADDED: sink.OnPad({Kind::ControllerAdded, e.cdevice.which, 0}); return true;
    case SDL_CONTROLLERDEVICEREMOVED: sink.OnPad({Kind::ControllerRemoved, e.cdevice.which, 0}); return true;
    case SDL_JOYDEVICEADDED: sink.OnPad({Kind::JoystickAdded, e.jdevice.which, 0}); return true;
    case SDL_CONTROLLERBUTTONDOWN:
      sink.OnPad({Kind::ButtonDown, e.cbutton.which, static_cast<int>(e.cbutton.button)});
      return true;
    default: return false;
  }
}

std::unique_ptr<Gamepads> Gamepads::Start(const std::string& appFolder, Notice notice, std::string& error) {
  // Pads keep working while SDL thinks no window has the focus (a dummy
  // video driver, a desktop without a window manager); the engine drops
  // their input itself while its window is away.
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  // A is the bottom face button on every pad, whatever is printed on it, so
  // "A jumps" is the same thumb movement on every make.
  SDL_SetHint(SDL_HINT_GAMECONTROLLER_USE_BUTTON_LABELS, "0");
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
    error = SDL_GetError();
    return nullptr;
  }
  std::unique_ptr<Gamepads> pads(new Gamepads(std::move(notice)));
  std::error_code ec;
  const auto extra = paths::Resolve(kMappingFile, appFolder);
  if (std::filesystem::is_regular_file(extra, ec)) {
    const int added = SDL_GameControllerAddMappingsFromFile(extra.string().c_str());
    if (added < 0) {
      pads->notice_(std::string("Error in ") + kMappingFile + " : " + SDL_GetError());
    } else {
      pads->notice_(std::string(kMappingFile) + " : " + std::to_string(added) + " mappings");
    }
  }
  // Pads plugged in before the start; their "added" events may follow and
  // find them open already.
  for (int i = 0; i < SDL_NumJoysticks(); ++i) {
    if (SDL_IsGameController(i)) pads->Open(i);
  }
  return pads;
}

Gamepads::~Gamepads() {
  DetachVirtual();
  for (Pad& pad : pads_) SDL_GameControllerClose(pad.Controller);
  pads_.clear();
  SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

bool Gamepads::Open(int deviceIndex) {
  const int id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
  if (id < 0) return false;
  if (std::any_of(pads_.begin(), pads_.end(), [id](const Pad& p) { return p.InstanceId == id; }))
    return false;
  SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
  if (!controller) {
    notice_(std::string("Error in Gamepad : ") + SDL_GetError());
    return false;
  }
  const char* name = SDL_GameControllerName(controller);
  pads_.push_back({controller, id, name ? name : "pad"});
  notice_("Gamepad connected : " + pads_.back().Name);
  return true;
}

void Gamepads::Close(int instanceId) {
  const auto it = std::find_if(pads_.begin(), pads_.end(),
                               [instanceId](const Pad& p) { return p.InstanceId == instanceId; });
  if (it == pads_.end()) return;
  notice_("Gamepad removed : " + it->Name);
  SDL_GameControllerClose(it->Controller);
  pads_.erase(it);
}

std::optional<PadChange> Gamepads::OnEvent(const PadEvent& event) {
  using Kind = PadEvent::Kind;
  switch (event.What) {
    case Kind::ControllerAdded:
      if (Open(event.Id)) return PadChange::Added;
      return std::nullopt;
    case Kind::ControllerRemoved: {
      const std::size_t before = pads_.size();
      Close(event.Id);
      if (pads_.size() != before) return PadChange::Removed;
      return std::nullopt;
    }
    case Kind::JoystickAdded:
      // A stick or pad SDL cannot map: say how to make it usable.
      if (!SDL_IsGameController(event.Id)) {
        const char* name = SDL_JoystickNameForIndex(event.Id);
        notice_(std::string("Gamepad without a mapping : ") + (name ? name : "joystick") + " (" +
                GuidText(SDL_JoystickGetDeviceGUID(event.Id)) + "); add a line for it to " + kMappingFile);
      }
      return std::nullopt;
    case Kind::ButtonDown:
      if (event.Button >= 0 && event.Button < kPadButtons)
        tapped_[static_cast<std::size_t>(event.Button)] = true;
      return std::nullopt;
  }
  return std::nullopt;
}

PadState Gamepads::Sample() {
  PadState state;
  const auto tapped = tapped_;
  tapped_.fill(false);
  if (lost_) return state;
  for (const Pad& pad : pads_) {
    if (!SDL_GameControllerGetAttached(pad.Controller)) continue;
    ++state.Connected;
    for (int b = 0; b < kPadButtons; ++b) {
      if (SDL_GameControllerGetButton(pad.Controller, static_cast<SDL_GameControllerButton>(b)))
        state.Buttons[static_cast<std::size_t>(b)] = true;
    }
    for (int a = 0; a < kPadAxes; ++a) {
      const Sint16 v = SDL_GameControllerGetAxis(pad.Controller, static_cast<SDL_GameControllerAxis>(a));
      auto& merged = state.Axes[static_cast<std::size_t>(a)];
      if (std::abs(static_cast<int>(v)) > std::abs(static_cast<int>(merged))) merged = v;
    }
  }
  if (state.Connected == 0) return state;
  for (std::size_t b = 0; b < tapped.size(); ++b) state.Buttons[b] = state.Buttons[b] || tapped[b];
  return state;
}

bool Gamepads::Rumble(std::uint16_t low, std::uint16_t high, std::uint32_t milliseconds) {
  bool any = false;
  for (const Pad& pad : pads_) {
    if (SDL_GameControllerRumble(pad.Controller, low, high, milliseconds) == 0) any = true;
  }
  return any;
}

int Gamepads::VirtualRumble(void* self, std::uint16_t low, std::uint16_t high) {
  // Scripted runs check the rumble through the log.
  static_cast<Gamepads*>(self)->notice_("Virtual pad rumble : " + std::to_string(low) + " " +
                                        std::to_string(high));
  return 0;
}

bool Gamepads::AttachVirtual(std::string& error) {
  if (virtual_) return true;
  SDL_VirtualJoystickDesc desc{};
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  desc.naxes = kPadAxes;
  desc.nbuttons = kPadButtons;
  desc.name = kVirtualName;
  desc.userdata = this;
  desc.Rumble = &Gamepads::VirtualRumble;
  const int index = SDL_JoystickAttachVirtualEx(&desc);
  if (index < 0) {
    error = SDL_GetError();
    return false;
  }
  virtual_ = SDL_JoystickOpen(index);
  if (!virtual_) {
    error = SDL_GetError();
    SDL_JoystickDetachVirtual(index);
    return false;
  }
  return true;
}

bool Gamepads::DetachVirtual() {
  if (!virtual_) return false;
  const SDL_JoystickID id = SDL_JoystickInstanceID(virtual_);
  SDL_JoystickClose(virtual_);
  virtual_ = nullptr;
  for (int i = 0; i < SDL_NumJoysticks(); ++i) {
    if (SDL_JoystickGetDeviceInstanceID(i) == id) return SDL_JoystickDetachVirtual(i) == 0;
  }
  return false;
}

bool Gamepads::SetVirtualButton(PadButton button, bool down) {
  return virtual_ && SDL_JoystickSetVirtualButton(virtual_, static_cast<int>(button), down ? 1 : 0) == 0;
}

bool Gamepads::SetVirtualAxis(PadAxis axis, std::int16_t value) {
  return virtual_ && SDL_JoystickSetVirtualAxis(virtual_, static_cast<int>(axis), value) == 0;
}

}  // namespace quillon::platform
