#pragma once
// A game controller drives the same key states as the keyboard, so a game
// played with a pad reads, records and plays back exactly like one played
// with keys. What a button means depends on where the player is:
//
//   in play      d-pad / left stick left and right walk (Left, Right), A jumps
//                (Up), B and X drop a bomb (Space), Start pauses (P), Back
//                ends the game (Escape)
//   in the menus up and down move (Up, Down), A and Start open (Enter), B and
//                Back go back (Escape)
//   name entry   up and down change the letter under the cursor (Up, Down),
//                left and right move it (Left, Right), A and Start confirm
//                (Enter), B deletes (Backspace), Back confirms too (Escape);
//                held, these repeat after a moment
//
// A button held while the player moves from one of these to another (A held
// from a jump when Tobo dies) acts in the new one only after it has been let
// go, so it cannot confirm a name or open a menu entry by accident.

#include <array>
#include <cstdint>

#include <quillon/pad.h>

#include "sim/controls.h"

namespace pebblerun {

enum class InputContext { Menu, Play, NameEntry };

// A stick counts as pushed from a quarter of its travel on.
inline constexpr int kStickDeadZone = 8192;

class PadKeys {
 public:
  // Marks the keys the pad holds in this frame down in keys.
  void AddTo(const quillon::PadState& pad, InputContext context, KeyStates& keys);

 private:
  enum Input { Up, Down, Left, Right, A, B, X, Start, Back, kInputs };
  static std::array<bool, kInputs> Held(const quillon::PadState& pad);

  InputContext context_ = InputContext::Menu;
  std::array<bool, kInputs> suppressed_{};
  std::array<int, kInputs> heldFrames_{};
};

}  // namespace pebblerun
