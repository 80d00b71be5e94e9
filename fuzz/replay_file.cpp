// Arbitrary bytes as a replay file and as a high-score file, fed from memory:
// the first frames of a playback and a table load must neither crash nor
// allocate without bound, and the table must stay ten named rows.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "sim/game_state.h"
#include "sim/high_scores.h"
#include "sim/replay.h"
#include "sim/replay_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pebblerun;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  auto text = std::make_shared<const IniText>(bytes);

  // A fresh GameState is large; copying a blank one is much cheaper than
  // allocating one per input under the sanitizers.
  static const auto blank = std::make_unique<const GameState>();
  static const auto g = std::make_unique<GameState>();
  *g = *blank;
  g->StoryMode = true;
  g->StoryLength = 40;
  g->World.TileSize = 32;
  g->Bonus.Bonuses.resize(6);
  g->Replay.PlayingReplay = true;
  g->Replay.Playback = text;  // what the playback's first read would load
  (void)ReplayProblem(*g);
  for (int frame = 0; frame < 8; ++frame) ReplayStep(*g);
  for (const auto& texts : g->Replay.PlaybackKeys) {
    if (texts.size() > 8) std::abort();
  }
  if (g->StoryLength < 1 || g->StoryLength > kGridRows - 1) std::abort();

  g->Policy.RecordsInMemory = true;
  ReadHighScores(*g, *text);
  SaveHighScores(*g);
  for (int row = 0; row < 10; ++row) {
    if (g->Records.HighScores[row].Name.empty()) std::abort();
  }
  return 0;
}
