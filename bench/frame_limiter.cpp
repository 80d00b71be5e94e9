// The frame limiter at the game's 50 frames per second: how far each frame
// lands from its 20 ms and how much processor time a frame costs (a limiter
// that spins the whole frame costs about 20 ms of it).

#include "mod_extra.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <ctime>

namespace {

double ProcessCpuMs() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

void BM_FrameAt50Fps(benchmark::State& state) {
  quillon::lib::LimitFrame(50);  // start the frame clock
  double worstMs = 0;
  double totalErrorMs = 0;
  const double cpuStart = ProcessCpuMs();
  auto last = std::chrono::steady_clock::now();
  for (auto _ : state) {
    quillon::lib::LimitFrame(50);
    const auto now = std::chrono::steady_clock::now();
    const double error = std::fabs(std::chrono::duration<double, std::milli>(now - last).count() - 20.0);
    last = now;
    worstMs = std::max(worstMs, error);
    totalErrorMs += error;
  }
  const double frames = static_cast<double>(state.iterations());
  state.counters["mean_error_ms"] = totalErrorMs / frames;
  state.counters["worst_error_ms"] = worstMs;
  state.counters["cpu_ms_per_frame"] = (ProcessCpuMs() - cpuStart) / frames;
  state.counters["spins_last_frame"] = quillon::lib::State().SpinCount;
}
BENCHMARK(BM_FrameAt50Fps)->Iterations(250)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
