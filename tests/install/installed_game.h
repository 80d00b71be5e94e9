#pragma once
// The game installed into a scratch prefix the way a player installs it, a
// private home for the player, and the programs run from there as child
// processes. Nothing here touches the real system or the real user's files.

#include <sys/types.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace pebblerun::testing {

namespace fs = std::filesystem;

struct RunResult {
  int ExitCode = -1;
  std::string Output;  // stdout and stderr
};

// Runs argv[0] (a path) with exactly the environment given ("NAME=value"
// entries), in folder cwd; Output is what it printed on stdout, then stderr.
RunResult RunProgram(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                     const fs::path& cwd = fs::temp_directory_path());

// The environment the system's checking tools (dpkg-deb, lintian, man, ...)
// run in: nothing of the test's own.
inline const std::vector<std::string> kTools = {"PATH=/usr/local/bin:/usr/bin:/bin", "LANG=C.UTF-8",
                                                "HOME=/nonexistent"};

inline bool Has(const std::string& text, const std::string& needle) {
  return text.find(needle) != std::string::npos;
}

// A program left running until Stop (or the destructor) ends it.
class Running {
 public:
  Running(const std::vector<std::string>& argv, const std::vector<std::string>& env);
  ~Running();
  Running(const Running&) = delete;
  Running& operator=(const Running&) = delete;
  bool Started() const { return pid_ > 0; }
  void Stop();

 private:
  pid_t pid_ = -1;
};

// A fresh folder, removed with everything in it (read-only parts too).
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& label);
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

// `cmake --install` of the build into a scratch prefix, then made read-only
// as a system folder is for a player.
class InstalledPrefix {
 public:
  InstalledPrefix();
  const fs::path& Prefix() const { return folder_.Path(); }
  fs::path Content() const { return Prefix() / "share" / "games" / "pebblerun"; }
  fs::path Program(const std::string& name) const { return Prefix() / "bin" / name; }
  std::string InstallOutput() const { return installOutput_; }

 private:
  ScratchFolder folder_;
  std::string installOutput_;
};

// A player with a home of their own: HOME and the XDG folders point into a
// scratch folder; no display and no sound card.
class Player {
 public:
  Player();
  const std::vector<std::string>& Env() const { return env_; }
  fs::path DataFolder() const { return home_.Path() / "data" / "Pebblerun"; }
  fs::path StateFolder() const { return home_.Path() / "state" / "Pebblerun"; }
  fs::path Home() const { return home_.Path(); }

 private:
  ScratchFolder home_;
  std::vector<std::string> env_;
};

// Every file and folder below root, with a hash of each file's bytes and its
// permission bits, to tell whether anything changed.
std::map<std::string, std::string> Snapshot(const fs::path& root);

std::string ReadFile(const fs::path& file);
void WriteFile(const fs::path& file, const std::string& text);

// The build this suite tests, and its version.
fs::path BuildFolder();

}  // namespace pebblerun::testing
