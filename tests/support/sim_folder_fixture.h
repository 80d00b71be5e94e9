#pragma once
// A game state whose application folder is a fresh temporary folder with an
// empty "textures" folder, for the records a game reads and writes there.
// The INI layer's cache starts empty.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include <quillon/profile.h>

#include "sim/game_state.h"
#include "temp_folder.h"

namespace pebblerun::simtest {

class FolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    quillon::profile::ClearCache();
    std::filesystem::create_directories(folder_ / "textures");
    g_->AppFolder = folder_.Path().string();
    g_->StoryMode = true;
  }

  TempFolder folder_;
  std::unique_ptr<GameState> g_ = std::make_unique<GameState>();
};

}  // namespace pebblerun::simtest
