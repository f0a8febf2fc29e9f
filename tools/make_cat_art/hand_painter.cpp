#include "hand_painter.h"

#include <cmath>

#include "cairo_handles.h"
#include "paint_kit.h"

namespace pawlet::art {
namespace {

namespace pal = palette;

constexpr Color skin{1.0, 0.82, 0.68};
constexpr Color sleeve{0.32, 0.46, 0.72};

void thick_line(cairo_t* cr, Point a, Point b, double width, Color c) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, a.x, a.y);
    cairo_line_to(cr, b.x, b.y);
    set_color(cr, c);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void outlined_line(cairo_t* cr, Point a, Point b, double width, Color c) {
    thick_line(cr, a, b, width + 6, pal::outline);
    thick_line(cr, a, b, width, c);
}

// One long finger seen from the side, the nail at the tip.
void paint_pointing(cairo_t* cr, Point from, Point tip) {
    outlined_line(cr, from, tip, 22, skin);
    const double a = std::atan2(tip.y - from.y, tip.x - from.x);
    SavedState keep(cr);
    cairo_translate(cr, tip.x, tip.y);
    cairo_rotate(cr, a);
    ellipse_path(cr, -6, -4, 6, 4.5);
    fill_and_outline(cr, {1.0, 0.92, 0.88}, 1.2);
    set_color(cr, pal::outline, 0.6);
    cairo_set_line_width(cr, 1.5);
    for (double d : {-30.0, -36.0}) {  // knuckle creases
        cairo_move_to(cr, d, -7);
        cairo_line_to(cr, d + 2, 7);
        cairo_stroke(cr);
    }
}

// A flat hand seen from its back (stroking) or a fist closed round something (gripping), in the
// hand's own frame: x along the arm towards the fingers, the palm's centre at the origin.
void paint_palm(cairo_t* cr, HandShape shape) {
    if (shape == HandShape::stroking) {
        for (double y : {-10.5, -3.5, 3.5, 10.5}) {
            const double reach = 30 - std::abs(y) * 0.5;
            outlined_line(cr, {8, y}, {reach, y * 1.15}, 7, skin);
        }
        outlined_line(cr, {-4, 12}, {8, 24}, 8, skin);  // thumb
        ellipse_path(cr, 0, 0, 17, 15);
        fill_and_outline(cr, skin, 3);
        set_color(cr, pal::outline, 0.5);
        cairo_set_line_width(cr, 1.4);
        for (double y : {-7.0, 0.0, 7.0}) {  // tendons on the back of the hand
            cairo_move_to(cr, -6, y * 0.6);
            cairo_line_to(cr, 9, y);
            cairo_stroke(cr);
        }
        return;
    }
    ellipse_path(cr, 0, 0, 16, 17);
    fill_and_outline(cr, skin, 3);
    for (double y : {-11.0, -4.0, 3.0, 10.0}) {  // curled fingers
        ellipse_path(cr, 12, y, 7, 4.2);
        fill_and_outline(cr, skin, 2.2);
    }
    ellipse_path(cr, 2, -15, 9, 5);  // thumb over the top
    fill_and_outline(cr, skin, 2.2);
}

}  // namespace

void paint_hand(cairo_t* cr, Point from, Point at, HandShape shape) {
    if (shape == HandShape::pointing) {
        paint_pointing(cr, from, at);
        return;
    }
    const double a = std::atan2(at.y - from.y, at.x - from.x);
    const Point wrist{at.x - 22 * std::cos(a), at.y - 22 * std::sin(a)};
    const Point cuff{at.x - 40 * std::cos(a), at.y - 40 * std::sin(a)};
    outlined_line(cr, cuff, wrist, 20, skin);
    outlined_line(cr, from, cuff, 30, sleeve);
    SavedState keep(cr);
    cairo_translate(cr, at.x, at.y);
    cairo_rotate(cr, a);
    paint_palm(cr, shape);
}

}  // namespace pawlet::art
