#pragma once
// A private application folder for a game fuzz target, and writing the fuzzer's
// bytes into one of its files.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace fuzzing {

inline const std::filesystem::path& Folder(const char* target) {
  static const std::filesystem::path folder = [target] {
    auto path = std::filesystem::temp_directory_path() /
                ("pebblerun-fuzz-" + std::string(target) + "-" + std::to_string(::getpid()));
    std::filesystem::create_directories(path / "textures");
    return path;
  }();
  return folder;
}

inline void Write(const std::filesystem::path& file, const std::uint8_t* data, std::size_t size) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

}  // namespace fuzzing
