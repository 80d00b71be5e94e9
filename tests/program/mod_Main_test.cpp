// The main loop's helpers: the music fades of the menu and the game, the
// frame wait's bookkeeping, and the angle rules.

#include "program/mod_Main.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace pebblerun {
namespace {

// Records every call; position and duration are set by the test.
class RecordingPlayer final : public MusicPlayer {
 public:
  bool LoadMP3(const std::string& file) override { return Log("load " + file), true; }
  std::int32_t GetCurrentPosition() const override { return position; }
  std::int32_t GetDuration() const override { return duration; }
  void SetVolume(std::int32_t volume) override {
    volumes.push_back(volume);
    Log("volume");
  }
  void PlayMP3(bool startOver) override { Log(startOver ? "play over" : "play"); }
  void StopMP3(bool pause) override { Log(pause ? "pause" : "stop"); }

  void Log(const std::string& call) { calls.push_back(call); }
  std::vector<std::string> calls;
  std::vector<std::int32_t> volumes;
  std::int32_t position = 5, duration = 100;
};

struct Music : ::testing::Test {
  Music() {
    auto m = std::make_unique<RecordingPlayer>();
    auto gm = std::make_unique<RecordingPlayer>();
    menu = m.get();
    game = gm.get();
    objects.MenuMusic = std::move(m);
    objects.GameMusic = std::move(gm);
    g->SoundOn = true;
  }
  std::unique_ptr<GameState> g = std::make_unique<GameState>();
  GameObjects objects;
  RecordingPlayer* menu;
  RecordingPlayer* game;
};

TEST_F(Music, MenuVolumeClimbsToAHundredThenAlternates) {
  StartMenuMusic(*g, objects);
  EXPECT_EQ(menu->calls, std::vector<std::string>{"play"});
  EXPECT_EQ(game->volumes, std::vector<std::int32_t>{1});
  EXPECT_EQ(g->MenuMusicVolume, 90);
  for (int i = 0; i < 14; ++i) MenuMusicStep(*g, objects);
  const std::vector<std::int32_t> expected = {91, 92, 93, 94, 95, 96, 97, 98, 99, 100, 101, 100, 101, 100};
  EXPECT_EQ(menu->volumes, expected);
}

TEST_F(Music, MenuMusicStartsAtPositionZeroAndRestartsAtItsEnd) {
  menu->position = 0;
  MenuMusicStep(*g, objects);
  EXPECT_EQ(menu->calls.front(), "play");
  menu->calls.clear();
  menu->position = 100;
  MenuMusicStep(*g, objects);
  EXPECT_EQ(menu->calls.back(), "play over");
}

TEST_F(Music, GameMusicClimbsToSixtyOneThenNinety) {
  g->GameMusicVolume = 1;
  std::vector<Single> volumes;
  for (int i = 0; i < 50; ++i) {
    GameMusicStep(*g, objects);
    volumes.push_back(g->GameMusicVolume);
  }
  EXPECT_EQ(volumes[14], 61);  // 15 frames of 4
  EXPECT_EQ(volumes[13], 57);
  EXPECT_EQ(volumes[15], 62);
  EXPECT_EQ(volumes[42], 89);
  EXPECT_EQ(volumes[43], 90);  // 29 frames of 1 more
  EXPECT_EQ(volumes[49], 90);
  EXPECT_EQ(game->volumes.back(), 90);
}

TEST_F(Music, EachBranchFadesTheOtherMusicAndStopsAtOne) {
  g->MenuMusicVolume = 1.35f;
  g->GameMusicVolume = 1;
  GameMusicStep(*g, objects);
  GameMusicStep(*g, objects);
  GameMusicStep(*g, objects);
  GameMusicStep(*g, objects);
  EXPECT_NEAR(g->MenuMusicVolume, 0.95f, 1e-5);  // 1.35 -> 1.25 -> 1.15 -> 1.05 -> 0.95, then no more
  GameMusicStep(*g, objects);
  EXPECT_NEAR(g->MenuMusicVolume, 0.95f, 1e-5);
  EXPECT_EQ(menu->volumes, (std::vector<std::int32_t>{1, 1, 1, 0}));

  g->GameMusicVolume = 1.3f;
  MenuMusicStep(*g, objects);
  MenuMusicStep(*g, objects);
  EXPECT_NEAR(g->GameMusicVolume, 0.9f, 1e-5);
  const auto calls = game->volumes.size();
  MenuMusicStep(*g, objects);
  EXPECT_EQ(game->volumes.size(), calls);
}

TEST_F(Music, GameMusicRewindsAtItsEnd) {
  game->position = 100;
  GameMusicStep(*g, objects);
  ASSERT_GE(game->calls.size(), 2u);
  EXPECT_EQ(game->calls[game->calls.size() - 2], "stop");
  EXPECT_EQ(game->calls.back(), "play");
}

TEST_F(Music, WithSoundOffNoMusicCallAtAll) {
  g->SoundOn = false;
  g->MenuMusicVolume = 50;
  g->GameMusicVolume = 50;
  StartMenuMusic(*g, objects);
  for (int i = 0; i < 20; ++i) {
    MenuMusicStep(*g, objects);
    GameMusicStep(*g, objects);
  }
  EXPECT_TRUE(menu->calls.empty());
  EXPECT_TRUE(game->calls.empty());
}

TEST(WaitFrame, LeavesTheStepInTheCallersVariableAndInFrameTime) {
  auto g = std::make_unique<GameState>();
  FrameTiming timing;
  for (bool wait : {false, true}) {
    Single fps = 50;
    g->FrameTime = 0.5;
    WaitFrame(*g, timing, fps, wait);
    EXPECT_FLOAT_EQ(fps, 0.02f);
    EXPECT_EQ(g->FrameTime, 0.02);
  }
}

TEST(WaitFrame, CountsFramesAndPublishesThemOncePerSecond) {
  auto g = std::make_unique<GameState>();
  FrameTiming timing;
  Single fps = 50;
  WaitFrame(*g, timing, fps, false);  // the first call opens the one-second window
  EXPECT_EQ(g->FramesThisSecond, 0);
  for (int i = 0; i < 5; ++i) {
    fps = 50;
    WaitFrame(*g, timing, fps, false);
  }
  EXPECT_EQ(g->FramesThisSecond, 5);
  // A window that started long ago closes at the next frame.
  timing.SecondStart -= 2'000'000'000;
  fps = 50;
  WaitFrame(*g, timing, fps, false);
  EXPECT_EQ(g->Fps, 5);
  EXPECT_EQ(g->FramesThisSecond, 0);
  EXPECT_EQ(g->WaitLoops, 0);
  EXPECT_FLOAT_EQ(g->WaitLoadPerMs, 6 / 1000.0f);  // one bookkeeping pass per frame without waits
}

TEST(Angles, WrapDegreesTakesOneStepEachWay) {
  Single a = 725;
  WrapDegrees(a);
  EXPECT_EQ(a, 365);
  a = -10;
  WrapDegrees(a);
  EXPECT_EQ(a, 350);
  a = 359;
  WrapDegrees(a);
  EXPECT_EQ(a, 359);
  a = 360;
  WrapDegrees(a);
  EXPECT_EQ(a, 0);
}

TEST(Angles, PolarOffsetMovesAlongTheHeading) {
  auto g = std::make_unique<GameState>();
  g->Pi = 3.14159265f;
  Single x = 10, y = 20;
  PolarOffset(*g, x, y, 90, 5);  // y grows downwards: 90 degrees is straight down
  EXPECT_NEAR(x, 10, 1e-5);
  EXPECT_NEAR(y, 25, 1e-5);
  PolarOffset(*g, x, y, 180, 2);
  EXPECT_NEAR(x, 8, 1e-5);
}

}  // namespace
}  // namespace pebblerun
