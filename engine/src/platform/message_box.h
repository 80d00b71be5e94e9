#pragma once
// Message boxes. With no one to answer them (no display, or SDL's dummy or
// offscreen driver) the text goes to the log and to stderr and nothing blocks.

#include <string>

namespace quillon::platform {

inline constexpr const char* kDefaultMessageTitle = "Quillon";

// True when the box was shown on a display (and answered).
bool ShowMessageBox(const std::string& text, const std::string& title = kDefaultMessageTitle);

}  // namespace quillon::platform
