#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "formats/skin_file.h"

namespace pawlet::media {

// The skin file of `skin` (docs/skin-format.md), padded with a zero chunk to exactly
// `total_size` bytes when that is given. Empty when the skin does not fit in total_size.
std::vector<std::uint8_t> encode_skin(const Skin& skin, std::size_t total_size = 0);

// A chunk's tag and length, before its data.
inline constexpr std::size_t skin_chunk_header_size = 8;

}  // namespace pawlet::media
