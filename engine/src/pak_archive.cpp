#include "pak_archive.h"

#include "quillon/extra.h"

namespace quillon::pak {

std::string SafeShortName(std::string_view storedName) {
  const std::size_t cut = storedName.find_last_of("\\/");
  std::string_view shortName = cut == std::string_view::npos ? storedName : storedName.substr(cut + 1);
  if (shortName == "." || shortName == ".." || shortName.find('\0') != std::string_view::npos) {
    return "";
  }
  return std::string(shortName);
}

Entry MakeEntry(std::string_view storedName, std::string_view data) {
  Entry entry;
  entry.ShortName = SafeShortName(storedName);
  if (entry.IsEmpty()) {
    return entry;
  }
  entry.StoredName = storedName;
  entry.Data = data;
  entry.Extension = Extra::GetFileExt(entry.ShortName);
  return entry;
}

std::vector<Entry> ParseIndex(std::string_view bytes) {
  std::vector<Entry> index;
  if (bytes.find(SplitMarker) != std::string_view::npos) {
    std::size_t start = 0;
    while (start <= bytes.size()) {
      std::size_t end = bytes.find(SplitMarker, start);
      if (end == std::string_view::npos) {
        end = bytes.size();
      }
      const std::string_view piece = bytes.substr(start, end - start);
      const std::size_t here = piece.find(NameMarker);
      if (here != std::string_view::npos) {
        std::string_view data = piece.substr(here + NameMarker.size());
        // A second name marker inside the bytes ends the data there.
        data = data.substr(0, data.find(NameMarker));
        index.push_back(MakeEntry(piece.substr(0, here), data));
      }
      start = end + SplitMarker.size();
    }
  }
  if (index.empty()) {
    index.emplace_back();
  }
  return index;
}

std::string LeadingMarkerEntry(std::string_view storedName, std::string_view data) {
  std::string out;
  out.reserve(SplitMarker.size() + storedName.size() + NameMarker.size() + data.size());
  out.append(SplitMarker).append(storedName).append(NameMarker).append(data);
  return out;
}

std::string TrailingMarkerArchive(const std::vector<Entry>& index) {
  std::string out;
  for (const Entry& entry : index) {
    if (!entry.IsEmpty()) {
      out.append(entry.StoredName).append(NameMarker).append(entry.Data).append(SplitMarker);
    }
  }
  return out;
}

bool IsStorable(std::string_view storedName, std::string_view data) {
  auto holdsMarker = [](std::string_view text) {
    return text.find(SplitMarker) != std::string_view::npos ||
           text.find(NameMarker) != std::string_view::npos;
  };
  return !holdsMarker(storedName) && !holdsMarker(data);
}

}  // namespace quillon::pak
