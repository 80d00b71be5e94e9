// The one path of key events: the host's key filter, the window's own
// shortcuts, then the key state; and key events a host types itself.

#include <SDL.h>

#include <vector>

#include "engine_fixture.h"

namespace quillon::testing {
namespace {

constexpr int kEscape = 1, kEnter = 28, kTab = 15, kLeftAlt = 56, kLeftCtrl = 29, kF4 = 62, kA = 30;

class KeyPath : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    StartSmall(engine_);
    engine_.RenderAll();
    engine_.SetWindowEventHandler([this](const WindowEvent& e) { events_.push_back(e.Kind); });
  }
  void Type(int key, bool down) { ASSERT_TRUE(engine_.QueueKeyEvent(key, down)); }
  // The key state after the events so far.
  bool Down(int key) {
    engine_.SampleInput();
    return engine_.GetKeyDown(key);
  }
  // A key event from the real keyboard, auto-repeat included.
  void RealKey(SDL_Scancode code, bool down, Uint16 mod, bool repeat = false) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.windowID = engine_.Internals().Video->WindowId();
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.repeat = repeat ? 1 : 0;
    e.key.keysym.scancode = code;
    e.key.keysym.sym = SDL_GetKeyFromScancode(code);
    e.key.keysym.mod = mod;
    SDL_PushEvent(&e);
  }
  Engine engine_;
  std::vector<WindowEventKind> events_;
  std::vector<KeyPress> asked_;
};

TEST_F(KeyPath, TheFilterSeesEachPressWithItsModifiersAndSwallowsItWhole) {
  // Swallows Escape with Control, as a keyboard lock would.
  engine_.SetKeyFilter([this](const KeyPress& press) {
    asked_.push_back(press);
    return press.Key == kEscape && press.Control;
  });
  Type(kLeftCtrl, true);
  Type(kEscape, true);
  EXPECT_TRUE(Down(kLeftCtrl));
  EXPECT_FALSE(Down(kEscape));
  ASSERT_EQ(asked_.size(), 2u);  // presses only, each once
  EXPECT_EQ(asked_[0].Key, kLeftCtrl);
  EXPECT_TRUE(asked_[0].Control);  // a modifier's own press carries it
  EXPECT_EQ(asked_[1].Key, kEscape);
  EXPECT_TRUE(asked_[1].Control);
  EXPECT_FALSE(asked_[1].Alt);

  // Control let go first: the swallowed Escape's repeats and release still go nowhere.
  Type(kLeftCtrl, false);
  RealKey(SDL_SCANCODE_ESCAPE, true, KMOD_NONE, true);
  EXPECT_FALSE(Down(kEscape));
  Type(kEscape, false);
  EXPECT_FALSE(Down(kEscape));
  EXPECT_EQ(asked_.size(), 2u);

  // Escape alone passes.
  Type(kEscape, true);
  EXPECT_TRUE(Down(kEscape));
  EXPECT_FALSE(asked_.back().Control);
  // Its release comes with Control held, which would be swallowed as a
  // press: the key must not stick down.
  Type(kLeftCtrl, true);
  Type(kEscape, false);
  EXPECT_FALSE(Down(kEscape));
  Type(kLeftCtrl, false);

  // Without a filter nothing is swallowed.
  engine_.SetKeyFilter(nullptr);
  Type(kLeftCtrl, true);
  Type(kEscape, true);
  EXPECT_TRUE(Down(kEscape));
}

TEST_F(KeyPath, AltEnterOnlySwitchesFullScreenAndAltF4AsksToClose) {
  Type(kLeftAlt, true);
  Type(kEnter, true);
  EXPECT_FALSE(Down(kEnter));
  EXPECT_EQ(events_, std::vector<WindowEventKind>{WindowEventKind::ToggleFullScreen});
  // Alt let go while Enter is still held: its repeats are not a new press.
  Type(kLeftAlt, false);
  RealKey(SDL_SCANCODE_RETURN, true, KMOD_NONE, true);
  EXPECT_FALSE(Down(kEnter));
  Type(kEnter, false);
  Type(kEnter, true);  // a press of its own reaches the game
  EXPECT_TRUE(Down(kEnter));
  Type(kEnter, false);
  EXPECT_EQ(events_.size(), 1u);

  // The keypad's Enter too, from the real keyboard with the right Alt.
  RealKey(SDL_SCANCODE_KP_ENTER, true, KMOD_RALT);
  EXPECT_FALSE(Down(156));
  EXPECT_EQ(events_.size(), 2u);

  events_.clear();
  Type(kLeftAlt, true);
  Type(kF4, true);
  engine_.PumpEvents();
  EXPECT_EQ(events_, std::vector<WindowEventKind>{WindowEventKind::CloseRequested});
  Type(kF4, false);
  Type(kLeftAlt, false);
  Type(kF4, true);  // F4 alone closes nothing
  engine_.PumpEvents();
  EXPECT_EQ(events_.size(), 1u);
}

TEST_F(KeyPath, AFilterThatSwallowsAltEnterLeavesTheModeAlone) {
  engine_.SetKeyFilter([](const KeyPress& press) { return press.Key == kEnter; });
  Type(kLeftAlt, true);
  Type(kEnter, true);
  engine_.PumpEvents();
  EXPECT_TRUE(events_.empty());
}

TEST_F(KeyPath, AFilterThatThrowsLetsTheKeyThrough) {
  engine_.SetKeyFilter([](const KeyPress&) -> bool { throw std::runtime_error("host error"); });
  Type(kA, true);
  EXPECT_TRUE(Down(kA));
}

TEST_F(KeyPath, TypedModifiersAreHeldUntilReleasedAndUnknownCodesAreRefused) {
  engine_.SetKeyFilter([this](const KeyPress& press) {
    asked_.push_back(press);
    return false;
  });
  Type(kLeftAlt, true);
  Type(0x36, true);  // right Shift
  Type(kTab, true);
  Type(kLeftAlt, false);
  Type(kA, true);
  engine_.PumpEvents();
  ASSERT_EQ(asked_.size(), 4u);
  EXPECT_TRUE(asked_[2].Alt && asked_[2].Shift && !asked_[2].Control);
  EXPECT_FALSE(asked_[3].Alt);
  EXPECT_TRUE(asked_[3].Shift);
  EXPECT_FALSE(engine_.QueueKeyEvent(0x54, true));  // no key has this code
  EXPECT_FALSE(engine_.QueueKeyEvent(300, true));

  Engine noWindow;
  EXPECT_FALSE(noWindow.QueueKeyEvent(kA, true));
}

// A host that samples at the start of its frame presents without a sample,
// so a key tapped while it drew is still there for its next sample.
TEST_F(KeyPath, APresentWithoutSampleKeepsATapForTheNextSample) {
  engine_.SampleInput();
  Type(kA, true);
  Type(kA, false);
  engine_.Present(false);
  EXPECT_FALSE(engine_.GetKeyDown(kA));
  engine_.SampleInput();
  EXPECT_TRUE(engine_.GetKeyDown(kA));
  engine_.SampleInput();
  EXPECT_FALSE(engine_.GetKeyDown(kA));
}

}  // namespace
}  // namespace quillon::testing
