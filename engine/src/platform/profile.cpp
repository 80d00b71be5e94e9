#include "quillon/profile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "platform/profile_parse.h"
#include "quillon/atomic_file.h"

namespace quillon::profile {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// How long a changed file may wait in memory before it is written.
constexpr auto kHoldTime = std::chrono::milliseconds(250);
// Clean files beyond this many are forgotten, so the cache stays small.
constexpr std::size_t kMaxCachedFiles = 64;
constexpr std::size_t kReadLimit = 254;  // the 255-character buffer with its NUL

// What one stat tells about a file: enough to see that another process has
// replaced it (inode), rewritten it (size, times to the nanosecond) or
// deleted it.
struct Stamp {
  bool exists = false;
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  timespec modified{};
  timespec changed{};

  bool operator==(const Stamp& o) const {
    const auto same = [](const timespec& a, const timespec& b) {
      return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
    };
    return exists == o.exists && device == o.device && inode == o.inode && size == o.size &&
           same(modified, o.modified) && same(changed, o.changed);
  }
};

Stamp StampOf(const struct stat& st) {
  return Stamp{true, st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};
}

Stamp StatFile(const fs::path& file) {
  struct stat st {};
  if (::stat(file.c_str(), &st) != 0) return Stamp{};
  return StampOf(st);
}

// The file's bytes and the stamp of exactly those bytes. A missing or
// unreadable file (or a folder) reads as empty.
std::string ReadFile(const fs::path& file, Stamp& stamp) {
  stamp = Stamp{};
  std::string bytes;
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return bytes;
  struct stat st {};
  if (::fstat(fd, &st) == 0) {
    stamp = StampOf(st);
    if (S_ISREG(st.st_mode)) {
      bytes.resize(static_cast<std::size_t>(st.st_size));
      std::size_t got = 0;
      while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
      }
      bytes.resize(got);
    }
  }
  ::close(fd);
  return bytes;
}

std::string ValueOrDefault(const IniDocument& doc, std::string_view section, std::string_view key,
                           std::string_view def) {
  return std::string(doc.Find(section, key).value_or(def).substr(0, kReadLimit));
}

using KeyList = std::vector<std::pair<std::string, std::string>>;

KeyList SectionOf(const IniDocument& doc, std::string_view section) {
  KeyList keys;
  doc.ForEachKey(section, [&keys](std::string_view name, std::string_view value) {
    keys.emplace_back(std::string(name), std::string(value.substr(0, kReadLimit)));
  });
  return keys;
}

struct Edit {
  std::string section, key, value;
};

struct CachedFile {
  IniDocument doc;
  Stamp stamp;                // of the bytes doc was read from or last written as
  std::vector<Edit> pending;  // edits made since the file was last written, in order
  Clock::time_point lastWrite{};
  bool lastWriteFailed = false;
};

// Set once the cache is gone at process exit; calls made later (from other
// objects' destructors) go straight to the file.
bool cacheGone = false;

class Cache {
 public:
  ~Cache() {
    FlushAll();
    cacheGone = true;
  }

  std::string Read(const fs::path& file, std::string_view section, std::string_view key,
                   std::string_view def) {
    std::lock_guard lock(mutex_);
    CachedFile& entry = Sync(file);
    WriteDueFiles();
    return ValueOrDefault(entry.doc, section, key, def);
  }

  KeyList ReadAll(const fs::path& file, std::string_view section) {
    std::lock_guard lock(mutex_);
    CachedFile& entry = Sync(file);
    WriteDueFiles();
    return SectionOf(entry.doc, section);
  }

  bool Write(const fs::path& file, std::string_view section, std::string_view key, std::string_view value) {
    std::lock_guard lock(mutex_);
    CachedFile& entry = Sync(file);
    const bool changed = entry.doc.Set(section, key, value);
    if (changed) entry.pending.push_back({std::string(section), std::string(key), std::string(value)});
    if (entry.pending.empty()) return WriteDueFiles();
    // A failed write is retried at once, so the caller hears about it; a
    // successful one opens the window in which changes are only held.
    if (!entry.lastWriteFailed && Clock::now() - entry.lastWrite < kHoldTime) {
      nextDue_ = std::min(nextDue_, entry.lastWrite + kHoldTime);
      WriteDueFiles();
      return true;
    }
    if (Write(file, entry)) return true;
    // This call's change is refused; the file stays as it is on disk, plus
    // the earlier held changes, which are retried later.
    if (changed) {
      entry.pending.pop_back();
      Reload(file, entry);
    }
    return false;
  }

  bool FlushAll() {
    std::lock_guard lock(mutex_);
    bool ok = true;
    for (auto& [name, entry] : files_)
      if (!entry.pending.empty()) ok = Write(name, entry) && ok;
    return ok;
  }

  // Writes the files whose held changes have waited long enough. False when
  // one of them failed.
  bool WriteDueFiles() {
    const auto now = Clock::now();
    if (now < nextDue_) return true;
    bool ok = true;
    nextDue_ = Clock::time_point::max();
    for (auto& [name, entry] : files_) {
      if (entry.pending.empty()) continue;
      if (now - entry.lastWrite >= kHoldTime) ok = Write(name, entry) && ok;
      if (!entry.pending.empty()) nextDue_ = std::min(nextDue_, entry.lastWrite + kHoldTime);
    }
    return ok;
  }

  void Clear() {
    FlushAll();
    std::lock_guard lock(mutex_);
    files_.clear();
    nextDue_ = Clock::time_point::max();
  }

 private:
  // One stat per call. A file changed behind our back is read again; changes
  // of ours that were still held are applied on top of it and written, so
  // nothing of either side is lost.
  CachedFile& Sync(const fs::path& file) {
    if (files_.size() >= kMaxCachedFiles) ForgetCleanFiles();
    const Stamp now = StatFile(file);
    auto [it, added] = files_.try_emplace(file.native());
    CachedFile& entry = it->second;
    if (added || !(now == entry.stamp)) {
      Reload(file, entry);
      if (!entry.pending.empty()) Write(file, entry);
    }
    return entry;
  }

  static void Reload(const fs::path& file, CachedFile& entry) {
    entry.doc = IniDocument(ReadFile(file, entry.stamp));
    for (const Edit& e : entry.pending) entry.doc.Set(e.section, e.key, e.value);
  }

  bool Write(const fs::path& file, CachedFile& entry) {
    entry.lastWrite = Clock::now();
    entry.lastWriteFailed = !WriteFileAtomically(file, entry.doc.Serialize());
    if (entry.lastWriteFailed) {
      nextDue_ = std::min(nextDue_, entry.lastWrite + kHoldTime);
      return false;
    }
    entry.pending.clear();
    entry.stamp = StatFile(file);
    return true;
  }

  void ForgetCleanFiles() {
    std::erase_if(files_, [](const auto& item) { return item.second.pending.empty(); });
  }

  std::mutex mutex_;
  Clock::time_point nextDue_ = Clock::time_point::max();  // no held change
  std::unordered_map<std::string, CachedFile> files_;
};

Cache& TheCache() {
  static Cache cache;
  return cache;
}

// One entry per file, however the caller spelled its path. Resolved names are
// already absolute and clean, so the costly normalisation is rarely needed.
fs::path CacheKey(const fs::path& file) {
  const std::string& name = file.native();
  const bool clean =
      file.is_absolute() && name.find("//") == std::string::npos && name.find("/.") == std::string::npos;
  if (clean) return file;
  std::error_code ec;
  fs::path absolute = fs::absolute(file, ec);
  return ec ? file : absolute.lexically_normal();
}

}  // namespace

std::string ReadString(const fs::path& file, std::string_view section, std::string_view key,
                       std::string_view def) {
  if (cacheGone) {
    Stamp ignored;
    return ValueOrDefault(IniDocument(ReadFile(file, ignored)), section, key, def);
  }
  return TheCache().Read(CacheKey(file), section, key, def);
}

KeyList ReadSection(const fs::path& file, std::string_view section) {
  if (cacheGone) {
    Stamp ignored;
    return SectionOf(IniDocument(ReadFile(file, ignored)), section);
  }
  return TheCache().ReadAll(CacheKey(file), section);
}

bool WriteString(const fs::path& file, std::string_view section, std::string_view key,
                 std::string_view value) {
  if (!IsWritable(section, key, value)) return false;
  if (cacheGone) {
    Stamp ignored;
    IniDocument doc(ReadFile(file, ignored));
    return !doc.Set(section, key, value) || WriteFileAtomically(file, doc.Serialize());
  }
  return TheCache().Write(CacheKey(file), section, key, value);
}

bool Flush() { return cacheGone || TheCache().FlushAll(); }

void ClearCache() {
  if (!cacheGone) TheCache().Clear();
}

}  // namespace quillon::profile
