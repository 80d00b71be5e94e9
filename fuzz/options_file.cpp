// Arbitrary bytes as the options file, fed from memory: the seven options come
// out as Booleans, every key the file could not give takes its default and is
// named for writing back, and a file read again after that write-back says
// the same.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include <quillon/numbers.h>

#include "platform/profile_parse.h"
#include "sim/game_state.h"
#include "sim/options.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pebblerun;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // Reading sets every field it looks at, so one GameState serves every input.
  static const auto g = std::make_unique<GameState>();
  static const auto again = std::make_unique<GameState>();
  const auto defaulted = ReadOptions(*g, IniText(bytes));
  if (g->FullScreenOption != g->FullScreen) std::abort();
  if (defaulted.size() > 7) std::abort();

  // What LoadOptions writes back, then the same read again.
  quillon::profile::IniDocument doc(bytes);
  for (const auto& [key, value] : defaulted) doc.Set("main", key, quillon::vb::FormatBool(value));
  if (!ReadOptions(*again, IniText(doc.Serialize())).empty()) std::abort();
  if (again->DetailsHigh != g->DetailsHigh || again->StoryMode != g->StoryMode ||
      again->SoundOn != g->SoundOn || again->FullScreen != g->FullScreen ||
      again->ArcadeLocked != g->ArcadeLocked || again->StoryRead != g->StoryRead ||
      again->RumbleOn != g->RumbleOn)
    std::abort();
  return 0;
}
