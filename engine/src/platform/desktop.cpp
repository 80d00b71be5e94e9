#include "platform/desktop.h"

#include "platform/video.h"
#include "quillon/ascii.h"

#include <ifaddrs.h>
#include <net/if.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <thread>
#include <vector>

extern char** environ;

namespace quillon::platform {

namespace {

// Starts program with args; returns its process id, or -1. With output set,
// the child's standard output is connected to a pipe read end stored there.
pid_t Spawn(const std::vector<std::string>& args, int* output) {
  std::vector<char*> argv;
  argv.reserve(args.size() + 1);
  for (const std::string& arg : args) {
    argv.push_back(const_cast<char*>(arg.c_str()));
  }
  argv.push_back(nullptr);

  int pipeFds[2] = {-1, -1};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (output != nullptr) {
    if (pipe(pipeFds) != 0) {
      posix_spawn_file_actions_destroy(&actions);
      return -1;
    }
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
  }
  pid_t pid = -1;
  const int error = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (output != nullptr) {
    close(pipeFds[1]);
    if (error != 0) {
      close(pipeFds[0]);
    } else {
      *output = pipeFds[0];
    }
  }
  return error == 0 ? pid : -1;
}

// Runs a dialog program to its end and collects what it printed. Its exit
// status, or -1 when it could not be started.
int RunForOutput(const std::vector<std::string>& args, std::string& printed) {
  int output = -1;
  const pid_t pid = Spawn(args, &output);
  if (pid < 0) {
    return -1;
  }
  char buffer[4096];
  ssize_t got;
  while ((got = read(output, buffer, sizeof buffer)) > 0 || (got < 0 && errno == EINTR)) {
    if (got > 0) {
      printed.append(buffer, static_cast<std::size_t>(got));
    }
  }
  close(output);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

}  // namespace

void OpenWithDesktop(const std::string& target) {
  const pid_t pid = Spawn({"xdg-open", target}, nullptr);
  if (pid > 0) {
    // The handler may run as long as the browser does; reap it off the
    // caller's thread so no zombie is left.
    std::thread([pid] {
      int status = 0;
      while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
      }
    }).detach();
  }
}

std::string AskForFile(const std::string& title, const std::filesystem::path& folder) {
  if (VideoSystem::Headless()) {
    return "";
  }
  const std::string start = folder.empty() ? std::string() : (folder / "").string();
  std::string printed;
  int status =
      RunForOutput({"zenity", "--file-selection", "--title=" + title, "--filename=" + start}, printed);
  if (status < 0) {
    status = RunForOutput({"kdialog", "--title", title, "--getopenfilename", start.empty() ? "." : start},
                          printed);
  }
  if (status != 0) {
    return "";  // cancelled, or no dialog program
  }
  printed = printed.substr(0, printed.find('\0'));
  const std::size_t lineEnd = printed.find_first_of("\r\n");
  return std::string(ascii::TrimBlanks(std::string_view(printed).substr(0, lineEnd)));
}

std::string DesktopUserFolder(const std::string& kind) {
  std::string printed;
  if (RunForOutput({"xdg-user-dir", kind}, printed) != 0) return "";
  return std::string(ascii::TrimBlanks(std::string_view(printed).substr(0, printed.find_first_of("\r\n"))));
}

bool IsNetworkUp() {
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) {
    return false;
  }
  bool up = false;
  for (const ifaddrs* it = list; it != nullptr && !up; it = it->ifa_next) {
    const bool hasAddress = it->ifa_addr != nullptr &&
                            (it->ifa_addr->sa_family == AF_INET || it->ifa_addr->sa_family == AF_INET6);
    up = hasAddress && (it->ifa_flags & IFF_UP) && (it->ifa_flags & IFF_RUNNING) &&
         !(it->ifa_flags & IFF_LOOPBACK);
  }
  freeifaddrs(list);
  return up;
}

}  // namespace quillon::platform
