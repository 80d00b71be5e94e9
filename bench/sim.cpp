// Simulated frames per second of whole headless bot games, story and arcade,
// on the shipped tuning files (no trace, no recording).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "sim_runner.h"

namespace {

// The application folder of the build (build/app beside build/bench) holds
// the shipped tuning files; PEBBLERUN_APP_DIR names another one.
std::string AppFolder() {
  if (const char* dir = std::getenv("PEBBLERUN_APP_DIR")) return dir;
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  return (self.parent_path().parent_path() / "app").string();
}

void WholeBotGame(benchmark::State& state) {
  pebblerun::SimOptions options;
  options.AppDir = AppFolder();
  options.Story = state.range(0) != 0;
  options.Player = pebblerun::SimPlayerKind::Bot;
  std::uint32_t seed = 1;
  std::int64_t frames = 0;
  for (auto _ : state) {
    options.Seed = seed++;
    frames += pebblerun::RunSimulation(options).Frames;
  }
  state.counters["frames_per_second"] =
      benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
  state.counters["frames_per_game"] =
      static_cast<double>(frames) / static_cast<double>(state.iterations());
}
BENCHMARK(WholeBotGame)->Arg(1)->Arg(0)->ArgNames({"story"})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
