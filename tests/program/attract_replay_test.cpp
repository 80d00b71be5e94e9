#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "program/mod_Menu.h"

namespace pebblerun {
namespace {

TEST(AttractReplay, TriesEachNameOnceAndGivesUpWhenNoneExists) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("pebblerun-attract-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  auto g = std::make_unique<GameState>();
  g->AppFolder = dir.string();
  g->CosmeticRandom.Seed(1234);
  EXPECT_EQ(PickAttractReplay(*g), "");  // returns instead of drawing for ever

  std::ofstream(dir / "Replay7.ini") << "[Map]\n";  // names compare without regard to case
  for (std::uint32_t seed = 0; seed < 20; ++seed) {
    g->CosmeticRandom.Seed(seed * 99991);
    EXPECT_EQ(PickAttractReplay(*g), "replay7.ini");
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace pebblerun
