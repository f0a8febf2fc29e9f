#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

namespace pawlet {

// The first image of a cursor (.cur) file, as its directory entry describes it.
struct CursorImage {
    int width = 0;    // from the entry's byte; 0 means 256
    int height = 0;
    int hotspot_x = 0;
    int hotspot_y = 0;
    std::span<const std::uint8_t> image;  // the image bytes (a DIB), inside the file buffer
};

// Validates a cursor file: reserved word 0, type 2, at least one image, longer than 22 bytes,
// and the first image's offset and size inside the buffer. Returns false when not valid.
bool parse_cursor_file(std::span<const std::uint8_t> file, CursorImage& out);

// What a control's pointer setting asks for.
enum class PointerKind { arrow, hand, cursor };
struct PointerChoice {
    PointerKind kind = PointerKind::arrow;
    CursorImage cursor;  // when kind == cursor
};

// The 4-byte little-endian number 14 selects the hand; a valid cursor file longer than 10 bytes
// gives that cursor; anything else (empty, the number 0, a bad file) gives the arrow.
PointerChoice classify_pointer_setting(std::span<const std::uint8_t> setting);

}  // namespace pawlet
