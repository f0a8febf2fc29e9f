#pragma once
#include <cairo.h>

namespace pawlet::art {

inline constexpr int picture_width = 320;
inline constexpr int picture_height = 480;

// The alley behind the cat, filling the whole 320 x 480 picture. Always drawn the same.
void paint_alley(cairo_t* cr);

}  // namespace pawlet::art
