#pragma once
// Game controllers as the engine's hosts see them: the buttons and axes of a
// pad laid out like the common twin-stick pad (A is the bottom face button,
// B the right one, X the left one, Y the top one, whatever the labels on a
// particular pad say), and one merged state of every pad that is plugged in.

#include <array>
#include <cstdint>

namespace quillon {

enum class PadButton : int {
  A,
  B,
  X,
  Y,
  Back,
  Guide,
  Start,
  LeftStick,
  RightStick,
  LeftShoulder,
  RightShoulder,
  DpadUp,
  DpadDown,
  DpadLeft,
  DpadRight,
};
inline constexpr int kPadButtons = 15;

enum class PadAxis : int { LeftX, LeftY, RightX, RightY, LeftTrigger, RightTrigger };
inline constexpr int kPadAxes = 6;

// One sample of the pads: a button is down when it is down on any pad (or was
// pressed and released since the previous sample); an axis takes the value
// farthest from the centre over all pads. Sticks run -32768..32767 with
// negative values left and up; triggers 0..32767.
struct PadState {
  int Connected = 0;  // pads plugged in and usable
  std::array<bool, kPadButtons> Buttons{};
  std::array<std::int16_t, kPadAxes> Axes{};

  bool Down(PadButton button) const { return Buttons[static_cast<std::size_t>(button)]; }
  std::int16_t Axis(PadAxis axis) const { return Axes[static_cast<std::size_t>(axis)]; }
};

}  // namespace quillon
