// INI calls as the game makes them while recording a replay: ten thousand
// writes of distinct keys into one file, then ten thousand reads of them, each
// call resolving the system's file name first. Reported per call.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "quillon/paths.h"
#include "quillon/profile.h"

namespace {

namespace fs = std::filesystem;
constexpr int kKeys = 10000;

fs::path MakeAppFolder() {
  std::string pattern = (fs::temp_directory_path() / "quillon-bench-XXXXXX").string();
  return ::mkdtemp(pattern.data()) ? fs::path(pattern) : fs::path();
}

std::string KeyOf(int i) { return std::to_string(i) + "_MoveLeft"; }

void BM_IniWriteThenRead(benchmark::State& state) {
  const fs::path app = MakeAppFolder();
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove(app / "Replay.ini");
    quillon::profile::ClearCache();
    state.ResumeTiming();
    for (int i = 0; i < kKeys; ++i) {
      const fs::path file = quillon::paths::Resolve("\\Replay.ini", app);
      quillon::profile::WriteString(file, "ingame", KeyOf(i), i % 2 ? "True" : "False");
    }
    for (int i = 0; i < kKeys; ++i) {
      const fs::path file = quillon::paths::Resolve("\\Replay.ini", app);
      benchmark::DoNotOptimize(quillon::profile::ReadString(file, "InGame", KeyOf(i)));
    }
    quillon::profile::Flush();
  }
  state.counters["per_call"] = benchmark::Counter(
      2 * kKeys, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  quillon::profile::ClearCache();
  fs::remove_all(app);
}
BENCHMARK(BM_IniWriteThenRead)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
