#pragma once
#include <cairo.h>

#include <cstdint>
#include <vector>

namespace pawlet::art {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A picture of palette indexes with a 1-bit mask, rows top first.
struct IndexedPicture {
    int width = 0, height = 0;
    std::vector<Rgb> palette;            // at most the colours asked for
    std::vector<std::uint8_t> indexes;   // width * height
    std::vector<bool> transparent;       // width * height

    std::size_t at(int x, int y) const { return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x); }
};

// Splits an ARGB32 surface into a mask and at most `max_colours` colours (median cut, weighted by
// pixel count; exact when the picture has no more colours than that). A pixel at least half
// covered is opaque and keeps its own colour, un-premultiplied: edges take the colour drawn there,
// never a blend with what lay beneath. Indexes of transparent pixels are 0.
IndexedPicture quantise(cairo_surface_t* surface, int max_colours);

}  // namespace pawlet::art
