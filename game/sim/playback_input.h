#pragma once
// The recorded key texts of a playback, read from the replay file once, when
// the playback starts, instead of four INI lookups (each with a check of the
// file) in every frame. A playback plays the file as it was when it started:
// a change another program makes to the file during the playback is seen by
// the next playback, never half-way through this one.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include <quillon/ascii.h>
#include <quillon/profile.h>

#include "sim/game_state.h"

namespace pebblerun {

// The four recorded flags in the order of the file's key names "keyup",
// "keydown", "keyleft", "keyright".
inline constexpr std::array<const char*, 4> kRecordedFlagNames = {"keyup", "keydown", "keyleft", "keyright"};

class PlaybackInput {
 public:
  // Section "ingame" of a replay's text; empty when the section is missing.
  static std::shared_ptr<const PlaybackInput> Read(const quillon::profile::IniSnapshot& text);

  // The texts of frame for the four flags, "" where the file has none: what
  // a lookup of the key "<frame>_<flag>" (frame written as the recorder
  // writes numbers, names without regard to case) would give.
  std::array<std::string_view, 4> At(Single frame) const;

 private:
  using Texts = std::array<std::string, 4>;
  void Add(std::string_view key, std::string_view value);

  // Keys "<frame>_<flag>" with the frame as the recorder writes a whole
  // frame number (digits, no leading zero) ...
  std::unordered_map<std::uint32_t, Texts> byFrame_;
  // ... and every other key, which only a frame written otherwise could match.
  std::unordered_map<std::string, std::string, quillon::ascii::NoCaseHash, quillon::ascii::NoCaseEqual>
      others_;
};

}  // namespace pebblerun
