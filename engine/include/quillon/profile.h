#pragma once
// INI ("private profile") files with the semantics the system's files rely on:
// section and key names compared without regard to case, blanks trimmed around
// names and values, one pair of surrounding quotes removed from a value, a read
// returns at most 254 characters, the first of repeated sections or keys is
// the one read and written, a new key goes after the last key of its section
// and a new section at the end of the file, every other line (comments, blank
// lines, unknown keys, garbage) is kept byte for byte, CRLF and LF both read.
// A new file gets CRLF line ends; an existing one keeps its own.
//
// Caching and writing. Each file is held in memory, parsed and indexed, so a
// read or a write costs the same whatever the size of the file. Every call
// makes one stat of the file; when another process has changed it (size,
// modification time to the nanosecond, inode), it is read again.
// Files are written whole and atomically (quillon/atomic_file.h): a crash never
// leaves a half-written file. A change is written at once, unless the file was
// written less than 250 ms ago; then it is held in memory and written
//  - by the first call (on any file) that comes after those 250 ms,
//  - by Flush(),
//  - when the process exits normally,
//  - at once when another process changed the file meanwhile: the file is
//    read again, the held changes are applied on top in their order, and the
//    result is written, so nothing of either side is lost.
// So a burst of writes costs one file write per 250 ms, and a process killed
// in the middle of a burst loses at most its last 250 ms of changes.
//
// Paths here are paths on disk; callers resolve the system's names first
// (quillon/paths.h).

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillon::profile {

// The value of key in [section] of file, or def when the file, the section or
// the key is missing. At most 254 characters.
std::string ReadString(const std::filesystem::path& file, std::string_view section, std::string_view key,
                       std::string_view def = "");

// Every key of [section] of file with its value, each as ReadString would
// give it (the first of repeated keys, at most 254 characters), in no
// particular order; empty when the file or the section is missing. One read
// of a whole section costs one stat, however many keys it holds.
std::vector<std::pair<std::string, std::string>> ReadSection(const std::filesystem::path& file,
                                                             std::string_view section);

// Writes key = value into [section] of file, creating the file, the section or
// the key as needed (not the folder). False when the file cannot be written,
// and for a line break in any argument, "]" in the section name or "=" in the
// key name (they would come back as other lines, sections or keys).
bool WriteString(const std::filesystem::path& file, std::string_view section, std::string_view key,
                 std::string_view value);

// Writes every held change now. False when a file could not be written (its
// changes stay held and are tried again later).
bool Flush();

// Writes the held changes and forgets every cached file (tests; a program
// never needs it).
void ClearCache();

}  // namespace quillon::profile
