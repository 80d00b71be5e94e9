// Arbitrary bytes as a tuning file, fed from memory: the game start (tuning,
// level table, map, bonuses) and the first frames of play must neither crash
// nor hang, and the map must fit the field and hold Tobo.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "sim/game_frame.h"
#include "sim/game_state.h"
#include "sim/player.h"
#include "sim/tuning.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pebblerun;
  const IniText text(std::string_view(reinterpret_cast<const char*>(data), size));
  auto g = std::make_unique<GameState>();
  g->Policy.RecordsInMemory = true;
  g->StoryMode = size % 2 == 0;
  g->GameAreaHeight = 480;
  StartGame(*g, &text, "tuning");
  if (g->StoryLength > kGridRows - 1 || !MapHoldsHero(g->Hero.PY, g->StoryLength)) std::abort();
  if (g->Bonus.Bonuses.empty()) std::abort();
  std::array<std::uint8_t, kKeyCount> keys{};
  keys[203] = 0x80;  // walk left and jump now and then
  for (int frame = 0; frame < 10; ++frame) {
    keys[200] = frame % 5 == 0 ? 0x80 : 0;
    RunGameFrame(*g, keys);
  }
  return 0;
}
