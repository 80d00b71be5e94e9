#pragma once
// The demo's pictures, drawn into BMP files at start-up.

#include <filesystem>

namespace demo {

// A 32 x 32 shaded ball on magenta (the colour key).
bool WriteBall(const std::filesystem::path& file);
// A 253 x 253 bitmap font in the engine's default grid: white letters on
// black (the colour key), digits, capitals and a little punctuation.
bool WriteFont(const std::filesystem::path& file);

}  // namespace demo
