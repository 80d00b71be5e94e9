#include "platform/events.h"

#include <SDL.h>

#include "platform/gamepad.h"

namespace quillon::platform {

namespace {

int ButtonIndex(Uint8 sdlButton) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT: return 0;
    case SDL_BUTTON_RIGHT: return 1;
    case SDL_BUTTON_MIDDLE: return 2;
    case SDL_BUTTON_X1: return 3;
    default: return -1;
  }
}

KeyModifiers ModifiersOf(std::uint16_t mod) {
  return KeyModifiers{(mod & KMOD_ALT) != 0, (mod & KMOD_CTRL) != 0, (mod & KMOD_SHIFT) != 0,
                      (mod & KMOD_GUI) != 0};
}

// SDL's modifier bit of a modifier key; 0 for the other keys.
std::uint16_t ModifierBit(SDL_Scancode key) {
  switch (key) {
    case SDL_SCANCODE_LALT: return KMOD_LALT;
    case SDL_SCANCODE_RALT: return KMOD_RALT;
    case SDL_SCANCODE_LCTRL: return KMOD_LCTRL;
    case SDL_SCANCODE_RCTRL: return KMOD_RCTRL;
    case SDL_SCANCODE_LSHIFT: return KMOD_LSHIFT;
    case SDL_SCANCODE_RSHIFT: return KMOD_RSHIFT;
    case SDL_SCANCODE_LGUI: return KMOD_LGUI;
    case SDL_SCANCODE_RGUI: return KMOD_RGUI;
    default: return 0;
  }
}

void Dispatch(const SDL_Event& e, EventSink& sink) {
  switch (e.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      if (int code = DirectInputCode(e.key.keysym.scancode)) {
        sink.OnKey(code, e.type == SDL_KEYDOWN, e.key.repeat != 0, ModifiersOf(e.key.keysym.mod));
      }
      break;
    case SDL_MOUSEMOTION: sink.OnMouseMove(e.motion.x, e.motion.y); break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      if (int b = ButtonIndex(e.button.button); b >= 0) {
        sink.OnMouseMove(e.button.x, e.button.y);
        sink.OnMouseButton(b, e.type == SDL_MOUSEBUTTONDOWN);
      }
      break;
    case SDL_MOUSEWHEEL: {
      const int y = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
      sink.OnWheel(y * 120);
      break;
    }
    case SDL_QUIT: sink.OnWindow(WindowChange::CloseRequested); break;
    case SDL_WINDOWEVENT:
      switch (e.window.event) {
        case SDL_WINDOWEVENT_CLOSE: sink.OnWindow(WindowChange::CloseRequested); break;
        case SDL_WINDOWEVENT_FOCUS_LOST: sink.OnWindow(WindowChange::FocusLost); break;
        case SDL_WINDOWEVENT_FOCUS_GAINED: sink.OnWindow(WindowChange::FocusGained); break;
        default: break;
      }
      break;
    default: DispatchPadEvent(e, sink); break;
  }
}

}  // namespace

void DispatchEvents(EventSink& sink) {
  SDL_Event e;
  while (SDL_PollEvent(&e)) Dispatch(e, sink);
}

bool QueueKey(int code, bool down, std::uint32_t windowId, std::uint16_t& heldModifiers) {
  const auto key = static_cast<SDL_Scancode>(SdlScancode(code));
  if (key == SDL_SCANCODE_UNKNOWN) return false;
  const std::uint16_t bit = ModifierBit(key);
  heldModifiers = static_cast<std::uint16_t>(down ? heldModifiers | bit : heldModifiers & ~bit);
  SDL_Event e{};
  e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  e.key.timestamp = SDL_GetTicks();
  e.key.windowID = windowId;
  e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  e.key.keysym.scancode = key;
  e.key.keysym.sym = SDL_GetKeyFromScancode(key);
  e.key.keysym.mod = static_cast<std::uint16_t>(SDL_GetModState() | heldModifiers);
  return SDL_PushEvent(&e) == 1;
}

void ShowCursor(bool visible) { SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE); }

void WarpCursor(int screenX, int screenY) { SDL_WarpMouseGlobal(screenX, screenY); }

}  // namespace quillon::platform
