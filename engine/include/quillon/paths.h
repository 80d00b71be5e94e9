#pragma once
// The one place that turns the system's file names into paths on disk.
//
// Names come as the system writes them: "Textures\lvl1.bmp", "\textures\options.bmp",
// "C:\Games\x.ini" or "/home/me/x.ini". Both "\" and "/" separate folders; a name
// whose second character is ":" is absolute, and on this platform so is a name
// starting with "/" (a leading "\" is relative: it names a file under the base
// folder). Every component is matched against what exists on disk without
// regard to case, so "Textures" and "textures" name the same folder; a
// component that does not exist yet keeps its spelling, so a new file is
// created inside the existing folder that matches, under the name as given.
// Of several entries that match without regard to case, an exact match wins,
// otherwise the first in byte order. Empty components (doubled separators) are
// skipped, "." is ignored and ".." goes up one folder of the path built so far
// (never above the root); "X:\a\b" names "/a/b".

#include <filesystem>
#include <string>
#include <string_view>

namespace quillon::paths {

// True for "X:..." and "/...".
bool IsAbsolute(std::string_view name);

// The path on disk for name: an absolute name as it stands, a relative one
// under base (normally the application folder); each component resolved
// without regard to case against what exists.
std::filesystem::path Resolve(std::string_view name, const std::filesystem::path& base);

// The part after the last "\" or "/" (the whole name when there is none).
std::string ShortName(std::string_view name);

}  // namespace quillon::paths
