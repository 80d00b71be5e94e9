// The debug window's text.

#include "sim/debug_text.h"

#include <gtest/gtest.h>

#include <memory>

namespace pebblerun {
namespace {

// The seed of the game is there, so a game worth sharing can be started again.
TEST(DebugText, NamesTheGamesSeed) {
  auto g = std::make_unique<GameState>();
  g->Input.DebugWindowVisible = true;
  g->Replay.GameSeed = 1234567;
  BuildDebugText(*g);
  EXPECT_NE(g->Overlay.DebugText.find("Seed: 1234567\r\n"), std::string::npos) << g->Overlay.DebugText;
}

}  // namespace
}  // namespace pebblerun
