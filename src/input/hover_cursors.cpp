#include "input/hover_cursors.h"

namespace pawlet {
namespace {
constexpr const TouchRegion* region(int number) { return &touch_regions[static_cast<std::size_t>(number - 1)]; }
}  // namespace

const std::array<HoverEntry, 17> hover_cursors{{
    {region(6), cursor_cleaver},     // foot on the viewer's right
    {region(7), cursor_cleaver},     // foot on the viewer's left
    {region(1), cursor_skull},       // left paw
    {region(2), cursor_ladybird},    // chest
    {region(3), cursor_handshake},   // tail
    {region(4), cursor_cup},         // mouth
    {region(5), cursor_dung},        // lower body
    {region(8), cursor_beckon},      // nose
    {region(9), cursor_bomb},        // top of the head
    {region(10), cursor_football},   // right paw
    {region(11), cursor_dagger},     // left eye
    {region(12), cursor_dagger},     // right eye
    {region(13), cursor_dagger},     // belly
    {region(14), cursor_penguin},    // left cheek
    {region(15), cursor_penguin},    // right cheek
    {region(16), cursor_ok_hand},    // left ear
    {region(17), cursor_ok_hand},    // right ear
}};

const HoverEntry* find_hover_entry(int hx, int hy) {
    for (const auto& entry : hover_cursors) {
        if (region_contains(*entry.region, hx, hy)) return &entry;
    }
    return nullptr;
}

}  // namespace pawlet
