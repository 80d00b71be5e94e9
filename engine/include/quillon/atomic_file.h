#pragma once
// Every file the product writes (INI files, high scores, replays, screenshots,
// extracted archive members) is replaced in one step, so a crash, a kill or a
// power cut leaves either the old file or the new one, never a half-written
// mix.

#include <filesystem>
#include <string_view>

namespace quillon {

// Writes bytes to a temporary file in the same folder, flushes it to disk and
// renames it over path (a symbolic link is followed: its target is replaced).
// A replaced file keeps its permissions; a new one gets the default ones.
// False when any step fails; the old file is then untouched and no temporary
// file is left behind. The folder must exist: it is not created.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace quillon
