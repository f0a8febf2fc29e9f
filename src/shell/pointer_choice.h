#pragma once
#include <array>
#include <cstdint>
#include <span>

#include "formats/cursor_file.h"

namespace pawlet {

// The pointer setting that selects the hand: the 4-byte little-endian number 14.
inline constexpr std::array<std::uint8_t, 4> hand_pointer_setting{14, 0, 0, 0};

// The hand is the program's own pointer, a black-and-white pointing hand carried as a cursor
// resource, its hotspot at the tip of the finger.
inline constexpr int hand_pointer_side = 32;
inline constexpr int hand_pointer_hotspot_x = 6, hand_pointer_hotspot_y = 1;

// What a control's pointer setting asks for.
enum class PointerKind { arrow, hand, cursor };
struct PointerChoice {
    PointerKind kind = PointerKind::arrow;
    CursorImage cursor;  // when kind == cursor; its image points into the setting's buffer
};

// hand_pointer_setting selects the hand; a valid cursor file longer than 10 bytes gives that
// cursor; anything else (empty, the number 0, a bad file) gives the arrow.
PointerChoice classify_pointer_setting(std::span<const std::uint8_t> setting);

}  // namespace pawlet
