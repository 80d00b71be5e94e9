#include "platform/files.h"

#include "quillon/ascii.h"

#include <algorithm>
#include <fstream>

namespace quillon::platform {

namespace fs = std::filesystem;

bool ReadWholeFile(const fs::path& file, std::string& out, std::uintmax_t maxBytes) {
  std::error_code ec;
  if (!fs::is_regular_file(file, ec)) {
    return false;
  }
  const std::uintmax_t size = fs::file_size(file, ec);
  if (ec || size > maxBytes) {
    return false;
  }
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    return false;
  }
  try {
    out.assign(static_cast<std::size_t>(size), '\0');
  } catch (const std::bad_alloc&) {
    return false;
  }
  in.read(out.data(), static_cast<std::streamsize>(size));
  // The file may have shrunk since its size was taken.
  out.resize(static_cast<std::size_t>(in.gcount()));
  return !in.bad();
}

bool AppendToFile(const fs::path& file, std::string_view text) {
  std::ofstream out(file, std::ios::binary | std::ios::app);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.close();
  return !out.fail();
}

bool PathExists(const fs::path& path) {
  std::error_code ec;
  return fs::exists(path, ec);
}

bool IsRegularFile(const fs::path& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

bool CreateOneFolder(const fs::path& folder) {
  std::error_code ec;
  fs::create_directory(folder, ec);
  return fs::is_directory(folder, ec);
}

FolderListing ListFolder(const fs::path& folder) {
  FolderListing listing;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::string name = it->path().filename().string();
    if (name.empty() || name[0] == '.') {
      continue;
    }
    std::error_code statusError;
    if (it->is_symlink(statusError)) {
      if (fs::is_regular_file(it->path(), statusError)) {
        listing.Files.push_back(std::move(name));
      }
    } else if (it->is_directory(statusError)) {
      listing.Folders.push_back(std::move(name));
    } else if (it->is_regular_file(statusError)) {
      listing.Files.push_back(std::move(name));
    }
  }
  auto byName = [](const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return ascii::Lower(x) < ascii::Lower(y); });
  };
  std::sort(listing.Files.begin(), listing.Files.end(), byName);
  std::sort(listing.Folders.begin(), listing.Folders.end(), byName);
  return listing;
}

}  // namespace quillon::platform
