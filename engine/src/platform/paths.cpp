#include "quillon/paths.h"

#include <sys/stat.h>

#include <mutex>
#include <optional>
#include <system_error>
#include <unordered_map>
#include <vector>

#include "quillon/ascii.h"

namespace quillon::paths {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMaxRemembered = 1024;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// lstat, so a dangling link still counts as the entry it is.
bool Exists(const fs::path& p) {
  struct stat st {};
  return ::lstat(p.c_str(), &st) == 0;
}

std::vector<std::string_view> Components(std::string_view name) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (start <= name.size()) {
    std::size_t end = start;
    while (end < name.size() && !IsSeparator(name[end])) ++end;
    if (end > start) parts.push_back(name.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

// "." stays where it is; ".." goes up one folder of what was built so far,
// and never above the root.
void Append(fs::path& path, std::string_view part) {
  if (part == ".") return;
  if (part == "..") {
    path = path.has_relative_path() ? path.parent_path() : path;
    return;
  }
  path /= part;
}

// The entry of folder that matches part without regard to case; of several,
// the first in byte order, so the choice does not depend on the listing.
std::optional<std::string> MatchInFolder(const fs::path& folder, std::string_view part) {
  std::error_code ec;
  std::optional<std::string> best;
  for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    std::string entry = it->path().filename().string();
    if (ascii::EqualsNoCase(entry, part) && (!best || entry < *best)) best = std::move(entry);
  }
  return best;
}

// Names that needed the slow walk, by base and name. A remembered answer is
// used while it still exists; the literal name is always tried first, so an
// exact match that appears later wins.
class ResolvedNames {
 public:
  std::optional<fs::path> Find(const std::string& key) {
    std::lock_guard lock(mutex_);
    const auto it = names_.find(key);
    if (it == names_.end()) return std::nullopt;
    return it->second;
  }
  void Remember(std::string key, fs::path path) {
    std::lock_guard lock(mutex_);
    if (names_.size() >= kMaxRemembered) names_.clear();
    names_.insert_or_assign(std::move(key), std::move(path));
  }

 private:
  std::mutex mutex_;
  std::unordered_map<std::string, fs::path> names_;
};

ResolvedNames& Remembered() {
  static ResolvedNames names;
  return names;
}

}  // namespace

bool IsAbsolute(std::string_view name) {
  return (name.size() >= 2 && name[1] == ':') || (!name.empty() && name[0] == '/');
}

std::string ShortName(std::string_view name) {
  const std::size_t cut = name.find_last_of("\\/");
  return std::string(cut == std::string_view::npos ? name : name.substr(cut + 1));
}

fs::path Resolve(std::string_view name, const fs::path& base) {
  fs::path start = base;
  if (name.size() >= 2 && name[1] == ':') {
    name.remove_prefix(2);  // a drive letter: the root of this file system
    start = "/";
  } else if (!name.empty() && name[0] == '/') {
    start = "/";
  }
  const std::vector<std::string_view> parts = Components(name);

  fs::path literal = start;
  for (std::string_view part : parts) Append(literal, part);
  if (Exists(literal)) return literal;

  std::string key = start.native();
  key += '\0';
  key += name;
  if (auto known = Remembered().Find(key); known && Exists(*known)) return *known;

  fs::path path = start;
  bool allFound = true;
  for (std::string_view part : parts) {
    if (part == "." || part == "..") {
      Append(path, part);
      continue;
    }
    if (Exists(path / part)) {
      path /= part;
    } else if (auto match = MatchInFolder(path, part)) {
      path /= *match;
    } else {
      path /= part;  // does not exist yet: created under the name as given
      allFound = false;
    }
  }
  if (allFound) Remembered().Remember(std::move(key), path);
  return path;
}

}  // namespace quillon::paths
