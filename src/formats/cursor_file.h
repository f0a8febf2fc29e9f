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

// The outcome of reading a cursor file: valid, or the first check that failed.
enum class CursorFileCheck {
    valid,
    too_short,          // 22 bytes or fewer: no room for the header and one directory entry
    bad_reserved,       // first word not 0
    not_a_cursor,       // type word not 2 (1 would be an icon)
    no_images,          // image count 0
    offset_past_end,    // the image's offset lies beyond the buffer
    size_too_large,     // the image's byte count exceeds the buffer's length minus 22
    image_past_end,     // offset plus byte count lies beyond the buffer
};

// Validates a cursor file: reserved word 0, type 2, at least one image, longer than 22 bytes,
// and the first image's offset and size inside the buffer. Fills `out` only when valid.
CursorFileCheck read_cursor_file(std::span<const std::uint8_t> file, CursorImage& out);

inline bool parse_cursor_file(std::span<const std::uint8_t> file, CursorImage& out) {
    return read_cursor_file(file, out) == CursorFileCheck::valid;
}

// What a control's pointer setting asks for.
enum class PointerKind { arrow, hand, cursor };
struct PointerChoice {
    PointerKind kind = PointerKind::arrow;
    CursorImage cursor;  // when kind == cursor; its image points into the setting's buffer
};

// The 4-byte little-endian number 14 selects the hand; a valid cursor file longer than 10 bytes
// gives that cursor; anything else (empty, the number 0, a bad file) gives the arrow.
PointerChoice classify_pointer_setting(std::span<const std::uint8_t> setting);

}  // namespace pawlet
