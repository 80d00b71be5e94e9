#pragma once
// MP3Player: one music file at a time, streamed from disk. Any format the
// system's decoder knows is accepted (MP3, WMA, Ogg, WAV, ...). Several
// players sound at once, so a host can fade one piece of music into another.
//
// File names are relative to the application folder of the last engine
// start. Positions and durations are whole seconds, rounded to the nearest
// with halves to even. Music does not repeat by itself: at its end it stops,
// and a host that wants it again compares GetCurrentPosition with
// GetDuration and calls PlayMP3(true).
//
// Errors never leave as exceptions: LoadMP3 logs its error line and returns
// False; the other members do nothing while no file is loaded.

#include <cstdint>
#include <memory>
#include <string_view>

namespace quillon {

class MP3Player {
 public:
  MP3Player();
  ~MP3Player();
  MP3Player(const MP3Player&) = delete;
  MP3Player& operator=(const MP3Player&) = delete;

  // Replaces the loaded file (the old one stops). The new one stands at its
  // start, at full volume. False, with the line "Error loading MP3 file: ..."
  // in the log, when the file is missing or holds no sound it can play; the
  // player then has no file.
  bool LoadMP3(std::string_view FileName);

  std::int32_t GetCurrentPosition() const;
  std::int32_t GetDuration() const;

  // 1 to 100, one step per decibel; above 100 is taken as 100 and the
  // caller's variable is set to 100; below 1 stops the music and rewinds it.
  void SetVolume(std::int32_t& sndVolume);
  void SetVolume(const std::int32_t& sndVolume = 100);

  // Runs from where the music stands (after a pause, where it was paused);
  // StartOver runs it from the start.
  void PlayMP3(bool StartOver = false);
  // Stops; unless sndPause is set, the music goes back to its start.
  void StopMP3(bool sndPause = false);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace quillon
