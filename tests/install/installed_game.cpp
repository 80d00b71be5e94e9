#include "installed_game.h"

#include "child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

namespace pebblerun::testing {
namespace {

std::vector<char*> Pointers(const std::vector<std::string>& strings) {
  std::vector<char*> out;
  for (const std::string& s : strings) out.push_back(const_cast<char*>(s.c_str()));
  out.push_back(nullptr);
  return out;
}

// In the child: the given folder and output, then the program; never returns.
[[noreturn]] void Exec(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                       const fs::path& cwd, int output) {
  if (::chdir(cwd.c_str()) != 0) ::_exit(126);
  ::dup2(output, STDOUT_FILENO);
  ::dup2(output, STDERR_FILENO);
  const auto args = Pointers(argv);
  const auto vars = Pointers(env);
  ::execve(args[0], args.data(), vars.data());
  ::_exit(127);
}

int WaitFor(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Hash(const std::string& bytes) {
  std::uint64_t h = 14695981039346656037ull;
  for (unsigned char c : bytes) h = (h ^ c) * 1099511628211ull;
  return std::to_string(h);
}

void SetWritable(const fs::path& root, bool writable) {
  std::error_code ec;
  const auto change = [writable](const fs::path& p) {
    struct stat st {};
    if (::lstat(p.c_str(), &st) != 0 || S_ISLNK(st.st_mode)) return;
    const mode_t bits = S_IWUSR | S_IWGRP | S_IWOTH;
    ::chmod(p.c_str(), writable ? (st.st_mode | S_IWUSR) : (st.st_mode & ~bits));
  };
  if (writable) change(root);  // folders first on the way down, so they can be entered and changed
  for (auto it = fs::recursive_directory_iterator(root, ec); !ec && it != fs::recursive_directory_iterator();
       it.increment(ec))
    change(it->path());
  if (!writable) change(root);
}

}  // namespace

RunResult RunProgram(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                     const fs::path& cwd) {
  support::ChildSetup setup{cwd, {}, true};
  for (const std::string& entry : env) {
    const auto equals = entry.find('=');
    setup.Environment.emplace_back(entry.substr(0, equals),
                                   equals == std::string::npos ? "" : entry.substr(equals + 1));
  }
  const support::ChildRun run = support::RunChild(argv, setup);
  return RunResult{run.ExitCode, run.Out + run.Err};
}

Running::Running(const std::vector<std::string>& argv, const std::vector<std::string>& env) {
  const int devNull = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
  pid_ = ::fork();
  if (pid_ == 0) Exec(argv, env, fs::temp_directory_path(), devNull);
  ::close(devNull);
}

Running::~Running() { Stop(); }

void Running::Stop() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGTERM);
  for (int i = 0; i < 100; ++i) {
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  ::kill(pid_, SIGKILL);
  WaitFor(pid_);
  pid_ = -1;
}

ScratchFolder::ScratchFolder(const std::string& label) {
  std::string pattern = (fs::temp_directory_path() / ("pebblerun-" + label + "-XXXXXX")).string();
  if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
  if (path_.empty()) return;
  SetWritable(path_, true);
  std::error_code ec;
  fs::remove_all(path_, ec);
}

InstalledPrefix::InstalledPrefix() : folder_("prefix") {
  const RunResult install =
      RunProgram({PEBBLERUN_CMAKE, "--install", BuildFolder().string(), "--prefix", folder_.Path().string()},
                 {"PATH=/usr/local/bin:/usr/bin:/bin"});
  installOutput_ = install.Output + "(exit " + std::to_string(install.ExitCode) + ")";
  // As a system folder is for a player. Root passes every permission check,
  // so the installed mark, not these bits, is what must keep the game out.
  SetWritable(folder_.Path(), false);
}

Player::Player() : home_("home") {
  const fs::path home = home_.Path();
  fs::create_directories(home / "runtime");
  fs::permissions(home / "runtime", fs::perms::owner_all);
  env_ = {"PATH=/usr/local/bin:/usr/bin:/bin",
          "HOME=" + home.string(),
          "XDG_CONFIG_HOME=" + (home / "config").string(),
          "XDG_DATA_HOME=" + (home / "data").string(),
          "XDG_STATE_HOME=" + (home / "state").string(),
          "XDG_RUNTIME_DIR=" + (home / "runtime").string(),
          "LANG=C.UTF-8",
          "SDL_VIDEODRIVER=dummy",
          "SDL_AUDIODRIVER=dummy",
          "ALSOFT_DRIVERS=null",
          "QT_QPA_PLATFORM=offscreen"};
}

std::map<std::string, std::string> Snapshot(const fs::path& root) {
  std::map<std::string, std::string> entries;
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(root, ec); !ec && it != fs::recursive_directory_iterator();
       it.increment(ec)) {
    struct stat st {};
    ::lstat(it->path().c_str(), &st);
    std::string value = std::to_string(st.st_mode);
    if (S_ISREG(st.st_mode)) value += " " + Hash(ReadFile(it->path()));
    if (S_ISLNK(st.st_mode)) value += " -> " + fs::read_symlink(it->path(), ec).string();
    entries[fs::relative(it->path(), root).string()] = value;
  }
  return entries;
}

std::string ReadFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void WriteFile(const fs::path& file, const std::string& text) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << text;
}

fs::path BuildFolder() { return PEBBLERUN_BUILD_DIR; }

}  // namespace pebblerun::testing
