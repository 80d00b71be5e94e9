// The pad's buttons and stick as the keys the game reads: per place (menus,
// play, name entry), the stick's dead zone, buttons held across a change of
// place, and the repeat of held keys in the name entry.

#include "program/pad_keys.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "sim/scan_codes.h"

namespace pebblerun {
namespace {

using quillon::PadAxis;
using quillon::PadButton;
using quillon::PadState;

class PadKeysTest : public ::testing::Test {
 protected:
  PadState Pad(std::initializer_list<PadButton> buttons, int leftX = 0, int leftY = 0) {
    PadState pad;
    pad.Connected = 1;
    for (PadButton b : buttons) pad.Buttons[static_cast<std::size_t>(b)] = true;
    pad.Axes[static_cast<std::size_t>(PadAxis::LeftX)] = static_cast<std::int16_t>(leftX);
    pad.Axes[static_cast<std::size_t>(PadAxis::LeftY)] = static_cast<std::int16_t>(leftY);
    return pad;
  }
  // The codes the pad holds down in one frame.
  std::set<int> Codes(const PadState& pad, InputContext context) {
    KeyStates keys{};
    mapper_.AddTo(pad, context, keys);
    std::set<int> codes;
    for (int c = 0; c < 256; ++c) {
      if (keys[static_cast<std::size_t>(c)] == scan::kDown) codes.insert(c);
    }
    return codes;
  }
  PadKeys mapper_;
};

TEST_F(PadKeysTest, EachPlaceGivesTheButtonsTheirKeys) {
  const auto play = InputContext::Play;
  Codes(Pad({}), play);
  EXPECT_EQ(Codes(Pad({PadButton::DpadLeft}), play), std::set<int>{scan::Left});
  EXPECT_EQ(Codes(Pad({PadButton::DpadRight}), play), std::set<int>{scan::Right});
  EXPECT_EQ(Codes(Pad({PadButton::A}), play), std::set<int>{scan::Up});
  EXPECT_EQ(Codes(Pad({PadButton::B}), play), std::set<int>{scan::Space});
  EXPECT_EQ(Codes(Pad({PadButton::X}), play), std::set<int>{scan::Space});
  EXPECT_EQ(Codes(Pad({PadButton::Start}), play), std::set<int>{scan::P});
  EXPECT_EQ(Codes(Pad({PadButton::Back}), play), std::set<int>{scan::Escape});
  // Up and down mean nothing in play (A jumps).
  EXPECT_EQ(Codes(Pad({PadButton::DpadUp, PadButton::DpadDown}), play), std::set<int>{});

  const auto menu = InputContext::Menu;
  Codes(Pad({}), menu);
  EXPECT_EQ(Codes(Pad({PadButton::DpadUp}), menu), std::set<int>{scan::Up});
  EXPECT_EQ(Codes(Pad({}, 0, 20000), menu), std::set<int>{scan::Down});
  EXPECT_EQ(Codes(Pad({PadButton::A}), menu), std::set<int>{scan::Enter});
  EXPECT_EQ(Codes(Pad({PadButton::Start}), menu), std::set<int>{scan::Enter});
  EXPECT_EQ(Codes(Pad({PadButton::B}), menu), std::set<int>{scan::Escape});
  EXPECT_EQ(Codes(Pad({PadButton::DpadLeft}), menu), std::set<int>{});

  const auto name = InputContext::NameEntry;
  Codes(Pad({}), name);
  EXPECT_EQ(Codes(Pad({PadButton::B}), name), std::set<int>{scan::Backspace});
  EXPECT_EQ(Codes(Pad({PadButton::A}), name), std::set<int>{scan::Enter});
  EXPECT_EQ(Codes(Pad({PadButton::DpadRight}), name), std::set<int>{scan::Right});
  EXPECT_EQ(Codes(Pad({}, 0, -32768), name), std::set<int>{scan::Up});
}

TEST_F(PadKeysTest, TheStickWalksFromAQuarterOfItsTravel) {
  const auto play = InputContext::Play;
  EXPECT_EQ(Codes(Pad({}, 8191), play), std::set<int>{});
  EXPECT_EQ(Codes(Pad({}, 8192), play), std::set<int>{scan::Right});
  EXPECT_EQ(Codes(Pad({}, -8191), play), std::set<int>{});
  EXPECT_EQ(Codes(Pad({}, -8192), play), std::set<int>{scan::Left});
  EXPECT_EQ(Codes(Pad({}, -32768), play), std::set<int>{scan::Left});
  EXPECT_EQ(Codes(Pad({}, 32767), play), std::set<int>{scan::Right});
  // Pushed up or down as well as sideways, it still walks.
  EXPECT_EQ(Codes(Pad({}, 30000, 30000), play), std::set<int>{scan::Right});
}

TEST_F(PadKeysTest, AButtonHeldIntoAnotherPlaceWaitsForItsRelease) {
  // A held for a jump when Tobo dies: it must not confirm the name.
  Codes(Pad({}), InputContext::Play);
  EXPECT_EQ(Codes(Pad({PadButton::A}), InputContext::Play), std::set<int>{scan::Up});
  EXPECT_EQ(Codes(Pad({PadButton::A}), InputContext::NameEntry), std::set<int>{});
  EXPECT_EQ(Codes(Pad({PadButton::A}), InputContext::NameEntry), std::set<int>{});
  EXPECT_EQ(Codes(Pad({}), InputContext::NameEntry), std::set<int>{});
  EXPECT_EQ(Codes(Pad({PadButton::A}), InputContext::NameEntry), std::set<int>{scan::Enter});
  // A button pressed together with the change acts as well once released and pressed again.
  EXPECT_EQ(Codes(Pad({PadButton::A, PadButton::B}), InputContext::Menu), std::set<int>{});
  EXPECT_EQ(Codes(Pad({PadButton::B}), InputContext::Menu), std::set<int>{});
  EXPECT_EQ(Codes(Pad({PadButton::A, PadButton::B}), InputContext::Menu), std::set<int>{scan::Enter});
}

TEST_F(PadKeysTest, HeldDirectionsRepeatInTheNameEntryOnly) {
  std::vector<bool> name, menu;
  Codes(Pad({}), InputContext::NameEntry);
  for (int frame = 0; frame < 32; ++frame)
    name.push_back(Codes(Pad({PadButton::DpadUp}), InputContext::NameEntry).size() == 1);
  PadKeys other;
  for (int frame = 0; frame < 32; ++frame) {
    KeyStates keys{};
    other.AddTo(Pad({PadButton::DpadUp}), InputContext::Menu, keys);
    menu.push_back(keys[scan::Up] == scan::kDown);
  }
  // Down for the first 20 frames, then up one frame in four.
  for (int frame = 0; frame < 32; ++frame) {
    const bool expected = frame < 20 || (frame - 20) % 4 != 0;
    EXPECT_EQ(name[static_cast<std::size_t>(frame)], expected) << frame;
    EXPECT_TRUE(menu[static_cast<std::size_t>(frame)]) << frame;
  }
}

}  // namespace
}  // namespace pebblerun
