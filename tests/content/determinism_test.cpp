// The generator's output is a pure function of the generator: a fresh run
// gives the same bytes as the build's run into the application folder. One
// run only: with the sounds and music it takes minutes in the sanitizer build.

#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "image_reader.h"

namespace fs = std::filesystem;

namespace {

std::map<std::string, std::vector<std::uint8_t>> Tree(const fs::path& root) {
  std::map<std::string, std::vector<std::uint8_t>> files;
  for (const auto& e : fs::recursive_directory_iterator(root))
    if (e.is_regular_file())
      files[fs::relative(e.path(), root).generic_string()] = content_test::ReadBytes(e.path());
  return files;
}

TEST(DeterminismTest, AFreshRunWritesTheApplicationFolderAgain) {
  const fs::path base = fs::temp_directory_path() / ("assetgen_test_" + std::to_string(::getpid()));
  fs::remove_all(base);
  // The sanitizer build must not fail the run on the caches the font and
  // drawing libraries keep until exit.
  setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
  for (const char* run : {"a"}) {
    const std::string cmd = std::string("\"") + ASSETGEN_PROGRAM + "\" \"" + (base / run).string() + "\"";
    ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
  }
  const auto a = Tree(base / "a");
  EXPECT_GT(a.size(), 170u);
  const fs::path app = content_test::AppDir();
  for (const auto& [name, bytes] : a)
    EXPECT_TRUE(bytes == content_test::ReadBytes(app / name))
        << name << " differs from the application folder";
  fs::remove_all(base);
}

}  // namespace
