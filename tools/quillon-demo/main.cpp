// quillon-demo: the engine's public interface at work. Balls turn and fade,
// bitmap text waves, system text wraps and shows the frame rate, a blip
// sounds now and then with its own pan, volume and pitch, and a tune loops.
//   quillon-demo [--app-dir DIR] [--frames N] [--fullscreen]
// Keys: arrows move the big ball, Space blips from where the big ball is,
// M pauses and resumes the music, F12 saves a screenshot, Escape quits.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "demo_pictures.h"
#include "demo_sounds.h"
#include "quillon/engine.h"
#include "quillon/extra.h"
#include "quillon/mp3player.h"

namespace {

constexpr int kEscape = 1, kM = 50, kSpace = 57, kF12 = 88, kUp = 200, kLeft = 203, kRight = 205, kDown = 208;

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
  std::string LastBlip = "no blip yet";
  bool MusicPaused = false;
};

// Plays the blip and says how: pan -100 (left) to 100 (right), volume 0 to
// 100, frequency in kHz (0 keeps the file's own 22.05 kHz).
void Blip(quillon::Engine& engine, Scene& scene, std::int32_t pan, std::int32_t volume, std::int32_t kHz) {
  engine.SoundPlay("blip", false, volume, pan, kHz);
  scene.LastBlip = "BLIP PAN " + std::to_string(pan) + " VOL " + std::to_string(volume) + " KHZ " +
                   (kHz == 0 ? std::string("FILE") : std::to_string(kHz));
}

// Every 40 frames a blip sweeps through the pans, volumes and pitches.
void AutoBlip(quillon::Engine& engine, Scene& scene, long frame) {
  if (frame % 40 != 0) return;
  const long n = frame / 40;
  const std::int32_t pans[] = {-100, -50, 0, 50, 100};
  const std::int32_t volumes[] = {100, 85, 70};
  const std::int32_t pitches[] = {0, 11, 33, 44};
  Blip(engine, scene, pans[n % 5], volumes[n % 3], pitches[n % 4]);
}

// The music does not repeat by itself: start it over once it has run out.
void KeepMusicGoing(quillon::MP3Player& music, const Scene& scene) {
  const std::int32_t duration = music.GetDuration();
  if (!scene.MusicPaused && duration > 0 && music.GetCurrentPosition() >= duration) music.PlayMP3(true);
}

void DrawScene(quillon::Engine& engine, quillon::Extra& extra, const quillon::MP3Player& music, Scene& scene,
               long frame) {
  engine.ClearScreen(18, 24, 48);
  // A ring of balls, each turning and fading at its own pace.
  for (int i = 0; i < 24; ++i) {
    const float a = static_cast<float>(i * 15 + frame);
    const float x = 304 + 200 * std::cos(a * 3.14159265f / 180),
                y = 200 + 120 * std::sin(a * 3.14159265f / 180);
    const auto alpha = static_cast<std::int16_t>(55 + 45 * std::sin((frame + i * 10) / 20.0));
    engine.AmbientColor(255, 128 + (i * 40) % 128, 255 - (i * 30) % 200);
    engine.Draw(scene.Ball, x, y, 32, 32, static_cast<float>(frame * (i % 5 + 1)), alpha);
  }
  engine.AmbientColor(255, 255, 255);
  engine.Draw(scene.Ball, scene.BigX, scene.BigY, 32, 32, -static_cast<float>(frame) * 2, 100, 0, 0, 64, 64);
  // Bitmap text: the letters rock about their own middles.
  engine.DrawText(scene.Font, "QUILLON DEMO", 188, 20, 1, static_cast<float>(10 * std::sin(frame / 10.0)),
                  100, 255, 220, 120);
  engine.DrawText(scene.Font, "FRAME " + std::to_string(frame), 20, 440, 0.75f, 0, 70, 150, 255, 200);
  // System-font text: the frame rate and a wrapped, centred paragraph.
  engine.DrawFont("small", 10, 10, 200, 20, "FPS " + std::to_string(extra.GetFps()), -1, 0);
  engine.DrawFont("body", 120, 380, 400, 60,
                  "Balls turn and fade, letters rock, and this paragraph wraps inside its box, "
                  "each line centred.",
                  static_cast<std::int32_t>(0xFFB0E0FF), 1);
  engine.DrawFont("small", 430, 455, 200, 20, engine.Version(), static_cast<std::int32_t>(0xC0FFFFFF), 2);
  const std::string tune = "Music " + std::to_string(music.GetCurrentPosition()) + " / " +
                           std::to_string(music.GetDuration()) + " s" +
                           (scene.MusicPaused ? " (paused)" : "");
  engine.DrawFont("small", 430, 10, 200, 20, tune, -1, 2);
  engine.DrawText(scene.Font, scene.LastBlip, 20, 462, 0.5f, 0, 80, 255, 255, 255);
}

void HandleKeys(quillon::Engine& engine, quillon::MP3Player& music, Scene& scene, bool& running) {
  if (engine.GetKeyDown(kLeft)) scene.BigX -= 4;
  if (engine.GetKeyDown(kRight)) scene.BigX += 4;
  if (engine.GetKeyDown(kUp)) scene.BigY -= 4;
  if (engine.GetKeyDown(kDown)) scene.BigY += 4;
  if (engine.GetKeyPressed(kF12)) engine.SaveScreenshot();
  if (engine.GetKeyPressed(kSpace)) {
    Blip(engine, scene, static_cast<std::int32_t>(std::clamp((scene.BigX - 288) / 3, -100.0f, 100.0f)), 100,
         0);
  }
  if (engine.GetKeyPressed(kM)) {
    scene.MusicPaused = !scene.MusicPaused;
    if (scene.MusicPaused) {
      music.StopMP3(true);
    } else {
      music.PlayMP3();
    }
  }
  if (engine.GetKeyPressed(kEscape)) running = false;
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = ParseArguments(argc, argv);
  std::error_code ec;
  std::filesystem::create_directories(options.AppDir, ec);
  if (!demo::WriteBall(options.AppDir / "ball.bmp") || !demo::WriteFont(options.AppDir / "font.bmp") ||
      !demo::WriteBlip(options.AppDir / "blip.wav") || !demo::WriteTune(options.AppDir / "tune.wav")) {
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
  engine.CreateSound("blip", "blip.wav");
  quillon::MP3Player music;
  if (music.LoadMP3("tune.wav")) {
    music.SetVolume(80);
    music.PlayMP3();
  }
  bool running = true;
  engine.SetWindowEventHandler([&](const quillon::WindowEvent& e) {
    if (e.Kind == quillon::WindowEventKind::CloseRequested) running = false;
    if (e.Kind == quillon::WindowEventKind::ToggleFullScreen) engine.SetFullScreen(!engine.IsFullScreen());
  });
  for (long frame = 0; running && frame != options.Frames; ++frame) {
    AutoBlip(engine, scene, frame);
    KeepMusicGoing(music, scene);
    DrawScene(engine, extra, music, scene, frame);
    engine.RenderAll();
    HandleKeys(engine, music, scene, running);
  }
  engine.Quillon_Unload();
  return scene.Ball.Empty() || scene.Font.Empty() ? 1 : 0;
}
