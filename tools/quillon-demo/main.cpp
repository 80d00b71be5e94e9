// quillon-demo: the engine's public interface at work. Balls turn and fade,
// bitmap text waves, system text wraps and shows the frame rate.
//   quillon-demo [--app-dir DIR] [--frames N] [--fullscreen]
// Keys: arrows move the big ball, F12 saves a screenshot, Escape quits.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "demo_pictures.h"
#include "quillon/engine.h"
#include "quillon/extra.h"

namespace {

constexpr int kEscape = 1, kF12 = 88, kUp = 200, kLeft = 203, kRight = 205, kDown = 208;

struct Options {
  std::filesystem::path AppDir = std::filesystem::temp_directory_path() / "quillon-demo";
  long Frames = -1;  // run until closed
  bool FullScreen = false;
};

Options ParseArguments(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--app-dir" && i + 1 < argc) {
      o.AppDir = argv[++i];
    } else if (a == "--frames" && i + 1 < argc) {
      o.Frames = std::strtol(argv[++i], nullptr, 10);
    } else if (a == "--fullscreen") {
      o.FullScreen = true;
    } else {
      std::fprintf(stderr, "usage: quillon-demo [--app-dir DIR] [--frames N] [--fullscreen]\n");
      std::exit(2);
    }
  }
  return o;
}

struct Scene {
  quillon::Texture Ball;
  quillon::Texture Font;
  float BigX = 288, BigY = 300;
};

void DrawScene(quillon::Engine& engine, quillon::Extra& extra, Scene& scene, long frame) {
  engine.ClearScreen(18, 24, 48);
  // A ring of balls, each turning and fading at its own pace.
  for (int i = 0; i < 24; ++i) {
    const float a = static_cast<float>(i * 15 + frame);
    const float x = 304 + 200 * std::cos(a * 3.14159265f / 180), y = 200 + 120 * std::sin(a * 3.14159265f / 180);
    const auto alpha = static_cast<std::int16_t>(55 + 45 * std::sin((frame + i * 10) / 20.0));
    engine.AmbientColor(255, 128 + (i * 40) % 128, 255 - (i * 30) % 200);
    engine.Draw(scene.Ball, x, y, 32, 32, static_cast<float>(frame * (i % 5 + 1)), alpha);
  }
  engine.AmbientColor(255, 255, 255);
  engine.Draw(scene.Ball, scene.BigX, scene.BigY, 32, 32, -static_cast<float>(frame) * 2, 100, 0, 0, 64, 64);
  // Bitmap text: the letters rock about their own middles.
  engine.DrawText(scene.Font, "QUILLON DEMO", 188, 20, 1, static_cast<float>(10 * std::sin(frame / 10.0)), 100,
                  255, 220, 120);
  engine.DrawText(scene.Font, "FRAME " + std::to_string(frame), 20, 440, 0.75f, 0, 70, 150, 255, 200);
  // System-font text: the frame rate and a wrapped, centred paragraph.
  engine.DrawFont("small", 10, 10, 200, 20, "FPS " + std::to_string(extra.GetFps()), -1, 0);
  engine.DrawFont("body", 120, 380, 400, 60,
                  "Balls turn and fade, letters rock, and this paragraph wraps inside its box, "
                  "each line centred.",
                  static_cast<std::int32_t>(0xFFB0E0FF), 1);
  engine.DrawFont("small", 430, 455, 200, 20, engine.Version(), static_cast<std::int32_t>(0xC0FFFFFF), 2);
}

void HandleKeys(quillon::Engine& engine, Scene& scene, bool& running) {
  if (engine.GetKeyDown(kLeft)) scene.BigX -= 4;
  if (engine.GetKeyDown(kRight)) scene.BigX += 4;
  if (engine.GetKeyDown(kUp)) scene.BigY -= 4;
  if (engine.GetKeyDown(kDown)) scene.BigY += 4;
  if (engine.GetKeyPressed(kF12)) engine.SaveScreenshot();
  if (engine.GetKeyPressed(kEscape)) running = false;
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = ParseArguments(argc, argv);
  std::error_code ec;
  std::filesystem::create_directories(options.AppDir, ec);
  if (!demo::WriteBall(options.AppDir / "ball.bmp") || !demo::WriteFont(options.AppDir / "font.bmp")) {
    std::fprintf(stderr, "quillon-demo: cannot write into %s\n", options.AppDir.c_str());
    return 1;
  }
  quillon::Engine engine;
  if (!engine.Quillon_Start(0, options.AppDir.string(), 640, 480, options.FullScreen)) {
    std::fprintf(stderr, "quillon-demo: the engine did not start (see %s/log.txt)\n", options.AppDir.c_str());
    return 1;
  }
  engine.SetWindowCaption("Quillon demo");
  quillon::Extra extra;
  extra.SetFPSLimit(60);
  Scene scene;
  engine.CreateTexture(scene.Ball, "ball.bmp", static_cast<std::int32_t>(0x00FF00FF));
  engine.CreateTexture(scene.Font, "font.bmp", static_cast<std::int32_t>(0xFF000000));
  engine.CreateFont("small", "Verdana", 9);
  engine.CreateFont("body", "Serif", 12, false, true);
  bool running = true;
  engine.SetWindowEventHandler([&](const quillon::WindowEvent& e) {
    if (e.Kind == quillon::WindowEventKind::CloseRequested) running = false;
    if (e.Kind == quillon::WindowEventKind::ToggleFullScreen) engine.SetFullScreen(!engine.IsFullScreen());
  });
  for (long frame = 0; running && frame != options.Frames; ++frame) {
    DrawScene(engine, extra, scene, frame);
    engine.RenderAll();
    HandleKeys(engine, scene, running);
  }
  engine.Quillon_Unload();
  return scene.Ball.Empty() || scene.Font.Empty() ? 1 : 0;
}
