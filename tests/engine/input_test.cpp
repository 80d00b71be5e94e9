// Keyboard and mouse from synthesized window events, and the one path of
// key events: the host's key filter, the window's own shortcuts, then the
// key state; and key events a host types itself.

#include <SDL.h>

#include <set>
#include <vector>

#include "engine_fixture.h"
#include "platform/events.h"

namespace quillon::testing {
namespace {

class Input : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    StartSmall(engine_);
    engine_.RenderAll();  // settles the window's own start-up events
    SharedMouseState() = SharedMouse{};
  }
  std::uint32_t WindowId() { return engine_.Internals().Video->WindowId(); }
  void Key(SDL_Scancode code, bool down, Uint16 mod = KMOD_NONE) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.windowID = WindowId();
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.scancode = code;
    e.key.keysym.sym = SDL_GetKeyFromScancode(code);
    e.key.keysym.mod = mod;
    SDL_PushEvent(&e);
  }
  void Button(Uint8 button, bool down) {
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.windowID = WindowId();
    e.button.button = button;
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    SDL_PushEvent(&e);
  }
  void Window(SDL_WindowEventID id) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = WindowId();
    e.window.event = id;
    SDL_PushEvent(&e);
  }
  Mouse Poll() {
    Mouse m;
    EXPECT_FALSE(engine_.GetMouseState(m));
    return m;
  }
  Engine engine_;
};

TEST(ScanCodes, TableGivesTheDirectInputCodes) {
  using platform::DirectInputCode;
  EXPECT_EQ(DirectInputCode(SDL_SCANCODE_UP), 200);
  EXPECT_EQ(DirectInputCode(SDL_SCANCODE_LEFT), 203);
  EXPECT_EQ(DirectInputCode(SDL_SCANCODE_RIGHT), 205);
  EXPECT_EQ(DirectInputCode(SDL_SCANCODE_DOWN), 208);
  EXPECT_EQ(DirectInputCode(SDL_SCANCODE_RETURN), 28);
  EXPECT_EQ(DirectInputCode(SDL_SCANCODE_SPACE), 57);
  EXPECT_EQ(DirectInputCode(SDL_SCANCODE_ESCAPE), 1);
  EXPECT_EQ(DirectInputCode(SDL_SCANCODE_TAB), 15);
  EXPECT_EQ(DirectInputCode(SDL_SCANCODE_BACKSPACE), 14);
  EXPECT_EQ(DirectInputCode(SDL_SCANCODE_PRINTSCREEN), 183);
  EXPECT_EQ(DirectInputCode(SDL_SCANCODE_A), 30);
  EXPECT_EQ(DirectInputCode(SDL_SCANCODE_M), 50);
  EXPECT_EQ(DirectInputCode(SDL_SCANCODE_1), 2);
  EXPECT_EQ(DirectInputCode(SDL_SCANCODE_0), 11);
  EXPECT_EQ(DirectInputCode(SDL_SCANCODE_F1), 59);
  EXPECT_EQ(DirectInputCode(SDL_SCANCODE_F12), 88);
  EXPECT_EQ(DirectInputCode(SDL_SCANCODE_KP_0), 82);
  EXPECT_EQ(DirectInputCode(SDL_SCANCODE_KP_ENTER), 156);
  EXPECT_EQ(DirectInputCode(SDL_SCANCODE_LSHIFT), 42);
  EXPECT_EQ(DirectInputCode(SDL_SCANCODE_RSHIFT), 54);
  EXPECT_EQ(DirectInputCode(SDL_SCANCODE_LCTRL), 29);
  EXPECT_EQ(DirectInputCode(SDL_SCANCODE_RCTRL), 157);
  EXPECT_EQ(DirectInputCode(SDL_SCANCODE_LALT), 56);
  EXPECT_EQ(DirectInputCode(SDL_SCANCODE_RALT), 184);
  EXPECT_EQ(DirectInputCode(-1), 0);
  EXPECT_EQ(DirectInputCode(SDL_NUM_SCANCODES), 0);
  // Every letter has a code of its own, and the way back agrees.
  std::set<int> letters;
  for (int sc = SDL_SCANCODE_A; sc <= SDL_SCANCODE_Z; ++sc) {
    letters.insert(DirectInputCode(sc));
    EXPECT_EQ(platform::SdlScancode(DirectInputCode(sc)), sc);
  }
  EXPECT_EQ(letters.size(), 26u);
  EXPECT_EQ(letters.count(0), 0u);
}

TEST_F(Input, HeldKeyPressesOnceAndReleasesOnce) {
  Key(SDL_SCANCODE_SPACE, true);
  std::vector<bool> pressed, down, up;
  for (int frame = 0; frame < 3; ++frame) {
    engine_.RenderAll();
    pressed.push_back(engine_.GetKeyPressed(57));
    down.push_back(engine_.GetKeyDown(57));
    up.push_back(engine_.GetKeyUp(57));
  }
  EXPECT_EQ(pressed, (std::vector<bool>{true, false, false}));
  EXPECT_EQ(down, (std::vector<bool>{true, true, true}));
  EXPECT_EQ(up, (std::vector<bool>{false, false, false}));
  Key(SDL_SCANCODE_SPACE, false);
  engine_.RenderAll();
  EXPECT_FALSE(engine_.GetKeyDown(57));
  EXPECT_TRUE(engine_.GetKeyUp(57));
  EXPECT_FALSE(engine_.GetKeyPressed(57));
  engine_.RenderAll();
  EXPECT_FALSE(engine_.GetKeyUp(57));
  // Pressed again: a new press edge.
  Key(SDL_SCANCODE_SPACE, true);
  engine_.RenderAll();
  EXPECT_TRUE(engine_.GetKeyPressed(57));
}

TEST_F(Input, TapBetweenTwoSamplesIsDownForOneSample) {
  // Both events arrive before the same sample.
  Key(SDL_SCANCODE_SPACE, true);
  Key(SDL_SCANCODE_SPACE, false);
  engine_.RenderAll();
  EXPECT_TRUE(engine_.GetKeyDown(57));
  EXPECT_TRUE(engine_.GetKeyPressed(57));
  EXPECT_FALSE(engine_.GetKeyUp(57));
  engine_.RenderAll();
  EXPECT_FALSE(engine_.GetKeyDown(57));
  EXPECT_FALSE(engine_.GetKeyPressed(57));
  EXPECT_TRUE(engine_.GetKeyUp(57));

  // A key held on while another is tapped: the held one stays down throughout.
  Key(SDL_SCANCODE_LEFT, true);
  engine_.RenderAll();
  Key(SDL_SCANCODE_LEFT, false);
  Key(SDL_SCANCODE_LEFT, true);
  engine_.RenderAll();
  EXPECT_TRUE(engine_.GetKeyDown(203));
  engine_.RenderAll();
  EXPECT_TRUE(engine_.GetKeyDown(203));

  // A tap while the window is away is not kept for later.
  Window(SDL_WINDOWEVENT_FOCUS_LOST);
  Key(SDL_SCANCODE_RETURN, true);
  Key(SDL_SCANCODE_RETURN, false);
  engine_.RenderAll();
  Window(SDL_WINDOWEVENT_FOCUS_GAINED);
  engine_.RenderAll();
  EXPECT_FALSE(engine_.GetKeyDown(28));
}

TEST_F(Input, QuickClickBetweenTwoSamplesIsClicked) {
  Button(SDL_BUTTON_LEFT, true);
  Button(SDL_BUTTON_LEFT, false);
  engine_.RenderAll();
  Mouse m = Poll();
  EXPECT_TRUE(m.B1Clicked);
  EXPECT_TRUE(m.B1Down);
  engine_.RenderAll();
  m = Poll();
  EXPECT_TRUE(m.B1Up);
  EXPECT_FALSE(m.B1Down);
  EXPECT_FALSE(m.B1Clicked);
}

TEST_F(Input, ReleaseNeverSeenDownIsNoReleaseAndBadCodesAreUp) {
  EXPECT_FALSE(engine_.GetKeyUp(28));
  Key(SDL_SCANCODE_RETURN, true);
  engine_.RenderAll();
  Key(SDL_SCANCODE_RETURN, false);
  engine_.RenderAll();
  EXPECT_FALSE(engine_.GetKeyUp(28));
  for (int bad : {-1, 256, 100000}) {
    EXPECT_FALSE(engine_.GetKeyDown(bad));
    EXPECT_FALSE(engine_.GetKeyUp(bad));
    EXPECT_FALSE(engine_.GetKeyPressed(bad));
  }
}

TEST_F(Input, InputIsSampledOncePerFrame) {
  Key(SDL_SCANCODE_LEFT, true);
  EXPECT_FALSE(engine_.GetKeyDown(203));  // not before the next RenderAll
  engine_.RenderAll();
  EXPECT_TRUE(engine_.GetKeyDown(203));
}

TEST_F(Input, FocusLossKeepsTheLastSampleUntilRegained) {
  Key(SDL_SCANCODE_RIGHT, true);
  engine_.RenderAll();
  Window(SDL_WINDOWEVENT_FOCUS_LOST);
  engine_.RenderAll();
  EXPECT_TRUE(engine_.GetKeyDown(205));
  Window(SDL_WINDOWEVENT_FOCUS_GAINED);
  engine_.RenderAll();
  // The key's release was never seen; the re-acquired device starts clean.
  EXPECT_FALSE(engine_.GetKeyDown(205));
}

TEST_F(Input, ButtonLatchesPerCall) {
  Button(SDL_BUTTON_LEFT, true);
  std::vector<bool> clicked, down;
  for (int frame = 0; frame < 3; ++frame) {
    engine_.RenderAll();
    const Mouse m = Poll();
    clicked.push_back(m.B1Clicked);
    down.push_back(m.B1Down);
    EXPECT_FALSE(m.B1Up);
  }
  EXPECT_EQ(clicked, (std::vector<bool>{true, false, false}));
  EXPECT_EQ(down, (std::vector<bool>{true, true, true}));
  Button(SDL_BUTTON_LEFT, false);
  engine_.RenderAll();
  Mouse m = Poll();
  EXPECT_TRUE(m.B1Up);
  EXPECT_FALSE(m.B1Down);
  engine_.RenderAll();
  EXPECT_FALSE(Poll().B1Up);

  Button(SDL_BUTTON_RIGHT, true);
  engine_.RenderAll();
  m = Poll();
  EXPECT_TRUE(m.B2Clicked);
  EXPECT_FALSE(m.B3Clicked);
  EXPECT_FALSE(m.B1Clicked);
}

TEST_F(Input, WheelTotalRoundsEachSampleHalvesToEven) {
  SDL_Event e{};
  e.type = SDL_MOUSEWHEEL;
  e.wheel.windowID = WindowId();
  e.wheel.y = 1;
  SDL_PushEvent(&e);
  engine_.RenderAll();
  EXPECT_EQ(Poll().Wheel, 1);
  // Every call adds the frame's sample again.
  EXPECT_EQ(Poll().Wheel, 2);
  engine_.RenderAll();
  EXPECT_EQ(Poll().Wheel, 2);

  SharedMouse shared;
  Mouse m;
  MouseSample half;
  half.Wheel = 60;
  for (int call = 0; call < 3; ++call) FillMouse(shared, half, 0, 0, m);
  EXPECT_EQ(m.Wheel, 0);
  MouseSample oneAndHalf;
  oneAndHalf.Wheel = 180;
  FillMouse(shared, oneAndHalf, 0, 0, m);
  EXPECT_EQ(m.Wheel, 2);
}

TEST_F(Input, WindowedPositionIsRelativeToTheOuterCorner) {
  engine_.Internals().Video->SetClientPosition(100, 50);
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.windowID = WindowId();
  e.motion.x = 10;
  e.motion.y = 30;
  SDL_PushEvent(&e);
  engine_.RenderAll();
  const Mouse m = Poll();
  EXPECT_EQ(m.X, 10);
  EXPECT_EQ(m.Y, 30);
  EXPECT_EQ(lib::State().MouseX, 10);
  engine_.SetMousePos(300, 400);
  EXPECT_EQ(lib::State().MouseX, 300);
  EXPECT_EQ(lib::State().MouseY, 400);
}

TEST_F(Input, PositionIsInBackBufferPixelsOnAScaledWindow) {
  // A 64 x 64 back buffer on a window of 192 x 128: twice the size, centred.
  SDL_SetWindowSize(SDL_GetWindowFromID(WindowId()), 192, 128);
  engine_.ClearScreen(0, 0, 0);
  engine_.RenderAll();
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.windowID = WindowId();
  e.motion.x = 32 + 20;
  e.motion.y = 41;
  SDL_PushEvent(&e);
  engine_.RenderAll();
  const Mouse m = Poll();
  EXPECT_EQ(m.X, 10);
  EXPECT_EQ(m.Y, 20);
}

TEST_F(Input, MouseHideIsCountedAndDebugModeIgnoresIt) {
  engine_.SetMouseHide(true);
  engine_.SetMouseHide(true);
  engine_.SetMouseHide(false);
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
  engine_.SetMouseHide(false);
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
  engine_.SetDebugMode(true);
  EXPECT_TRUE(engine_.DebugMode());
  engine_.SetMouseHide(true);
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
}

TEST_F(Input, WindowEventsReachTheHost) {
  std::vector<std::pair<WindowEventKind, int>> seen;
  engine_.SetWindowEventHandler([&](const WindowEvent& e) { seen.emplace_back(e.Kind, e.Button); });
  Button(SDL_BUTTON_MIDDLE, true);
  Button(SDL_BUTTON_MIDDLE, false);
  Window(SDL_WINDOWEVENT_CLOSE);
  Key(SDL_SCANCODE_RETURN, true, KMOD_LALT);
  engine_.PumpEvents();
  const std::vector<std::pair<WindowEventKind, int>> expected{{WindowEventKind::MouseDown, 3},
                                                              {WindowEventKind::MouseUp, 3},
                                                              {WindowEventKind::CloseRequested, 0},
                                                              {WindowEventKind::ToggleFullScreen, 0}};
  EXPECT_EQ(seen, expected);
}

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
