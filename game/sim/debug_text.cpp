#include "sim/debug_text.h"

#include <cmath>

#include <quillon/numbers.h>

namespace pebblerun {
namespace {

constexpr const char* kLineEnd = "\r\n";
constexpr Integer kDebugWindowHeight = 55 + 13;

// A hero coordinate as a tile index; a value the division cannot take shows as "0".
std::string TileIndex(Single position, Single tileSize) {
  const auto index = quillon::vb::IDiv(position, tileSize);
  return quillon::vb::FormatLong(index.value_or(0));
}

}  // namespace

void BuildDebugText(GameState& g) {
  if (!g.Input.DebugWindowVisible) return;
  auto& overlay = g.Overlay;
  if (overlay.DebugWindowX == 0) {
    // One line taller than the four lines it was made for: the fifth names
    // the game's seed, so a game worth sharing can be started again.
    overlay.DebugWindowW = 110;
    overlay.DebugWindowH = kDebugWindowHeight;
    overlay.DebugWindowX = 640 - 110;
    overlay.DebugWindowY = 480 - kDebugWindowHeight;
  }
  std::string text = "FPS: " + quillon::vb::FormatSingle(g.Fps) + " (" +
                     quillon::vb::FormatSingle(static_cast<Single>(std::floor(g.WaitLoadPerMs))) + ")" +
                     kLineEnd;
  text += "Played times: " + quillon::vb::FormatLong(g.PlayedGames) + kLineEnd;
  for (int i = 0; i < 17; ++i) text += "\u00BB";
  text += kLineEnd;
  text += "P.position: " + TileIndex(g.Hero.PX, g.World.TileSize) + "x" +
          TileIndex(g.Hero.PY, g.World.TileSize) + kLineEnd;
  text += "Seed: " + quillon::vb::FormatLong(g.Replay.GameSeed) + kLineEnd;
  overlay.DebugText = std::move(text);
}

}  // namespace pebblerun
