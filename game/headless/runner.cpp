#include "headless/runner.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>

#include <quillon/numbers.h>
#include <quillon/profile.h>

#include "headless/players.h"
#include "headless/trace.h"
#include "sim/game_frame.h"
#include "sim/high_scores.h"
#include "sim/options.h"
#include "sim/scan_codes.h"
#include "sim/tuning.h"

namespace pebblerun {
namespace {

// A run that never ends (tuning where nothing can kill Tobo) stops here.
constexpr Long kFrameCap = 5'000'000;

std::string AbsoluteName(const std::string& name) {
  std::error_code error;
  const auto path = std::filesystem::absolute(name, error);
  return error ? name : path.string();
}

std::unique_ptr<SimPlayer> MakePlayer(const SimOptions& options) {
  switch (options.Player) {
    case SimPlayerKind::Bot: return MakeBotPlayer(options.Seed);
    case SimPlayerKind::Random: return std::make_unique<RandomPlayer>(options.Seed);
    default: return std::make_unique<IdlePlayer>();
  }
}

// The option and display values a game start expects from the program's start-up.
void PrepareRun(GameState& g, const SimOptions& options) {
  g.AppFolder = options.AppDir;
  g.Events = options.Events;
  g.StoryMode = options.Story;
  g.SoundOn = false;
  g.DetailsHigh = true;
  g.GameAreaWidth = 640;
  g.GameAreaHeight = 480;
  g.DisplayWidth = 800;
  g.DisplayHeight = 600;
  g.Running = true;
  g.Policy.RecordsInMemory = true;
  // Read once, as the program does at its start; the run's games count on
  // in memory from there.
  g.PlayedGames = ReadPlayedGames();
  // A playback whose file names no seed takes this one too.
  g.Policy.GameSeed = options.GameSeed;
  for (int row = 0; row < 10; ++row) g.Records.HighScores[row] = {"TOBO", (10 - row) * 200};
  if (options.Player == SimPlayerKind::Replay) {
    g.Replay.PlayingReplay = true;
    g.Replay.ReplayFile = AbsoluteName(options.ReplayFile);
  } else {
    RequestGameSeed(g, options.Seed & RandomGenerator::kMaxSeed);
    if (!options.RecordFile.empty()) {
      g.Replay.RecordingReplay = true;
      g.Policy.RecordFile = AbsoluteName(options.RecordFile);
    }
  }
  g.Replay.ReplayFrame = 0;
  g.InGame = true;
}

// Pauses on a schedule: P down for one pass, then nothing held for the pause,
// then P again. No other key is held around a pause, so nothing happens in
// it that a recording could miss.
class PauseSchedule {
 public:
  explicit PauseSchedule(const SimOptions& o) : every_(o.PauseEvery), length_(o.PauseLength) {}

  // True when the schedule owns this pass's keys.
  bool Keys(const GameState& g, Long pass, KeyState& keys) {
    if (every_ <= 0 || g.Replay.PlayingReplay) return false;
    if (!g.GamePaused) {
      if (g.GameOver || pass % every_ != every_ - 1) return pass == releaseAt_;
      keys[scan::P] = scan::kDown;
      resumeAt_ = pass + 1 + std::max<Long>(length_, 1);
      return true;
    }
    if (pass >= resumeAt_) {
      keys[scan::P] = scan::kDown;
      releaseAt_ = pass + 1;
    }
    return true;
  }

 private:
  Long every_, length_;
  Long resumeAt_ = 0;
  Long releaseAt_ = -1;
};

bool WaitsForName(const GameState& g) { return g.GameOver && !g.EndOfGameReady && g.GameEndFade == 0; }

}  // namespace

void RequestGameSeed(GameState& g, std::uint32_t seed) {
  // A live game takes its seed from the next draw of the cosmetic generator,
  // x' = (x * a + c) mod 2^24; step back from the wanted x' with the inverse of a.
  constexpr std::uint32_t a = 1140671485u, c = 12820163u;
  std::uint32_t inverse = a;
  for (int i = 0; i < 5; ++i) inverse *= 2u - a * inverse;
  g.CosmeticRandom.Seed((seed - c) * inverse);
}

SimResult RunSimulation(const SimOptions& options, const TraceSink& trace) {
  auto g = StartSimGame(options);
  auto player = MakePlayer(options);
  return PlaySimGame(*g, options, *player, trace);
}

std::unique_ptr<GameState> StartSimGame(const SimOptions& options) {
  auto g = std::make_unique<GameState>();
  PrepareRun(*g, options);
  StartGame(*g, true);
  return g;
}

SimResult PlaySimGame(GameState& g, const SimOptions& options, SimPlayer& player, const TraceSink& trace) {
  PauseSchedule pauses(options);
  SimResult result;
  result.Story = g.StoryMode;
  result.GameSeed = g.Replay.GameSeed;
  Single scoreBeforeEnd = 0;
  const Long cap = options.MaxFrames >= 0 ? options.MaxFrames : kFrameCap;
  while (g.InGame && result.Frames < cap) {
    KeyState keys{};
    if (WaitsForName(g))
      keys[scan::Enter] = scan::kDown;
    else if (!pauses.Keys(g, result.Frames, keys))
      player.Press(g, keys);
    const Single frameBefore = g.Replay.ReplayFrame;
    RunGameFrame(g, keys);
    ++result.Frames;
    if (g.Replay.ReplayFrame > frameBefore && trace)
      trace(TraceRow(g, quillon::vb::CLng(frameBefore).value_or(0)));
    result.Level = std::max(result.Level, g.World.CurrentLevel);
    // A playback's end step shows the won screen in the frame that wins.
    result.Won = result.Won || g.StoryCompleted || g.Menu.MenuScreen == "won";
    if (!g.GameOver) scoreBeforeEnd = g.World.Score;
  }
  // A recording's last changes may still be held by the INI layer.
  quillon::profile::Flush();
  result.Finished = !g.InGame;
  result.Unplayable = g.Replay.UnplayableMap;
  result.Died = g.GameOver && !result.Won && !result.Unplayable;
  // A playback's end zeroes the score; report what the game had scored.
  result.Score = options.Player == SimPlayerKind::Replay ? scoreBeforeEnd : g.World.Score;
  return result;
}

std::string SummaryLine(const SimOptions&, const SimResult& result) {
  const char* outcome = result.Won          ? "won"
                        : result.Died       ? "died"
                        : result.Unplayable ? "unplayable"
                                            : "unfinished";
  char line[192];
  std::snprintf(line, sizeof line, "mode=%s frames=%ld level=%d score=%.9g result=%s seed=%lu",
                result.Story ? "story" : "arcade", static_cast<long>(result.Frames),
                static_cast<int>(result.Level), static_cast<double>(result.Score), outcome,
                static_cast<unsigned long>(result.GameSeed));
  return line;
}

}  // namespace pebblerun
