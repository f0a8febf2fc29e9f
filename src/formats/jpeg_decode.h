#pragma once
#include <cstdint>
#include <optional>
#include <span>

#include "base/picture.h"

namespace pawlet {

// Pictures wider or taller than this, or with more pixels than jpeg_max_pixels, are refused
// before any pixel memory is taken, so a lying header cannot make us allocate gigabytes.
inline constexpr int jpeg_max_side = 16384;
inline constexpr std::int64_t jpeg_max_pixels = std::int64_t{1} << 26;

// Decodes a whole JPEG held in memory into 32-bit pixels (alpha 0xFF).
// Empty, non-JPEG, oversized or otherwise undecodable data gives no picture; never exits or
// throws. Data cut short after the first scan header decodes as libjpeg fills it (grey below
// the cut).
std::optional<Picture> decode_jpeg(std::span<const std::uint8_t> bytes);

}  // namespace pawlet
