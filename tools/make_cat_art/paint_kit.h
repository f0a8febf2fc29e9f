#pragma once
#include <cairo.h>

#include <span>

#include "cat_pose.h"

namespace pawlet::art {

struct Color {
    double r, g, b;
};

void set_color(cairo_t* cr, Color c, double alpha = 1.0);

// Fills the current path with `fill` and strokes it with the outline colour, keeping it cleared.
void fill_and_outline(cairo_t* cr, Color fill, double line_width);

// Catmull-Rom curve through the points, as cairo Bezier segments added to the current path.
void smooth_path(cairo_t* cr, std::span<const Point> points, bool closed);

void ellipse_path(cairo_t* cr, double cx, double cy, double rx, double ry);

// Rotates the drawing by `angle` radians around `centre`.
void rotate_around(cairo_t* cr, Point centre, double angle);

Point lerp(Point a, Point b, double t);

namespace palette {
inline constexpr Color outline{0.27, 0.15, 0.08};
inline constexpr Color fur{0.96, 0.62, 0.27};
inline constexpr Color fur_dark{0.84, 0.44, 0.14};
inline constexpr Color cream{1.0, 0.95, 0.85};
inline constexpr Color ear_pink{0.98, 0.68, 0.70};
inline constexpr Color nose{0.92, 0.42, 0.50};
inline constexpr Color iris{0.40, 0.74, 0.28};
inline constexpr Color pupil{0.08, 0.07, 0.06};
inline constexpr Color mouth_inside{0.52, 0.12, 0.16};
inline constexpr Color tongue{0.97, 0.47, 0.52};
inline constexpr Color white{1, 1, 1};
inline constexpr Color blush{1.0, 0.45, 0.50};
}  // namespace palette

}  // namespace pawlet::art
