#pragma once
#include <cstdint>
#include <vector>

namespace pawlet {

// Decoded pixels, top row first, one 32-bit value per pixel laid out as the bytes B, G, R, A
// (0xAARRGGBB read as a little-endian word): the layout of a 32-bit top-down Windows DIB.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // width * height values

    bool empty() const { return width <= 0 || height <= 0 || pixels.empty(); }
};

}  // namespace pawlet
