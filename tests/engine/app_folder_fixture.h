#pragma once
// A fresh application folder per test: the library-wide state points at it,
// no PAK archive is open and the INI cache is empty.

#include "mod_extra.h"
#include "quillon/profile.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

class AppFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto& state = quillon::lib::State();
    state.AppFolder = app_.string();
    state.Pak = {};
    quillon::profile::ClearCache();
  }

  void TearDown() override {
    quillon::profile::ClearCache();
    quillon::lib::State().AppFolder.clear();
    quillon::lib::State().Pak = {};
  }

  std::filesystem::path Path(const std::string& name) const { return app_ / name; }
  void Write(const std::string& name, const std::string& bytes) const { WriteBytes(Path(name), bytes); }
  // What is on disk, after every held INI change has been written.
  std::string Read(const std::string& name) const {
    quillon::profile::Flush();
    return ReadBytes(Path(name));
  }
  std::string Log() const { return Read("log.txt"); }

  TempFolder folder_;
  const std::filesystem::path& app_ = folder_.Path();
};
