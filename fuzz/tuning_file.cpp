// Arbitrary bytes as a tuning file and as the options file: the game start
// (tuning, level table, map, bonuses) and the first frames of play must
// neither crash nor hang, and the options must come out as six Booleans.
#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <quillon/profile.h>

#include "fuzz_folder.h"
#include "sim/game_frame.h"
#include "sim/game_state.h"
#include "sim/options.h"
#include "sim/tuning.h"

namespace {

const std::filesystem::path& Folder() { return fuzzing::Folder("tuning"); }
using fuzzing::Write;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pebblerun;
  Write(Folder() / "textures" / "lvl1.bmp", data, size);
  Write(Folder() / "textures" / "lvl2.bmp", data, size);
  Write(Folder() / "textures" / "options.bmp", data, size);
  quillon::profile::ClearCache();

  auto g = std::make_unique<GameState>();
  g->AppFolder = Folder().string();
  g->Policy.RecordsInMemory = true;
  LoadOptions(*g);
  g->StoryMode = size % 2 == 0;
  StartGame(*g);
  std::array<std::uint8_t, kKeyCount> keys{};
  keys[203] = 0x80;  // walk left and jump now and then
  for (int frame = 0; frame < 30; ++frame) {
    keys[200] = frame % 10 == 0 ? 0x80 : 0;
    RunGameFrame(*g, keys);
  }
  if (g->Bonus.Bonuses.empty()) std::abort();
  return 0;
}
