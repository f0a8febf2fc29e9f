#pragma once
#include <array>

#include "input/embedded_cursors.h"
#include "input/touch_regions.h"

namespace pawlet {

// A rectangle the pointer may rest on and the cursor it shows there. The rectangle has the
// stored bounds of one touch region, but is tested against the hover position, which counts from
// the main window's outer top-left corner: the box sits at the window's origin with a one-pixel
// edge, so the hover position is one more on each axis than the box's client position, and an
// entry covers the pixels one to the left of and one above its region's.
struct HoverEntry {
    const TouchRegion* region;
    EmbeddedCursor cursor;
};

// The entries in the order they are tested: the feet first, then the other regions in their own
// order. No two overlap.
extern const std::array<HoverEntry, 17> hover_cursors;

// First entry holding the hover position (hx, hy), strictly inside its bounds; null where the
// hand shows.
const HoverEntry* find_hover_entry(int hx, int hy);

}  // namespace pawlet
