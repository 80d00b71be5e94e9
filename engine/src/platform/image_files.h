#pragma once
// Picture files the image library reads (BMP, JPEG, PNG and the like).

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "image.h"

namespace quillon::platform {

std::optional<Image> DecodeImage(std::span<const std::uint8_t> bytes, std::string& error);

}  // namespace quillon::platform
