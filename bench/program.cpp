// The program around the game: start-up to the first menu frame with the
// content of the application folder, and the CPU the main loop takes while a
// game runs at 50 frames a second with its frame waits on.
//
// Runs headless (SDL's dummy video driver, OpenAL's null device) on the
// build's application folder (build/app beside build/bench, or
// PEBBLERUN_APP_DIR); it writes that folder's log and options file.
#include <benchmark/benchmark.h>

#include <time.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "mod_Main.h"
#include "sim_runner.h"

namespace {

using namespace pebblerun;

std::string AppFolder() {
  if (const char* dir = std::getenv("PEBBLERUN_APP_DIR")) return dir;
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  return (self.parent_path().parent_path() / "app").string();
}

double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

std::unique_ptr<Program> StartedProgram(const CommandLine& cl) {
  auto p = std::make_unique<Program>();
  p->Game->AppFolder = AppFolder();
  std::string step;
  StartUp(*p, cl, step);
  return p;
}

void StartupToFirstMenuFrame(benchmark::State& state) {
  CommandLine cl;
  cl.Headless = true;
  for (auto _ : state) {
    auto p = StartedProgram(cl);
    RunControl run;
    run.Headless = true;
    MainLoopPass(*p, run);
    state.PauseTiming();
    ExitGame(*p);
    state.ResumeTiming();
  }
}
BENCHMARK(StartupToFirstMenuFrame)->Unit(benchmark::kMillisecond)->Iterations(5);

// A bot-recorded game played back through the real loop: range(0) = 1 waits
// for each frame as the game does, 0 runs flat out (the work of a frame).
void GameFrames(benchmark::State& state) {
  const bool wait = state.range(0) != 0;
  const auto replay = std::filesystem::temp_directory_path() / "pebblerun-bench-replay.ini";
  SimOptions sim;
  sim.AppDir = AppFolder();
  sim.Player = SimPlayerKind::Bot;
  sim.Seed = 7;
  sim.RecordFile = replay.string();
  RunSimulation(sim);

  CommandLine cl;
  cl.Headless = true;
  auto p = StartedProgram(cl);
  RunControl run;
  run.Headless = !wait;
  double cpu = 0;
  std::int64_t frames = 0;
  for (auto _ : state) {
    if (!p->Game->InGame) StartReplayNow(*p, replay.string());
    const double before = CpuSeconds();
    MainLoopPass(*p, run);
    cpu += CpuSeconds() - before;
    ++frames;
  }
  state.counters["cpu_ms_per_frame"] = cpu * 1000 / static_cast<double>(frames);
  // Share of one core at 50 frames a second.
  state.counters["core_percent_at_50fps"] = cpu * 1000 / static_cast<double>(frames) / 20 * 100;
  ExitGame(*p);
  std::filesystem::remove(replay);
}
BENCHMARK(GameFrames)->Arg(0)->Arg(1)->ArgNames({"wait"})->Iterations(250)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("ALSOFT_DRIVERS", "null", 0);
  setenv("XDG_CONFIG_HOME", (std::filesystem::temp_directory_path() / "pebblerun-bench-config").c_str(), 0);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
