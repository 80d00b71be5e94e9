#include "quillon/profile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <mutex>
#include <span>
#include <unordered_map>
#include <vector>

#include "mod_extra.h"
#include "platform/profile_parse.h"
#include "quillon/atomic_file.h"
#include "quillon/paths.h"

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
  return std::string(doc.Find(section, key).value_or(CleanDefault(def)).substr(0, kReadLimit));
}

// A file whose folder is missing or cannot be written to can never be
// written; a held change would only be lost later.
bool FolderWritable(const fs::path& file) {
  const fs::path folder = file.parent_path();
  return ::access(folder.empty() ? "." : folder.c_str(), W_OK | X_OK) == 0;
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
  bool failureLogged = false;  // held changes that failed, logged once until they are written
};

// Set once the cache is gone at process exit; calls made later (from other
// objects' destructors) go straight to the file.
bool cacheGone = false;

class Cache {
 public:
  ~Cache() {
    // The library's state (the log's folder among it) may already be gone
    // at process exit: what cannot be written now is lost without a log line.
    exiting_ = true;
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

  bool Write(const fs::path& file, std::string_view section, std::string_view key, std::string_view value) {
    const KeyValue change{section, key, value};
    return Change(file, std::span(&change, 1), false);
  }

  // Applies changes to file in memory; written at once, or held while the
  // file was written less than kHoldTime ago (never with writeNow). False,
  // and the changes refused, when the file cannot be written.
  bool Change(const fs::path& file, std::span<const KeyValue> changes, bool writeNow) {
    std::lock_guard lock(mutex_);
    CachedFile& entry = Sync(file);
    const std::size_t heldBefore = entry.pending.size();
    for (const KeyValue& c : changes) {
      if (entry.doc.Set(c.Section, c.Key, c.Value))
        entry.pending.push_back({std::string(c.Section), std::string(c.Key), std::string(c.Value)});
    }
    const bool changed = entry.pending.size() > heldBefore;
    if (entry.pending.empty()) return WriteDueFiles();
    // A failed write is retried at once, so the caller hears about it; a
    // successful one opens the window in which changes are only held, unless
    // the file cannot be written at all.
    const bool hold = !writeNow && !entry.lastWriteFailed && Clock::now() - entry.lastWrite < kHoldTime;
    if (hold && FolderWritable(file)) {
      nextDue_ = std::min(nextDue_, entry.lastWrite + kHoldTime);
      WriteDueFiles();
      return true;
    }
    if (!hold && Write(file, entry)) return true;
    // This call's changes are refused; the file stays as it is on disk, plus
    // the earlier held changes, which are retried later.
    if (changed) {
      entry.pending.resize(heldBefore);
      Reload(file, entry);
    }
    return false;
  }

  std::optional<std::string> Bytes(const fs::path& file) {
    std::lock_guard lock(mutex_);
    CachedFile& entry = Sync(file);
    std::error_code ec;
    if (entry.pending.empty() && !fs::is_regular_file(file, ec)) return std::nullopt;
    return entry.doc.Serialize();
  }

  bool FlushAll() {
    std::lock_guard lock(mutex_);
    bool ok = true;
    for (auto& [name, entry] : files_)
      if (!entry.pending.empty()) ok = WriteHeld(name, entry) && ok;
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
      if (now - entry.lastWrite >= kHoldTime) ok = WriteHeld(name, entry) && ok;
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
      if (!entry.pending.empty()) WriteHeld(file, entry);
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
    entry.failureLogged = false;
    entry.stamp = StatFile(file);
    return true;
  }

  // Writes changes no caller is waiting for; a failure is logged (once until
  // the file can be written again) and the changes stay held for the retry.
  bool WriteHeld(const fs::path& file, CachedFile& entry) {
    if (Write(file, entry)) return true;
    if (!entry.failureLogged && !exiting_) {
      entry.failureLogged = true;
      // Only a process with an application folder has a log to write to.
      if (!lib::State().AppFolder.empty())
        lib::SaveLog("Error in INIWrite : " + file.string() +
                     " cannot be written; its changes are kept and tried again");
    }
    return false;
  }

  void ForgetCleanFiles() {
    std::erase_if(files_, [](const auto& item) { return item.second.pending.empty(); });
  }

  std::mutex mutex_;
  bool exiting_ = false;                                  // the last flush of the process: nothing is logged
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

IniSnapshot::IniSnapshot() : doc_(std::make_unique<IniDocument>()) {}
IniSnapshot::IniSnapshot(std::string_view bytes) : doc_(std::make_unique<IniDocument>(bytes)) {}
IniSnapshot::~IniSnapshot() = default;
IniSnapshot::IniSnapshot(IniSnapshot&&) noexcept = default;
IniSnapshot& IniSnapshot::operator=(IniSnapshot&&) noexcept = default;

std::string IniSnapshot::Read(std::string_view section, std::string_view key, std::string_view def) const {
  return ValueOrDefault(*doc_, section, key, def);
}

KeyList IniSnapshot::Section(std::string_view section) const { return SectionOf(*doc_, section); }

// Every call below goes through the path module: in a shared application
// folder a read finds this user's copy when there is one, and a change is
// made to this user's copy (started from the shared file), never to the
// shared folder. Anywhere else both are the path itself.

std::optional<IniSnapshot> LoadSnapshot(const fs::path& name) {
  const fs::path file = paths::ForReading(name);
  if (cacheGone) {
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) return std::nullopt;
    Stamp ignored;
    return IniSnapshot(ReadFile(file, ignored));
  }
  const auto bytes = TheCache().Bytes(CacheKey(file));
  if (!bytes) return std::nullopt;
  return IniSnapshot(*bytes);
}

std::string ReadString(const fs::path& name, std::string_view section, std::string_view key,
                       std::string_view def) {
  const fs::path file = paths::ForReading(name);
  if (cacheGone) {
    Stamp ignored;
    return ValueOrDefault(IniDocument(ReadFile(file, ignored)), section, key, def);
  }
  return TheCache().Read(CacheKey(file), section, key, def);
}

bool WriteString(const fs::path& name, std::string_view section, std::string_view key,
                 std::string_view value) {
  if (!IsWritable(section, key, value)) return false;
  const fs::path file = paths::ForEditing(name);
  if (cacheGone) {
    Stamp ignored;
    IniDocument doc(ReadFile(file, ignored));
    return !doc.Set(section, key, value) || WriteFileAtomically(file, doc.Serialize());
  }
  return TheCache().Write(CacheKey(file), section, key, value);
}

bool WriteStrings(const fs::path& name, std::span<const KeyValue> changes) {
  for (const KeyValue& c : changes) {
    if (!IsWritable(c.Section, c.Key, c.Value)) return false;
  }
  const fs::path file = paths::ForEditing(name);
  if (cacheGone) {
    Stamp ignored;
    IniDocument doc(ReadFile(file, ignored));
    bool changed = false;
    for (const KeyValue& c : changes) changed = doc.Set(c.Section, c.Key, c.Value) || changed;
    return !changed || WriteFileAtomically(file, doc.Serialize());
  }
  return TheCache().Change(CacheKey(file), changes, true);
}

bool Flush() { return cacheGone || TheCache().FlushAll(); }

void ClearCache() {
  if (!cacheGone) TheCache().Clear();
}

}  // namespace quillon::profile
