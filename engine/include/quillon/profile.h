#pragma once
// INI ("private profile") files with the semantics the system's files rely on:
// section and key names compared without regard to case, blanks trimmed around
// names and values, one pair of surrounding quotes removed from a value, a read
// returns at most 254 characters, a new key goes at the end of its section and
// a new section at the end of the file, every other line is kept as it was,
// CRLF and LF both read. Files are cached in memory (and re-read when another
// process changes them) and replaced atomically on every write.
//
// Paths here are paths on disk; callers resolve the system's names first
// (quillon/paths.h).

#include <filesystem>
#include <string>
#include <string_view>

namespace quillon::profile {

// The value of key in [section] of file, or def when the file, the section or
// the key is missing. At most 254 characters.
std::string ReadString(const std::filesystem::path& file, std::string_view section,
                       std::string_view key, std::string_view def = "");

// Writes key = value into [section] of file, creating the file, the section or
// the key as needed. False when the file cannot be written.
bool WriteString(const std::filesystem::path& file, std::string_view section,
                 std::string_view key, std::string_view value);

// Forget every cached file (tests; a program never needs it).
void ClearCache();

}  // namespace quillon::profile
