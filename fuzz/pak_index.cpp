// The PAK index reader on arbitrary bytes: never crashes, never yields a name
// that could leave the target folder, and what it reads survives a rewrite.

#include "pak_archive.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto index = quillon::pak::ParseIndex(bytes);
  if (index.empty()) {
    std::abort();
  }
  std::size_t total = 0;
  for (const auto& entry : index) {
    const std::string_view name = entry.ShortName;
    if (name == "." || name == ".." || name.find_first_of("\\/") != std::string_view::npos ||
        name.find('\0') != std::string_view::npos) {
      std::abort();
    }
    total += entry.Data.size();
  }
  if (total > size) {
    std::abort();
  }
  // Entries without markers in them read back unchanged after a rewrite.
  const auto reread = quillon::pak::ParseIndex(quillon::pak::TrailingMarkerArchive(index));
  std::size_t kept = 0;
  for (const auto& entry : index) {
    if (entry.IsEmpty() || !quillon::pak::IsStorable(entry.StoredName, entry.Data)) {
      continue;
    }
    if (kept >= reread.size() || reread[kept].StoredName != entry.StoredName ||
        reread[kept].Data != entry.Data) {
      std::abort();
    }
    ++kept;
  }
  return 0;
}
