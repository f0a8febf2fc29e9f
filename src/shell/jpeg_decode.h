#pragma once
#include <cstdint>
#include <optional>
#include <span>

#include "shell/picture.h"

namespace pawlet {

// Decodes a whole JPEG held in memory into 32-bit pixels (alpha 0xFF).
// Empty, truncated or otherwise undecodable data gives no picture; never exits or throws.
std::optional<Picture> decode_jpeg(std::span<const std::uint8_t> bytes);

}  // namespace pawlet
