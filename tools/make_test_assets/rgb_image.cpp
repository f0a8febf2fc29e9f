#include "rgb_image.h"

#include <algorithm>
#include <cstddef>

namespace pawlet::test_assets {

RgbImage::RgbImage(int w, int h, Rgb fill)
    : width(w), height(h), pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 3) {
    fill_rect(0, 0, w, h, fill);
}

void RgbImage::fill_rect(int x, int y, int w, int h, Rgb colour) {
    const int x0 = std::max(x, 0), x1 = std::min(x + w, width);
    const int y0 = std::max(y, 0), y1 = std::min(y + h, height);
    for (int row = y0; row < y1; ++row) {
        for (int col = x0; col < x1; ++col) {
            const std::size_t i = (static_cast<std::size_t>(row) * static_cast<std::size_t>(width) +
                                   static_cast<std::size_t>(col)) * 3;
            pixels[i] = colour.r;
            pixels[i + 1] = colour.g;
            pixels[i + 2] = colour.b;
        }
    }
}

}  // namespace pawlet::test_assets
