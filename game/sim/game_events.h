#pragma once
// What the simulation asks of the program around it: sounds, the end
// pictures, screenshots, the cursor. The simulation never touches a device itself; the
// playable program implements this with the engine, tools and tests use the
// silent default or record the calls.

#include <cstdint>
#include <string>

namespace pebblerun {

// Something the player should feel in his hands (a pad's rumble).
enum class JoltKind {
  Blast,        // Tobo's bomb or a bonus bomb went off
  HardLanding,  // Tobo landed hard enough to smash tiles
};

class GameEvents {
 public:
  virtual ~GameEvents() = default;

  // A sound of the game's table (only called while sound is on).
  virtual void PlaySound(const std::string& name, bool loop, std::int32_t volume, std::int32_t pan,
                         std::int32_t frequency) {
    (void)name, (void)loop, (void)volume, (void)pan, (void)frequency;
  }
  virtual void StopSound(const std::string& name) { (void)name; }

  // Extract picture from the archive into the application folder and load it
  // into its texture slot ("wd.jpg", "wd_wow.jpg" after a won game).
  virtual void ShowEndPicture(const std::string& picture) { (void)picture; }

  // Write the screen to the next free screenshot file.
  virtual void SaveScreenshot() {}

  // A line for the log: a file the game could not use, and what it did
  // instead.
  virtual void Log(const std::string& line) { (void)line; }

  // Show or hide the system cursor (the tuning's choice in full screen).
  virtual void SetCursorVisible(bool visible) { (void)visible; }

  virtual void Jolt(JoltKind kind) { (void)kind; }
};

}  // namespace pebblerun
