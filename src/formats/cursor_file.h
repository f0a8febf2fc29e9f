#pragma once
#include <cstdint>
#include <span>

#include "base/parsed.h"

namespace pawlet {

// The first image of a cursor (.cur) file, as its directory entry describes it.
struct CursorImage {
    int width = 0;    // from the entry's byte; 0 means 256
    int height = 0;
    int hotspot_x = 0;
    int hotspot_y = 0;
    std::span<const std::uint8_t> image;  // the image bytes (a DIB), inside the file buffer
};

// Why a buffer is not a usable cursor file: the first check it fails.
enum class CursorFileFailure {
    too_short,        // 22 bytes or fewer: no room for the header and one directory entry
    bad_reserved,     // first word not 0
    not_a_cursor,     // type word not 2 (1 would be an icon)
    no_images,        // image count 0
    offset_past_end,  // the image's offset lies beyond the buffer
    size_too_large,   // the image's byte count exceeds the buffer's length minus 22
    image_past_end,   // offset plus byte count lies beyond the buffer
};

const char* failure_name(CursorFileFailure failure);

// Reads a cursor file: reserved word 0, type 2, at least one image, longer than 22 bytes, and
// the first image's offset and size inside the buffer. The image refers into `file`.
Parsed<CursorImage, CursorFileFailure> parse_cursor_file(std::span<const std::uint8_t> file);

}  // namespace pawlet
