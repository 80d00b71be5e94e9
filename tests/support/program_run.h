#pragma once
// Runs a built program as a child process, and keeps private copies of the
// built application folder for such runs.

#include <cstdlib>
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
// PEBBLERUN_TEST_PROGRAM runs the same checks against another build of the
// program (an older one, to see a check fail where it should).
inline RunResult RunPebblerun(const std::vector<std::string>& args) {
  const char* other = std::getenv("PEBBLERUN_TEST_PROGRAM");
  return RunProgram(other != nullptr && *other != 0 ? other : PEBBLERUN_PROGRAM, args);
}
#endif

// Occurrences of needle in text.
int CountOf(const std::string& text, const std::string& needle);

// A high-score file of the game: rows rows, each with score and name.
std::string ScoreTable(int rows, const std::string& score, const std::string& name);

// The frame a recorded game ("replay.ini" of app) ended in; -1 when the
// recording has no end.
int RecordedLastFrame(const AppCopy& app);

}  // namespace pebblerun::support
