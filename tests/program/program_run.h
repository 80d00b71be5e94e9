#pragma once
// Runs the real program as a child process on a private copy of the
// application folder.

#include <filesystem>
#include <string>
#include <vector>

namespace pebblerun::testing {

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
  const std::filesystem::path& Dir() const { return dir_; }
  std::string Log() const;  // log.txt, "" when absent
  std::string Read(const std::string& relative) const;
  void Write(const std::string& relative, const std::string& text) const;

 private:
  std::filesystem::path dir_;
};

// Runs the built Pebblerun (or the program PEBBLERUN_TEST_PROGRAM names).
RunResult RunPebblerun(const std::vector<std::string>& args);

// Occurrences of needle in text.
int CountOf(const std::string& text, const std::string& needle);

// A high-score file of the game: rows rows, each with score and name.
std::string ScoreTable(int rows, const std::string& score, const std::string& name);

// The frame a recorded game ("replay.ini" of app) ended in; -1 when the
// recording has no end.
int RecordedLastFrame(const AppCopy& app);

}  // namespace pebblerun::testing
