#include "paint_kit.h"

namespace pawlet::art {

void set_color(cairo_t* cr, Color c, double alpha) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void fill_and_outline(cairo_t* cr, Color fill, double line_width) {
    set_color(cr, fill);
    cairo_fill_preserve(cr);
    set_color(cr, palette::outline);
    cairo_set_line_width(cr, line_width);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

void smooth_path(cairo_t* cr, std::span<const Point> p, bool closed) {
    const std::size_t n = p.size();
    if (n < 2) return;
    auto at = [&](std::ptrdiff_t i) -> Point {
        const auto count = static_cast<std::ptrdiff_t>(n);
        if (closed) return p[static_cast<std::size_t>(((i % count) + count) % count)];
        if (i < 0) return p[0];
        if (i >= count) return p[n - 1];
        return p[static_cast<std::size_t>(i)];
    };
    cairo_move_to(cr, p[0].x, p[0].y);
    const std::size_t segments = closed ? n : n - 1;
    for (std::size_t s = 0; s < segments; ++s) {
        const auto i = static_cast<std::ptrdiff_t>(s);
        const Point p0 = at(i - 1), p1 = at(i), p2 = at(i + 1), p3 = at(i + 2);
        cairo_curve_to(cr, p1.x + (p2.x - p0.x) / 6, p1.y + (p2.y - p0.y) / 6,
                       p2.x - (p3.x - p1.x) / 6, p2.y - (p3.y - p1.y) / 6, p2.x, p2.y);
    }
    if (closed) cairo_close_path(cr);
}

void ellipse_path(cairo_t* cr, double cx, double cy, double rx, double ry) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 6.283185307179586);
    cairo_close_path(cr);
    cairo_restore(cr);
}

void rotate_around(cairo_t* cr, Point centre, double angle) {
    cairo_translate(cr, centre.x, centre.y);
    cairo_rotate(cr, angle);
    cairo_translate(cr, -centre.x, -centre.y);
}

Point lerp(Point a, Point b, double t) { return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; }

}  // namespace pawlet::art
