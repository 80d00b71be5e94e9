#include "quillon/atomic_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <system_error>

namespace quillon {
namespace {

namespace fs = std::filesystem;

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// A name no other writer uses: our process id and a counter. O_EXCL guards
// against leftovers of a crashed run with the same id.
int CreateTemporary(const fs::path& folder, const fs::path& name, fs::path& temp) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 16; ++attempt) {
    temp = folder / ("." + name.string() + "." + std::to_string(::getpid()) + "." +
                     std::to_string(counter++) + ".tmp");
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Makes the rename itself durable; a failure here loses nothing already written.
void SyncFolder(const fs::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

fs::path FollowLink(const fs::path& path) {
  std::error_code ec;
  if (!fs::is_symlink(path, ec)) return path;
  const fs::path target = fs::weakly_canonical(path, ec);
  return ec ? path : target;
}

// The writer's process id when entry is a temporary of file as
// CreateTemporary names them: "." + file + "." + pid + "." + counter + ".tmp".
std::optional<pid_t> TemporaryWriter(std::string_view entry, std::string_view file) {
  const std::string_view suffix = ".tmp";
  if (entry.size() < file.size() + 2 + suffix.size() || entry[0] != '.' ||
      entry.substr(1, file.size()) != file || entry[file.size() + 1] != '.' || !entry.ends_with(suffix))
    return std::nullopt;
  std::string_view rest = entry.substr(file.size() + 2);
  rest.remove_suffix(suffix.size());
  const std::size_t dot = rest.find('.');
  if (dot == std::string_view::npos) return std::nullopt;
  const std::string_view pid = rest.substr(0, dot), counter = rest.substr(dot + 1);
  const auto allDigits = [](std::string_view s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
  };
  pid_t value = 0;
  if (!allDigits(pid) || !allDigits(counter) ||
      std::from_chars(pid.data(), pid.data() + pid.size(), value).ec != std::errc() || value <= 0)
    return std::nullopt;
  return value;
}

double Seconds(const timespec& t) {
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// When process pid started, in wall-clock seconds: /proc/PID/stat gives the
// start in clock ticks after boot; the boot clock says how long ago that was.
std::optional<double> ProcessStart(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string stat((std::istreambuf_iterator<char>(in)), {});
  const std::size_t afterName = stat.rfind(')');  // the name may hold blanks and brackets
  if (afterName == std::string::npos) return std::nullopt;
  std::istringstream fields(stat.substr(afterName + 1));
  std::string field;
  for (int i = 3; i <= 22 && fields >> field; ++i) {
  }
  unsigned long long ticks = 0;
  if (!fields || std::from_chars(field.data(), field.data() + field.size(), ticks).ec != std::errc())
    return std::nullopt;
  timespec boot{}, wall{};
  const long perSecond = ::sysconf(_SC_CLK_TCK);
  if (perSecond <= 0 || ::clock_gettime(CLOCK_BOOTTIME, &boot) != 0 ||
      ::clock_gettime(CLOCK_REALTIME, &wall) != 0)
    return std::nullopt;
  return Seconds(wall) - (Seconds(boot) - static_cast<double>(ticks) / static_cast<double>(perSecond));
}

// A temporary is stale when its writer has ended. Process ids come back:
// a running process with the writer's id wrote it only if it was running
// when the temporary was last written; one started later (more than a
// second later, for the coarse clocks involved) is another process.
bool WriterIsGone(pid_t pid, const struct stat& temp) {
  if (::kill(pid, 0) != 0 && errno == ESRCH) return true;
  const auto started = ProcessStart(pid);
  return started && Seconds(temp.st_mtim) < *started - 1.0;
}

}  // namespace

void RemoveStaleTemporaries(const fs::path& path) {
  const fs::path target = FollowLink(path);
  if (!target.has_filename()) return;
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  const std::string file = target.filename().string();
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string entry = it->path().filename().string();
    const auto writer = TemporaryWriter(entry, file);
    struct stat st {};
    if (!writer || ::lstat(it->path().c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    if (WriterIsGone(*writer, st)) ::unlink(it->path().c_str());
  }
}

bool WriteFileAtomically(const fs::path& path, std::string_view bytes) {
  const fs::path target = FollowLink(path);
  if (!target.has_filename()) return false;
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  RemoveStaleTemporaries(target);
  fs::path temp;
  const int fd = CreateTemporary(folder, target.filename(), temp);
  if (fd < 0) return false;

  struct stat old {};
  bool ok = true;
  if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) ok = ::fchmod(fd, old.st_mode & 07777) == 0;
  ok = ok && WriteAll(fd, bytes) && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  ok = ok && ::rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) {
    ::unlink(temp.c_str());
    return false;
  }
  SyncFolder(folder);
  return true;
}

}  // namespace quillon
