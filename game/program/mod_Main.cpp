#include "program/mod_Main.h"

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <utility>

#include <quillon/atomic_file.h>
#include <quillon/frame_wait.h>
#include <quillon/paths.h>

#include "program/frmMain.h"
#include "program/init_dx.h"
#include "program/init_dxLoad.h"
#include "program/mod_Menu.h"
#include "program/mod_Render.h"
#include "program/player_input.h"
#include "program/script_pad.h"
#include "program/video_export.h"
#include "sim/game_frame.h"
#include "sim/game_ini.h"
#include "sim/high_scores.h"
#include "sim/options.h"
#include "sim/replay.h"
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
  // The box tells the player at the screen; stderr whoever started the
  // program (without a display the box's text goes there by itself).
  if (quillon::Engine::ShowMessage(kStartupFailureTitle, text)) {
    std::cerr << kStartupFailureTitle << ": " << text << '\n';
  }
}

// Scripted events of this frame: keys are typed into the window's event
// queue, so they take the path of real keys; mouse buttons set the window's
// flags as its events do.
void ApplyScriptEvents(Program& p, RunControl& run) {
  GameState& g = *p.Game;
  for (const ScriptEvent& e : run.Script.Take(run.Frame)) {
    switch (e.Action) {
      case ScriptAction::KeyDown:
      case ScriptAction::KeyUp:
        if (!p.Objects.EngineObj.QueueKeyEvent(e.Code, e.Action == ScriptAction::KeyDown)) {
          std::cerr << "Pebblerun: the script's key " << e.Code << " cannot be typed here\n";
        }
        break;
      case ScriptAction::Close: g.Running = false; break;
      case ScriptAction::MouseDown:
      case ScriptAction::MouseUp: {
        const bool down = e.Action == ScriptAction::MouseDown;
        if (e.Code == 1) g.Input.MouseLeftDown = down;
        if (e.Code == 2) g.Input.MouseRightDown = down;
        if (e.Code == 3) g.Input.MouseThirdDown = down;
        break;
      }
      case ScriptAction::PadAttach:
      case ScriptAction::PadDetach:
      case ScriptAction::PadDown:
      case ScriptAction::PadUp:
      case ScriptAction::PadAxis: run.PadEvents.push_back(e); break;
    }
  }
}

// The frame's key state, sampled at the start of the pass so that keys typed
// while the previous frame waited count in this one.
std::array<std::uint8_t, kKeyCount> FrameKeys(Program& p, RunControl& run) {
  ApplyScriptEvents(p, run);
  std::array<std::uint8_t, kKeyCount> keys{};
  quillon::Engine& engine = p.Objects.EngineObj;
  if (!engine.HasDisplay()) return keys;
  engine.SampleInput();
  for (int code = 1; code < kKeyCount; ++code) {
    if (engine.GetKeyDown(code)) keys[code] = scan::kDown;
  }
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

}  // namespace

// Frame waits, frame budget, script and replay of this command line; false
// (with the reason on stderr) when a file it names cannot be used. A
// relative replay name is looked for in the working folder, then in the
// application folder.
bool PrepareRun(const CommandLine& cl, const std::string& appFolder, RunControl& run) {
  run.Headless = cl.Headless;
  run.FrameLimit = cl.Frames;
  run.EndWithReplay = !cl.ReplayFile.empty();
  if (run.EndWithReplay) {
    run.ReplayFile = LocateReplay(cl.ReplayFile, appFolder).string();
    if (const std::string problem = ReplayFileProblem(run.ReplayFile); !problem.empty()) {
      std::cerr << "Pebblerun: " << problem << '\n';
      return false;
    }
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

namespace {

// The seed of every game goes to the log, so a game worth sharing can be
// started again with --seed.
void LogGameStart(Program& p) {
  const GameState& g = *p.Game;
  std::string line = "Game started with seed " + std::to_string(g.Replay.GameSeed);
  if (g.Replay.PlayingReplay) line += " (replay " + g.Replay.ReplayFile + ")";
  p.Objects.ExtraObj.SaveLog(line);
}

// A fixed start for the looks of runs that must come out the same each time.
constexpr std::uint32_t kFixedCosmeticSeed = 20240615;

}  // namespace

// The folder given, else the program's own; an installed program ("P/bin")
// finds its content in "P/share/games/pebblerun".
std::string AppFolderFor(const CommandLine& cl, const std::string& programFolder) {
  std::filesystem::path chosen = cl.AppDir;
  if (chosen.empty()) chosen = quillon::paths::InstalledContentFolder(programFolder).value_or(programFolder);
  std::error_code error;
  const auto folder = std::filesystem::absolute(chosen, error);
  return error ? chosen.string() : folder.lexically_normal().string();
}

namespace {

// A write of the game killed half-way leaves a temporary file beside the
// player's file (this user's copy in a shared folder); this start removes
// those whose writer has gone.
void RemoveLeftoverTemporaries(const GameState& g) {
  for (const auto& file : PlayerFiles(g)) quillon::RemoveStaleTemporaries(quillon::paths::ForWriting(file));
}

}  // namespace

std::uint32_t CosmeticSeedFor(const CommandLine& cl) {
  if (cl.GameSeed >= 0) return static_cast<std::uint32_t>(cl.GameSeed);
  if (!cl.ReplayFile.empty() || cl.Export) return kFixedCosmeticSeed;
  return static_cast<std::uint32_t>(quillon::ClockNanoseconds() / 1000);
}

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
  RemoveLeftoverTemporaries(g);
  const std::string optionsFile = GameFile(g, kOptionsFile).string();
  step = "the options file " + optionsFile;
  LoadOptions(g);
  step = "the played-games statistic " + UserSettingsFile().string();
  g.PlayedGames = ReadPlayedGames();
  if (cl.FullScreen) g.FullScreen = *cl.FullScreen;
  if (cl.Headless) g.FullScreen = false;
  if (cl.Export) {
    // A video has the game's sound whatever the options say, and making it
    // leaves the player's files as they are.
    g.SoundOn = true;
    g.Policy.RecordsInMemory = true;
  }
  step = "the engine start";
  o.EngineObj.Quillon_Start_OnlySound(0, g.AppFolder);
  step = "the controls in " + optionsFile;
  LoadControls(p);
  if (!o.MenuMusic) o.MenuMusic = MakeEngineMusicPlayer();
  if (!o.GameMusic) o.GameMusic = MakeEngineMusicPlayer();
  step = "the display start and the game's pictures, sounds and fonts";
  g.Running = StartGameDisplay(p);
  FormLoad(p);
  if (!g.Running) return false;
  step = "the high-score file " + GameFile(g, HighScoreFile(g)).string();
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
  LogGameStart(p);
}

void MainLoopPass(Program& p, RunControl& run) {
  GameState& g = *p.Game;
  const auto keys = PlayerKeys(p, FrameKeys(p, run));
  ApplyScriptedPad(p.Objects.EngineObj, std::exchange(run.PadEvents, {}));
  g.Input.Keys = keys;
  const bool inGameAtStart = g.InGame;
  quillon::Engine& e = p.Objects.EngineObj;
  if (!g.InGame) {
    e.ClearScreen(0, 0, 0);
    MenuFrame(p);
    if (g.InGame) LogGameStart(p);  // the menu started a game
    e.Present(false);
    MenuMusicStep(g, p.Objects);
  } else {
    RunGameFrame(g, keys);
    DrawGameScreen(p);
    e.Present(false);
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
  const std::string appFolder = AppFolderFor(cl, programFolder);
  std::error_code error;
  if (!std::filesystem::is_directory(appFolder, error)) {
    // Nothing has run and nothing is written: not even the log, which
    // would have to go into that folder.
    std::cerr << "Pebblerun: there is no application folder \"" << appFolder << "\"\n";
    return 2;
  }
  if (cl.Export) return ExportVideo(cl, programFolder);
  RunControl run;
  if (!PrepareRun(cl, appFolder, run)) return 2;
  if (cl.Headless) {
    // Nothing on screen and nothing to hear: the engine's devices run on
    // their null drivers.
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("ALSOFT_DRIVERS", "null", 1);
  }
  return RunProgram(cl, appFolder, run);
}

int RunProgram(const CommandLine& cl, const std::string& appFolder, RunControl& run) {
  auto program = std::make_unique<Program>();
  Program& p = *program;
  GameState& g = *p.Game;
  g.AppFolder = appFolder;
  EngineEvents events(p);
  g.Events = &events;
  g.CosmeticRandom.Seed(CosmeticSeedFor(cl));
  g.Policy.GameSeed = cl.GameSeed;
  p.Objects.EngineObj.SetWindowEventHandler([&p](const quillon::WindowEvent& e) { HandleWindowEvent(p, e); });

  StartupFailure failure;
  int exitCode = 0;
  std::string step = "start-up";
  if (!Guarded(step, failure, [&] { StartUp(p, cl, step); })) {
    ReportFailure(p, "Pebblerun could not start.", failure);
    g.Running = false;
    exitCode = 1;
  } else if (!g.Running) {
    ReportFailure(p, "Pebblerun could not start.", {step, p.Objects.EngineObj.StartError()});
    exitCode = 1;
  } else if (run.EndWithReplay &&
             !Guarded("replay " + run.ReplayFile, failure, [&] { StartReplayNow(p, run.ReplayFile); })) {
    ReportFailure(p, "Pebblerun could not play the replay.", failure);
    g.Running = false;
    exitCode = 1;
  }
  while (g.Running) {
    if (!Guarded("frame " + std::to_string(run.Frame), failure, [&] { MainLoopPass(p, run); })) {
      ReportFailure(p, "Pebblerun stopped after an error.", failure);
      exitCode = 1;
      break;
    }
    if (run.AfterPass && !run.AfterPass(p)) {
      exitCode = run.StopCode;
      break;
    }
  }
  if (run.EndWithReplay && !cl.Export) {
    // passes: frames drawn, the end fade included (what a video of it holds).
    std::cout << "replay frame=" << g.Replay.ReplayFrame << " lastframe=" << g.Replay.ReplayLastFrame
              << " passes=" << run.Frame << '\n';
  }
  ExitGame(p);
  g.Events = nullptr;
  return exitCode;
}

}  // namespace pebblerun
