#pragma once
// Runs of the real Pebblerun and pebblerun-sim on a private application
// folder, with a private per-user folder ($XDG_CONFIG_HOME) and working
// folder, so a test can see every file a run writes or leaves alone.

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app_folders.h"
#include "child_process.h"
#include "program_run.h"

namespace pebblerun::support {

class ReliabilityTest : public ::testing::Test {
 protected:
  ReliabilityTest() {
    char pattern[] = "/tmp/pebblerun-reliability-XXXXXX";
    scratch_ = ::mkdtemp(pattern) ? pattern : "";
    std::filesystem::create_directories(Home());
    std::filesystem::create_directories(Cwd());
  }
  ~ReliabilityTest() override {
    std::error_code ec;
    std::filesystem::remove_all(scratch_, ec);
  }

  std::filesystem::path Home() const { return scratch_ / "config"; }
  std::filesystem::path Cwd() const { return scratch_ / "cwd"; }
  std::filesystem::path Scratch() const { return scratch_; }
  std::string AppDir() const { return app_.Dir().string(); }

  ChildRun Game(std::vector<std::string> args) const { return Run(PEBBLERUN_PROGRAM, std::move(args)); }
  ChildRun Sim(std::vector<std::string> args) const { return Run(PEBBLERUN_SIM_TOOL, std::move(args)); }

  // A shipped replay from the source tree, copied to target.
  static void CopyShippedReplay(const std::string& name, const std::filesystem::path& target) {
    std::filesystem::copy_file(SourceFolder() / "data" / name, target,
                               std::filesystem::copy_options::overwrite_existing);
  }

  AppCopy app_;

 private:
  ChildRun Run(const char* program, std::vector<std::string> args) const {
    args.insert(args.begin(), program);
    ChildSetup setup;
    setup.WorkingFolder = Cwd();
    setup.Environment = {{"XDG_CONFIG_HOME", Home().string()}};
    return RunChild(args, setup);
  }

  std::filesystem::path scratch_;
};

// One line of text (a single line end, at the end) that names what.
inline ::testing::AssertionResult OneLineNaming(const std::string& text, const std::string& what) {
  const auto lines = std::count(text.begin(), text.end(), '\n');
  if (lines != 1 || text.back() != '\n') return ::testing::AssertionFailure() << "not one line: " << text;
  if (text.find(what) == std::string::npos) return ::testing::AssertionFailure() << text << " lacks " << what;
  return ::testing::AssertionSuccess();
}

// text with the value of every line "key=..." replaced.
inline std::string WithValue(std::string text, const std::string& key, const std::string& value) {
  std::size_t at = 0;
  while ((at = text.find("\n" + key + "=", at)) != std::string::npos) {
    const std::size_t start = at + key.size() + 2;
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    text.replace(start, end - start, value);
    at = start;
  }
  return text;
}

}  // namespace pebblerun::support
