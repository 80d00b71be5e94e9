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

// A write killed between its temporary file and the rename leaves that file
// (".NAME.PID.N.tmp") behind. This removes the ones of path whose writing
// process is gone; the temporary of a writer still running stays. Every
// write of path does this first; a program also calls it at start for the
// files it owns. Nothing is reported: a leftover that cannot be removed is
// tried again next time.
void RemoveStaleTemporaries(const std::filesystem::path& path);

}  // namespace quillon
