// The video export's progress bar.

#include "program/export_progress.h"

#include <gtest/gtest.h>

namespace pebblerun {
namespace {

TEST(ExportProgress, BarShowsFramesSpeedAndTimeLeft) {
  // 100 of 400 frames (2 s of video) in 1 s: twice real time, 3 s to go.
  EXPECT_EQ(ExportProgress::BarText(100, 400, 1.0, 50),
            "[#######.......................] 100/400 frames  2.0x real time  0:03 left");
  EXPECT_EQ(ExportProgress::BarText(0, 400, 0.0, 50), "[..............................] 0/400 frames");
  // Past an estimate that was short, the bar stays full.
  EXPECT_EQ(ExportProgress::BarText(500, 400, 5.0, 50).substr(0, 32), "[##############################]");
}

}  // namespace
}  // namespace pebblerun
