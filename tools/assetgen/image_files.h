#pragma once
// Writing pictures in the file formats the game's names promise: DDS
// (uncompressed 32-bit BGRA with alpha), BMP (24-bit), JPEG and PNG.

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

#include "canvas.h"

namespace assetgen {

using Bytes = std::vector<std::uint8_t>;

Bytes EncodeDds(const Pixels& p);
Bytes EncodeBmp24(const Pixels& p);  // alpha is laid over black
Bytes EncodeJpeg(const Pixels& p, int quality);
Bytes EncodePng(const Canvas& c);

// Lays a picture drawn on transparency onto the magenta colour key: pixels at
// least `threshold` opaque keep their colour (their soft edge blended toward
// `fringe`), all others become exactly 255,0,255. No kept pixel is magenta.
void KeyOntoMagenta(Pixels& p, Rgb fringe, int threshold = 100);

// Writes bytes to outDir/relPath (relPath with "/" separators), creating the
// folders on the way.
void WriteBytes(const std::filesystem::path& outDir, std::string_view relPath, const Bytes& bytes);

// Encodes by the extension of relPath (.dds, .bmp, .jpg, .png) and writes.
void SaveTexture(const std::filesystem::path& outDir, std::string_view relPath, const Canvas& c);
// The same for one of the colour-keyed files (always a BMP).
void SaveKeyed(const std::filesystem::path& outDir, std::string_view relPath, const Canvas& c, Rgb fringe);

}  // namespace assetgen
