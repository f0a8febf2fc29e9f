#pragma once
#include "cairo_handles.h"
#include "input/embedded_cursors.h"

namespace pawlet::art {

// The cursor's picture, drawn in the cat's style on its transparent 128 x 128 canvas, within
// pixels 52..75 on both axes and over its hotspot.
Surface draw_embedded_cursor(EmbeddedCursor cursor);

}  // namespace pawlet::art
