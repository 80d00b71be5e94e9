#pragma once
// From a picture file to the pixels of a texture: decoding (DDS here, every
// other format through the image library), the colour key and a forced size.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "image.h"

namespace quillon {

// Pixels whose red, green and blue equal the key's become transparent black.
// Only the colour is compared: hosts pass keys such as magenta with alpha 0
// while the pixels of their files are opaque. A key of 0 means no key.
void ApplyColorKey(Image& image, std::int32_t key);

// The picture stretched (nearest texel) to width x height.
Image Resize(const Image& image, int width, int height);

struct TextureSize {
  int Width = -1;  // -1: the file's own
  int Height = -1;
};

// A "qlno.ini" size entry such as "512x256" (case and blanks ignored).
std::optional<TextureSize> ParseTextureSize(std::string_view value);

std::optional<Image> LoadTextureImage(const std::filesystem::path& file, std::int32_t colorKey,
                                      TextureSize size, std::string& error);

}  // namespace quillon
