#pragma once
#include <cairo.h>

#include <cstddef>
#include <vector>

namespace pawlet::art {

// Share of pixels (0..1) that differ visibly between two image surfaces of the same size.
double changed_share(cairo_surface_t* a, cairo_surface_t* b);

// Indices of the frames whose picture differs visibly from the frame before, the first and last
// frames left out (they are the resting cat); when there are more than `most`, `most` of them
// spread evenly from the first to the last.
std::vector<std::size_t> frames_that_change(const std::vector<cairo_surface_t*>& frames, std::size_t most);

}  // namespace pawlet::art
