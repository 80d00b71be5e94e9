#pragma once
// INI ("private profile") files with the semantics the system's files rely on:
// section and key names compared without regard to case, blanks trimmed around
// names and values, one pair of surrounding quotes removed from a value, a read
// returns at most 254 characters, the first of repeated sections or keys is
// the one read and written, CRLF, LF and a lone CR all end a line, a section
// header's name runs to the last "]" of its line ("[c]]" is section "c]"), a
// line starting with "[" but without "]" is an ordinary line, and the keys
// before the first header form the section with the empty name (a write to
// it goes among them, never under a new "[]" header). A default value comes
// back as the system's reads return it: trailing spaces removed (a default of
// nothing but spaces keeps one), then one pair of surrounding quotes.
//
// Where this layer does better than those files' usual service, on purpose:
//  - every line an edit does not touch (comments, blank lines, unknown keys,
//    garbage) stays byte for byte, and an existing file keeps its line ends
//    (a new one gets CRLF);
//  - a new key goes after the last key of its section, not after trailing
//    blank lines or comments; a new section goes at the end of the file;
//  - a write that would come back as other lines, sections or keys (a line
//    break anywhere, "=" in a key name, a key starting with ";", or with "["
//    on a line holding "]") is refused rather than written;
//  - several keys can be changed as one change on disk (WriteStrings).
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
// in the middle of a burst loses at most its last 250 ms of changes. A write
// into a file that cannot be written at all (its folder missing or not
// writable) fails at once, also in a burst; held changes that fail later
// are logged ("Error in INIWrite : ...") and tried again.
//
// Paths here are paths on disk; callers resolve the system's names first
// (quillon/paths.h). Reads and writes follow the path module's per-user
// rule: a file of a shared application folder is read from this user's copy
// when there is one, and changed only in this user's copy.

#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillon::profile {

class IniDocument;

// An INI text held in memory and read with the same rules as ReadString
// (254-character values included), without touching the disk again: for a
// file read many times in a row, or bytes that never were a file.
class IniSnapshot {
 public:
  IniSnapshot();  // an empty text: every read gives the default
  explicit IniSnapshot(std::string_view bytes);
  ~IniSnapshot();
  IniSnapshot(IniSnapshot&&) noexcept;
  IniSnapshot& operator=(IniSnapshot&&) noexcept;

  std::string Read(std::string_view section, std::string_view key, std::string_view def = "") const;
  // Every key of [section] with its value, each as Read would give it (the
  // first of repeated keys, at most 254 characters), in no particular order.
  std::vector<std::pair<std::string, std::string>> Section(std::string_view section) const;

 private:
  std::unique_ptr<IniDocument> doc_;
};

// The file as this process sees it now (its changes not yet written
// included); nullopt when there is no regular file and no such change.
std::optional<IniSnapshot> LoadSnapshot(const std::filesystem::path& file);

// The value of key in [section] of file, or def when the file, the section or
// the key is missing. At most 254 characters.
std::string ReadString(const std::filesystem::path& file, std::string_view section, std::string_view key,
                       std::string_view def = "");

// Writes key = value into [section] of file, creating the file, the section or
// the key as needed (not the folder). False when the file cannot be written,
// and for names and values that would come back as other lines (above).
bool WriteString(const std::filesystem::path& file, std::string_view section, std::string_view key,
                 std::string_view value);

// One key of a change made with WriteStrings.
struct KeyValue {
  std::string_view Section;
  std::string_view Key;
  std::string_view Value;
};

// Writes every key of changes into file as one change on disk: the file is
// written at once (earlier held changes of the file go with it) and holds
// either all of them or, after a failure or a crash, none. False, with
// nothing changed, when one of them is refused as WriteString refuses it or
// the file cannot be written.
bool WriteStrings(const std::filesystem::path& file, std::span<const KeyValue> changes);

// Writes every held change now. False when a file could not be written (its
// changes stay held and are tried again later).
bool Flush();

// Writes the held changes and forgets every cached file (tests; a program
// never needs it).
void ClearCache();

}  // namespace quillon::profile
