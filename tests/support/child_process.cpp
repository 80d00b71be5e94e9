#include "child_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

extern char** environ;

namespace pebblerun::support {

namespace fs = std::filesystem;

namespace {

std::string Slurp(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

std::vector<std::string> MergedEnvironment(const ChildSetup& setup) {
  std::vector<std::string> env;
  for (char** e = environ; !setup.CleanEnvironment && *e != nullptr; ++e) {
    const std::string entry = *e;
    const std::string name = entry.substr(0, entry.find('='));
    const bool replaced = std::any_of(setup.Environment.begin(), setup.Environment.end(),
                                      [&](const auto& kv) { return kv.first == name; });
    if (!replaced) env.push_back(entry);
  }
  for (const auto& [name, value] : setup.Environment) env.push_back(name + "=" + value);
  return env;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> out;
  for (auto& t : texts) out.push_back(t.data());
  out.push_back(nullptr);
  return out;
}

}  // namespace

ChildRun RunChild(const std::vector<std::string>& argv, const ChildSetup& setup) {
  // Output goes to files, so a chatty child never blocks on a full pipe.
  char pattern[] = "/tmp/pebblerun-child-XXXXXX";
  const fs::path scratch = ::mkdtemp(pattern) ? pattern : "";
  const fs::path out = scratch / "out", err = scratch / "err";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (!setup.WorkingFolder.empty())
    posix_spawn_file_actions_addchdir_np(&actions, setup.WorkingFolder.c_str());
  std::vector<std::string> args = argv, env = MergedEnvironment(setup);
  auto argp = Pointers(args), envp = Pointers(env);
  ChildRun run;
  pid_t pid = -1;
  if (posix_spawn(&pid, argp[0], &actions, nullptr, argp.data(), envp.data()) == 0) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    run.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  posix_spawn_file_actions_destroy(&actions);
  run.Out = Slurp(out);
  run.Err = Slurp(err);
  std::error_code ec;
  fs::remove_all(scratch, ec);
  return run;
}

int DeadProcessId() {
  const pid_t pid = ::fork();
  if (pid == 0) ::_exit(0);
  int status = 0;
  ::waitpid(pid, &status, 0);
  return pid;
}

std::vector<std::string> ListTree(const fs::path& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(folder, ec);
       !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    names.push_back(fs::relative(it->path(), folder).string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace pebblerun::support
