// Speed of the simulation itself, apart from any player's thinking:
// - KeysPlayback: games a bot played once (in the setup, untimed) are run
//   again from the keys it held in each pass; frames per second of the
//   simulation alone, story and arcade.
// - RandomKeysGame: live games of the random-key player (whose choice costs
//   next to nothing), story and arcade.
// - GameStateCopy: one copy of a game in progress, as a player that looks
//   ahead on copies makes them.
// All games run on the fixed tuning of tests/sim/fixtures/tuning (a copy of
// the shipped files as they were when this benchmark was written), so the
// figures do not move when the shipped tuning is changed; PEBBLERUN_APP_DIR
// names another application folder to measure instead.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "headless/players.h"
#include "headless/runner.h"
#include "sim/game_state.h"

namespace pebblerun {
namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t kBotSeeds[] = {1, 2, 3, 7};

// A private application folder (games may write options and statistics
// files) holding the tuning to measure with; removed at the end.
class BenchFolder {
 public:
  BenchFolder() : dir_(fs::temp_directory_path() / ("pebblerun-bench-" + std::to_string(getpid()))) {
    fs::create_directories(dir_ / "textures");
    const char* other = std::getenv("PEBBLERUN_APP_DIR");
    const fs::path source =
        other ? fs::path(other) / "textures" : fs::path(PEBBLERUN_SOURCE_DIR) / "tests/sim/fixtures/tuning";
    for (const char* name : {"lvl1.bmp", "lvl2.bmp"}) {
      fs::copy_file(source / name, dir_ / "textures" / name, fs::copy_options::overwrite_existing);
    }
    // The played-games statistic goes there too, not into the user's settings.
    setenv("XDG_CONFIG_HOME", dir_.c_str(), 1);
  }
  ~BenchFolder() {
    std::error_code error;
    fs::remove_all(dir_, error);
  }
  std::string Path() const { return dir_.string(); }

 private:
  fs::path dir_;
};

std::string AppFolder() {
  static const BenchFolder folder;
  return folder.Path();
}

SimOptions Options(bool story, SimPlayerKind player, std::uint32_t seed) {
  SimOptions o;
  o.AppDir = AppFolder();
  o.Story = story;
  o.Player = player;
  o.Seed = seed;
  return o;
}

// Passes another player's choices on and keeps them, pass by pass.
class KeyRecorder : public SimPlayer {
 public:
  KeyRecorder(SimPlayer& inner, std::vector<KeyState>& keys) : inner_(inner), keys_(keys) {}
  void Press(const GameState& g, KeyState& keys) override {
    inner_.Press(g, keys);
    keys_.push_back(keys);
  }

 private:
  SimPlayer& inner_;
  std::vector<KeyState>& keys_;
};

// Holds the kept keys again, in the same order.
class KeyPlayer : public SimPlayer {
 public:
  explicit KeyPlayer(const std::vector<KeyState>& keys) : keys_(keys) {}
  void Press(const GameState&, KeyState& keys) override {
    if (next_ < keys_.size()) keys = keys_[next_++];
  }

 private:
  const std::vector<KeyState>& keys_;
  std::size_t next_ = 0;
};

struct RecordedGame {
  SimOptions Options;
  std::unique_ptr<GameState> Start;  // as the game stood before its first pass
  std::vector<KeyState> Keys;
  SimResult Result;
  std::unique_ptr<GameState> Middle;  // halfway through
};

RecordedGame RecordBotGame(bool story, std::uint32_t seed) {
  RecordedGame game;
  game.Options = Options(story, SimPlayerKind::Bot, seed);
  game.Start = StartSimGame(game.Options);
  GameState live = *game.Start;
  auto bot = MakeBotPlayer(seed);
  KeyRecorder recorder(*bot, game.Keys);
  game.Result = PlaySimGame(live, game.Options, recorder);
  SimOptions half = game.Options;
  half.MaxFrames = game.Result.Frames / 2;
  game.Middle = std::make_unique<GameState>(*game.Start);
  KeyPlayer keys(game.Keys);
  PlaySimGame(*game.Middle, half, keys);
  return game;
}

const std::vector<RecordedGame>& BotGames(bool story) {
  static std::map<bool, std::vector<RecordedGame>> games;
  auto& list = games[story];
  if (list.empty()) {
    for (std::uint32_t seed : kBotSeeds) list.push_back(RecordBotGame(story, seed));
  }
  return list;
}

bool SameEnd(const SimResult& a, const SimResult& b) {
  return a.Frames == b.Frames && a.Score == b.Score && a.Level == b.Level && a.Won == b.Won;
}

void KeysPlayback(benchmark::State& state) {
  const auto& games = BotGames(state.range(0) != 0);
  auto g = std::make_unique<GameState>();
  std::size_t next = 0;
  std::int64_t frames = 0;
  for (auto _ : state) {
    const RecordedGame& game = games[next++ % games.size()];
    state.PauseTiming();
    *g = *game.Start;
    KeyPlayer keys(game.Keys);
    state.ResumeTiming();
    const SimResult result = PlaySimGame(*g, game.Options, keys);
    if (!SameEnd(result, game.Result)) {
      state.SkipWithError("the game went otherwise than when it was recorded");
      break;
    }
    frames += result.Frames;
  }
  state.counters["frames_per_second"] =
      benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
  state.counters["frames_per_game"] =
      static_cast<double>(frames) / static_cast<double>(std::max<std::int64_t>(state.iterations(), 1));
}
BENCHMARK(KeysPlayback)->Arg(1)->Arg(0)->ArgNames({"story"})->Unit(benchmark::kMillisecond);

void RandomKeysGame(benchmark::State& state) {
  const bool story = state.range(0) != 0;
  std::uint32_t seed = 1;
  auto g = std::make_unique<GameState>();
  std::int64_t frames = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const SimOptions options = Options(story, SimPlayerKind::Random, seed++);
    g = StartSimGame(options);
    RandomPlayer player(options.Seed);
    state.ResumeTiming();
    frames += PlaySimGame(*g, options, player).Frames;
  }
  state.counters["frames_per_second"] =
      benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
}
BENCHMARK(RandomKeysGame)->Arg(1)->Arg(0)->ArgNames({"story"})->Unit(benchmark::kMillisecond);

void GameStateCopy(benchmark::State& state) {
  const GameState& middle = *BotGames(true).front().Middle;
  auto copy = std::make_unique<GameState>();
  for (auto _ : state) {
    if (state.range(0) != 0) {
      *copy = middle;  // into a state kept for the purpose
    } else {
      copy = std::make_unique<GameState>(middle);  // a new one each time
    }
    benchmark::DoNotOptimize(copy->World.Score);
    benchmark::ClobberMemory();
  }
  state.counters["bytes"] = static_cast<double>(sizeof(GameState));
}
BENCHMARK(GameStateCopy)->Arg(1)->Arg(0)->ArgNames({"reuse"})->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace pebblerun

BENCHMARK_MAIN();
