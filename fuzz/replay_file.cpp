// Arbitrary bytes as a replay file and as a high-score file: the first frames
// of a playback and a table load must neither crash nor allocate without
// bound, and the table must stay ten named rows.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <quillon/profile.h>

#include "fuzz_folder.h"
#include "sim/game_state.h"
#include "sim/high_scores.h"
#include "sim/replay.h"
#include "sim/replay_check.h"

namespace {

const std::filesystem::path& Folder() { return fuzzing::Folder("replay"); }
using fuzzing::Write;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pebblerun;
  Write(Folder() / "replay.ini", data, size);
  Write(Folder() / "textures" / "dot_black2.bmp", data, size);
  quillon::profile::ClearCache();

  auto g = std::make_unique<GameState>();
  g->AppFolder = Folder().string();
  g->StoryMode = true;
  g->StoryLength = 40;
  g->World.TileSize = 32;
  g->Bonus.Bonuses.resize(6);
  g->Replay.PlayingReplay = true;
  (void)ReplayProblem(*g);
  for (int frame = 0; frame < 8; ++frame) ReplayStep(*g);
  for (const auto& texts : g->Replay.PlaybackKeys) {
    if (texts.size() > 8) std::abort();
  }

  g->Policy.RecordsInMemory = true;
  LoadHighScores(*g);
  for (int row = 0; row < 10; ++row) {
    if (g->Records.HighScores[row].Name.empty()) std::abort();
  }
  return 0;
}
