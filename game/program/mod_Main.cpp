#include "program/mod_Main.h"

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include <quillon/frame_wait.h>
#include <quillon/paths.h>

#include "program/frmMain.h"
#include "program/init_dx.h"
#include "program/init_dxLoad.h"
#include "program/mod_Menu.h"
#include "program/mod_Render.h"
#include "sim/game_frame.h"
#include "sim/high_scores.h"
#include "sim/options.h"
#include "sim/scan_codes.h"
#include "sim/tuning.h"

namespace pebblerun {

namespace {

constexpr double kNanosecondsPerSecond = 1e9;

void SetVolume(MusicPlayer& music, Single volume) {
  music.SetVolume(static_cast<std::int32_t>(std::floor(volume)));
}

// The fast climb of a volume: 3 more below 60, then 1 more in any case.
Single Climb(Single volume) {
  if (volume < 60) volume += 3;
  return volume + 1;
}

// The step of start-up that is running, so that an error escaping it can
// name what the program was doing.
struct StartupFailure {
  std::string Step;
  std::string Reason;
};

// what is read when an error arrives: a step may update it as it goes.
template <class Step>
bool Guarded(const std::string& what, StartupFailure& failure, Step&& step) {
  try {
    step();
    return true;
  } catch (const std::exception& e) {
    failure = {what, e.what()};
  } catch (...) {
    failure = {what, "unknown error"};
  }
  return false;
}

void ReportFailure(Program& p, const std::string& title, const StartupFailure& failure) {
  const std::string text = title + "\n" + failure.Step + ": " + failure.Reason;
  p.Objects.ExtraObj.SaveLog("Error in " + failure.Step + " : " + failure.Reason);
  quillon::Engine::ShowMessage(kStartupFailureTitle, text);
}

std::array<std::uint8_t, kKeyCount> FrameKeys(Program& p, RunControl& run) {
  std::array<std::uint8_t, kKeyCount> keys{};
  quillon::Engine& engine = p.Objects.EngineObj;
  if (engine.HasDisplay()) {
    for (int code = 1; code < kKeyCount; ++code) {
      if (engine.GetKeyDown(code)) keys[code] = scan::kDown;
    }
  }
  if (run.Script.Advance(run.Frame, *p.Game)) p.Game->Running = false;
  run.Script.Merge(keys);
  return keys;
}

bool ReadTextFile(const std::string& file, std::string& text) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  std::ostringstream out;
  out << in.rdbuf();
  text = out.str();
  return true;
}

// Frame waits, frame budget, script and replay of this command line; false
// (with the reason on stderr) when a file it names cannot be used.
bool PrepareRun(const CommandLine& cl, RunControl& run) {
  run.Headless = cl.Headless;
  run.FrameLimit = cl.Frames;
  run.EndWithReplay = !cl.ReplayFile.empty();
  if (run.EndWithReplay && !std::filesystem::is_regular_file(cl.ReplayFile)) {
    std::cerr << "Pebblerun: cannot read the replay \"" << cl.ReplayFile << "\"\n";
    return false;
  }
  if (cl.ScriptFile.empty()) return true;
  std::string text;
  if (!ReadTextFile(cl.ScriptFile, text)) {
    std::cerr << "Pebblerun: cannot read the script \"" << cl.ScriptFile << "\"\n";
    return false;
  }
  std::vector<std::string> errors;
  run.Script = InputScript(ParseInputScript(text, errors));
  for (const std::string& error : errors) std::cerr << cl.ScriptFile << ": " << error << '\n';
  return errors.empty();
}

// The folder given, else the program's own; an installed program ("P/bin")
// finds its content in "P/share/games/pebblerun".
std::string AppFolderFor(const CommandLine& cl, const std::string& programFolder) {
  std::filesystem::path chosen = cl.AppDir;
  if (chosen.empty()) chosen = quillon::paths::InstalledContentFolder(programFolder).value_or(programFolder);
  std::error_code error;
  const auto folder = std::filesystem::absolute(chosen, error);
  return error ? chosen.string() : folder.lexically_normal().string();
}

}  // namespace

void StartMenuMusic(GameState& g, GameObjects& o) {
  if (!g.SoundOn) return;
  o.MenuMusic->PlayMP3(false);
  g.MenuMusicVolume = 90;
  o.GameMusic->SetVolume(1);
  g.GameMusicVolume = 1;
}

void MenuMusicStep(GameState& g, GameObjects& o) {
  if (g.SoundOn) {
    MusicPlayer& menu = *o.MenuMusic;
    if (menu.GetCurrentPosition() == 0) menu.PlayMP3(false);
    // Settles alternating between 100 and 101.
    g.MenuMusicVolume = g.MenuMusicVolume > 100 ? 100 : Climb(g.MenuMusicVolume);
    SetVolume(menu, g.MenuMusicVolume);
    if (menu.GetDuration() <= menu.GetCurrentPosition()) menu.PlayMP3(true);
  }
  if (g.GameMusicVolume > 1 && g.SoundOn) {
    g.GameMusicVolume = std::max<Single>(g.GameMusicVolume - 0.2f, 0);
    SetVolume(*o.GameMusic, g.GameMusicVolume);
  }
}

void GameMusicStep(GameState& g, GameObjects& o) {
  if (g.MenuMusicVolume > 1 && g.SoundOn) {
    g.MenuMusicVolume = std::max<Single>(g.MenuMusicVolume - 0.1f, 0);
    SetVolume(*o.MenuMusic, g.MenuMusicVolume);
  }
  if (!g.SoundOn) return;
  MusicPlayer& game = *o.GameMusic;
  g.GameMusicVolume = std::min<Single>(Climb(g.GameMusicVolume), 90);
  SetVolume(game, g.GameMusicVolume);
  if (game.GetDuration() <= game.GetCurrentPosition()) {
    game.StopMP3(false);
    game.PlayMP3(false);
  }
}

void WaitFrame(GameState& g, FrameTiming& timing, Single& fps, bool wait) {
  if (timing.FrameStart == 0) timing.FrameStart = quillon::ClockNanoseconds();
  fps = 1 / fps;
  const auto budget = static_cast<std::int64_t>(std::llround(fps * kNanosecondsPerSecond));
  if (wait) {
    g.WaitLoops +=
        static_cast<Single>(quillon::WaitUntil(timing.FrameStart + budget, nullptr, &timing.CounterNow));
  } else {
    timing.CounterNow = quillon::ClockNanoseconds();
    g.WaitLoops += 1;
  }
  g.FrameTime = 2.0 / 100;
  timing.FrameStart = quillon::ClockNanoseconds();
  if (static_cast<double>(timing.FrameStart - timing.SecondStart) / kNanosecondsPerSecond < 1) {
    g.FramesThisSecond += 1;
    return;
  }
  g.WaitLoadPerMs = g.WaitLoops / 1000;
  g.Fps = g.FramesThisSecond;
  g.FramesThisSecond = 0;
  g.WaitLoops = 0;
  timing.SecondStart = timing.FrameStart;
}

void PolarOffset(const GameState& g, Single& x, Single& y, Single angle, Single distance) {
  x += distance * std::cos(angle * g.Pi / 180);
  y += distance * std::sin(angle * g.Pi / 180);
}

void WrapDegrees(Single& angle) {
  if (angle > 359) angle -= 360;
  if (angle < 0) angle += 360;
}

bool StartUp(Program& p, const CommandLine& cl, std::string& step) {
  GameState& g = *p.Game;
  GameObjects& o = p.Objects;
  g.GameWindowMode = true;
  step = "the options file textures\\options.bmp";
  LoadOptions(g);
  step = "the played-games statistic " + UserSettingsFile().string();
  g.PlayedGames = ReadPlayedGames();
  if (cl.FullScreen) g.FullScreen = *cl.FullScreen;
  if (cl.Headless) g.FullScreen = false;
  step = "the engine start";
  o.EngineObj.Quillon_Start_OnlySound(0, g.AppFolder);
  if (!o.MenuMusic) o.MenuMusic = MakeEngineMusicPlayer();
  if (!o.GameMusic) o.GameMusic = MakeEngineMusicPlayer();
  step = "the display start and the game's pictures, sounds and fonts";
  g.Running = StartGameDisplay(p);
  FormLoad(p);
  if (!g.Running) return false;
  step = "the high-score file " + HighScoreFile(g);
  LoadHighScores(g);
  step = "the menu music";
  StartMenuMusic(g, o);
  step.clear();
  return true;
}

void StartReplayNow(Program& p, const std::string& file) {
  GameState& g = *p.Game;
  std::error_code error;
  const auto path = std::filesystem::absolute(file, error);
  g.Replay.PlayingReplay = true;
  g.Replay.RecordingReplay = false;
  g.Replay.ReplayFile = error ? file : path.string();
  g.Replay.ReplayFrame = 0;
  g.Menu.StartRequested = false;
  g.Menu.MenuItem = 10;
  g.Menu.MenuAlpha = 100;
  g.InGame = true;
  if (g.SoundOn) p.Objects.GameMusic->PlayMP3(false);
  StartGame(g);
}

void MainLoopPass(Program& p, RunControl& run) {
  GameState& g = *p.Game;
  const auto keys = FrameKeys(p, run);
  g.Input.Keys = keys;
  const bool inGameAtStart = g.InGame;
  quillon::Engine& e = p.Objects.EngineObj;
  if (!g.InGame) {
    e.ClearScreen(0, 0, 0);
    MenuFrame(p);
    e.Present();
    MenuMusicStep(g, p.Objects);
  } else {
    RunGameFrame(g, keys);
    DrawGameScreen(p);
    e.Present();
    GameMusicStep(g, p.Objects);
  }
  Single fps = 50;
  WaitFrame(g, p.Timing, fps, !run.Headless);
  // Only pending messages are handled, so pumping every frame costs nothing
  // when nothing waits, full screen or not.
  p.Objects.EngineObj.PumpEvents();
  ++run.Frame;
  if (run.FrameLimit >= 0 && run.Frame >= run.FrameLimit) g.Running = false;
  if (run.EndWithReplay && inGameAtStart && !g.InGame) g.Running = false;
}

void ExitGame(Program& p) {
  FormUnload(p);
  p.Assets = GameAssets{};
  GameObjects& o = p.Objects;
  o.MenuMusic.reset();
  o.GameMusic.reset();
  o.EngineObj.Quillon_Unload();
}

int Main(const CommandLine& cl, const std::string& programFolder) {
  if (!cl.Error.empty()) {
    std::cerr << "Pebblerun: " << cl.Error << "\n" << UsageText();
    return 2;
  }
  if (cl.Help) {
    std::cout << UsageText();
    return 0;
  }
  if (cl.Version) {
    std::cout << WindowCaption() << '\n';
    return 0;
  }
  RunControl run;
  if (!PrepareRun(cl, run)) return 2;
  if (cl.Headless) {
    // Nothing on screen and nothing to hear: the engine's devices run on
    // their null drivers.
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("ALSOFT_DRIVERS", "null", 1);
  }

  auto program = std::make_unique<Program>();
  Program& p = *program;
  GameState& g = *p.Game;
  g.AppFolder = AppFolderFor(cl, programFolder);
  EngineEvents events(p);
  g.Events = &events;
  g.CosmeticRandom.Seed(static_cast<std::uint32_t>(quillon::ClockNanoseconds() / 1000));
  p.Objects.EngineObj.SetWindowEventHandler([&p](const quillon::WindowEvent& e) { HandleWindowEvent(p, e); });

  StartupFailure failure;
  int exitCode = 0;
  std::string step = "start-up";
  if (!Guarded(step, failure, [&] { StartUp(p, cl, step); })) {
    ReportFailure(p, "Pebblerun could not start.", failure);
    g.Running = false;
    exitCode = 1;
  } else if (g.Running && run.EndWithReplay &&
             !Guarded("replay " + cl.ReplayFile, failure, [&] { StartReplayNow(p, cl.ReplayFile); })) {
    ReportFailure(p, "Pebblerun could not play the replay.", failure);
    g.Running = false;
    exitCode = 1;
  } else if (!g.Running) {
    exitCode = 1;
  }
  while (g.Running) {
    if (!Guarded("frame " + std::to_string(run.Frame), failure, [&] { MainLoopPass(p, run); })) {
      ReportFailure(p, "Pebblerun stopped after an error.", failure);
      exitCode = 1;
      break;
    }
  }
  if (run.EndWithReplay) {
    std::cout << "replay frame=" << g.Replay.ReplayFrame << " lastframe=" << g.Replay.ReplayLastFrame << '\n';
  }
  ExitGame(p);
  g.Events = nullptr;
  return exitCode;
}

}  // namespace pebblerun
