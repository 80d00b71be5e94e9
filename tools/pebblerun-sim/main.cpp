// pebblerun-sim --app-dir DIR --mode story|arcade
//               (--replay FILE | --bot SEED | --idle | --random SEED)
//               [--record FILE] [--trace FILE] [--frames N] [--seed N]
//               [--pause-every N --pause-length N]
//
// Runs one game headless, as fast as the machine allows, and prints one line:
// mode, frames, level reached, score, won or died, the game's seed. --seed N
// (0..16777215) starts the game with seed N, whatever the player; a replay
// whose file names its own seed keeps that one.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "headless/runner.h"
#include "headless/trace.h"
#include "sim/game_events.h"
#include "sim/replay.h"

namespace {

using pebblerun::SimOptions;
using pebblerun::SimPlayerKind;

constexpr const char* kUsage =
    "usage: pebblerun-sim --app-dir DIR --mode story|arcade\n"
    "                     (--replay FILE | --bot SEED | --idle | --random SEED)\n"
    "                     [--record FILE] [--trace FILE] [--frames N] [--seed N]\n"
    "                     [--pause-every N --pause-length N]\n";

std::optional<long long> Number(std::string_view text) {
  if (text.empty()) return std::nullopt;
  char* end = nullptr;
  const std::string copy(text);
  const long long value = std::strtoll(copy.c_str(), &end, 10);
  if (*end != '\0') return std::nullopt;
  return value;
}

struct CommandLine {
  SimOptions options;
  std::string traceFile;
  bool playerGiven = false;
  bool modeGiven = false;
  std::optional<long long> gameSeed;
};

bool ParseArguments(int argc, char** argv, CommandLine& cl) {
  auto& o = cl.options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool hasValue = i + 1 < argc;
    auto value = [&]() { return std::string(argv[++i]); };
    auto number = [&](long long& out) {
      if (!hasValue) return false;
      const auto n = Number(argv[++i]);
      if (!n || *n < 0) return false;
      out = *n;
      return true;
    };
    long long n = 0;
    if (arg == "--idle") {
      o.Player = SimPlayerKind::Idle;
      cl.playerGiven = true;
    } else if ((arg == "--bot" || arg == "--random") && number(n)) {
      o.Player = arg == "--bot" ? SimPlayerKind::Bot : SimPlayerKind::Random;
      o.Seed = static_cast<std::uint32_t>(n);
      cl.playerGiven = true;
    } else if (arg == "--replay" && hasValue) {
      o.Player = SimPlayerKind::Replay;
      o.ReplayFile = value();
      cl.playerGiven = true;
    } else if (arg == "--app-dir" && hasValue) {
      o.AppDir = value();
    } else if (arg == "--mode" && hasValue) {
      const std::string mode = value();
      if (mode != "story" && mode != "arcade") return false;
      o.Story = mode == "story";
      cl.modeGiven = true;
    } else if (arg == "--record" && hasValue) {
      o.RecordFile = value();
    } else if (arg == "--trace" && hasValue) {
      cl.traceFile = value();
    } else if (arg == "--frames" && number(n)) {
      o.MaxFrames = static_cast<pebblerun::Long>(n);
    } else if (arg == "--seed" && number(n) && n <= 16777215) {
      cl.gameSeed = n;
    } else if (arg == "--pause-every" && number(n)) {
      o.PauseEvery = static_cast<pebblerun::Long>(n);
    } else if (arg == "--pause-length" && number(n)) {
      o.PauseLength = static_cast<pebblerun::Long>(n);
    } else {
      return false;
    }
  }
  if (cl.gameSeed) o.GameSeed = static_cast<pebblerun::Long>(*cl.gameSeed);
  return cl.playerGiven && cl.modeGiven && !o.AppDir.empty();
}

// The game's log lines (a tuning or replay file it could not use) go to stderr.
class StderrLog final : public pebblerun::GameEvents {
 public:
  void Log(const std::string& line) override { std::cerr << "pebblerun-sim: " << line << '\n'; }
};

// Why the files the command line names cannot be played, before anything
// runs or is written; "" when they can. A relative replay name is looked
// for in the working folder, then in the application folder.
std::string Refusal(CommandLine& cl) {
  auto& o = cl.options;
  std::error_code error;
  if (!std::filesystem::is_directory(o.AppDir, error)) {
    return "there is no application folder \"" + o.AppDir + "\"";
  }
  if (o.Player != SimPlayerKind::Replay) return "";
  const auto replay = pebblerun::LocateReplay(o.ReplayFile, o.AppDir);
  o.ReplayFile = replay.string();
  return pebblerun::ReplayFileProblem(replay);
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::cout << kUsage;
      return 0;
    }
  }
  CommandLine cl;
  if (!ParseArguments(argc, argv, cl)) {
    std::cerr << kUsage;
    return 2;
  }
  if (const std::string refusal = Refusal(cl); !refusal.empty()) {
    std::cerr << "pebblerun-sim: " << refusal << '\n';
    return 2;
  }
  StderrLog log;
  cl.options.Events = &log;
  std::ofstream trace;
  pebblerun::TraceSink sink;
  if (!cl.traceFile.empty()) {
    trace.open(cl.traceFile, std::ios::binary | std::ios::trunc);
    if (!trace) {
      std::cerr << "pebblerun-sim: cannot write " << cl.traceFile << "\n";
      return 1;
    }
    trace << pebblerun::TraceHeader() << '\n';
    sink = [&trace](const std::string& row) { trace << row << '\n'; };
  }
  const auto result = pebblerun::RunSimulation(cl.options, sink);
  std::cout << pebblerun::SummaryLine(cl.options, result) << std::endl;
  return trace.good() || cl.traceFile.empty() ? 0 : 1;
}
