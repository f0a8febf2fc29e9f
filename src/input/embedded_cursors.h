#pragma once
#include <array>
#include <cstddef>

namespace pawlet {

// The twelve picture cursors the program carries, one cursor file each.
enum EmbeddedCursor : int {
    cursor_cleaver,    // a meat cleaver with a blood-stained blade
    cursor_skull,      // a white skull
    cursor_ladybird,   // a red ladybird
    cursor_handshake,  // two hands shaking
    cursor_cup,        // a steaming cup on a saucer
    cursor_dung,       // a steaming heap of dung
    cursor_beckon,     // a hand beckoning with a crooked finger
    cursor_bomb,       // a black bomb with a burning fuse
    cursor_football,   // a black-and-white football
    cursor_dagger,     // a dagger with a blood-stained blade
    cursor_penguin,    // a small penguin with a red scarf
    cursor_ok_hand,    // a hand making the OK sign
};

struct EmbeddedCursorFacts {
    const char* name;
    int hotspot_x, hotspot_y;
};

// Indexed by EmbeddedCursor.
inline constexpr std::array<EmbeddedCursorFacts, 12> embedded_cursors{{
    {"cursor_cleaver", 53, 59},
    {"cursor_skull", 53, 55},
    {"cursor_ladybird", 63, 56},
    {"cursor_handshake", 62, 54},
    {"cursor_cup", 63, 58},
    {"cursor_dung", 63, 58},
    {"cursor_beckon", 72, 64},
    {"cursor_bomb", 67, 58},
    {"cursor_football", 63, 63},
    {"cursor_dagger", 68, 55},
    {"cursor_penguin", 62, 59},
    {"cursor_ok_hand", 54, 68},
}};

// Every file has one 128 x 128 image of 8 bits per pixel with a 256-colour palette and a
// transparency mask; the picture lies within pixels picture_first..picture_last on both axes and
// the rest of the canvas is transparent.
inline constexpr int embedded_cursor_side = 128;
inline constexpr std::size_t embedded_cursor_file_size = 19518;
inline constexpr int embedded_cursor_picture_first = 52;
inline constexpr int embedded_cursor_picture_last = 75;

}  // namespace pawlet
