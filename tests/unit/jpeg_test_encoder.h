#pragma once
// Builds small JPEG fixtures in memory for the unit tests.
#include <cstdint>
#include <functional>
#include <vector>

#include "media_writers.h"

namespace pawlet::testing {

struct Rgb {
    std::uint8_t r, g, b;
};

struct JpegOptions {
    bool progressive = false;
    bool grey = false;
    int quality = 95;
};

// Encodes a width x height picture whose pixel (x, y) is colour(x, y).
inline std::vector<std::uint8_t> encode_jpeg(int width, int height,
                                             const std::function<Rgb(int, int)>& colour,
                                             JpegOptions options = {}) {
    const int components = options.grey ? 1 : 3;
    std::vector<std::uint8_t> pixels;
    pixels.reserve(static_cast<std::size_t>(width) * height * components);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Rgb c = colour(x, y);
            if (options.grey) {
                pixels.push_back(c.g);
            } else {
                pixels.insert(pixels.end(), {c.r, c.g, c.b});
            }
        }
    }
    return media::encode_jpeg(pixels, width, height,
                              {.quality = options.quality, .progressive = options.progressive, .grey = options.grey});
}

inline std::vector<std::uint8_t> solid_jpeg(int width, int height, Rgb colour) {
    return encode_jpeg(width, height, [colour](int, int) { return colour; });
}

// Offset of the first marker 0xFF `code` after the start-of-image marker, or 0 when absent.
inline std::size_t find_marker(const std::vector<std::uint8_t>& jpeg, std::uint8_t code) {
    for (std::size_t i = 2; i + 1 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == code) return i;
    return 0;
}

}  // namespace pawlet::testing
