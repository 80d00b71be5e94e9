#pragma once
// The instruments of the music: each renders one note, tail included.

#include <vector>

#include "sequencer.h"

namespace assetgen::music {

bool IsDrum(Voice voice);

// One note of `voice` at `hz`, held for `held` seconds, with its release tail;
// mono samples at `rate`. Drums ignore pitch and length.
std::vector<float> RenderNote(Voice voice, double hz, double held, double velocity, int rate);

}  // namespace assetgen::music
