#pragma once
#include <cstdint>
#include <vector>

namespace pawlet::test_assets {

struct Rgb {
    std::uint8_t r, g, b;
};

// A plain 24-bit picture, rows top to bottom.
struct RgbImage {
    int width;
    int height;
    std::vector<std::uint8_t> pixels;  // width * height * 3

    RgbImage(int w, int h, Rgb fill);
    // Fills the rectangle [x, x + w) x [y, y + h), clipped to the picture.
    void fill_rect(int x, int y, int w, int h, Rgb colour);
};

}  // namespace pawlet::test_assets
