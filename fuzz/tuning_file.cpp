// Arbitrary bytes as a tuning file, fed from memory, at a game start: the
// values read, the map generated from them and the first frames played.
// Whatever the bytes hold, the values the game then plays with are ones it
// can be played with (counts, shares and level values not negative, Tobo's
// start in the grid and on the first screen, every speed and force a finite
// number, a level table that fits the field and holds Tobo), and the start
// and the frames neither crash nor hang.
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>
#include <utility>

#include "sim/game_frame.h"
#include "sim/game_state.h"
#include "sim/player.h"
#include "sim/tuning.h"

namespace {

using namespace pebblerun;

bool Playable(const GameState& g) {
  const Tuning& t = g.Tuning;
  for (int k = 1; k <= 6; ++k)
    if (t.TileKindPercent[k] < 0) return false;
  const auto& p = t.Player;
  if (!(p.Position_Tile_X >= 0 && p.Position_Tile_X <= 640 && p.Position_Tile_Y >= 0 &&
        p.Position_Tile_Y <= 448))
    return false;
  for (Single v : {p.WalkSpeed, p.Weight, p.Jump_Force, p.WalkSpeed_Ice_MULTIPLY, t.Falling_Tiles.Weight,
                   t.Water.StartupHeight, t.SharpDrills.Speed_of_Lowering, t.Bonus.Ears_Weight})
    if (!std::isfinite(v)) return false;
  const auto& b = t.Bonus;
  if (b.NumOf_BigEars < 0 || b.NumOf_Bomb < 0 || b.NumOf_BombGlass < 0 || b.NumOf_Boots < 0 ||
      b.NumOf_Pie < 0)
    return false;
  int rows = 0;
  for (int lvl = 1; lvl <= 10; ++lvl) {
    const LevelSpec& s = g.LevelSpecs[lvl];
    if (s.PlatformSize < 0 || s.OnEachPlatformSkipLines < 0 || s.LevelSize < 0) return false;
    rows += s.LevelSize;
  }
  for (double length : {static_cast<double>(rows), static_cast<double>(g.StoryLength)})
    if (length > kGridRows - 1 || !MapHoldsHero(p.Position_Tile_Y, length)) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A fresh GameState is large; copying a blank one is much cheaper than
  // allocating one per input under the sanitizers.
  // The records stay in memory: no input reads or writes the player's files.
  static const auto blank = [] {
    auto g = std::make_unique<GameState>();
    g->Policy.RecordsInMemory = true;
    g->DetailsHigh = true;
    g->GameAreaWidth = 640;
    g->GameAreaHeight = 480;
    g->Running = true;
    return std::unique_ptr<const GameState>(std::move(g));
  }();
  static const auto g = std::make_unique<GameState>();
  const IniText text(std::string_view(reinterpret_cast<const char*>(data), size));
  // A game start with its frames costs what some fifteen reads do: one input
  // in 64 (by its length: a story first game or an arcade later one) is
  // played, the others only read as a start reads them, so the target keeps
  // above 1,000,000 runs in ten minutes. A read touches only the values, so
  // only those are reset for it.
  const bool play = size % 128 == 0 || size % 128 == 67;
  if (play) {
    *g = *blank;
  } else {
    g->Tuning = blank->Tuning;
    g->LevelSpecs = blank->LevelSpecs;
    g->StoryLength = blank->StoryLength;
  }
  g->StoryMode = size % 2 == 0;
  // A first game (from the shipped values) or a later one (from the values
  // of the game before: here a blank record's).
  g->TuningRead = size % 4 >= 2;
  if (!play) {
    ReadTuningValues(*g, &text, "tuning");
    if (!Playable(*g)) std::abort();
    return 0;
  }
  StartGame(*g, &text, "tuning");
  if (!Playable(*g)) std::abort();
  g->InGame = true;
  std::array<std::uint8_t, kKeyCount> keys{};
  keys[203] = 0x80;  // walk left and jump now and then
  for (int frame = 0; frame < 30; ++frame) {
    keys[200] = frame % 10 == 0 ? 0x80 : 0;
    RunGameFrame(*g, keys);
  }
  if (g->Bonus.Bonuses.empty()) std::abort();
  return 0;
}
