#include "headless/trace.h"

#include <cinttypes>
#include <cstdio>

namespace pebblerun {
namespace {

constexpr std::uint64_t kFnvOffset = 0xcbf29ce484222325ull;
constexpr std::uint64_t kFnvPrime = 0x100000001b3ull;
constexpr int kHashedColumns = 15;

void Mix(std::uint64_t& hash, std::uint8_t byte) {
  hash ^= byte;
  hash *= kFnvPrime;
}

void AppendFloat(std::string& out, Single value) {
  char text[32];
  std::snprintf(text, sizeof text, ",%.9g", static_cast<double>(value));
  out += text;
}

}  // namespace

std::uint64_t GridHash(const GameState& g) {
  std::uint64_t hash = kFnvOffset;
  for (int row = 0; row <= g.StoryLength; ++row) {
    for (int column = 0; column < kHashedColumns; ++column) {
      // Rows past the grid read as empty, as the game reads them.
      const auto code =
          row < kGridRows ? static_cast<std::uint16_t>(g.Field.Cells[column][row]) : std::uint16_t{0};
      Mix(hash, static_cast<std::uint8_t>(code & 0xFF));
      Mix(hash, static_cast<std::uint8_t>(code >> 8));
    }
  }
  return hash;
}

std::string TraceHeader() {
  return "frame,px,py,pvy,weight,scrolly,drilly,score,bombs,boot,ears,level,gameover,gridhash";
}

std::string TraceRow(const GameState& g, Long frame) {
  std::string row = std::to_string(frame);
  for (Single value : {g.Hero.PX, g.Hero.PY, g.Hero.PVY, g.Hero.Weight, g.World.ScrollY, g.World.DrillY,
                       g.World.Score, g.Bonus.BombCount, g.Bonus.BootTimeLeft, g.Bonus.EarsTimeLeft}) {
    AppendFloat(row, value);
  }
  char tail[64];
  std::snprintf(tail, sizeof tail, ",%d,%d,%016" PRIx64, static_cast<int>(g.World.CurrentLevel),
                g.GameOver ? 1 : 0, GridHash(g));
  return row + tail;
}

}  // namespace pebblerun
