#pragma once
// One INI file held in memory: its lines exactly as they were read, plus an
// index from section and key names (without regard to case) to the lines that
// hold them, so a lookup or an edit costs the same for a file of ten lines or
// of ten thousand.
//
// The reading rules are those of the private-profile files the system's data
// relies on:
//  - a line whose first non-blank byte is "[" and that has a "]" starts a
//    section named by the text up to the last "]" of the line, blanks
//    trimmed ("[c]]" is section "c]"); a "[" without "]" is an ordinary line;
//  - a line with "=" is a key: the name before the first "=", the value after
//    it, both with blanks trimmed; lines starting with ";" are comments;
//  - the lines before the first section header form the section with the
//    empty name; a later "[]" header repeats it;
//  - a value has one pair of surrounding double or single quotes removed;
//  - the first occurrence of a section, and of a key within it, is the one
//    read and the one a write replaces;
//  - lines end with LF, CRLF or a lone CR; the last line may have no line end.
// Every byte that an edit does not touch is written back as it was read.

#include <cstddef>
#include <cstdint>
#include <list>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "quillon/ascii.h"

namespace quillon::profile {

class IniDocument {
 public:
  IniDocument() : IniDocument(std::string_view()) {}
  // Any bytes at all: binary garbage and NULs are kept as lines like any other.
  explicit IniDocument(std::string_view bytes);

  // The index points into the line list, so a copy would point into the
  // wrong list; documents only move.
  IniDocument(IniDocument&&) = default;
  IniDocument& operator=(IniDocument&&) = default;
  IniDocument(const IniDocument&) = delete;
  IniDocument& operator=(const IniDocument&) = delete;

  // The value as read (trimmed, one pair of quotes removed, not cut), or
  // nullopt when the section or the key is missing. Valid until the next Set.
  std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;

  // Calls visit(name, value) once for every key of section that Find would
  // answer (the first of repeated keys), in no particular order; values as
  // Find gives them.
  template <class Visit>
  void ForEachKey(std::string_view section, Visit&& visit) const;

  // Writes key=value into section: replaces the value of an existing key in
  // place, otherwise adds the key after the last key of the section, or a new
  // section at the end of the file. A new key of the section with the empty
  // name goes before the first header (no "[]" header is ever made). Section
  // and key names are trimmed. False when nothing changed (the same value was
  // already there).
  bool Set(std::string_view section, std::string_view key, std::string_view value);

  // The file's bytes: what was read, with the edits made since.
  std::string Serialize() const;

  // The line end of new lines: the file's first one, CRLF for a new file.
  std::string_view NewLineEnd() const { return LineEnd(newEnd_); }

 private:
  enum class End : std::uint8_t { None, Lf, CrLf, Cr };
  static std::string_view LineEnd(End end);

  struct Line {
    std::string text;  // without its line end
    End end = End::Lf;
  };
  using LineList = std::list<Line>;
  using LineIt = LineList::iterator;

  struct Section {
    bool hasHeader = false;  // the section with the empty name may have none
    LineIt header;
    LineIt lastKey;
    bool hasKey = false;
    std::unordered_map<std::string, LineIt, ascii::NoCaseHash, ascii::NoCaseEqual> keys;
  };

  void IndexLine(LineIt line, Section*& current);
  LineIt InsertLine(LineIt before, std::string text);
  LineIt WhereNewKeyGoes(const Section& section);

  LineList lines_;
  std::unordered_map<std::string, Section, ascii::NoCaseHash, ascii::NoCaseEqual> sections_;
  std::optional<LineIt> firstHeader_;
  End newEnd_ = End::CrLf;  // a new file gets Windows line ends
  std::size_t bytes_ = 0;
};

// False for names and values that would not read back as written: a line
// break anywhere, "=" in a key name, a key name starting with ";", or with
// "[" when its line would hold a "]". Written as they are, they would turn
// into other lines, sections or keys of the file.
bool IsWritable(std::string_view section, std::string_view key, std::string_view value);

// Helpers shared with the tests: the parts of one line (text without its end).
std::optional<std::string_view> SectionNameOf(std::string_view line);
// Key name and raw value (after "=", untrimmed) of a key line.
std::optional<std::pair<std::string_view, std::string_view>> KeyValueOf(std::string_view line);
// Trims blanks and removes one pair of surrounding quotes.
std::string_view CleanValue(std::string_view raw);
// A default value as a read returns it: trailing spaces removed (not tabs;
// a default of nothing but spaces keeps its first one), then one pair of
// surrounding quotes.
std::string_view CleanDefault(std::string_view def);

template <class Visit>
void IniDocument::ForEachKey(std::string_view section, Visit&& visit) const {
  const auto s = sections_.find(ascii::TrimBlanks(section));
  if (s == sections_.end()) return;
  for (const auto& [name, line] : s->second.keys)
    visit(std::string_view(name), CleanValue(KeyValueOf(line->text)->second));
}

}  // namespace quillon::profile
