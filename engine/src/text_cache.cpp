#include "text_cache.h"

#include "platform/text_font.h"
#include "platform/video.h"

namespace quillon {

namespace {
constexpr std::uint64_t kKeepFrames = 150;  // about three seconds at 50 frames per second
constexpr std::size_t kMaxEntries = 512;
}  // namespace

const platform::TextureData* TextCache::Get(platform::Video& video, const platform::TextFont& font,
                                            const std::string& line) {
  auto key = std::make_pair(&font, line);
  auto found = entries_.find(key);
  if (found == entries_.end()) {
    auto image = font.Render(line);
    if (!image) return nullptr;
    std::string error;
    auto texture = video.CreateTexture(*image, error);
    if (!texture) return nullptr;
    found = entries_.emplace(std::move(key), Entry{std::move(texture), frame_}).first;
  }
  found->second.LastUsed = frame_;
  return found->second.Texture.get();
}

void TextCache::EndFrame() {
  ++frame_;
  if (frame_ % 50 != 0 && entries_.size() <= kMaxEntries) return;
  for (auto it = entries_.begin(); it != entries_.end();) {
    const bool stale = frame_ - it->second.LastUsed > kKeepFrames || entries_.size() > kMaxEntries;
    it = stale ? entries_.erase(it) : std::next(it);
  }
}

}  // namespace quillon
