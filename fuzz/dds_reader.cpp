// Arbitrary bytes as a DDS file. Beyond not crashing or reading past the
// bytes, a picture that is accepted must be as large as its pixel buffer.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "dds_reader.h"
#include "texture_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string error;
  const auto image = quillon::ReadDds(std::span<const std::uint8_t>(data, size), error);
  if (!image) {
    if (error.empty()) std::abort();
    return 0;
  }
  if (image->Width <= 0 || image->Height <= 0 ||
      image->Rgba.size() != static_cast<std::size_t>(image->Width) * image->Height * 4) {
    std::abort();
  }
  quillon::Image keyed = *image;
  quillon::ApplyColorKey(keyed, static_cast<std::int32_t>(size * 2654435761u));
  return 0;
}
