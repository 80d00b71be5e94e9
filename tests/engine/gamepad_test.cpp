// Game controllers through the engine, driven by SDL's virtual joystick:
// plugging in and pulling out, the merged sample, short taps, a window that
// loses the focus, rumble, and a mapping file for a stick SDL does not know.

#include <SDL.h>

#include <fstream>
#include <vector>

#include "engine_fixture.h"

namespace quillon::testing {
namespace {

class Pads : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    engine_.SetWindowEventHandler([this](const WindowEvent& e) {
      if (e.Kind == WindowEventKind::PadAdded || e.Kind == WindowEventKind::PadRemoved)
        events_.push_back(e.Kind);
    });
    StartSmall(engine_);
  }
  void TearDown() override {
    engine_.Quillon_Unload();
    EngineTest::TearDown();
  }
  PadState Frame() {
    engine_.RenderAll();
    PadState state;
    engine_.Pad_GetState(state);
    return state;
  }
  int CountInLog(const std::string& needle) {
    int n = 0;
    for (const auto& line : LogLines()) n += line.find(needle) != std::string::npos;
    return n;
  }

  Engine engine_;
  std::vector<WindowEventKind> events_;
};

TEST_F(Pads, PluggingInAndPullingOutAreReportedAndLogged) {
  EXPECT_EQ(Frame().Connected, 0);
  PadState state;
  EXPECT_FALSE(engine_.Pad_GetState(state));
  ASSERT_TRUE(engine_.Pad_AttachVirtual());
  EXPECT_EQ(Frame().Connected, 1);
  EXPECT_TRUE(engine_.Pad_GetState(state));
  EXPECT_EQ(events_, std::vector<WindowEventKind>{WindowEventKind::PadAdded});
  EXPECT_EQ(CountInLog("Gamepad connected : Pebblerun virtual pad"), 1);

  ASSERT_TRUE(engine_.Pad_SetVirtualButton(PadButton::A, true));
  EXPECT_TRUE(Frame().Down(PadButton::A));
  ASSERT_TRUE(engine_.Pad_DetachVirtual());
  const PadState after = Frame();
  EXPECT_EQ(after.Connected, 0);
  EXPECT_FALSE(after.Down(PadButton::A));  // nothing stays held by a pad that is gone
  EXPECT_EQ(events_, (std::vector<WindowEventKind>{WindowEventKind::PadAdded, WindowEventKind::PadRemoved}));
  EXPECT_EQ(CountInLog("Gamepad removed : Pebblerun virtual pad"), 1);
  EXPECT_FALSE(engine_.Pad_SetVirtualButton(PadButton::A, true));
}

TEST_F(Pads, ButtonsAndSticksShowFromTheNextSample) {
  ASSERT_TRUE(engine_.Pad_AttachVirtual());
  Frame();
  engine_.Pad_SetVirtualButton(PadButton::DpadLeft, true);
  engine_.Pad_SetVirtualAxis(PadAxis::LeftX, -32768);
  engine_.Pad_SetVirtualAxis(PadAxis::LeftY, 12345);
  const PadState state = Frame();
  EXPECT_TRUE(state.Down(PadButton::DpadLeft));
  EXPECT_FALSE(state.Down(PadButton::DpadRight));
  EXPECT_EQ(state.Axis(PadAxis::LeftX), -32768);
  EXPECT_EQ(state.Axis(PadAxis::LeftY), 12345);
  engine_.Pad_SetVirtualButton(PadButton::DpadLeft, false);
  EXPECT_FALSE(Frame().Down(PadButton::DpadLeft));
}

TEST_F(Pads, ATapBetweenTwoSamplesIsDownForOneSample) {
  ASSERT_TRUE(engine_.Pad_AttachVirtual());
  Frame();
  // A press the pad reported and took back before the frame sampled it.
  SDL_Event e{};
  e.type = SDL_CONTROLLERBUTTONDOWN;
  e.cbutton.which = SDL_JoystickGetDeviceInstanceID(0);
  e.cbutton.button = SDL_CONTROLLER_BUTTON_B;
  SDL_PushEvent(&e);
  EXPECT_TRUE(Frame().Down(PadButton::B));
  EXPECT_FALSE(Frame().Down(PadButton::B));
}

TEST_F(Pads, NothingIsHeldWhileTheWindowIsAway) {
  ASSERT_TRUE(engine_.Pad_AttachVirtual());
  engine_.Pad_SetVirtualButton(PadButton::Start, true);
  EXPECT_TRUE(Frame().Down(PadButton::Start));
  engine_.Internals().OnWindow(platform::WindowChange::FocusLost);
  EXPECT_FALSE(Frame().Down(PadButton::Start));
  engine_.Internals().OnWindow(platform::WindowChange::FocusGained);
  EXPECT_TRUE(Frame().Down(PadButton::Start));
}

TEST_F(Pads, RumbleReachesEveryPadThatHasOne) {
  EXPECT_FALSE(engine_.Pad_Rumble(0xFFFF, 0xFFFF, 100));  // no pad
  ASSERT_TRUE(engine_.Pad_AttachVirtual());
  Frame();
  EXPECT_TRUE(engine_.Pad_Rumble(0xFFFF, 0x1000, 100));
  EXPECT_EQ(CountInLog("Virtual pad rumble : 65535 4096"), 1);
}

// A joystick that SDL's database does not know: a log line says how to map
// it, and a line in "gamecontrollerdb.txt" next to the program makes it a pad.
TEST_F(Pads, AMappingFileMakesAnUnknownStickAPad) {
  // The stick outlives the engine's restart below.
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0);
  SDL_VirtualJoystickDesc desc{};
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_UNKNOWN;
  desc.naxes = 2;
  desc.nbuttons = 4;
  desc.vendor_id = 0x1234;
  desc.product_id = 0x5678;
  desc.name = "Odd stick";
  const int index = SDL_JoystickAttachVirtualEx(&desc);
  ASSERT_GE(index, 0) << SDL_GetError();
  ASSERT_FALSE(SDL_IsGameController(index));
  Frame();
  EXPECT_EQ(CountInLog("Gamepad without a mapping : Odd stick"), 1);
  EXPECT_EQ(Frame().Connected, 0);

  char guid[40];
  SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(index), guid, sizeof guid);
  std::ofstream(Path("gamecontrollerdb.txt"))
      << "# one stick\n"
      << guid << ",Odd stick,a:b0,b:b1,x:b2,y:b3,leftx:a0,lefty:a1,platform:Linux,\n";
  // The display (and with it the pads) starts again and reads the file.
  engine_.Quillon_Unload();
  StartSmall(engine_);
  EXPECT_EQ(Frame().Connected, 1);
  EXPECT_EQ(CountInLog("gamecontrollerdb.txt : 1 mappings"), 1);
  SDL_JoystickDetachVirtual(index);
  SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

}  // namespace
}  // namespace quillon::testing
