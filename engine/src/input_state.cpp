#include "input_state.h"

#include "quillon/numbers.h"

namespace quillon {

void KeyboardInput::OnKey(int code, bool down) {
  if (!InRange(code)) return;
  live_[code] = down ? 128 : 0;
  if (down) tapped_[code] = true;
}

void KeyboardInput::Lose() {
  lost_ = true;
  // Keys released while the window is away send no event; start clean.
  live_.fill(0);
  tapped_.fill(false);
}

void KeyboardInput::Sample() {
  if (!lost_) {
    for (std::size_t k = 0; k < state_.size(); ++k) state_[k] = tapped_[k] ? 128 : live_[k];
  }
  tapped_.fill(false);
}

void KeyboardInput::Reset() { *this = KeyboardInput(); }

bool KeyboardInput::Down(int code) const { return InRange(code) && state_[code] == 128; }

bool KeyboardInput::Up(int code) {
  if (!InRange(code)) return false;
  if (state_[code] == 128) {
    releaseLatch_[code] = true;
    return false;
  }
  const bool result = releaseLatch_[code];
  releaseLatch_[code] = false;
  return result;
}

bool KeyboardInput::Pressed(int code) {
  if (!InRange(code)) return false;
  if (state_[code] != 128) {
    pressLatch_[code] = false;
    return false;
  }
  if (pressLatch_[code]) return false;
  pressLatch_[code] = true;
  return true;
}

void MouseInput::OnMove(int x, int y) {
  live_.X = x;
  live_.Y = y;
}

void MouseInput::OnButton(int button, bool down) {
  if (button < 0 || button >= 4) return;
  live_.Buttons[button] = down ? 128 : 0;
  if (down) clicked_[button] = true;
}

void MouseInput::Lose() {
  lost_ = true;
  live_.Buttons.fill(0);
  clicked_.fill(false);
  wheel_ = 0;
}

void MouseInput::Sample() {
  if (lost_) return;
  sample_ = live_;
  for (std::size_t b = 0; b < clicked_.size(); ++b) {
    if (clicked_[b]) sample_.Buttons[b] = 128;
  }
  clicked_.fill(false);
  sample_.Wheel = wheel_;
  wheel_ = 0;
}

void MouseInput::Reset() { *this = MouseInput(); }

void MouseInput::SetPosition(int x, int y) {
  live_.X = sample_.X = x;
  live_.Y = sample_.Y = y;
}

SharedMouse& SharedMouseState() {
  static SharedMouse shared;
  return shared;
}

void FillMouse(SharedMouse& shared, const MouseSample& sample, std::int32_t x, std::int32_t y, Mouse& out) {
  // Every call adds the sample again: hosts call once per frame.
  const auto notches = vb::CLng(sample.Wheel / 120.0).value_or(0);
  shared.WheelTotal = vb::CLng(double(shared.WheelTotal) + notches).value_or(shared.WheelTotal);
  out.X = x;
  out.Y = y;
  out.Wheel = shared.WheelTotal;
  bool clicked[3] = {}, released[3] = {};
  for (int b = 0; b < 3; ++b) {
    const bool down = sample.Buttons[b] != 0;
    if (down && !shared.ClickLatch[b]) {
      shared.ClickLatch[b] = true;
      clicked[b] = true;
    } else if (!down) {
      shared.ClickLatch[b] = false;
    }
    shared.Down[b] = down;
    if (down) {
      shared.ReleaseLatch[b] = true;
    } else if (shared.ReleaseLatch[b]) {
      shared.ReleaseLatch[b] = false;
      released[b] = true;
    }
  }
  out.B1Down = shared.Down[0], out.B1Up = released[0], out.B1Clicked = clicked[0];
  out.B2Down = shared.Down[1], out.B2Up = released[1], out.B2Clicked = clicked[1];
  out.B3Down = shared.Down[2], out.B3Up = released[2], out.B3Clicked = clicked[2];
}

}  // namespace quillon
