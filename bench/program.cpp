// The program around the game: start-up to the first menu frame with the
// content of the application folder, and the CPU the main loop takes while a
// game runs at 50 frames a second with its frame waits on.
//
// Runs headless (SDL's dummy or offscreen video driver, OpenAL's null
// device) on the build's application folder (build/app beside build/bench, or
// PEBBLERUN_APP_DIR); it writes that folder's log and options file.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <SDL.h>
#include <quillon/clocks.h>

#include "app_folder.h"
#include "headless/runner.h"
#include "program/mod_Main.h"
#include "sim/playfield.h"

namespace {

using namespace pebblerun;

using bench::AppFolder;

using quillon::clocks::ProcessCpuSeconds;

std::unique_ptr<Program> StartedProgram(const CommandLine& cl) {
  auto p = std::make_unique<Program>();
  p->Game->AppFolder = AppFolder();
  std::string step;
  StartUp(*p, cl, step);
  return p;
}

// The renderer a benchmark's window gets: SDL's software renderer on the
// dummy video driver, or SDL's OpenGL renderer on the offscreen driver (Mesa's
// software rasterizer where there is no GPU).
enum Renderer { kSoftware = 0, kOpenGL = 1 };

void ChooseRenderer(int renderer) {
  setenv("SDL_VIDEODRIVER", renderer == kOpenGL ? "offscreen" : "dummy", 1);
  setenv("SDL_RENDER_DRIVER", renderer == kOpenGL ? "opengl" : "software", 1);
}

// The renderer the game's window ended up with: SDL's name for it, or
// "software canvas" when the engine draws on a canvas of its own and the
// window keeps no renderer.
std::string RendererInUse() {
  for (Uint32 id = 256; id > 0; --id) {
    SDL_Window* window = SDL_GetWindowFromID(id);
    if (!window) continue;
    SDL_Renderer* renderer = SDL_GetRenderer(window);
    SDL_RendererInfo info;
    if (renderer && SDL_GetRendererInfo(renderer, &info) == 0) return info.name;
    return "software canvas";
  }
  return "no window";
}

void StartupToFirstMenuFrame(benchmark::State& state) {
  ChooseRenderer(static_cast<int>(state.range(0)));
  CommandLine cl;
  cl.Headless = true;
  for (auto _ : state) {
    auto p = StartedProgram(cl);
    RunControl run;
    run.Headless = true;
    MainLoopPass(*p, run);
    state.PauseTiming();
    state.SetLabel(RendererInUse());
    ExitGame(*p);
    state.ResumeTiming();
  }
}
BENCHMARK(StartupToFirstMenuFrame)
    ->Arg(kSoftware)
    ->Arg(kOpenGL)
    ->ArgName("renderer")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

std::filesystem::path RecordedGame() {
  const auto replay = std::filesystem::temp_directory_path() / "pebblerun-bench-replay.ini";
  SimOptions sim;
  sim.AppDir = AppFolder();
  sim.Player = SimPlayerKind::Bot;
  sim.Seed = 7;
  sim.RecordFile = replay.string();
  RunSimulation(sim);
  return replay;
}

// Counters of a measured stretch of frames.
struct FrameCost {
  double Cpu = 0;
  std::int64_t Frames = 0, Sprites = 0;
  // One timed pass of the main loop.
  void Pass(Program& p, RunControl& run) {
    const double before = ProcessCpuSeconds();
    MainLoopPass(p, run);
    Cpu += ProcessCpuSeconds() - before;
    ++Frames;
  }
  void Report(benchmark::State& state) const {
    const double ms = Cpu * 1000 / static_cast<double>(Frames);
    state.counters["cpu_ms_per_frame"] = ms;
    // Share of one core at 50 frames a second; with waits on, less the same
    // figure without them is what the waiting itself costs.
    state.counters["core_percent_at_50fps"] = ms / 20 * 100;
    if (Sprites > 0)
      state.counters["sprites_per_frame"] = static_cast<double>(Sprites) / static_cast<double>(Frames);
  }
};

// The larger layers of a game frame, counted from the state: visible cells,
// water strips, drill heads and shafts, Tobo and his trail.
std::int64_t SpritesOf(const GameState& g) {
  std::int64_t n =
      18 + 13 * (1 + std::max<std::int64_t>(0, static_cast<std::int64_t>(g.World.DrillY + 32) / 32));
  const int first = static_cast<int>(-g.World.ScrollY) / 32;
  for (int y = first; y <= first + 15 && y < kGridRows; ++y) {
    for (int x = 0; x < 15; ++x) n += g.Field.Cells[x][y] > 0;
  }
  if (g.DetailsHigh) n += g.World.WaterY + 25 < 480 ? 418 : 209;
  return n;
}

// A started program on the given renderer, high details (the water and the
// turning menu background on); the benchmark is labelled with the renderer.
std::unique_ptr<Program> ProgramOn(benchmark::State& state, int renderer) {
  ChooseRenderer(renderer);
  CommandLine cl;
  cl.Headless = true;
  auto p = StartedProgram(cl);
  p->Game->DetailsHigh = true;
  state.SetLabel(RendererInUse());
  return p;
}

// Every empty cell below the start rows gets a tile: the screen stays full
// of tiles for the whole game.
void FillField(GameState& g) {
  for (int y = 4; y <= static_cast<int>(g.StoryLength); ++y) {
    for (int x = 0; x < 15; ++x) {
      if (Cell(g, static_cast<Single>(x), static_cast<Single>(y)) == 0)
        Cell(g, static_cast<Single>(x), static_cast<Single>(y), static_cast<Integer>(1 + (x + y) % 4));
    }
  }
}

// A bot-recorded game played back through the real loop on a field full of
// tiles, high details (the water on), from its 60th frame on (past the
// start fade): a busy screen of about 700 sprites. range(0) picks the renderer; range(1)
// = 1 waits for each frame as the game does, 0 runs flat out (the work of a
// frame: simulation, drawing, present).
void GameFrames(benchmark::State& state) {
  const int renderer = static_cast<int>(state.range(0));
  const bool wait = state.range(1) != 0;
  const auto replay = RecordedGame();
  auto p = ProgramOn(state, renderer);
  RunControl run;
  int restarts = 0;
  const auto restart = [&] {
    StartReplayNow(*p, replay.string());
    run.Headless = true;
    MainLoopPass(*p, run);  // the playback lays out its map
    FillField(*p->Game);
    for (int i = 0; i < 60; ++i) MainLoopPass(*p, run);
    ++restarts;
    run.Headless = !wait;
  };
  restart();
  FrameCost cost;
  for (auto _ : state) {
    // A game that is over fades out into the menu: not a frame of play.
    if (p->Game->GameOver || !p->Game->InGame) {
      state.PauseTiming();
      restart();
      state.ResumeTiming();
    }
    cost.Pass(*p, run);
    cost.Sprites += SpritesOf(*p->Game);
  }
  cost.Report(state);
  state.counters["games"] = restarts;
  ExitGame(*p);
  std::filesystem::remove(replay);
}
BENCHMARK(GameFrames)
    ->Args({kSoftware, 0})
    ->Args({kOpenGL, 0})
    ->Args({kSoftware, 1})
    ->Args({kOpenGL, 1})
    ->ArgNames({"renderer", "wait"})
    ->Iterations(250)
    ->Unit(benchmark::kMillisecond);

// Main-menu frames (high details: the turning background), flat out.
void MenuFrames(benchmark::State& state) {
  auto p = ProgramOn(state, static_cast<int>(state.range(0)));
  p->Game->Menu.MenuScreen = "";
  p->Game->Menu.MenuItem = 1;
  RunControl run;
  run.Headless = true;
  for (int i = 0; i < 100; ++i) MainLoopPass(*p, run);  // past the opening logo
  FrameCost cost;
  for (auto _ : state) cost.Pass(*p, run);
  cost.Report(state);
  ExitGame(*p);
}
BENCHMARK(MenuFrames)
    ->Arg(kSoftware)
    ->Arg(kOpenGL)
    ->ArgName("renderer")
    ->Iterations(100)
    ->Unit(benchmark::kMillisecond);

// The first 50 frames of a game, while the menu background fades out over
// the field: the dearest frames a game has.
void GameStartFadeFrames(benchmark::State& state) {
  const auto replay = RecordedGame();
  auto p = ProgramOn(state, static_cast<int>(state.range(0)));
  RunControl run;
  run.Headless = true;
  FrameCost cost;
  for (auto _ : state) {
    if (cost.Frames % 50 == 0) {
      state.PauseTiming();
      StartReplayNow(*p, replay.string());
      state.ResumeTiming();
    }
    cost.Pass(*p, run);
  }
  cost.Report(state);
  ExitGame(*p);
  std::filesystem::remove(replay);
}
BENCHMARK(GameStartFadeFrames)
    ->Arg(kSoftware)
    ->Arg(kOpenGL)
    ->ArgName("renderer")
    ->Iterations(100)
    ->Unit(benchmark::kMillisecond);

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
