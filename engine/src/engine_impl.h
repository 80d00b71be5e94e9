#pragma once
// The state of one Engine object, shared by the sources that implement it
// (start-up and frame, drawing, fonts, input, sound).

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "audio/sound_card.h"
#include "input_state.h"
#include "letter_table.h"
#include "platform/events.h"
#include "platform/gamepad.h"
#include "platform/video.h"
#include "quillon/engine.h"
#include "sprite_math.h"
#include "text_cache.h"

namespace quillon {

struct Engine::Impl : platform::EventSink {
  bool DebugMode = false;
  std::unique_ptr<platform::VideoSystem> VideoSystem;
  std::unique_ptr<platform::Video> Video;  // window and renderer; every draw goes here
  bool InputReady = false;
  KeyboardInput Keyboard;
  MouseInput MouseDevice;
  std::unique_ptr<platform::Gamepads> Pads;  // none without a display or when they cannot start
  PadState PadSample;

  audio::SoundCard Sound;  // the sound device and the named sounds

  std::int32_t TintRed = 0, TintGreen = 0, TintBlue = 0;  // AmbientTint
  std::vector<DXFonts> Fonts;
  FontDesc SharedFontDesc;
  LetterTable Letters;
  TextCache Texts;
  std::function<void(const WindowEvent&)> EventHandler;
  KeyFilter Filter;
  // Presses swallowed by the filter or a shortcut, until their release.
  std::array<bool, 256> SwallowedPress{};
  std::uint16_t QueuedModifiers = 0;  // modifier keys held by QueueKeyEvent
  int CursorCounter = 0;              // the cursor shows while it is 0 or more
  std::string StartError;             // of the last failed start, for the host to show

  // Steps of the display start shared by Quillon_Start and StartDisplay;
  // trail collects the step numbers. False with error set on failure.
  bool OpenDisplay(const DisplayOptions& options, std::string& trail, std::string& error);
  bool InitInput();
  void InitPads();
  void InitSound();
  void CloseDisplay();

  // One input sample: pending window events, then keyboard and mouse.
  void SampleInput();
  void PresentFrame();
  void Queue(const platform::TextureData& texture, const SpriteVars& sprite, float angleDegrees,
             const SpriteColour& colour);
  void WriteScreenshot();

  void Emit(WindowEventKind kind, int button = 0);
  bool Filtered(const KeyPress& press);
  void OnKey(int code, bool down, bool repeat, const platform::KeyModifiers& modifiers) override;
  void OnMouseMove(int x, int y) override;
  void OnMouseButton(int button, bool down) override;
  void OnWheel(int delta) override;
  void OnWindow(platform::WindowChange change) override;
  void OnPad(const platform::PadEvent& event) override;
};

}  // namespace quillon
