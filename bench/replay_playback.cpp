// Playing a replay file headless, as pebblerun-sim --replay does, start-up
// (tuning file, map, the replay's map and keys read at frame 0) taken off:
// frames per second of the whole playback, the file's key texts included.
// On the shipped story replay data/replay1.ini with the shipped tuning files.
#include <benchmark/benchmark.h>

#include <string>

#include "headless/players.h"
#include "headless/runner.h"
#include "sim/game_frame.h"
#include "sim/playback_input.h"
#include "sim/replay.h"

namespace {

using namespace pebblerun;

SimOptions Playback() {
  SimOptions o;
  o.AppDir = std::string(PEBBLERUN_SOURCE_DIR) + "/data";
  o.Player = SimPlayerKind::Replay;
  o.ReplayFile = o.AppDir + "/replay1.ini";
  return o;
}

void PlaybackOfAShippedReplay(benchmark::State& state) {
  const SimOptions options = Playback();
  std::int64_t frames = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto g = StartSimGame(options);
    // Frame 0 reads the replay's map and keys: start-up too.
    IdlePlayer player;
    SimOptions first = options;
    first.MaxFrames = 1;
    PlaySimGame(*g, first, player);
    state.ResumeTiming();
    frames += PlaySimGame(*g, options, player).Frames;
  }
  state.counters["frames_per_second"] =
      benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
}
BENCHMARK(PlaybackOfAShippedReplay)->Unit(benchmark::kMillisecond);

// For comparison, the cost the playback had when it looked up its four keys
// in the file in every frame: the same playback with those four lookups
// (each with its check of the file) added to each frame.
void PlaybackWithFourLookupsPerFrame(benchmark::State& state) {
  const SimOptions options = Playback();
  std::int64_t frames = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto g = StartSimGame(options);
    state.ResumeTiming();
    while (g->InGame) {
      for (const char* flag : kRecordedFlagNames)
        benchmark::DoNotOptimize(ReplayRead(*g, flag, "ingame", g->Replay.ReplayFrame));
      RunGameFrame(*g, KeyState{});
      ++frames;
    }
  }
  state.counters["frames_per_second"] =
      benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
}
BENCHMARK(PlaybackWithFourLookupsPerFrame)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
