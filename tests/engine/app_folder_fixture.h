#pragma once
// A fresh application folder per test: the library-wide state points at it,
// no PAK archive is open and the INI cache is empty.

#include "mod_extra.h"
#include "quillon/profile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

class AppFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device seed;
    app_ = std::filesystem::temp_directory_path() / ("quillon-test-" + std::to_string(seed()));
    std::filesystem::create_directories(app_);
    auto& state = quillon::lib::State();
    state.AppFolder = app_.string();
    state.Pak = {};
    quillon::profile::ClearCache();
  }

  void TearDown() override {
    quillon::lib::State().AppFolder.clear();
    quillon::lib::State().Pak = {};
    quillon::profile::ClearCache();
    std::error_code ec;
    std::filesystem::remove_all(app_, ec);
  }

  std::filesystem::path Path(const std::string& name) const { return app_ / name; }

  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream out(Path(name), std::ios::binary);
    out << bytes;
  }

  std::string Read(const std::string& name) const { return ReadPath(Path(name)); }

  static std::string ReadPath(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  std::string Log() const { return Read("log.txt"); }

  std::filesystem::path app_;
};
