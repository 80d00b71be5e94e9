#pragma once
// Runs a program of the build as a child process with its own working folder
// and environment, keeping what it printed on stdout and stderr apart.

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace pebblerun::support {

struct ChildRun {
  int ExitCode = -1;  // -1: killed by a signal or not started
  std::string Out;
  std::string Err;
};

struct ChildSetup {
  std::filesystem::path WorkingFolder;                           // empty: the test's own
  std::vector<std::pair<std::string, std::string>> Environment;  // set or replaced for the child
  bool CleanEnvironment = false;  // true: the child gets Environment alone, nothing of the test's
};

ChildRun RunChild(const std::vector<std::string>& argv, const ChildSetup& setup = {});

// A process id that belonged to a process which has ended (a child started
// and reaped for the purpose).
int DeadProcessId();

// Every entry under folder, relative, sorted: to see that nothing was written.
std::vector<std::string> ListTree(const std::filesystem::path& folder);

}  // namespace pebblerun::support
