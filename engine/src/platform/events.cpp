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

void Dispatch(const SDL_Event& e, EventSink& sink) {
  switch (e.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      const bool down = e.type == SDL_KEYDOWN;
      if (down && !e.key.repeat && (e.key.keysym.sym == SDLK_RETURN || e.key.keysym.sym == SDLK_KP_ENTER) &&
          (e.key.keysym.mod & KMOD_ALT)) {
        sink.OnWindow(WindowChange::ToggleFullScreen);
      }
      if (int code = DirectInputCode(e.key.keysym.scancode)) sink.OnKey(code, down);
      break;
    }
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

void ShowCursor(bool visible) { SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE); }

void WarpCursor(int screenX, int screenY) { SDL_WarpMouseGlobal(screenX, screenY); }

}  // namespace quillon::platform
