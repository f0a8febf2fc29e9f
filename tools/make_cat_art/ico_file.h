#pragma once
#include <cairo.h>

#include <cstdint>
#include <span>
#include <vector>

namespace pawlet::art {

// An icon group file: one uncompressed 32-bit BGRA image with its AND mask per square surface.
std::vector<std::uint8_t> encode_icon_group(std::span<cairo_surface_t* const> images);

}  // namespace pawlet::art
