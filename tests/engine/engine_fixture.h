#pragma once
// Shared set-up of the engine tests: a fresh application folder per test, the
// log's lines, pixels read back from the frame, textures made from pixels.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine_impl.h"
#include "image.h"
#include "mod_extra.h"
#include "quillon/engine.h"
#include "quillon/profile.h"

namespace quillon::testing {

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ =
        std::filesystem::temp_directory_path() / ("quillon-" + std::string(info->test_suite_name()) + "-" +
                                                  info->name() + "-" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    profile::ClearCache();
    auto& state = lib::State();
    state.AppFolder = folder_.string();
    state.FullScreen = false;
    state.FpsLimit = 0;
    state.Pi = state.Rad = 0;
  }
  void TearDown() override {
    // Held INI changes (the engine's font.ini) are written while the folder
    // is still there, not left for the process's exit, where the write into
    // a removed folder would fail.
    profile::ClearCache();
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }

  std::string App() const { return folder_.string(); }
  std::filesystem::path Path(const std::string& name) const { return folder_ / name; }

  std::vector<std::string> LogLines() const {
    std::ifstream in(folder_ / "log.txt", std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    std::vector<std::string> lines;
    std::string text = all.str();
    std::size_t start = 0, end;
    while ((end = text.find("\r\n", start)) != std::string::npos) {
      lines.push_back(text.substr(start, end - start));
      start = end + 2;
    }
    return lines;
  }

  // A started engine with a 64 x 64 window, cleared to black.
  void StartSmall(Engine& engine, int width = 64, int height = 64) {
    ASSERT_TRUE(engine.Quillon_Start(0, App(), float(width), float(height)));
    ASSERT_TRUE(engine.ClearScreen(0, 0, 0));
  }

  std::filesystem::path folder_;
};

// The back buffer as ARGB words.
struct Frame {
  int Width = 0, Height = 0;
  std::vector<std::uint32_t> Argb;
  std::uint32_t At(int x, int y) const { return Argb[static_cast<std::size_t>(y) * Width + x] & 0xFFFFFF; }
};

inline Frame ReadFrame(Engine& engine) {
  Frame frame;
  std::string error;
  EXPECT_TRUE(engine.Internals().Video->ReadPixels(frame.Argb, frame.Width, frame.Height, error)) << error;
  return frame;
}

inline Image SolidImage(int w, int h, std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a = 255) {
  Image image{w, h, std::vector<std::uint8_t>(static_cast<std::size_t>(w) * h * 4)};
  for (std::size_t i = 0; i < image.Rgba.size(); i += 4) {
    image.Rgba[i] = r, image.Rgba[i + 1] = g, image.Rgba[i + 2] = b, image.Rgba[i + 3] = a;
  }
  return image;
}

inline Texture MakeTexture(Engine& engine, const Image& image) {
  std::string error;
  auto data = engine.Internals().Video->CreateTexture(image, error);
  EXPECT_TRUE(data) << error;
  return Texture(std::move(data));
}

}  // namespace quillon::testing
