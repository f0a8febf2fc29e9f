#pragma once
#include <cairo.h>

#include <functional>
#include <vector>

#include "cat_pose.h"

namespace pawlet::art {

// How heavily the cat is inked: the small icon sizes need thicker lines and fewer details.
struct Ink {
    double outline = 3.0;
    bool details = true;  // whiskers, stripes, toe lines, highlights
    bool tiny = false;    // a few pixels across: solid eyes, no tufts or mouth
};

using PaintStep = std::function<void(cairo_t*)>;

// Draws the whole cat in the given pose, in picture coordinates. `held` runs in the body's
// coordinates over the arms and under the paws, so that the paws hold what it draws.
void paint_cat(cairo_t* cr, const Pose& pose, const Ink& ink = {}, const PaintStep& held = {});

// The transforms paint_cat uses: picture -> body, and body -> head. Things that move with the
// cat (a lump, cream on the face, props in its paws) are drawn under them.
void apply_body_transform(cairo_t* cr, const Pose& pose);
void apply_head_transform(cairo_t* cr, const Pose& pose);

// The tail's spine from its root, in body coordinates.
std::vector<Point> tail_points(const Pose& pose);

// Draws only the head (ears, face) of the pose, as the icon shows it.
void paint_cat_head(cairo_t* cr, const Pose& pose, const Ink& ink = {});

// Bounding box of the resting head with its ears, for framing the icon.
struct Box {
    double x0, y0, x1, y1;
};
Box resting_head_box();

}  // namespace pawlet::art
