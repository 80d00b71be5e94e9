#pragma once
// Plain file-system services for the engine's utilities. Paths here are paths
// on disk (already resolved); nothing throws.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::platform {

// The whole content of a regular file into out. False when it cannot be read
// or is larger than maxBytes.
bool ReadWholeFile(const std::filesystem::path& file, std::string& out,
                   std::uintmax_t maxBytes = std::uintmax_t{1} << 32);

// Appends text to file, creating it when missing.
bool AppendToFile(const std::filesystem::path& file, std::string_view text);

bool PathExists(const std::filesystem::path& path);
bool IsRegularFile(const std::filesystem::path& path);

// Creates one folder (not its parents); an existing folder is fine.
bool CreateOneFolder(const std::filesystem::path& folder);

// Names of the visible entries of a folder, sorted without regard to case.
// Hidden (dot) names are left out; folders reached through a symbolic link
// are listed as neither, so a walk cannot loop.
struct FolderListing {
  std::vector<std::string> Files;
  std::vector<std::string> Folders;
};
FolderListing ListFolder(const std::filesystem::path& folder);

}  // namespace quillon::platform
