#pragma once
// The two pieces of music of the game, as scores for the sequencer.

#include "sequencer.h"

namespace assetgen::music {

// Target lengths in seconds. The game restarts a track once its position,
// rounded to whole seconds (halves to even), reaches its rounded duration; with
// an even number of seconds less a half that moment is the end of the loop, so
// the restart neither cuts the last bar short nor waits on silence.
inline constexpr double kMenuSeconds = 89.5;
inline constexpr double kGameSeconds = 87.5;

// Each song spans exactly `seconds`.
// Calm and warm: D major, pads and electric piano, a soft tune in the middle.
Song MenuSong(double seconds);
// Driving: A minor, four-on-the-floor drums, pulsing bass, arpeggios, a lead.
Song GameSong(double seconds);

}  // namespace assetgen::music
