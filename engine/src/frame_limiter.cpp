// The frame limiter behind Engine::RenderAll and the FPS counters of Extra.
//
// A frame is held until 1/rate seconds after the end of the previous one. The
// wait sleeps until shortly before that deadline and spins on the clock only
// for the last stretch: the frame stays exact to a fraction of a millisecond
// without keeping a core busy for the whole frame. The window's messages are
// processed throughout the wait.

#include "mod_extra.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

namespace quillon::lib {

namespace {

using Nanoseconds = std::int64_t;

// How long before the deadline the wait stops sleeping and starts spinning:
// comfortably more than the scheduler's usual oversleep.
constexpr Nanoseconds SpinStretch = 1'500'000;
// Longest single sleep, so pending messages are handled promptly.
constexpr Nanoseconds LongestSleep = 2'000'000;

Nanoseconds Counter() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void Pump(void (*pumpMessages)()) {
  if (pumpMessages != nullptr) {
    pumpMessages();
  }
}

}  // namespace

void LimitFrame(int rate, void (*pumpMessages)()) {
  LibraryState& state = State();
  const Nanoseconds budget = rate > 0 ? std::llround(1e9 / rate) : 0;
  const Nanoseconds deadline = state.LastFrameEndNs + budget;

  for (;;) {
    const Nanoseconds sleepFor = deadline - SpinStretch - Counter();
    if (sleepFor <= 0) {
      break;
    }
    std::this_thread::sleep_for(std::chrono::nanoseconds(std::min(sleepFor, LongestSleep)));
    Pump(pumpMessages);
  }

  // At least one iteration always runs, so the spin count of a late frame is 1.
  std::int32_t spins = 0;
  Nanoseconds now;
  do {
    ++spins;
    Pump(pumpMessages);
    now = Counter();
  } while (now < deadline);

  state.LastFrameEndNs = now;
  state.SpinCount = spins;
  ++state.FramesThisSecond;
  const std::int64_t tickMs = now / 1'000'000;
  if (tickMs > state.LastSecondTickMs + 1000) {
    state.PublishedFps = state.FramesThisSecond;
    state.FramesThisSecond = 0;
    state.LastSecondTickMs = tickMs;
  }
}

}  // namespace quillon::lib
