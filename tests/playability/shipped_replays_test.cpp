// The ten replays shipped for the menu's attract mode each play back to the
// end their recording reached: the hero wins or dies in the frame he did
// when the game was recorded, not earlier (the playback went astray) and not
// only when the playback runs out of keys (he survived what killed him).

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <quillon/numbers.h>
#include <quillon/profile.h>

#include "app_folders.h"
#include "headless/runner.h"
#include "sim/game_ini.h"
#include "trace_rows.h"

namespace pebblerun {
namespace {

using support::FrameOf;
using support::GameOverRow;

std::filesystem::path AppDir() { return support::BuiltAppFolder(); }

TEST(ShippedReplays, EachPlaysBackToItsRecordedEnd) {
  quillon::profile::ClearCache();
  int story = 0;
  for (int n = 1; n <= 10; ++n) {
    const auto file = AppDir() / ("replay" + std::to_string(n) + ".ini");
    SCOPED_TRACE(file.string());
    ASSERT_TRUE(std::filesystem::exists(file));
    const auto lastFrame = quillon::vb::ParseLong(ReadIni("options", "lastframe", file));
    ASSERT_TRUE(lastFrame.has_value());
    const bool recordedInStory = ReadIni("Map", "story", file) == "True";
    if (recordedInStory) ++story;
    // A watchable game: longer than half a minute.
    EXPECT_GT(*lastFrame, 1500);

    SimOptions o;
    o.AppDir = AppDir().string();
    o.Story = n % 2 == 0;
    o.Player = SimPlayerKind::Replay;
    o.ReplayFile = file.string();
    Long endFrame = -1;
    const SimResult r = RunSimulation(o, [&](const std::string& row) {
      if (endFrame < 0 && GameOverRow(row)) endFrame = FrameOf(row);
    });
    ASSERT_TRUE(r.Finished);
    // Played in the mode it was recorded in, whatever the player's mode.
    EXPECT_EQ(r.Story, recordedInStory);
    // The recording ends a frame after the hero's last one, or a few more
    // while a name is typed.
    EXPECT_LT(endFrame, *lastFrame);
    EXPECT_GE(endFrame, *lastFrame - 3);
  }
  // Both modes are shown.
  EXPECT_GE(story, 3);
  EXPECT_LE(story, 7);
}

}  // namespace
}  // namespace pebblerun
