#pragma once
// Engine: the drawing, input and sound front of the library.
//
// A host creates one Engine, starts it with Quillon_Start (window, renderer,
// input, letter table) or Quillon_Start_OnlySound, and then runs its own loop:
// ClearScreen, any number of Draw / DrawText / DrawFont calls, RenderAll
// (input sample, present, frame limiter), and finally Quillon_Unload.
//
// The window: the engine creates and owns its window (an SDL window with an
// accelerated renderer when one is available, software otherwise, no vsync).
// The back buffer has the resolution given to the start and is scaled to the
// window keeping its aspect. The hWnd argument of the starts has no window
// behind it on this platform: it is only stored as the library-wide window
// handle, so any number (0 included) will do.
//
// Errors never leave as exceptions: operations log their error line and
// return False / nothing, as listed per member.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <variant>

#include "quillon/pad.h"
#include "quillon/records.h"
#include "quillon/texture.h"

namespace quillon {

// A colour channel for AmbientColor: a number or numeric text.
class ChannelValue {
 public:
  ChannelValue(double number) : value_(number) {}
  ChannelValue(int number) : value_(static_cast<double>(number)) {}
  ChannelValue(std::string_view text) : value_(std::string(text)) {}
  ChannelValue(const char* text) : value_(std::string(text)) {}
  const std::variant<double, std::string>& Value() const { return value_; }

 private:
  std::variant<double, std::string> value_;
};

// How a display is started (see StartDisplay). Quillon_Start fills it from
// its arguments; a host with other needs (the game's own device) fills it
// itself.
struct DisplayOptions {
  int BufferWidth = 800;  // back buffer, the engine's coordinates
  int BufferHeight = 600;
  int WindowWidth = 0;  // 0: the back buffer's size
  int WindowHeight = 0;
  bool FullScreen = false;
  bool WindowOnTop = true;
  // When full screen fails and a window is tried instead: empty writes the
  // log line "DirectX Error, trying windowed mode!", otherwise this text is
  // shown in a message box (title "DirectX Error").
  std::string FullScreenFailureMessage;
  std::string Caption;
};

enum class WindowEventKind {
  CloseRequested,  // the user asked to close the window
  MouseDown,       // Button 1 left, 2 right, 3 middle
  MouseUp,
  FocusLost,
  FocusGained,
  ToggleFullScreen,  // Alt+Enter
  PadAdded,          // a game controller was plugged in
  PadRemoved,        // one was pulled out
};

struct WindowEvent {
  WindowEventKind Kind = WindowEventKind::CloseRequested;
  int Button = 0;
};

// A key press as a key filter sees it: the key's scan code and the modifier
// keys held at that moment.
struct KeyPress {
  std::int32_t Key = 0;
  bool Alt = false;
  bool Control = false;
  bool Shift = false;
  bool Super = false;  // a Windows (Super) key
};

// Asked once per key press before the press reaches anything else; true
// swallows it. A swallowed press is swallowed whole: its repeats and its
// release go nowhere either, and a release always goes where its press went,
// so a key never sticks half-filtered.
using KeyFilter = std::function<bool(const KeyPress&)>;

class Engine {
 public:
  Engine();
  ~Engine();
  Engine(Engine&&) noexcept;
  Engine& operator=(Engine&&) noexcept;
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  // ---- The published interface, in its order --------------------------------

  bool DebugMode() const;
  void DebugMode(bool value);

  bool Quillon_Start(std::int32_t hWnd, std::string_view pAppPath, float oResWidth = 800,
                     float oResHeight = 600, bool oFullScreen = false, float oScrWidth = 0,
                     float oScrHeight = 0, bool WinOnTop = true);
  bool Quillon_Start_OnlySound(std::int32_t hWnd, std::string_view pAppPath);

  bool GetKeyDown(std::int32_t Key);
  bool GetKeyUp(std::int32_t Key);
  bool GetKeyPressed(std::int32_t Key);
  bool GetMouseState(Mouse& ret_Mouse);  // always False; the answer is in ret_Mouse
  void SetMousePos(std::int32_t posX, std::int32_t posY);

  // Sound effects: short files (any format the decoder knows, WAV above all)
  // held whole under a name, without regard to case. A sound never overlaps
  // itself: playing it again starts it over. Volumes are 0..100, one step per
  // decibel (0 silent); pan -100 (left) .. 100 (right) lowers the far side by
  // that many decibels; frequency is the playback rate in kHz (0 = the
  // file's own). Values the device cannot take leave the old setting.
  // Without a sound device every call does nothing.
  void CreateSound(std::string_view sndName, std::string_view pFilename);
  void SoundPlay(std::string_view sndName, bool sndLoop = false, std::int32_t sndVolume = 100,
                 std::int32_t sndPan = 0, std::int32_t sndFrequency = 0);
  void SoundVolume(std::string_view sndName, std::int32_t sndVolume = 100);
  void SoundFrequency(std::string_view sndName, std::int32_t sndFrequency = 0);
  // An empty name stops every sound; a paused sound still plays again from
  // its start.
  void SoundStop(std::string_view sndName = "", bool sndPause = false);

  void CreateTexture(Texture& DXTexture, std::string_view FileName, std::int32_t transpColor = 0);
  void Draw(const Texture& DXTexture, float X, float Y, float Width, float Height, float RotationAng = 0,
            std::int16_t AlphaTransp = 100, float SrcX = 0, float SrcY = 0, float scaleWidth = 0,
            float scaleHeight = 0, float centerRotationX = -1, float centerRotationY = -1);
  void DrawText(const Texture& DXTexture, std::string_view varText, float X, float Y, float ScaleSize = 1,
                float RotationAng = 0, std::int16_t AlphaTransp = 100, float cRed = 255, float cGreen = 255,
                float cBlue = 255);
  // False (and the line "Error in ClearScreen : ..." in the log) without a device.
  bool ClearScreen(std::int16_t vRed = 0, std::int16_t vGreen = 0, std::int16_t vBlue = 0);
  void AmbientColor(const ChannelValue& cRed = 255, const ChannelValue& cGreen = 255,
                    const ChannelValue& cBlue = 255);
  void SaveScreenshot();
  void RenderAll();
  void CreateFont(std::string_view KeyName, std::string_view FontName, std::int16_t FontSize = 10,
                  bool Boldovane = false, bool Italic = false);
  void DrawFont(std::string_view KeyName, float X, float Y, float rectWidth, float rectHeight,
                std::string_view fntText, std::int32_t fntColor = -1, std::int32_t txtPosition = 0);
  void SetMouseHide(bool cShow = true);
  std::string Version() const;
  void SetDebugMode(bool TrueFalse = false);
  void Quillon_Unload();

  // ---- This platform's additions (for hosts that run their own window loop) --

  // Starts window, renderer, blending, white tint, input and the letter table
  // without the start-up log lines; usable after Quillon_Start_OnlySound.
  // False after an error (logged "Error in StartDisplay : ...").
  bool StartDisplay(const DisplayOptions& options);

  // Samples the input and presents the frame, without the frame limiter. A
  // host that takes its input sample itself (SampleInput) presents with
  // sampleInput false, so that a key tapped while the frame was drawn is not
  // taken by a sample nobody reads.
  void Present(bool sampleInput = true);

  // Handles pending window events now (RenderAll and Present do it too);
  // every event of interest is passed to the handler.
  void PumpEvents();
  void SetWindowEventHandler(std::function<void(const WindowEvent&)> handler);
  // Handles pending window events and takes the input sample that the key
  // and mouse queries read, now.
  void SampleInput();

  // The keys. Every key event of the window goes through one path: the key
  // filter (none by default; an empty function removes it), then the
  // window's own shortcuts (Alt+Enter switches full screen and goes no
  // further; Alt+F4 asks to close the window, as a window manager would also
  // in full screen, where the keyboard is grabbed), then the key state.
  void SetKeyFilter(KeyFilter filter);
  // Puts a key event into the window's event queue as if the key had been
  // typed (key: a scan code), with the modifier keys queued so far still held;
  // it takes the same path as a real key. False without a window or for a
  // code with no key.
  bool QueueKeyEvent(std::int32_t key, bool down);

  bool IsFullScreen() const;
  // Switches between full screen and a window; the keyboard is grabbed while
  // full screen. False when the switch failed (the mode stays).
  bool SetFullScreen(bool fullScreen);
  void SetWindowCaption(std::string_view caption);
  void SetCursorVisible(bool visible);  // direct, unlike the counted SetMouseHide
  void SetKeyboardGrab(bool grab);
  bool HasDisplay() const;

  // Game controllers, started with the display's input: any pad SDL's
  // game-controller layer can map (its own database, SDL_GAMECONTROLLERCONFIG,
  // and a "gamecontrollerdb.txt" in the application folder), plugged in
  // before or during the run. All pads feed one state, sampled with the
  // keyboard once per frame; plugging and pulling reach the window event
  // handler as PadAdded / PadRemoved, and the log names the pad.
  // Pad_GetState: False (and an empty state) while no pad is connected.
  bool Pad_GetState(PadState& ret_State);
  // A rumble on every pad that has one; False when none could rumble.
  bool Pad_Rumble(std::uint16_t lowFrequency, std::uint16_t highFrequency, std::uint32_t durationMs);
  // A virtual pad that behaves like a plugged-in one (for tests and scripted
  // runs): attaching and detaching it send the same events as a real pad, and
  // its rumbles are written to the log. Its changes show from the next sample.
  bool Pad_AttachVirtual();
  bool Pad_DetachVirtual();
  bool Pad_SetVirtualButton(PadButton button, bool down);
  bool Pad_SetVirtualAxis(PadAxis axis, std::int16_t value);

  // A message box for a host's own errors. With nobody to answer it (no
  // display, or a headless driver) the text goes to the log and stderr and
  // nothing blocks. True when a box was shown.
  static bool ShowMessage(std::string_view title, std::string_view text);

  // Why the last Quillon_Start or StartDisplay failed ("" after a success).
  const std::string& StartError() const;

  struct Impl;
  Impl& Internals() { return *impl_; }

 private:
  std::unique_ptr<Impl> impl_;
};

}  // namespace quillon
