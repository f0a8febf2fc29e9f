#pragma once
#include <cairo.h>

#include "scene.h"

namespace pawlet::art {

// A person's hand reaching into the picture from `from` (outside it) with its palm, or for
// `pointing` its fingertip, at `at`.
void paint_hand(cairo_t* cr, Point from, Point at, HandShape shape);

}  // namespace pawlet::art
