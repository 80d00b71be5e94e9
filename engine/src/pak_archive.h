#pragma once
// The PAK archive format and its in-memory index, without any file access.
//
// An archive is a sequence of entries with no header, counts or lengths. Each
// entry is written as SPLIT, stored name, HERE, bytes; an archive rewritten
// after a deletion has stored name, HERE, bytes, SPLIT instead. Both layouts,
// and mixtures of them, read the same way: split the file at every SPLIT,
// split each piece at HERE, and a piece without HERE is no entry.
//
// Stored names come from the archive and are not trusted: the short name is
// the part after the last "\" or "/", and a short name that could name
// anything but a plain file in the target folder is refused.

#include <string>
#include <string_view>
#include <vector>

namespace quillon::pak {

inline constexpr std::string_view SplitMarker = "`*[S-P-L-I-T]*`!";
inline constexpr std::string_view NameMarker = "`*[H-E-R-E]*`!";

struct Entry {
  std::string ShortName;   // "" for a refused name and for an emptied record
  std::string StoredName;  // as stored in the archive
  std::string Data;
  std::string Extension;  // lower-case, without the dot

  bool IsEmpty() const { return ShortName.empty(); }
};

// The open archive, one per process.
struct Archive {
  std::string Path;          // "" when none is open
  std::vector<Entry> Index;  // never empty while an archive is open
};

// The short name a stored name may be extracted under: the part after the
// last "\" or "/", or "" when that is "", "." or ".." or holds a NUL.
std::string SafeShortName(std::string_view storedName);

// A full record for a stored name and its bytes (an empty record when the
// name is refused).
Entry MakeEntry(std::string_view storedName, std::string_view data);

// The entries of an archive's bytes in file order. An archive without
// entries gives one empty record.
std::vector<Entry> ParseIndex(std::string_view bytes);

// One entry as PAK_AddFile appends it: SPLIT, name, HERE, bytes.
std::string LeadingMarkerEntry(std::string_view storedName, std::string_view data);

// The whole archive as PAK_DeleteFile writes it: name, HERE, bytes, SPLIT for
// every record that is not empty.
std::string TrailingMarkerArchive(const std::vector<Entry>& index);

// True when name and data can be stored so that they read back unchanged
// (neither holds a marker).
bool IsStorable(std::string_view storedName, std::string_view data);

}  // namespace quillon::pak
