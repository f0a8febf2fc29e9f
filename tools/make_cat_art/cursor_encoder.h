#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "palette_quantiser.h"

namespace pawlet::art {

// A cursor (.cur) file with one image of 8 bits per pixel: the picture's palette in 256 entries
// (index 0 black, for the masked pixels), its indexes and its mask, rows bottom first.
std::vector<std::uint8_t> encode_palette_cursor(const IndexedPicture& picture, int hotspot_x, int hotspot_y);

enum class MonoPixel : std::uint8_t { clear, black, white };

// A monochrome cursor file (1 bit per pixel, black and white) of a square picture, rows top first.
std::vector<std::uint8_t> encode_monochrome_cursor(int side, std::span<const MonoPixel> pixels, int hotspot_x,
                                                   int hotspot_y);

// The bytes as an embedded block: a 32-bit little-endian 1, the length, then the bytes.
std::vector<std::uint8_t> embedded_block(std::span<const std::uint8_t> bytes);

}  // namespace pawlet::art
