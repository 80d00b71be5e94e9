// One frame of the game's busiest screen: 700 tinted, alpha-blended 32 x 32
// sprites at 640 x 480, a quarter of them turned, drawn through Engine::Draw
// and presented. Run it with SDL_VIDEODRIVER=dummy (SDL's software renderer)
// and with SDL_VIDEODRIVER=offscreen (OpenGL on the machine's rasterizer).
// Arguments: sprites, and which are turned (4: every fourth, the game's case;
// 0: none; 1: all) to show the cost of the two drawing paths.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "engine_impl.h"
#include "mod_extra.h"
#include "quillon/engine.h"

namespace {

quillon::Image Ball() {
  quillon::Image image{32, 32, std::vector<std::uint8_t>(32 * 32 * 4)};
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      std::uint8_t* p = image.Pixel(x, y);
      const int dx = x - 16, dy = y - 16;
      p[0] = static_cast<std::uint8_t>(8 * x), p[1] = static_cast<std::uint8_t>(8 * y), p[2] = 200;
      p[3] = dx * dx + dy * dy < 256 ? 255 : 0;
    }
  }
  return image;
}

void BM_SpriteFrame(benchmark::State& state) {
  const auto folder =
      std::filesystem::temp_directory_path() / ("quillon-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  quillon::Engine engine;
  if (!engine.Quillon_Start(0, folder.string(), 640, 480)) {
    state.SkipWithError("no display");
    return;
  }
  std::string error;
  quillon::Texture ball(engine.Internals().Video->CreateTexture(Ball(), error));
  const int sprites = static_cast<int>(state.range(0));
  int frame = 0;
  for (auto _ : state) {
    engine.ClearScreen(20, 30, 40);
    for (int i = 0; i < sprites; ++i) {
      engine.AmbientColor(255, 128 + i % 128, 255 - i % 200);
      const float x = static_cast<float>((i * 37 + frame) % 608), y = static_cast<float>((i * 53) % 448);
      const float angle = (state.range(1) == 4 ? i % 4 == 0 : state.range(1) == 1)
                              ? static_cast<float>((i * 7 + frame) % 360)
                              : 0.0f;
      engine.Draw(ball, x, y, 32, 32, angle, static_cast<std::int16_t>(40 + i % 60));
    }
    engine.Present();
    ++frame;
  }
  state.SetLabel(engine.Internals().Video->RendererName());
  engine.Quillon_Unload();
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_SpriteFrame)
    ->Args({700, 4})
    ->Args({700, 0})
    ->Args({700, 1})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
