#pragma once
// Game controllers through SDL's game-controller layer: its mapping database,
// SDL_GAMECONTROLLERCONFIG and an optional "gamecontrollerdb.txt" in the
// application folder. Pads come and go at any time (hot-plug); every open pad
// feeds one merged sample. A virtual pad (SDL's virtual joystick) stands in
// for a real one in tests and scripted runs.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/events.h"
#include "quillon/pad.h"

// SDL's own names for its handle types, declared here as SDL declares them.
struct _SDL_GameController;  // NOLINT(bugprone-reserved-identifier)
struct _SDL_Joystick;        // NOLINT(bugprone-reserved-identifier)
union SDL_Event;

namespace quillon::platform {

// Hands a pad event of the queue to sink.OnPad; false for any other event.
bool DispatchPadEvent(const SDL_Event& event, EventSink& sink);

enum class PadChange { Added, Removed };

class Gamepads {
 public:
  using Notice = std::function<void(const std::string&)>;

  // Starts the game-controller subsystem and opens every pad already
  // plugged in; nullptr with error set when the subsystem cannot start.
  // notice receives the lines worth a log entry (pads plugged in and out,
  // joysticks without a mapping).
  static std::unique_ptr<Gamepads> Start(const std::string& appFolder, Notice notice, std::string& error);
  ~Gamepads();
  Gamepads(const Gamepads&) = delete;
  Gamepads& operator=(const Gamepads&) = delete;

  // A pad plugged in or pulled out, for the host to hear about.
  std::optional<PadChange> OnEvent(const PadEvent& event);

  // The merged state now, with buttons pressed and released since the last
  // sample still down.
  PadState Sample();
  // Like the keyboard of a window that is away: nothing is down until the
  // window comes back.
  void Lose() { lost_ = true; }
  void Acquire() { lost_ = false; }

  // Every pad that can rumble does; false when none could.
  bool Rumble(std::uint16_t low, std::uint16_t high, std::uint32_t milliseconds);

  bool AttachVirtual(std::string& error);
  bool DetachVirtual();
  bool SetVirtualButton(PadButton button, bool down);
  bool SetVirtualAxis(PadAxis axis, std::int16_t value);

 private:
  struct Pad {
    _SDL_GameController* Controller = nullptr;
    int InstanceId = -1;
    std::string Name;
  };

  explicit Gamepads(Notice notice) : notice_(std::move(notice)) {}
  bool Open(int deviceIndex);
  void Close(int instanceId);
  static int VirtualRumble(void* self, std::uint16_t low, std::uint16_t high);

  Notice notice_;
  std::vector<Pad> pads_;
  std::array<bool, kPadButtons> tapped_{};
  bool lost_ = false;
  _SDL_Joystick* virtual_ = nullptr;  // our handle on the virtual pad, to set its state
};

}  // namespace quillon::platform
