#include "cursor_pictures.h"

#include <cmath>
#include <functional>

#include "paint_kit.h"

namespace pawlet::art {
namespace {

namespace pal = palette;
constexpr double pi = 3.141592653589793;
// The pictures are drawn on a 24-pixel square whose top-left corner is this canvas pixel.
constexpr double origin = embedded_cursor_picture_first;
constexpr double line = 1.0;  // outline width at this size

constexpr Color steel{0.80, 0.84, 0.89};
constexpr Color steel_light{0.95, 0.97, 0.99};
constexpr Color steel_dark{0.55, 0.60, 0.68};
constexpr Color blood{0.78, 0.04, 0.07};
constexpr Color wood{0.62, 0.36, 0.16};
constexpr Color skin{1.0, 0.82, 0.64};
constexpr Color skin_shade{0.93, 0.66, 0.47};
constexpr Color bone{0.99, 0.98, 0.93};
constexpr Color bone_shade{0.80, 0.80, 0.76};
constexpr Color ink{0.10, 0.08, 0.08};
constexpr Color steam{0.66, 0.70, 0.76};
constexpr Color gold{0.98, 0.80, 0.30};

// A stroke with an outline: the outline colour, wider, then the fill colour over it.
void outlined_stroke(cairo_t* cr, Color fill, double width) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    set_color(cr, pal::outline);
    cairo_set_line_width(cr, width + 2 * line);
    cairo_stroke_preserve(cr);
    set_color(cr, fill);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void plain_stroke(cairo_t* cr, Color colour, double width) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    set_color(cr, colour);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void fill_plain(cairo_t* cr, Color colour) {
    set_color(cr, colour);
    cairo_fill(cr);
}

void polygon_path(cairo_t* cr, std::initializer_list<Point> points) {
    bool first = true;
    for (const Point& p : points) {
        if (first) cairo_move_to(cr, p.x, p.y);
        else cairo_line_to(cr, p.x, p.y);
        first = false;
    }
    cairo_close_path(cr);
}

void smooth(cairo_t* cr, std::initializer_list<Point> points, bool closed = true) {
    smooth_path(cr, std::span<const Point>(points.begin(), points.size()), closed);
}

void drop(cairo_t* cr, Point top, double length, double radius) {
    cairo_move_to(cr, top.x, top.y);
    cairo_curve_to(cr, top.x + radius * 0.3, top.y + length * 0.5, top.x + radius, top.y + length - radius,
                   top.x + radius, top.y + length - radius);
    cairo_arc(cr, top.x, top.y + length - radius, radius, 0, pi);
    cairo_curve_to(cr, top.x - radius, top.y + length - radius, top.x - radius * 0.3, top.y + length * 0.5,
                   top.x, top.y);
    cairo_close_path(cr);
}

void paint_cleaver(cairo_t* cr) {
    // The handle, level with the spine, then the blade over its tang.
    smooth(cr, {{15, 4.4}, {22.4, 4.2}, {23.2, 6.4}, {22.4, 8.6}, {15, 8.4}});
    fill_and_outline(cr, wood, line);
    for (double x : {18.0, 21.0}) {
        ellipse_path(cr, x, 6.4, 0.8, 0.8);
        fill_plain(cr, steel_light);
    }
    cairo_move_to(cr, 1.0, 3.4);
    cairo_line_to(cr, 16.2, 3.4);
    cairo_line_to(cr, 16.2, 15.4);
    cairo_curve_to(cr, 11.0, 16.6, 6.0, 17.2, 1.0, 17.2);
    cairo_close_path(cr);
    fill_and_outline(cr, steel, line);
    cairo_move_to(cr, 2.0, 4.6);
    cairo_line_to(cr, 15.4, 4.6);
    plain_stroke(cr, steel_light, 0.9);
    ellipse_path(cr, 4.2, 6.8, 1.2, 1.2);  // the hole to hang it by
    fill_and_outline(cr, steel_dark, 0.8);
    // Blood along the edge, running off it.
    cairo_move_to(cr, 1.5, 16.7);
    cairo_line_to(cr, 1.5, 12.8);
    cairo_curve_to(cr, 3.5, 11.6, 5.0, 13.4, 7.0, 12.6);
    cairo_curve_to(cr, 9.0, 11.8, 10.5, 13.6, 12.6, 13.0);
    cairo_curve_to(cr, 14.0, 12.6, 15.0, 14.0, 15.7, 15.0);
    cairo_curve_to(cr, 11.0, 16.1, 6.0, 16.7, 1.5, 16.7);
    cairo_close_path(cr);
    fill_plain(cr, blood);
    drop(cr, {4.2, 15.8}, 5.6, 1.3);
    fill_plain(cr, blood);
    drop(cr, {10.2, 15.2}, 4.4, 1.1);
    fill_plain(cr, blood);
}

// A bone from a to b: a shaft with two knobs at each end, outlined as one shape.
void paint_bone(cairo_t* cr, Point a, Point b) {
    const double dx = b.x - a.x, dy = b.y - a.y, length = std::hypot(dx, dy);
    const Point across{-dy / length * 1.2, dx / length * 1.2};
    for (int pass = 0; pass < 2; ++pass) {
        const double grow = pass == 0 ? line : 0;
        set_color(cr, pass == 0 ? pal::outline : bone);
        cairo_move_to(cr, a.x, a.y);
        cairo_line_to(cr, b.x, b.y);
        cairo_set_line_width(cr, 1.8 + 2 * grow);
        cairo_stroke(cr);
        for (const Point& end : {a, b}) {
            for (double side : {-1.0, 1.0}) {
                ellipse_path(cr, end.x + side * across.x, end.y + side * across.y, 1.35 + grow, 1.35 + grow);
                cairo_fill(cr);
            }
        }
    }
}

void paint_skull(cairo_t* cr) {
    paint_bone(cr, {2.4, 3.6}, {21.6, 21.0});
    paint_bone(cr, {21.6, 3.6}, {2.4, 21.0});
    smooth(cr, {{12, 1.2}, {17.6, 2.6}, {19.6, 7.2}, {18.4, 11.6}, {15.8, 13.2}, {15.4, 16.6}, {13.4, 18.0},
                {10.6, 18.0}, {8.6, 16.6}, {8.2, 13.2}, {5.6, 11.6}, {4.4, 7.2}, {6.4, 2.6}});
    fill_and_outline(cr, bone, line);
    smooth(cr, {{16.4, 4.4}, {18.6, 7.6}, {17.6, 10.8}, {15.4, 12.4}, {15.8, 9.0}}, true);
    fill_plain(cr, bone_shade);
    for (double x : {9.2, 14.8}) {
        smooth(cr, {{x - 2.3, 8.4}, {x, 6.4}, {x + 2.3, 8.4}, {x + 1.3, 11.0}, {x - 1.3, 11.0}});
        fill_plain(cr, ink);
    }
    polygon_path(cr, {{12, 11.0}, {13.2, 13.2}, {10.8, 13.2}});  // nose
    fill_plain(cr, ink);
    cairo_move_to(cr, 9.6, 15.6);  // teeth
    cairo_line_to(cr, 14.4, 15.6);
    for (double x : {10.8, 12.0, 13.2}) {
        cairo_move_to(cr, x, 14.6);
        cairo_line_to(cr, x, 17.2);
    }
    plain_stroke(cr, ink, 0.8);
}

void paint_ladybird(cairo_t* cr) {
    // Legs and feelers behind the body.
    for (const auto& [from, to] : {std::pair<Point, Point>{{5, 10}, {1.2, 8.0}}, {{4, 14.5}, {0.9, 14.5}},
                                   {{5, 19}, {1.4, 21.4}}, {{19, 10}, {22.8, 8.0}}, {{20, 14.5}, {23.1, 14.5}},
                                   {{19, 19}, {22.6, 21.4}}, {{10.4, 3.4}, {7.6, 0.9}}, {{13.6, 3.4}, {16.4, 0.9}}}) {
        cairo_move_to(cr, from.x, from.y);
        cairo_line_to(cr, to.x, to.y);
    }
    plain_stroke(cr, ink, 1.1);
    ellipse_path(cr, 12, 5.6, 4.8, 3.6);  // head
    fill_and_outline(cr, ink, line);
    for (double x : {9.9, 14.1}) {
        ellipse_path(cr, x, 4.6, 0.95, 0.95);
        fill_plain(cr, {1, 1, 1});
    }
    ellipse_path(cr, 12, 14.2, 9.2, 9.2);
    fill_and_outline(cr, {0.90, 0.12, 0.10}, line);
    cairo_move_to(cr, 12, 5.4);
    cairo_line_to(cr, 12, 23.2);
    plain_stroke(cr, ink, 1.1);
    for (const auto& [x, y, r] : {std::tuple{7.6, 10.8, 1.9}, {16.4, 10.8, 1.9}, {6.4, 16.4, 1.7}, {17.6, 16.4, 1.7},
                                  {9.4, 20.4, 1.4}, {14.6, 20.4, 1.4}}) {
        ellipse_path(cr, x, y, r, r);
        fill_plain(cr, ink);
    }
    cairo_new_sub_path(cr);
    cairo_arc(cr, 12, 14.2, 7.4, pi * 1.05, pi * 1.3);
    plain_stroke(cr, {1, 0.72, 0.68}, 1.0);
}

void star(cairo_t* cr, Point c, double outer, double inner, int points) {
    for (int i = 0; i < 2 * points; ++i) {
        const double r = (i % 2) ? inner : outer;
        const double a = -pi / 2 + i * pi / points;
        if (i == 0) cairo_move_to(cr, c.x + r * std::cos(a), c.y + r * std::sin(a));
        else cairo_line_to(cr, c.x + r * std::cos(a), c.y + r * std::sin(a));
    }
    cairo_close_path(cr);
}

void paint_handshake(cairo_t* cr) {
    constexpr Color tan{0.80, 0.54, 0.32};
    // Two people's sleeves, one from each side...
    polygon_path(cr, {{0.8, 8.8}, {5.6, 8.4}, {5.6, 17.6}, {0.8, 17.2}});
    fill_and_outline(cr, {0.28, 0.50, 0.88}, line);
    polygon_path(cr, {{23.2, 8.8}, {18.4, 8.4}, {18.4, 17.6}, {23.2, 17.2}});
    fill_and_outline(cr, {0.92, 0.42, 0.16}, line);
    // ...the right one's hand underneath, the left one's over it with its fingers curled round...
    smooth(cr, {{18.6, 9.0}, {13.0, 8.0}, {9.0, 10.0}, {9.4, 15.4}, {14.0, 18.4}, {18.6, 17.0}});
    fill_and_outline(cr, tan, line);
    smooth(cr, {{5.4, 9.0}, {9.0, 7.0}, {12.6, 7.6}, {13.4, 12.0}, {11.0, 17.0}, {5.4, 17.0}});
    fill_and_outline(cr, skin, line);
    for (int k = 0; k < 4; ++k) {
        const double x = 11.6 + 1.9 * k;
        cairo_move_to(cr, x, 8.2 + 0.4 * k);
        cairo_curve_to(cr, x + 2.2, 9.0 + 0.4 * k, x + 1.4, 13.0, x + 0.4, 15.4 - 0.3 * k);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        set_color(cr, pal::outline);
        cairo_set_line_width(cr, 2.9);
        cairo_stroke_preserve(cr);
        set_color(cr, skin);
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
    }
    // ...and the right one's thumb along the back of it.
    cairo_move_to(cr, 13.8, 9.2);
    cairo_line_to(cr, 8.8, 8.2);
    outlined_stroke(cr, tan, 1.8);
    // A sparkle over the deal.
    star(cr, {10.9, 3.2}, 3.2, 1.2, 4);
    fill_plain(cr, {0.96, 0.66, 0.06});
    star(cr, {10.9, 3.2}, 1.9, 0.7, 4);
    fill_plain(cr, {1.0, 0.93, 0.45});
}

void steam_wisp(cairo_t* cr, double x, double bottom, double top, double sway) {
    cairo_move_to(cr, x, bottom);
    cairo_curve_to(cr, x + sway, bottom - (bottom - top) * 0.35, x - sway, bottom - (bottom - top) * 0.65, x, top);
    plain_stroke(cr, steam, 1.3);
}

void paint_cup(cairo_t* cr) {
    ellipse_path(cr, 11.5, 19.4, 10.8, 3.0);  // saucer
    fill_and_outline(cr, bone, line);
    ellipse_path(cr, 11.5, 19.0, 6.0, 1.4);
    fill_plain(cr, bone_shade);
    cairo_new_sub_path(cr);  // handle
    cairo_arc(cr, 18.6, 12.0, 2.8, -pi / 2, pi / 2);
    outlined_stroke(cr, {0.26, 0.55, 0.90}, 1.4);
    smooth(cr, {{3.6, 7.8}, {4.6, 15.0}, {7.6, 19.2}, {15.4, 19.2}, {18.4, 15.0}, {19.4, 7.8}});
    fill_and_outline(cr, {0.26, 0.55, 0.90}, line);
    cairo_move_to(cr, 4.4, 12.4);
    cairo_curve_to(cr, 8, 14.0, 15, 14.0, 18.6, 12.4);
    plain_stroke(cr, {1, 1, 1}, 1.1);
    ellipse_path(cr, 11.5, 7.8, 7.9, 2.3);  // rim
    fill_and_outline(cr, bone, line);
    ellipse_path(cr, 11.5, 8.0, 6.4, 1.4);
    fill_plain(cr, {0.42, 0.22, 0.10});  // coffee
    steam_wisp(cr, 8.2, 5.0, 0.9, 1.6);
    steam_wisp(cr, 11.8, 6.2, 0.7, -1.6);
    steam_wisp(cr, 15.2, 5.0, 1.2, 1.6);
}

void paint_dung(cairo_t* cr) {
    constexpr Color dung{0.50, 0.30, 0.12};
    constexpr Color dung_light{0.68, 0.45, 0.22};
    smooth(cr, {{1.2, 21.0}, {2.4, 17.2}, {7, 15.6}, {17, 15.6}, {21.6, 17.2}, {22.8, 21.0}, {19, 22.8}, {5, 22.8}});
    fill_and_outline(cr, dung, line);
    smooth(cr, {{4.2, 16.6}, {5.2, 13.0}, {9, 11.4}, {15, 11.4}, {18.8, 13.0}, {19.8, 16.6}, {16, 17.8}, {8, 17.8}});
    fill_and_outline(cr, dung, line);
    smooth(cr, {{7.4, 12.4}, {8.2, 9.0}, {11.0, 6.2}, {13.4, 5.4}, {14.6, 8.4}, {16.6, 10.0}, {16.6, 12.6}, {12, 13.6}});
    fill_and_outline(cr, dung, line);
    for (const auto& [a, b, c] : {std::tuple<Point, Point, Point>{{4.0, 20.0}, {8, 21.0}, {12, 20.6}},
                                  {{7.0, 15.0}, {10, 16.0}, {13, 15.6}}, {{9.6, 10.6}, {11.4, 11.6}, {13.2, 11.2}}}) {
        cairo_move_to(cr, a.x, a.y);
        cairo_curve_to(cr, b.x, b.y, b.x, b.y, c.x, c.y);
    }
    plain_stroke(cr, dung_light, 1.0);
    // Stink rising from it.
    constexpr Color stink{0.46, 0.60, 0.22};
    for (const auto& [x, top] : {std::pair{3.8, 3.0}, {20.2, 3.0}, {17.4, 0.9}}) {
        cairo_move_to(cr, x, top + 8.4);
        cairo_curve_to(cr, x - 1.8, top + 5.6, x + 1.8, top + 3.0, x, top);
        plain_stroke(cr, stink, 1.2);
    }
}

void paint_beckon(cairo_t* cr) {
    polygon_path(cr, {{0.8, 10.4}, {4.8, 10.0}, {5.6, 20.4}, {0.8, 20.8}});  // cuff
    fill_and_outline(cr, {0.28, 0.50, 0.88}, line);
    // The crooked index finger: out to the right, bent up and back.
    cairo_move_to(cr, 11.0, 14.4);
    cairo_line_to(cr, 17.6, 14.4);
    cairo_curve_to(cr, 21.6, 14.4, 21.6, 7.6, 18.2, 7.6);
    cairo_line_to(cr, 16.8, 7.8);
    outlined_stroke(cr, skin, 2.1);
    // Fist with the other fingers curled under it.
    smooth(cr, {{4.6, 10.6}, {8.2, 9.0}, {13.0, 10.0}, {15.4, 14.0}, {15.0, 18.6}, {11.0, 21.0}, {5.4, 20.6}});
    fill_and_outline(cr, skin, line);
    for (double y : {15.6, 18.2}) {
        cairo_move_to(cr, 10.6, y);
        cairo_line_to(cr, 14.6, y);
    }
    plain_stroke(cr, pal::outline, 0.8);
    cairo_move_to(cr, 6.8, 11.0);  // thumb along the top
    cairo_curve_to(cr, 9.4, 10.4, 11.6, 11.0, 12.6, 12.2);
    plain_stroke(cr, pal::outline, 0.8);
    // The motion: come here.
    cairo_new_sub_path(cr);
    cairo_arc(cr, 18.4, 11.0, 5.0, -1.25, -0.25);
    plain_stroke(cr, ink, 1.3);
}

void paint_bomb(cairo_t* cr) {
    cairo_move_to(cr, 16.4, 6.6);  // fuse
    cairo_curve_to(cr, 17.6, 3.6, 19.6, 4.4, 20.6, 2.8);
    outlined_stroke(cr, {0.85, 0.74, 0.52}, 1.2);
    star(cr, {20.8, 2.8}, 2.9, 1.2, 6);
    fill_and_outline(cr, {1.0, 0.80, 0.10}, 0.7);
    star(cr, {20.8, 2.8}, 1.3, 0.6, 6);
    fill_plain(cr, {1.0, 0.35, 0.05});
    {
        SavedState keep(cr);
        rotate_around(cr, {15.4, 7.8}, pi / 4);
        cairo_rectangle(cr, 13.2, 6.2, 4.4, 3.4);
        fill_and_outline(cr, {0.36, 0.38, 0.42}, line);
    }
    ellipse_path(cr, 10.4, 14.2, 8.8, 8.8);
    fill_and_outline(cr, {0.16, 0.16, 0.20}, line);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 10.4, 14.2, 6.0, pi * 1.05, pi * 1.4);
    plain_stroke(cr, {0.80, 0.82, 0.88}, 1.4);
}

void paint_football(cairo_t* cr) {
    constexpr Point c{12, 12};
    constexpr double r = 11.0;
    ellipse_path(cr, c.x, c.y, r, r);
    set_color(cr, {1, 1, 1});
    cairo_fill_preserve(cr);
    {
        SavedState keep(cr);
        cairo_clip(cr);
        auto pentagon = [&](Point at, double size, double turn) {
            for (int i = 0; i < 5; ++i) {
                const double a = turn - pi / 2 + i * 2 * pi / 5;
                if (i == 0) cairo_move_to(cr, at.x + size * std::cos(a), at.y + size * std::sin(a));
                else cairo_line_to(cr, at.x + size * std::cos(a), at.y + size * std::sin(a));
            }
            cairo_close_path(cr);
        };
        for (int i = 0; i < 5; ++i) {  // seams from the middle patch to the outer ones
            const double a = -pi / 2 + i * 2 * pi / 5;
            cairo_move_to(cr, c.x + 3.6 * std::cos(a), c.y + 3.6 * std::sin(a));
            cairo_line_to(cr, c.x + 8.0 * std::cos(a), c.y + 8.0 * std::sin(a));
            const double b = a + pi / 5;
            pentagon({c.x + 10.8 * std::cos(b), c.y + 10.8 * std::sin(b)}, 3.8, b + pi / 2);
            fill_plain(cr, ink);
        }
        for (int i = 0; i < 5; ++i) {
            const double a = -pi / 2 + i * 2 * pi / 5;
            cairo_move_to(cr, c.x + 3.6 * std::cos(a), c.y + 3.6 * std::sin(a));
            cairo_line_to(cr, c.x + 8.4 * std::cos(a), c.y + 8.4 * std::sin(a));
        }
        plain_stroke(cr, {0.45, 0.45, 0.48}, 0.8);
        pentagon(c, 3.8, 0);
        fill_plain(cr, ink);
    }
    ellipse_path(cr, c.x, c.y, r, r);
    set_color(cr, pal::outline);
    cairo_set_line_width(cr, line);
    cairo_stroke(cr);
}

void paint_dagger(cairo_t* cr) {
    // Along the axis from the guard (7.5, 14.5) through the hotspot to the tip.
    SavedState keep(cr);
    cairo_translate(cr, 7.5, 14.5);
    cairo_rotate(cr, std::atan2(-11.0, 9.0));
    // Now x runs along the blade and y across it.
    cairo_move_to(cr, 0, -2.0);
    cairo_line_to(cr, 12.0, -1.9);
    cairo_line_to(cr, 17.6, 0);
    cairo_line_to(cr, 12.0, 1.9);
    cairo_line_to(cr, 0, 2.0);
    cairo_close_path(cr);
    fill_and_outline(cr, steel, line);
    cairo_move_to(cr, 0.5, 0);
    cairo_line_to(cr, 14.5, 0);
    plain_stroke(cr, steel_light, 0.9);
    cairo_move_to(cr, 9.0, -2.0);  // blood towards the tip
    cairo_line_to(cr, 12.0, -1.9);
    cairo_line_to(cr, 17.2, 0);
    cairo_line_to(cr, 12.0, 1.9);
    cairo_line_to(cr, 7.0, 2.0);
    cairo_curve_to(cr, 8.0, 0.5, 7.0, -1.0, 9.0, -2.0);
    fill_plain(cr, blood);
    cairo_rectangle(cr, -1.4, -4.4, 2.0, 8.8);  // guard
    fill_and_outline(cr, gold, line);
    cairo_move_to(cr, -1.6, 0);  // grip
    cairo_line_to(cr, -7.0, 0);
    outlined_stroke(cr, {0.45, 0.20, 0.10}, 2.6);
    ellipse_path(cr, -8.0, 0, 1.7, 1.7);
    fill_and_outline(cr, gold, line);
}

void paint_penguin(cairo_t* cr) {
    constexpr Color orange{1.0, 0.62, 0.10};
    constexpr Color scarf{0.88, 0.10, 0.12};
    for (double x : {8.4, 15.6}) {  // feet
        ellipse_path(cr, x, 22.2, 2.8, 1.3);
        fill_and_outline(cr, orange, 0.8);
    }
    for (double side : {-1.0, 1.0}) {  // flippers
        SavedState keep(cr);
        rotate_around(cr, {12 + side * 6.6, 14.0}, side * 0.5);
        ellipse_path(cr, 12 + side * 6.6, 15.0, 1.8, 4.8);
        fill_and_outline(cr, {0.16, 0.18, 0.24}, line);
    }
    ellipse_path(cr, 12, 13.2, 7.0, 9.0);
    fill_and_outline(cr, {0.16, 0.18, 0.24}, line);
    ellipse_path(cr, 12, 16.6, 4.8, 5.2);  // belly
    fill_plain(cr, {1, 1, 1});
    for (double x : {9.8, 14.2}) {  // face
        ellipse_path(cr, x, 8.2, 2.6, 2.6);
        fill_plain(cr, {1, 1, 1});
        ellipse_path(cr, x + (x < 12 ? 0.5 : -0.5), 8.0, 1.0, 1.2);
        fill_plain(cr, ink);
    }
    polygon_path(cr, {{10.6, 10.0}, {13.4, 10.0}, {12, 12.0}});  // beak
    fill_and_outline(cr, orange, 0.6);
    // Scarf round the neck, one end hanging down.
    polygon_path(cr, {{14.4, 13.4}, {17.4, 13.0}, {17.6, 19.0}, {15.0, 19.2}});
    fill_and_outline(cr, scarf, 0.8);
    cairo_move_to(cr, 5.6, 12.6);
    cairo_curve_to(cr, 9.0, 14.8, 15.0, 14.8, 18.4, 12.6);
    outlined_stroke(cr, scarf, 1.8);
}

void paint_ok_hand(cairo_t* cr) {
    // The cuff, the palm and the three straight fingers, then the ring of thumb and index finger.
    polygon_path(cr, {{13.6, 20.4}, {21.4, 19.0}, {22.6, 23.2}, {14.6, 23.4}});
    fill_and_outline(cr, {0.28, 0.50, 0.88}, line);
    for (const auto& [from, to] : {std::pair<Point, Point>{{11.6, 12.0}, {10.6, 2.2}}, {{14.4, 12.0}, {14.6, 2.8}},
                                   {{17.0, 13.0}, {18.6, 5.4}}}) {
        cairo_move_to(cr, from.x, from.y);
        cairo_line_to(cr, to.x, to.y);
        outlined_stroke(cr, skin, 2.6);
    }
    smooth(cr, {{9.6, 11.0}, {15.0, 10.4}, {19.4, 12.0}, {20.4, 16.0}, {19.6, 20.4}, {14.0, 21.2}, {10.0, 19.0}, {8.8, 15.0}});
    fill_and_outline(cr, skin, line);
    for (double x : {12.8, 15.6}) {
        cairo_move_to(cr, x, 10.8);
        cairo_line_to(cr, x + 0.2, 13.2);
    }
    plain_stroke(cr, pal::outline, 0.8);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 6.2, 14.6, 3.3, 0, 2 * pi);
    outlined_stroke(cr, skin, 2.6);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 6.2, 14.6, 3.3, -0.3, 0.3);
    plain_stroke(cr, skin_shade, 1.4);
}

using Painter = void (*)(cairo_t*);
constexpr Painter painters[] = {paint_cleaver, paint_skull,    paint_ladybird, paint_handshake,
                                paint_cup,     paint_dung,     paint_beckon,   paint_bomb,
                                paint_football, paint_dagger,  paint_penguin,  paint_ok_hand};
static_assert(std::size(painters) == embedded_cursors.size());

}  // namespace

Surface draw_embedded_cursor(EmbeddedCursor cursor) {
    Surface canvas = make_surface(embedded_cursor_side, embedded_cursor_side);
    Context cr = make_context(canvas.get());
    const int first = embedded_cursor_picture_first, last = embedded_cursor_picture_last;
    cairo_rectangle(cr.get(), first, first, last + 1 - first, last + 1 - first);
    cairo_clip(cr.get());  // nothing may stray out of the picture's square
    cairo_translate(cr.get(), origin, origin);
    painters[cursor](cr.get());
    cairo_surface_flush(canvas.get());
    return canvas;
}

}  // namespace pawlet::art
