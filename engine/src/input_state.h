#pragma once
// Keyboard and mouse as the engine's queries see them: events keep a live
// state, RenderAll takes one sample of it per frame, and the queries read the
// sample and their latches.

#include <array>
#include <cstdint>

#include "quillon/records.h"

namespace quillon {

class KeyboardInput {
 public:
  void OnKey(int code, bool down);
  // A lost device keeps its last sample until it is acquired again.
  void Lose();
  void Acquire() { lost_ = false; }
  void Sample();
  void Reset();

  bool Down(int code) const;
  bool Up(int code);       // release edge, see GetKeyUp
  bool Pressed(int code);  // press edge, see GetKeyPressed
  std::uint8_t State(int code) const { return InRange(code) ? state_[code] : 0; }

 private:
  static bool InRange(int code) { return code >= 0 && code < 256; }
  std::array<std::uint8_t, 256> live_{};
  // Keys that went down since the last sample: a tap that is over before
  // the next sample still shows as down in that one sample.
  std::array<bool, 256> tapped_{};
  std::array<std::uint8_t, 256> state_{};
  std::array<bool, 256> releaseLatch_{};
  std::array<bool, 256> pressLatch_{};
  bool lost_ = false;
};

// What one sample of the mouse holds: wheel motion since the previous sample
// (120 per notch), the four buttons, the cursor in back-buffer pixels.
struct MouseSample {
  std::int32_t Wheel = 0;
  std::array<std::uint8_t, 4> Buttons{};
  std::int32_t X = 0;
  std::int32_t Y = 0;
};

class MouseInput {
 public:
  void OnMove(int x, int y);
  void OnButton(int button, bool down);
  void OnWheel(int delta) { wheel_ += delta; }
  void Lose();
  void Acquire() { lost_ = false; }
  void Sample();
  void Reset();
  const MouseSample& Last() const { return sample_; }
  void SetPosition(int x, int y);

 private:
  MouseSample live_;
  std::array<bool, 4> clicked_{};  // went down since the last sample, as tapped_ above
  std::int32_t wheel_ = 0;
  MouseSample sample_;
  bool lost_ = false;
};

// The library-wide part of the mouse: shared by every Engine of the process.
struct SharedMouse {
  std::int32_t WheelTotal = 0;
  std::array<bool, 3> Down{};
  std::array<bool, 3> ClickLatch{};
  std::array<bool, 3> ReleaseLatch{};
};
SharedMouse& SharedMouseState();

// GetMouseState's work once the position (engine coordinates) is known.
void FillMouse(SharedMouse& shared, const MouseSample& sample, std::int32_t x, std::int32_t y, Mouse& out);

}  // namespace quillon
