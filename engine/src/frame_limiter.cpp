// The frame limiter behind Engine::RenderAll and the FPS counters of Extra.
//
// A frame is held until 1/rate seconds after the end of the previous one. The
// wait sleeps until shortly before that deadline and spins on the clock only
// for the last stretch: the frame stays exact to a fraction of a millisecond
// without keeping a core busy for the whole frame. The window's messages are
// processed throughout the wait.

#include "mod_extra.h"

#include <quillon/frame_wait.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

namespace quillon {

namespace {

// How long before the deadline the wait stops sleeping and starts spinning:
// comfortably more than the scheduler's usual oversleep (about 0.1 ms, 0.2 ms
// at the 99th percentile on a busy two-core machine). Longer stalls are
// preemptions, which a spinning thread suffers just the same, so a longer
// stretch would only burn processor time.
constexpr std::int64_t SpinStretch = 500'000;
// Longest single sleep, so pending messages are handled promptly.
constexpr std::int64_t LongestSleep = 2'000'000;

void Pump(void (*pumpMessages)()) {
  if (pumpMessages != nullptr) {
    pumpMessages();
  }
}

}  // namespace

std::int64_t ClockNanoseconds() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

std::int32_t WaitUntil(std::int64_t deadline, void (*pumpMessages)(), std::int64_t* endNs) {
  for (;;) {
    const std::int64_t sleepFor = deadline - SpinStretch - ClockNanoseconds();
    if (sleepFor <= 0) {
      break;
    }
    std::this_thread::sleep_for(std::chrono::nanoseconds(std::min(sleepFor, LongestSleep)));
    Pump(pumpMessages);
  }

  // At least one iteration always runs, so the spin count of a late frame is 1.
  std::int32_t spins = 0;
  std::int64_t now;
  do {
    ++spins;
    Pump(pumpMessages);
    now = ClockNanoseconds();
  } while (now < deadline);
  if (endNs != nullptr) {
    *endNs = now;
  }
  return spins;
}

}  // namespace quillon

namespace quillon::lib {

void LimitFrame(int rate, void (*pumpMessages)()) {
  LibraryState& state = State();
  const std::int64_t budget = rate > 0 ? std::llround(1e9 / rate) : 0;
  std::int64_t now = 0;
  state.SpinCount = WaitUntil(state.LastFrameEndNs + budget, pumpMessages, &now);
  state.LastFrameEndNs = now;
  ++state.FramesThisSecond;
  const std::int64_t tickMs = now / 1'000'000;
  if (tickMs > state.LastSecondTickMs + 1000) {
    state.PublishedFps = state.FramesThisSecond;
    state.FramesThisSecond = 0;
    state.LastSecondTickMs = tickMs;
  }
}

}  // namespace quillon::lib
