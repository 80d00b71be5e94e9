// Whole games: a bot game recorded to a file and played back from it goes
// exactly as the recorded one did, frame for frame.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <quillon/profile.h>

#include "../engine/temp_folder.h"
#include "headless/runner.h"
#include "sim/game_frame.h"
#include "sim/game_state.h"
#include "sim/tuning.h"

namespace pebblerun {
namespace {

// Used only when the shipped tuning files cannot be found.
constexpr const char* kFallbackTuning =
    "[Map Precentage]\r\nTile_Normal=40\r\nTile_Mud=15\r\nTile_Gum=10\r\nTile_Ice=15\r\n"
    "Tile_Glass=10\r\nTile_Stone=10\r\n[Player]\r\nPosition_Tile_X=7\r\nPosition_Tile_Y=3\r\n"
    "WalkSpeed=120\r\nWalkSpeed_Mud_DEVIDER=2\r\nWalkSpeed_Ice_MULTIPLY=30\r\nWeight=250\r\n"
    "SlowDown_AfterHit_Ice_DEVIDER=2\r\nBounceFrom_Everything_DEVIDER=3\r\n"
    "BounceFrom_Gum_DEVIDER=15\r\nSmash_Glass_ForceNeeded=5\r\nJump_Force=350\r\n"
    "Bonus_BombsAtStart=3\r\n[Falling_Tiles]\r\nWeight=25\r\nHit_PushOnForce=6\r\n"
    "Hit_SmashOnForce=12\r\nSmashing_Explosion_Distance=10\r\n"
    "Continue_Falling_After_PushingAnotherTile=True\r\n[Score]\r\nStaying_Alive=1\r\n"
    "Falling_Speed=1\r\nHit_PushTile=10\r\nHot_SmashTile=20\r\nBonus_BombGlass_Points=500\r\n"
    "Bonus_Bomb_Points=300\r\nBonus_Pie_Points=100\r\nBonus_Boot_Points=100\r\n"
    "Bonus_Ears_Points=100\r\n[Sharp drills]\r\nStarting_Position_Y=-20\r\n"
    "Speed_of_Lowering=10\r\nHitStone_GoBack_Pixels=5\r\n[Bonus]\r\nNumOf_BigEars=5\r\n"
    "NumOf_Bomb=10\r\nNumOf_BombGlass=3\r\nNumOf_Boots=5\r\nNumOf_Pie=5\r\nBomb_Weight=5\r\n"
    "Pie_Weight=5\r\nBoot_Weight=2\r\nBonus_Boot_Time=10\r\nEars_Weight=2\r\n"
    "Bonus_Ears_Time=10\r\n[Water]\r\nStartupHeight=60\r\nFixedHeight=100\r\n";

class RecordPlaybackTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    quillon::profile::ClearCache();
    std::filesystem::create_directories(folder_ / "textures");
    const char* source = std::getenv("PEBBLERUN_SOURCE_DIR");
    for (const char* name : {"lvl1.bmp", "lvl2.bmp"}) {
      const auto shipped = std::filesystem::path(source ? source : "") / "data" / "textures" / name;
      if (source && std::filesystem::exists(shipped))
        std::filesystem::copy_file(shipped, folder_ / "textures" / name);
      else
        WriteBytes(folder_ / "textures" / name, kFallbackTuning);
    }
  }
  SimOptions Options() const {
    SimOptions o;
    o.AppDir = folder_.Path().string();
    o.Story = GetParam();
    return o;
  }
  static std::vector<std::string> Run(const SimOptions& o, SimResult* result = nullptr) {
    std::vector<std::string> rows;
    const SimResult r = RunSimulation(o, [&](const std::string& row) { rows.push_back(row); });
    if (result) *result = r;
    return rows;
  }
  static bool GameOverRow(const std::string& row) { return row.substr(row.rfind(',') - 2, 2) == ",1"; }
  // The row without its score column (a playback zeroes the score at its end).
  static std::string WithoutScore(const std::string& row) {
    std::size_t from = 0;
    for (int i = 0; i < 7; ++i) from = row.find(',', from) + 1;
    return row.substr(0, from) + row.substr(row.find(',', from));
  }

  TempFolder folder_;
};

TEST_P(RecordPlaybackTest, BotGamePlaysBackFrameForFrameDespitePauses) {
  for (std::uint32_t seed : {3u, 11u}) {
    SCOPED_TRACE(seed);
    SimOptions live = Options();
    live.Player = SimPlayerKind::Bot;
    live.Seed = seed;
    live.RecordFile = (folder_ / "recorded.ini").string();
    live.PauseEvery = 97;
    live.PauseLength = 13;
    SimResult liveResult;
    const auto liveRows = Run(live, &liveResult);
    ASSERT_TRUE(liveResult.Finished);
    ASSERT_GT(liveRows.size(), 100u);

    SimOptions replay = Options();
    replay.Player = SimPlayerKind::Replay;
    replay.ReplayFile = live.RecordFile;
    SimResult replayResult;
    const auto replayRows = Run(replay, &replayResult);
    ASSERT_TRUE(replayResult.Finished);

    // Every frame up to the end of the game is the same, the grid included;
    // the end frame too, apart from the score a playback drops at its end.
    std::size_t end = 0;
    while (end < liveRows.size() && !GameOverRow(liveRows[end])) ++end;
    ASSERT_LT(end, liveRows.size());
    ASSERT_GT(replayRows.size(), end);
    for (std::size_t i = 0; i < end; ++i) ASSERT_EQ(replayRows[i], liveRows[i]) << "row " << i;
    EXPECT_EQ(WithoutScore(replayRows[end]), WithoutScore(liveRows[end]));
    EXPECT_EQ(replayResult.Won, liveResult.Won);
    EXPECT_EQ(replayResult.Level, liveResult.Level);
  }
}

// A recording made in one mode plays back the same in a program set to the
// other mode.
TEST_P(RecordPlaybackTest, PlaybackTakesTheModeOfItsRecording) {
  SimOptions live = Options();
  live.Player = SimPlayerKind::Random;
  live.Seed = 5;
  live.RecordFile = (folder_ / "recorded.ini").string();
  const auto liveRows = Run(live);
  ASSERT_GT(liveRows.size(), 50u);

  SimOptions replay = Options();
  replay.Story = !GetParam();
  replay.Player = SimPlayerKind::Replay;
  replay.ReplayFile = live.RecordFile;
  const auto replayRows = Run(replay);
  ASSERT_GT(replayRows.size(), 50u);
  for (std::size_t i = 0; i < 50; ++i) ASSERT_EQ(replayRows[i], liveRows[i]) << "row " << i;
  // When the player's mode comes back: end_of_game_test.cpp.
}

TEST_P(RecordPlaybackTest, SeedChoosesTheGame) {
  SimOptions o = Options();
  o.MaxFrames = 5;
  o.Seed = 42;
  const auto a = Run(o);
  const auto b = Run(o);
  o.Seed = 43;
  const auto c = Run(o);
  ASSERT_EQ(a.size(), 5u);
  EXPECT_EQ(a, b);
  EXPECT_NE(a.back().substr(a.back().rfind(',')), c.back().substr(c.back().rfind(',')));
}

TEST(RequestGameSeedTest, NextGameStartDrawsTheSeed) {
  for (std::uint32_t seed : {0u, 1u, 4242u, 16777215u}) {
    auto g = std::make_unique<GameState>();
    RequestGameSeed(*g, seed);
    EXPECT_EQ(static_cast<std::uint32_t>(g->CosmeticRandom.Rnd() * 16777216.0f), seed);
  }
}

INSTANTIATE_TEST_SUITE_P(Modes, RecordPlaybackTest, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Story" : "Arcade"; });

}  // namespace
}  // namespace pebblerun
