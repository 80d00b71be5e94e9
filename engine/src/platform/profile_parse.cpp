#include "platform/profile_parse.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace quillon::profile {
namespace {

using ascii::TrimBlanks;

bool IsQuote(char c) { return c == '"' || c == '\''; }

std::string_view WithoutQuotes(std::string_view v) {
  if (v.size() >= 2 && IsQuote(v.front()) && v.back() == v.front()) {
    v.remove_prefix(1);
    v.remove_suffix(1);
  }
  return v;
}

}  // namespace

std::optional<std::string_view> SectionNameOf(std::string_view line) {
  const std::string_view s = TrimBlanks(line);
  if (s.empty() || s.front() != '[') return std::nullopt;
  const std::size_t close = s.rfind(']');
  if (close == std::string_view::npos) return std::nullopt;
  return TrimBlanks(s.substr(1, close - 1));
}

std::optional<std::pair<std::string_view, std::string_view>> KeyValueOf(std::string_view line) {
  const std::string_view lead = TrimBlanks(line);
  if (lead.empty() || lead.front() == ';' || SectionNameOf(lead)) return std::nullopt;
  const std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return std::pair{TrimBlanks(line.substr(0, eq)), line.substr(eq + 1)};
}

std::string_view CleanValue(std::string_view raw) { return WithoutQuotes(TrimBlanks(raw)); }

std::string_view CleanDefault(std::string_view def) {
  std::string_view v = def;
  while (!v.empty() && v.back() == ' ') v.remove_suffix(1);
  if (v.empty() && !def.empty()) return def.substr(0, 1);
  return WithoutQuotes(v);
}

bool IsWritable(std::string_view section, std::string_view key, std::string_view value) {
  const auto hasBreak = [](std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; };
  if (hasBreak(section) || hasBreak(key) || hasBreak(value)) return false;
  if (key.find('=') != std::string_view::npos) return false;
  key = TrimBlanks(key);
  if (key.empty()) return true;
  if (key.front() == ';') return false;
  // "[name=value" is a key only while its line has no "]".
  const auto hasClose = [](std::string_view s) { return s.find(']') != std::string_view::npos; };
  return key.front() != '[' || !(hasClose(key) || hasClose(value));
}

std::string_view IniDocument::LineEnd(End end) {
  switch (end) {
    case End::Lf: return "\n";
    case End::CrLf: return "\r\n";
    case End::Cr: return "\r";
    default: return "";
  }
}

namespace {

// The next CR or LF from start, with memchr: each of the two is searched for
// again only once the scan has passed it, so a file is scanned once however
// its lines end.
class LineEndFinder {
 public:
  explicit LineEndFinder(std::string_view bytes) : bytes_(bytes), cr_(Find('\r', 0)), lf_(Find('\n', 0)) {}
  std::size_t Next(std::size_t start) {
    if (cr_ != npos && cr_ < start) cr_ = Find('\r', start);
    if (lf_ != npos && lf_ < start) lf_ = Find('\n', start);
    return std::min(cr_, lf_);
  }

 private:
  static constexpr std::size_t npos = std::string_view::npos;
  std::size_t Find(char c, std::size_t start) const {
    if (start >= bytes_.size()) return npos;
    const void* at = std::memchr(bytes_.data() + start, c, bytes_.size() - start);
    return at ? static_cast<std::size_t>(static_cast<const char*>(at) - bytes_.data()) : npos;
  }
  std::string_view bytes_;
  std::size_t cr_, lf_;
};

}  // namespace

IniDocument::IniDocument(std::string_view bytes) : bytes_(bytes.size()) {
  Section* current = &sections_[""];  // the lines before the first header
  bool firstEnd = true;
  std::size_t start = 0;
  LineEndFinder ends(bytes);
  while (start < bytes.size()) {
    const std::size_t at = ends.Next(start);
    Line line{
        std::string(bytes.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start)),
        End::None};
    if (at == std::string_view::npos) {
      start = bytes.size();
    } else if (bytes[at] == '\n') {
      line.end = End::Lf;
      start = at + 1;
    } else if (at + 1 < bytes.size() && bytes[at + 1] == '\n') {
      line.end = End::CrLf;
      start = at + 2;
    } else {
      line.end = End::Cr;
      start = at + 1;
    }
    if (firstEnd && line.end != End::None) {
      newEnd_ = line.end;
      firstEnd = false;
    }
    lines_.push_back(std::move(line));
    IndexLine(std::prev(lines_.end()), current);
  }
}

void IniDocument::IndexLine(LineIt line, Section*& current) {
  if (const auto name = SectionNameOf(line->text)) {
    if (!firstHeader_) firstHeader_ = line;
    auto [it, added] = sections_.try_emplace(std::string(*name));
    // The section with the empty name stands from the start for the lines
    // before any header; a "[]" header takes it over while it holds no key,
    // or the keys under that header could never be read.
    const bool takesOver = !added && name->empty() && !it->second.hasHeader && !it->second.hasKey;
    // Keys of a repeated section are never read: the first one wins.
    current = added || takesOver ? &it->second : nullptr;
    if (current) {
      current->header = line;
      current->hasHeader = true;
    }
    return;
  }
  if (!current) return;
  if (const auto kv = KeyValueOf(line->text)) {
    current->keys.try_emplace(std::string(kv->first), line);
    current->lastKey = line;
    current->hasKey = true;
  }
}

std::optional<std::string_view> IniDocument::Find(std::string_view section, std::string_view key) const {
  const auto s = sections_.find(TrimBlanks(section));
  if (s == sections_.end()) return std::nullopt;
  const auto k = s->second.keys.find(TrimBlanks(key));
  if (k == s->second.keys.end()) return std::nullopt;
  return CleanValue(KeyValueOf(k->second->text)->second);
}

IniDocument::LineIt IniDocument::InsertLine(LineIt before, std::string text) {
  if (before != lines_.begin()) {
    Line& previous = *std::prev(before);
    if (previous.end == End::None) {  // the old last line had no line end
      previous.end = newEnd_;
      bytes_ += NewLineEnd().size();
    }
  }
  bytes_ += text.size() + NewLineEnd().size();
  return lines_.insert(before, Line{std::move(text), newEnd_});
}

IniDocument::LineIt IniDocument::WhereNewKeyGoes(const Section& section) {
  if (section.hasKey) return std::next(section.lastKey);
  if (section.hasHeader) return std::next(section.header);
  // The section with the empty name and no key yet: before the first header.
  return firstHeader_ ? *firstHeader_ : lines_.end();
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  section = TrimBlanks(section);
  key = TrimBlanks(key);
  auto s = sections_.find(section);
  if (s == sections_.end()) {
    Section added;
    added.header = InsertLine(lines_.end(), "[" + std::string(section) + "]");
    added.hasHeader = true;
    if (!firstHeader_) firstHeader_ = added.header;
    s = sections_.emplace(std::string(section), std::move(added)).first;
  }
  Section& sec = s->second;
  if (const auto k = sec.keys.find(key); k != sec.keys.end()) {
    std::string& text = k->second->text;
    const std::size_t valueStart = text.find('=') + 1;
    if (std::string_view(text).substr(valueStart) == value) return false;
    bytes_ = bytes_ - (text.size() - valueStart) + value.size();
    text.replace(valueStart, std::string::npos, value);
    return true;
  }
  const LineIt line = InsertLine(WhereNewKeyGoes(sec), std::string(key) + "=" + std::string(value));
  sec.keys.emplace(std::string(key), line);
  sec.lastKey = line;
  sec.hasKey = true;
  return true;
}

std::string IniDocument::Serialize() const {
  std::string out;
  out.reserve(bytes_);
  for (const Line& line : lines_) {
    out += line.text;
    out += LineEnd(line.end);
  }
  return out;
}

}  // namespace quillon::profile
