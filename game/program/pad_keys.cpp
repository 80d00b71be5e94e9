#include "program/pad_keys.h"

#include <utility>

#include "sim/scan_codes.h"

namespace pebblerun {

namespace {

using quillon::PadAxis;
using quillon::PadButton;

// Held for this many frames, a name-entry key starts to repeat, letting go
// for one frame in every kRepeatPeriod.
constexpr int kRepeatDelay = 20;
constexpr int kRepeatPeriod = 4;

struct Binding {
  int Input;
  int Code;
};

bool Pushed(int value, int sign) { return sign < 0 ? value <= -kStickDeadZone : value >= kStickDeadZone; }

}  // namespace

std::array<bool, PadKeys::kInputs> PadKeys::Held(const quillon::PadState& pad) {
  std::array<bool, kInputs> held{};
  const int x = pad.Axis(PadAxis::LeftX), y = pad.Axis(PadAxis::LeftY);
  held[Up] = pad.Down(PadButton::DpadUp) || Pushed(y, -1);
  held[Down] = pad.Down(PadButton::DpadDown) || Pushed(y, 1);
  held[Left] = pad.Down(PadButton::DpadLeft) || Pushed(x, -1);
  held[Right] = pad.Down(PadButton::DpadRight) || Pushed(x, 1);
  held[A] = pad.Down(PadButton::A);
  held[B] = pad.Down(PadButton::B);
  held[X] = pad.Down(PadButton::X);
  held[Start] = pad.Down(PadButton::Start);
  held[Back] = pad.Down(PadButton::Back);
  return held;
}

void PadKeys::AddTo(const quillon::PadState& pad, InputContext context, KeyStates& keys) {
  static constexpr Binding kPlay[] = {{Left, scan::Left},  {Right, scan::Right}, {A, scan::Up},
                                      {B, scan::Space},    {X, scan::Space},     {Start, scan::P},
                                      {Back, scan::Escape}};
  static constexpr Binding kMenu[] = {{Up, scan::Up},       {Down, scan::Down}, {A, scan::Enter},
                                      {Start, scan::Enter}, {B, scan::Escape},  {Back, scan::Escape}};
  static constexpr Binding kName[] = {{Up, scan::Up},       {Down, scan::Down},  {Left, scan::Left},
                                      {Right, scan::Right}, {A, scan::Enter},    {Start, scan::Enter},
                                      {B, scan::Backspace}, {Back, scan::Escape}};

  const auto held = Held(pad);
  const bool moved = std::exchange(context_, context) != context;
  for (int i = 0; i < kInputs; ++i) {
    if (!held[i]) {
      suppressed_[i] = false;
      heldFrames_[i] = 0;
    } else if (moved) {
      suppressed_[i] = true;
    }
  }
  const auto apply = [&](const auto& table, bool repeats) {
    for (const Binding& b : table) {
      if (!held[b.Input] || suppressed_[b.Input]) continue;
      const int frames = heldFrames_[b.Input]++;
      const bool repeating = repeats && b.Input != A && b.Input != Start && b.Input != Back;
      if (repeating && frames >= kRepeatDelay && (frames - kRepeatDelay) % kRepeatPeriod == 0) continue;
      keys[static_cast<std::size_t>(b.Code)] = scan::kDown;
    }
  };
  switch (context) {
    case InputContext::Play: apply(kPlay, false); break;
    case InputContext::Menu: apply(kMenu, false); break;
    case InputContext::NameEntry: apply(kName, true); break;
  }
}

}  // namespace pebblerun
