// Engine: keyboard and mouse queries and the window events behind them.

#include "engine_impl.h"
#include "mod_extra.h"
#include "platform/events.h"

namespace quillon {

bool Engine::GetKeyDown(std::int32_t Key) { return impl_->Keyboard.Down(Key); }
bool Engine::GetKeyUp(std::int32_t Key) { return impl_->Keyboard.Up(Key); }
bool Engine::GetKeyPressed(std::int32_t Key) { return impl_->Keyboard.Pressed(Key); }

bool Engine::GetMouseState(Mouse& ret_Mouse) {
  auto& state = lib::State();
  const auto& sample = impl_->MouseDevice.Last();
  // The cursor on the screen, less the window's outer corner when windowed.
  std::int32_t x = sample.X, y = sample.Y;
  if (impl_->Video && !state.FullScreen) {
    int clientX = 0, clientY = 0, outerX = 0, outerY = 0;
    impl_->Video->ClientPosition(clientX, clientY);
    impl_->Video->OuterPosition(outerX, outerY);
    x += clientX - outerX;
    y += clientY - outerY;
  }
  state.MouseX = x;
  state.MouseY = y;
  FillMouse(SharedMouseState(), sample, x, y, ret_Mouse);
  return false;
}

void Engine::SetMousePos(std::int32_t posX, std::int32_t posY) {
  auto& state = lib::State();
  state.MouseX = posX;
  state.MouseY = posY;
  if (!impl_->Video) {
    platform::WarpCursor(posX, posY);
    return;
  }
  int clientX = 0, clientY = 0;
  impl_->Video->ClientPosition(clientX, clientY);
  platform::WarpCursor(posX, posY);
  impl_->MouseDevice.SetPosition(posX - clientX, posY - clientY);
}

void Engine::SetMouseHide(bool cShow) {
  if (impl_->DebugMode) return;
  // Counted like the system's cursor display counter: two hides need two shows.
  impl_->CursorCounter += cShow ? -1 : 1;
  platform::ShowCursor(impl_->CursorCounter >= 0);
}

void Engine::Impl::Emit(WindowEventKind kind, int button) {
  if (EventHandler) EventHandler(WindowEvent{kind, button});
}

void Engine::SetKeyFilter(KeyFilter filter) { impl_->Filter = std::move(filter); }

bool Engine::QueueKeyEvent(std::int32_t key, bool down) {
  if (!impl_->Video) return false;
  return platform::QueueKey(key, down, impl_->Video->WindowId(), impl_->QueuedModifiers);
}

namespace {

constexpr int kEnterKey = 0x1C, kPadEnterKey = 0x9C, kF4Key = 0x3E;

}  // namespace

bool Engine::Impl::Filtered(const KeyPress& press) {
  if (!Filter) return false;
  // The host's filter must not take the event path down with it.
  try {
    return Filter(press);
  } catch (...) {
    return false;
  }
}

void Engine::Impl::OnKey(int code, bool down, bool repeat, const platform::KeyModifiers& modifiers) {
  if (code <= 0 || code >= static_cast<int>(SwallowedPress.size())) return;
  bool& swallowed = SwallowedPress[static_cast<std::size_t>(code)];
  if (!down || repeat) {
    // A release or a repeat goes where its press went.
    if (!swallowed) Keyboard.OnKey(code, down);
    if (!down) swallowed = false;
    return;
  }
  const KeyPress press{code, modifiers.Alt, modifiers.Control, modifiers.Shift, modifiers.Super};
  swallowed = Filtered(press);
  if (swallowed) return;
  if (modifiers.Alt && (code == kEnterKey || code == kPadEnterKey)) {
    // The window's own shortcut: the Enter opens no menu entry and confirms no name.
    swallowed = true;
    Emit(WindowEventKind::ToggleFullScreen);
    return;
  }
  if (modifiers.Alt && code == kF4Key) Emit(WindowEventKind::CloseRequested);
  Keyboard.OnKey(code, true);
}

void Engine::Impl::OnMouseMove(int x, int y) {
  if (Video) Video->WindowToBuffer(x, y);
  MouseDevice.OnMove(x, y);
}

void Engine::Impl::OnMouseButton(int button, bool down) {
  MouseDevice.OnButton(button, down);
  if (button < 3) Emit(down ? WindowEventKind::MouseDown : WindowEventKind::MouseUp, button + 1);
}

void Engine::Impl::OnWheel(int delta) { MouseDevice.OnWheel(delta); }

void Engine::Impl::OnWindow(platform::WindowChange change) {
  switch (change) {
    case platform::WindowChange::CloseRequested: Emit(WindowEventKind::CloseRequested); break;
    case platform::WindowChange::FocusLost:
      // Like a device that lost its acquisition: the last sample stays.
      Keyboard.Lose();
      MouseDevice.Lose();
      if (Pads) Pads->Lose();
      Emit(WindowEventKind::FocusLost);
      break;
    case platform::WindowChange::FocusGained:
      SwallowedPress.fill(false);
      Keyboard.Acquire();
      MouseDevice.Acquire();
      if (Pads) Pads->Acquire();
      Emit(WindowEventKind::FocusGained);
      break;
  }
}

}  // namespace quillon
