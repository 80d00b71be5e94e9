// Shared application folders and each user's copies of their files: which
// folders are shared, where the user's copies live, and the path every read
// and write takes.

#include "quillon/paths.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/desktop.h"
#include "platform/files.h"
#include "quillon/ascii.h"
#include "quillon/atomic_file.h"

namespace quillon::paths {
namespace {

namespace fs = std::filesystem;

// The same name as the played-games statistic's folder under $XDG_CONFIG_HOME.
constexpr const char* kUserFolderName = "Pebblerun";
constexpr const char* kLogName = "log.txt";

// Absolute, without "." and ".." and without a trailing separator, so that
// folders compare by their text.
fs::path Normal(const fs::path& path) {
  if (path.empty()) return path;
  std::error_code ec;
  fs::path p = (path.is_absolute() ? path : fs::absolute(path, ec)).lexically_normal();
  if (!p.has_filename() && p != p.root_path()) p = p.parent_path();
  return p;
}

fs::path HomeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home == '/') return Normal(home);
  if (const passwd* pw = ::getpwuid(::getuid()); pw != nullptr && pw->pw_dir != nullptr && *pw->pw_dir == '/')
    return Normal(pw->pw_dir);
  return {};
}

// An XDG base folder; a value that is not an absolute path is ignored, as the
// XDG rules ask.
fs::path XdgFolder(const char* variable, const char* underHome) {
  if (const char* value = std::getenv(variable); value != nullptr && *value == '/') return Normal(value);
  const fs::path home = HomeFolder();
  if (!home.empty()) return home / underHome;
  // No home at all: a folder of this user's own under the temporary folder.
  std::error_code ec;
  return fs::temp_directory_path(ec) / ("pebblerun-" + std::to_string(::getuid()));
}

fs::path PicturesFolder(const fs::path& data) {
  std::error_code ec;
  if (const char* value = std::getenv("XDG_PICTURES_DIR"); value != nullptr && *value == '/') {
    if (fs::is_directory(value, ec)) return Normal(value);
  }
  const std::string reported = platform::DesktopUserFolder("PICTURES");
  // xdg-user-dir answers the home folder itself for a folder the desktop has
  // not set up; screenshots do not belong there.
  if (!reported.empty() && reported.front() == '/' && Normal(reported) != HomeFolder() &&
      fs::is_directory(reported, ec))
    return Normal(reported);
  return data;
}

// Root passes access() for every folder, so a folder without any write
// permission bit counts as read-only for root too: that is what its owner
// asked for.
bool UserMayWrite(const fs::path& folder) {
  struct stat st {};
  if (::stat(folder.c_str(), &st) != 0) return true;
  if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return false;
  return ::access(folder.c_str(), W_OK) == 0;
}

DataFolders Decide(const fs::path& app) {
  DataFolders f;
  f.App = app;
  std::error_code ec;
  // A folder that is not there is nobody's: reads and writes fail as always.
  if (app.empty() || !fs::is_directory(app, ec)) return f;
  f.PerUser = platform::PathExists(app / kInstalledMark) || !UserMayWrite(app);
  if (!f.PerUser) return f;
  f.Data = XdgFolder("XDG_DATA_HOME", ".local/share") / kUserFolderName;
  f.State = XdgFolder("XDG_STATE_HOME", ".local/state") / kUserFolderName;
  f.Pictures = PicturesFolder(f.Data);
  return f;
}

// The part of file below folder, or nothing when file is not inside it.
std::optional<fs::path> RelativeTo(const fs::path& file, const fs::path& folder) {
  const fs::path rel = Normal(file).lexically_relative(folder);
  if (rel.empty() || rel == "." || *rel.begin() == "..") return std::nullopt;
  return rel;
}

struct Owner {
  const DataFolders* Folders = nullptr;
  fs::path Relative;  // spelled as in the shared folder
};

class Registry {
 public:
  const DataFolders& Of(const fs::path& app) {
    std::lock_guard lock(mutex_);
    if (const auto it = byName_.find(app.native()); it != byName_.end()) return *it->second;
    const fs::path absolute = Normal(app);
    const DataFolders* found = nullptr;
    for (const auto& folders : decided_)
      if (folders->App == absolute) found = folders.get();
    if (found == nullptr) {
      found = decided_.emplace_back(std::make_unique<DataFolders>(Decide(absolute))).get();
      if (found->PerUser) {
        shared_.push_back(found);
        anyShared_.store(true, std::memory_order_release);
      }
    }
    byName_.emplace(app.native(), found);
    return *found;
  }

  // The shared folder file lies in; nothing for every other path (at no cost
  // while no folder is shared).
  std::optional<Owner> OwnerOf(const fs::path& file) {
    if (!anyShared_.load(std::memory_order_acquire)) return std::nullopt;
    std::lock_guard lock(mutex_);
    for (const DataFolders* folders : shared_)
      if (auto rel = RelativeTo(file, folders->App)) return Owner{folders, std::move(*rel)};
    return std::nullopt;
  }

 private:
  std::mutex mutex_;
  std::vector<std::unique_ptr<DataFolders>> decided_;
  std::map<std::string, const DataFolders*, std::less<>> byName_;  // by the text callers use
  std::vector<const DataFolders*> shared_;
  std::atomic<bool> anyShared_{false};
};

// Never destroyed, for the same reason as the library's state: the INI
// cache's last writes at process exit map their paths through it.
Registry& Folders() {
  static Registry* registry = new Registry;
  return *registry;
}

// The log has a folder of its own; everything else mirrors the shared folder.
const fs::path& UserBase(const Owner& owner) {
  const bool isLog = std::distance(owner.Relative.begin(), owner.Relative.end()) == 1 &&
                     ascii::EqualsNoCase(owner.Relative.native(), kLogName);
  return isLog ? owner.Folders->State : owner.Folders->Data;
}

// "./" keeps a first component such as "a:b" from reading as a drive.
fs::path UserCopy(const Owner& owner) {
  return Resolve("./" + owner.Relative.generic_string(), UserBase(owner));
}

// The user's folders above a copy: the base always, the rest only where the
// shared folder has them, as a write there would have found them.
void MakeUserFolders(const Owner& owner, const fs::path& copy) {
  std::error_code ec;
  fs::create_directories(UserBase(owner), ec);
  const fs::path parent = owner.Relative.parent_path();
  if (parent.empty() || platform::PathExists(copy.parent_path())) return;
  if (fs::is_directory(Resolve("./" + parent.generic_string(), owner.Folders->App), ec))
    fs::create_directories(copy.parent_path(), ec);
}

}  // namespace

const DataFolders& FoldersOf(const fs::path& appFolder) { return Folders().Of(appFolder); }

std::string DescribeFolders(const DataFolders& folders) {
  if (!folders.PerUser) return "";
  return "Shared game folder " + folders.App.string() + ": options, scores and replays in " +
         folders.Data.string() + ", the log in " + folders.State.string() + ", screenshots in " +
         folders.Pictures.string();
}

fs::path ForReading(const fs::path& file) {
  const auto owner = Folders().OwnerOf(file);
  if (!owner) return file;
  fs::path copy = UserCopy(*owner);
  return platform::PathExists(copy) ? copy : file;
}

fs::path ForWriting(const fs::path& file) {
  const auto owner = Folders().OwnerOf(file);
  if (!owner) return file;
  fs::path copy = UserCopy(*owner);
  MakeUserFolders(*owner, copy);
  return copy;
}

fs::path ForEditing(const fs::path& file) {
  fs::path copy = ForWriting(file);
  if (copy == file || platform::PathExists(copy)) return copy;
  std::string bytes;
  if (platform::ReadWholeFile(file, bytes)) (void)WriteFileAtomically(copy, bytes);
  return copy;
}

fs::path ForReading(std::string_view name, const fs::path& appFolder) {
  FoldersOf(appFolder);
  return ForReading(Resolve(name, appFolder));
}

fs::path ForWriting(std::string_view name, const fs::path& appFolder) {
  FoldersOf(appFolder);
  return ForWriting(Resolve(name, appFolder));
}

fs::path ForEditing(std::string_view name, const fs::path& appFolder) {
  FoldersOf(appFolder);
  return ForEditing(Resolve(name, appFolder));
}

bool RemoveForUser(const fs::path& file, std::error_code& error) {
  const fs::path copy = ForWriting(file);
  error.clear();
  fs::remove(copy, error);
  if (error && error != std::errc::no_such_file_or_directory) return false;
  error.clear();
  if (copy != file && platform::PathExists(file) && !WriteFileAtomically(copy, "")) {
    error = std::make_error_code(std::errc::io_error);
    return false;
  }
  return true;
}

fs::path ScreenshotFolder(const fs::path& appFolder) {
  const DataFolders& folders = FoldersOf(appFolder);
  if (!folders.PerUser) return appFolder;
  std::error_code ec;
  fs::create_directories(folders.Pictures, ec);
  return folders.Pictures;
}

std::optional<fs::path> InstalledContentFolder(const fs::path& programFolder) {
  const fs::path content = Normal(programFolder).parent_path() / "share" / "games" / "pebblerun";
  if (!platform::PathExists(content / kInstalledMark)) return std::nullopt;
  return content;
}

}  // namespace quillon::paths
