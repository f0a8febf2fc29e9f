#pragma once
#include <cairo.h>

#include "scene.h"

namespace pawlet::art {

// Each draws its group of props; the caller sets the coordinates named in scene.h.
void paint_props_behind(cairo_t* cr, const Props& props);
void paint_held_props(cairo_t* cr, const Pose& pose, const Props& props);
void paint_head_props(cairo_t* cr, const Props& props);
void paint_body_front_props(cairo_t* cr, const Pose& pose, const Props& props);
void paint_props_in_front(cairo_t* cr, const Props& props);

}  // namespace pawlet::art
