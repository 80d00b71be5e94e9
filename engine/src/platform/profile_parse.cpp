#include "platform/profile_parse.h"

#include <cstring>
#include <iterator>

namespace quillon::profile {
namespace {

using ascii::TrimBlanks;

// A line's text without the CRs that came before its LF.
std::string_view Content(std::string_view text) {
  while (!text.empty() && text.back() == '\r') text.remove_suffix(1);
  return text;
}

}  // namespace

std::optional<std::string_view> SectionNameOf(std::string_view line) {
  const std::string_view s = TrimBlanks(Content(line));
  if (s.empty() || s.front() != '[') return std::nullopt;
  const std::size_t close = s.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return TrimBlanks(s.substr(1, close - 1));
}

std::optional<std::pair<std::string_view, std::string_view>> KeyValueOf(std::string_view line) {
  const std::string_view s = Content(line);
  const std::string_view lead = TrimBlanks(s);
  if (lead.empty() || lead.front() == ';' || lead.front() == '[') return std::nullopt;
  const std::size_t eq = s.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return std::pair{TrimBlanks(s.substr(0, eq)), s.substr(eq + 1)};
}

std::string_view CleanValue(std::string_view raw) {
  std::string_view v = TrimBlanks(raw);
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    v.remove_prefix(1);
    v.remove_suffix(1);
  }
  return v;
}

bool IsWritable(std::string_view section, std::string_view key, std::string_view value) {
  const auto hasBreak = [](std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; };
  if (hasBreak(section) || hasBreak(key) || hasBreak(value)) return false;
  if (section.find(']') != std::string_view::npos || key.find('=') != std::string_view::npos) return false;
  key = TrimBlanks(key);
  return key.empty() || (key.front() != ';' && key.front() != '[');
}

IniDocument::IniDocument(std::string_view bytes) : bytes_(bytes.size()) {
  if (const void* lf = std::memchr(bytes.data(), '\n', bytes.size())) {
    const std::size_t at = static_cast<const char*>(lf) - bytes.data();
    crlf_ = at > 0 && bytes[at - 1] == '\r';
  }
  Section* current = nullptr;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const void* lf = std::memchr(bytes.data() + start, '\n', bytes.size() - start);
    const std::size_t end =
        lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - bytes.data()) : bytes.size();
    lines_.push_back(Line{std::string(bytes.substr(start, end - start)), lf != nullptr});
    IndexLine(std::prev(lines_.end()), current);
    start = end + 1;
  }
}

void IniDocument::IndexLine(LineIt line, Section*& current) {
  if (const auto name = SectionNameOf(line->text)) {
    auto [it, added] = sections_.try_emplace(std::string(*name));
    // Keys of a repeated section are never read: the first one wins.
    current = added ? &it->second : nullptr;
    if (added) current->header = line;
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
    if (!previous.newline) {  // the old last line had no line end
      previous.text += EndOfLine();
      previous.newline = true;
      bytes_ += EndOfLine().size() + 1;
    }
  }
  text += EndOfLine();
  bytes_ += text.size() + 1;
  return lines_.insert(before, Line{std::move(text), true});
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  section = TrimBlanks(section);
  key = TrimBlanks(key);
  auto s = sections_.find(section);
  if (s == sections_.end()) {
    Section added;
    added.header = InsertLine(lines_.end(), "[" + std::string(section) + "]");
    s = sections_.emplace(std::string(section), std::move(added)).first;
  }
  Section& sec = s->second;
  if (const auto k = sec.keys.find(key); k != sec.keys.end()) {
    std::string& text = k->second->text;
    const std::size_t valueStart = text.find('=') + 1;
    const std::size_t valueEnd = Content(text).size();
    if (std::string_view(text).substr(valueStart, valueEnd - valueStart) == value) return false;
    bytes_ = bytes_ - (valueEnd - valueStart) + value.size();
    text.replace(valueStart, valueEnd - valueStart, value);
    return true;
  }
  const LineIt after = sec.hasKey ? sec.lastKey : sec.header;
  const LineIt line = InsertLine(std::next(after), std::string(key) + "=" + std::string(value));
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
    if (line.newline) out += '\n';
  }
  return out;
}

}  // namespace quillon::profile
