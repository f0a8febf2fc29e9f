#pragma once
#include <cairo.h>

#include "cat_pose.h"

namespace pawlet::art {

// How heavily the cat is inked: the small icon sizes need thicker lines and fewer details.
struct Ink {
    double outline = 3.0;
    bool details = true;  // whiskers, stripes, toe lines, highlights
};

// Draws the whole cat in the given pose, in picture coordinates.
void paint_cat(cairo_t* cr, const Pose& pose, const Ink& ink = {});

// Draws only the head (ears, face) of the pose, as the icon shows it.
void paint_cat_head(cairo_t* cr, const Pose& pose, const Ink& ink = {});

// Bounding box of the resting head with its ears, for framing the icon.
struct Box {
    double x0, y0, x1, y1;
};
Box resting_head_box();

}  // namespace pawlet::art
