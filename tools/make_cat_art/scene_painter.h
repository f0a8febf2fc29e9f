#pragma once
#include <cairo.h>

#include "scene.h"

namespace pawlet::art {

// Draws a whole frame: the alley (ready-made, picture sized), the props behind the cat,
// the cat, and what is in front of it.
void paint_scene(cairo_t* cr, cairo_surface_t* alley, const Scene& scene);

}  // namespace pawlet::art
