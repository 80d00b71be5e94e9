#pragma once
// Where the source tree and the built application folder are, and the
// shipped tuning for tests that start real games on a folder of their own.

#include <cstdlib>
#include <filesystem>

namespace pebblerun::support {

// The source tree: the test environment's, else the one this was built from.
inline std::filesystem::path SourceFolder() {
  const char* dir = std::getenv("PEBBLERUN_SOURCE_DIR");
  return dir != nullptr ? dir : PEBBLERUN_TEST_SOURCE_DIR;
}

// The built application folder, found the same way.
inline std::filesystem::path BuiltAppFolder() {
  const char* dir = std::getenv("PEBBLERUN_APP_DIR");
  return dir != nullptr ? dir : PEBBLERUN_TEST_APP_DIR;
}

// Copies the story and arcade tuning the game ships with into
// appFolder/textures.
inline void CopyShippedTuning(const std::filesystem::path& appFolder) {
  std::filesystem::create_directories(appFolder / "textures");
  for (const char* name : {"lvl1.bmp", "lvl2.bmp"}) {
    std::filesystem::copy_file(SourceFolder() / "data" / "textures" / name, appFolder / "textures" / name,
                               std::filesystem::copy_options::overwrite_existing);
  }
}

}  // namespace pebblerun::support
