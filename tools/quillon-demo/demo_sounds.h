#pragma once
// The demo's sounds, synthesized into WAV files at start-up.

#include <filesystem>

namespace demo {

// A short bell-like blip (0.2 s) for the effect demonstration.
bool WriteBlip(const std::filesystem::path& file);
// A little tune of about eight seconds, ending in silence, for the music player.
bool WriteTune(const std::filesystem::path& file);

}  // namespace demo
