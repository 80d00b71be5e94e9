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
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace quillon::paths {

// True for "X:..." and "/...".
bool IsAbsolute(std::string_view name);

// The path on disk for name: an absolute name as it stands, a relative one
// under base (normally the application folder); each component resolved
// without regard to case against what exists.
std::filesystem::path Resolve(std::string_view name, const std::filesystem::path& base);

// The part after the last "\" or "/" (the whole name when there is none).
std::string ShortName(std::string_view name);

// --- Shared application folders and this user's data.
//
// An installed game's folder belongs to every user of the machine and is not
// theirs to write. Such a folder is "shared": each user's writes go to folders
// of their own, and a file is read from the user's copy when there is one,
// else from the shared folder, so the installed default options and demo
// replays still serve. A folder the user may write behaves exactly as it
// always did: nothing is read or written anywhere else.

// The file an installation leaves in its content folder to mark it shared.
// A folder is also shared when this user cannot write it (or, for root, when
// no write permission bit is set at all).
inline constexpr std::string_view kInstalledMark = "installed.txt";

struct DataFolders {
  std::filesystem::path App;       // the application folder, absolute
  bool PerUser = false;            // shared: this user's files live below, never in App
  std::filesystem::path Data;      // $XDG_DATA_HOME/Pebblerun: options, scores, replays, extracted files
  std::filesystem::path State;     // $XDG_STATE_HOME/Pebblerun: "log.txt"
  std::filesystem::path Pictures;  // screenshots: the desktop's pictures folder, else Data
};

// The folders of appFolder, decided on its first use and kept for the life
// of the process (the XDG variables are read then). "" is never shared.
const DataFolders& FoldersOf(const std::filesystem::path& appFolder);

// The one log line that says where a shared folder's files go; "" for a
// folder of the user's own, whose files stay where they always were.
std::string DescribeFolders(const DataFolders& folders);

// A path on disk as Resolve gives it, for one kind of access. A path inside
// a shared folder (decided by FoldersOf) becomes this user's copy; any other
// path comes back unchanged.
// - ForReading: the user's copy when it exists, else the path itself.
// - ForWriting: the user's copy, for a file written whole; the folders above
//   it that exist in the shared folder are made for the user too.
// - ForEditing: as ForWriting, for a change to what was read: a user's copy
//   that does not exist yet starts as a copy of the shared file.
std::filesystem::path ForReading(const std::filesystem::path& file);
std::filesystem::path ForWriting(const std::filesystem::path& file);
std::filesystem::path ForEditing(const std::filesystem::path& file);

// The same for a name under appFolder (Resolve, then the access).
std::filesystem::path ForReading(std::string_view name, const std::filesystem::path& appFolder);
std::filesystem::path ForWriting(std::string_view name, const std::filesystem::path& appFolder);
std::filesystem::path ForEditing(std::string_view name, const std::filesystem::path& appFolder);

// Deletes the user's copy of file, so that it reads as missing. When a
// shared file would show through instead, an empty file takes its place.
// A file that is not there counts as deleted; false with the reason otherwise.
bool RemoveForUser(const std::filesystem::path& file, std::error_code& error);

// The folder screenshots of appFolder go to (appFolder itself unless shared).
std::filesystem::path ScreenshotFolder(const std::filesystem::path& appFolder);

// The content folder of an installation whose programs are in programFolder:
// "P/bin" (or "P/games") -> "P/share/games/pebblerun", when that folder
// exists and carries the installed mark.
std::optional<std::filesystem::path> InstalledContentFolder(const std::filesystem::path& programFolder);

}  // namespace quillon::paths
