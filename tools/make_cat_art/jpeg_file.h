#pragma once
#include <cairo.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace pawlet::art {

using Bytes = std::vector<std::uint8_t>;

// Baseline JFIF JPEG of an image surface (alpha ignored), 4:2:0, at the given quality.
Bytes encode_jpeg(cairo_surface_t* surface, int quality);

// A JPEG of exactly `size` bytes: the best quality that fits, padded with a comment segment.
// None when even the lowest quality is too large.
std::optional<Bytes> encode_jpeg_of_size(cairo_surface_t* surface, std::size_t size);

// Inserts a COM segment of `segment_size` bytes (4 or more) right after the APP0 segment.
Bytes insert_comment(const Bytes& jpeg, std::size_t segment_size);

}  // namespace pawlet::art
