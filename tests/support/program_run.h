#pragma once
// Runs a built program as a child process, and keeps private copies of the
// built application folder for such runs.

#include <filesystem>
#include <string>
#include <vector>

namespace pebblerun::support {

struct RunResult {
  int ExitCode = -1;
  std::string Output;  // stdout and stderr
};

// A fresh copy of the built application folder (programs and libraries left
// out); removed again by the destructor.
class AppCopy {
 public:
  AppCopy();
  ~AppCopy();
  AppCopy(const AppCopy&) = delete;
  AppCopy& operator=(const AppCopy&) = delete;
  const std::filesystem::path& Dir() const { return dir_; }
  std::string Log() const;  // log.txt, "" when absent
  std::string Read(const std::string& relative) const;
  void Write(const std::string& relative, const std::string& text) const;

 private:
  std::filesystem::path dir_;
};

// Runs program with args (each quoted for the shell, so it arrives as
// given) and waits for it to end.
RunResult RunProgram(const std::filesystem::path& program, const std::vector<std::string>& args);

#ifdef PEBBLERUN_PROGRAM
// The built game, for suites that name it at compile time.
inline RunResult RunPebblerun(const std::vector<std::string>& args) {
  return RunProgram(PEBBLERUN_PROGRAM, args);
}
#endif

// Occurrences of needle in text.
int CountOf(const std::string& text, const std::string& needle);

}  // namespace pebblerun::support
