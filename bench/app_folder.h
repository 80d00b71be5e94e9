#pragma once
// The application folder the benchmarks run on: PEBBLERUN_APP_DIR, or the
// build's app folder beside the folder of the benchmark program.

#include <cstdlib>
#include <filesystem>
#include <string>

namespace bench {

inline std::string AppFolder() {
  if (const char* dir = std::getenv("PEBBLERUN_APP_DIR")) return dir;
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  return (self.parent_path().parent_path() / "app").string();
}

}  // namespace bench
