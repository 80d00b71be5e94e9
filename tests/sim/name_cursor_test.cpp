// The name entry's cursor: the arrow keys (and so a pad's d-pad) move it and
// dial the letter under it, typing and Backspace work at it, and at the end
// of the name everything behaves as plain typing always did.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "sim/game_keys.h"
#include "sim/scan_codes.h"
#include "sim/world.h"

namespace pebblerun {
namespace {

class NameCursorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_->Records.LastEntryName = "TOBO";
    g_->Records.HighScores[9].Score = 0;
    g_->World.Score = 10;
    EndGame(*g_);
    Frame({});
  }
  // One press of each key in turn: down for a frame, then up for a frame.
  void Press(std::initializer_list<int> codes) {
    for (int code : codes) {
      Frame({code});
      Frame({});
    }
  }
  void Frame(std::initializer_list<int> held) {
    g_->Input.Keys.fill(0);
    for (int code : held) g_->Input.Keys[static_cast<std::size_t>(code)] = scan::kDown;
    NameEntryKeys(*g_);
  }
  const std::string& Name() const { return g_->Records.TypedName; }

  std::unique_ptr<GameState> g_ = std::make_unique<GameState>();
};

TEST_F(NameCursorTest, DialingOnTheBlankSlotAddsALetterAndWraps) {
  EXPECT_EQ(NameCursor(*g_), 4u);  // the blank slot after "TOBO"
  Press({scan::Up});
  EXPECT_EQ(Name(), "TOBOA");
  EXPECT_EQ(NameCursor(*g_), 4u);  // on the new letter
  Press({scan::Down, scan::Down});
  EXPECT_EQ(Name(), "TOBO9");  // A, then space, then 9
  Press({scan::Up, scan::Up});
  EXPECT_EQ(Name(), "TOBOA");
  Press({scan::Right, scan::Down});
  EXPECT_EQ(Name(), "TOBOA9");
}

TEST_F(NameCursorTest, LeftRightTypingAndBackspaceWorkAtTheCursor) {
  Press({scan::Left, scan::Left, scan::Left});
  EXPECT_EQ(NameCursor(*g_), 1u);  // on the first O
  Press({scan::Backspace});
  EXPECT_EQ(Name(), "TBO");  // the letter under the cursor went
  EXPECT_EQ(NameCursor(*g_), 1u);
  Press({scan::A});
  EXPECT_EQ(Name(), "TABO");  // typed before the letter under the cursor
  Press({scan::Up});
  EXPECT_EQ(Name(), "TACO");
  Press({scan::Left, scan::Left, scan::Left, scan::Left});
  EXPECT_EQ(NameCursor(*g_), 0u);
  Press({scan::Right, scan::Right, scan::Right, scan::Right, scan::Right, scan::Right});
  EXPECT_EQ(NameCursor(*g_), 4u);  // no farther than the blank slot
  Press({scan::Backspace});
  EXPECT_EQ(Name(), "TAC");  // from the blank slot: the last letter
}

TEST_F(NameCursorTest, AFullNameHasNoRoomToDialOrType) {
  g_->Records.TypedName = std::string(20, 'Z');
  Press({scan::Up, scan::X});
  EXPECT_EQ(Name(), std::string(20, 'Z'));
  Press({scan::Left, scan::Up});
  EXPECT_EQ(Name(), std::string(19, 'Z') + "0");
}

TEST_F(NameCursorTest, ArrowsHeldFromPlayActOnlyAfterRelease) {
  // He died walking left and jumping: the keys are still held.
  g_->Input.UpHeld = true;
  g_->Records.TypedName = "";
  EndGame(*g_);
  Frame({scan::Left, scan::Up, scan::Down, scan::Right});
  Frame({scan::Left, scan::Up, scan::Down, scan::Right});
  EXPECT_EQ(Name(), "TOBO");
  EXPECT_EQ(NameCursor(*g_), 4u);
  Frame({});
  Press({scan::Left});
  EXPECT_EQ(NameCursor(*g_), 3u);
}

TEST_F(NameCursorTest, ANewNameStartsWithTheCursorAtItsEnd) {
  Press({scan::Left, scan::Left});
  g_->Records.LastEntryName = "ANA";
  EndGame(*g_);
  EXPECT_EQ(NameCursor(*g_), 3u);
  Press({scan::B});
  EXPECT_EQ(Name(), "ANAB");
}

}  // namespace
}  // namespace pebblerun
