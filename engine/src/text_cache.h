#pragma once
// Rendered lines of system-font text, kept as textures while they are drawn
// frame after frame (a menu, a score) and dropped some seconds after their
// last use.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "platform/texture_data.h"

namespace quillon {

namespace platform {
class TextFont;
class Video;
}  // namespace platform

class TextCache {
 public:
  // The line in white; nullptr when it cannot be rendered (or is empty).
  const platform::TextureData* Get(platform::Video& video, const platform::TextFont& font,
                                   const std::string& line);
  void EndFrame();
  void Clear() { entries_.clear(); }
  std::size_t Size() const { return entries_.size(); }

 private:
  struct Entry {
    std::unique_ptr<platform::TextureData> Texture;
    std::uint64_t LastUsed = 0;
  };
  std::map<std::pair<const platform::TextFont*, std::string>, Entry> entries_;
  std::uint64_t frame_ = 0;
};

}  // namespace quillon
