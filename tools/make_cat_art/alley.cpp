#include "alley.h"

#include <array>
#include <cmath>
#include <cstdint>

#include "cairo_handles.h"
#include "paint_kit.h"

namespace pawlet::art {
namespace {

// Where the alley's walls and cobbles run to.
constexpr Point vanish{160, 262};
constexpr double far_left = 108, far_right = 212, far_top = 40, far_bottom = 300;

// A tiny fixed-seed generator so the bricks look the same on every build.
class Dice {
public:
    explicit Dice(std::uint32_t seed) : state_(seed) {}
    double next() {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<double>(state_ >> 8) / 16777216.0;
    }

private:
    std::uint32_t state_;
};

void paint_far_street(cairo_t* cr) {
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, far_top, 0, far_bottom);
    cairo_pattern_add_color_stop_rgb(sky, 0, 0.33, 0.36, 0.58);
    cairo_pattern_add_color_stop_rgb(sky, 0.6, 0.86, 0.62, 0.55);
    cairo_pattern_add_color_stop_rgb(sky, 1, 0.98, 0.80, 0.56);
    cairo_rectangle(cr, far_left, 0, far_right - far_left, far_bottom);
    cairo_set_source(cr, sky);
    cairo_fill(cr);
    cairo_pattern_destroy(sky);
    // Roofs of the street beyond.
    set_color(cr, {0.36, 0.30, 0.40});
    cairo_move_to(cr, far_left, 200);
    const double roof[][2] = {{120, 200}, {120, 176}, {138, 176}, {138, 190}, {150, 190}, {150, 168},
                              {170, 168}, {170, 186}, {186, 186}, {186, 172}, {200, 172}, {200, 196},
                              {far_right, 196}};
    for (const auto& r : roof) cairo_line_to(cr, r[0], r[1]);
    cairo_line_to(cr, far_right, far_bottom);
    cairo_line_to(cr, far_left, far_bottom);
    cairo_close_path(cr);
    cairo_fill(cr);
    set_color(cr, {1.0, 0.86, 0.50});
    Dice dice(7);
    for (int i = 0; i < 9; ++i) {
        const double x = far_left + 6 + dice.next() * (far_right - far_left - 14);
        const double y = 206 + dice.next() * 70;
        cairo_rectangle(cr, x, y, 4, 6);
        cairo_fill(cr);
    }
}

// One side wall in perspective: brick courses run towards the vanishing point.
void paint_wall(cairo_t* cr, bool left) {
    const double edge = left ? 0 : 320, far_x = left ? far_left : far_right;
    auto wall_path = [&] {
        cairo_move_to(cr, edge, 0);
        cairo_line_to(cr, far_x, 0);
        cairo_line_to(cr, far_x, far_bottom);
        cairo_line_to(cr, edge, 430);
        cairo_close_path(cr);
    };
    SavedState keep(cr);
    wall_path();
    cairo_clip(cr);
    cairo_pattern_t* shade = cairo_pattern_create_linear(edge, 0, far_x, 0);
    cairo_pattern_add_color_stop_rgb(shade, 0, 0.55, 0.30, 0.24);
    cairo_pattern_add_color_stop_rgb(shade, 1, 0.36, 0.22, 0.22);
    cairo_set_source(cr, shade);
    cairo_paint(cr);
    cairo_pattern_destroy(shade);

    // Courses: lines from the outer edge to the vanishing point.
    Dice dice(left ? 11u : 23u);
    const int courses = 34;
    for (int i = 0; i <= courses; ++i) {
        const double y0 = -60 + i * 15.0;
        // Bricks between this course line and the next, foreshortened towards the far end.
        for (int j = 0; j < 14; ++j) {
            const double t0 = 1 - std::pow(0.86, j), t1 = 1 - std::pow(0.86, j + 1);
            const double stagger = (i % 2) ? 0.5 : 0;
            const double a = t0 + (t1 - t0) * stagger, b = t1 + (t1 - t0) * stagger;
            auto at = [&](double t, double y) {
                return Point{edge + (vanish.x - edge) * t, y + (vanish.y - y) * t};
            };
            const Point p0 = at(a, y0), p1 = at(b, y0), p2 = at(b, y0 + 15), p3 = at(a, y0 + 15);
            const double tone = 0.88 + 0.24 * dice.next();
            set_color(cr, {0.62 * tone, 0.33 * tone, 0.25 * tone}, 0.55);
            cairo_move_to(cr, p0.x, p0.y);
            cairo_line_to(cr, p1.x, p1.y);
            cairo_line_to(cr, p2.x, p2.y);
            cairo_line_to(cr, p3.x, p3.y);
            cairo_close_path(cr);
            cairo_fill_preserve(cr);
            set_color(cr, {0.25, 0.17, 0.16}, 0.7);
            cairo_set_line_width(cr, 1.2);
            cairo_stroke(cr);
        }
    }
    // Darken towards the far end so the cat stands out.
    cairo_pattern_t* dusk = cairo_pattern_create_linear(edge, 0, far_x, 0);
    cairo_pattern_add_color_stop_rgba(dusk, 0, 0, 0, 0, 0.0);
    cairo_pattern_add_color_stop_rgba(dusk, 1, 0.05, 0.02, 0.08, 0.45);
    cairo_set_source(cr, dusk);
    cairo_paint(cr);
    cairo_pattern_destroy(dusk);
}

void paint_ground(cairo_t* cr) {
    SavedState keep(cr);
    cairo_move_to(cr, 0, 430);
    cairo_line_to(cr, far_left, far_bottom);
    cairo_line_to(cr, far_right, far_bottom);
    cairo_line_to(cr, 320, 430);
    cairo_line_to(cr, 320, 480);
    cairo_line_to(cr, 0, 480);
    cairo_close_path(cr);
    cairo_clip(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, far_bottom, 0, 480);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.42, 0.38, 0.42);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.56, 0.52, 0.52);
    cairo_set_source(cr, g);
    cairo_paint(cr);
    cairo_pattern_destroy(g);
    // Cobbles: rows that get taller towards the viewer.
    Dice dice(5);
    double y = far_bottom;
    double h = 4;
    int row = 0;
    while (y < 480) {
        const double width = 10 + (y - far_bottom) * 0.25;
        double x = -width * (row % 2 ? 0.5 : 0.0) - 20;
        while (x < 340) {
            const double tone = 0.9 + 0.2 * dice.next();
            set_color(cr, {0.50 * tone, 0.47 * tone, 0.50 * tone});
            ellipse_path(cr, x + width / 2, y + h / 2, width / 2 - 1, h / 2 - 0.6);
            cairo_fill(cr);
            x += width;
        }
        y += h;
        h *= 1.18;
        ++row;
    }
    // A puddle catching the sky.
    set_color(cr, {0.72, 0.70, 0.86}, 0.6);
    ellipse_path(cr, 262, 462, 40, 9);
    cairo_fill(cr);
}

void paint_props(cairo_t* cr) {
    // Dustbin on the left.
    set_color(cr, {0.45, 0.50, 0.52});
    cairo_move_to(cr, 12, 372);
    cairo_line_to(cr, 62, 372);
    cairo_line_to(cr, 58, 446);
    cairo_line_to(cr, 16, 446);
    cairo_close_path(cr);
    fill_and_outline(cr, {0.45, 0.50, 0.52}, 2.5);
    set_color(cr, palette::outline, 0.5);
    cairo_set_line_width(cr, 1.5);
    for (double x : {24.0, 37.0, 50.0}) {
        cairo_move_to(cr, x, 380);
        cairo_line_to(cr, x - (x - 37) * 0.1, 440);
        cairo_stroke(cr);
    }
    ellipse_path(cr, 37, 370, 30, 7);
    fill_and_outline(cr, {0.55, 0.60, 0.62}, 2.5);
    // Crates on the right.
    for (const auto& c : {std::array<double, 3>{258, 398, 52}, std::array<double, 3>{270, 352, 44}}) {
        cairo_rectangle(cr, c[0], c[1], c[2], c[2]);
        fill_and_outline(cr, {0.66, 0.48, 0.28}, 2.5);
        set_color(cr, palette::outline, 0.6);
        cairo_set_line_width(cr, 1.5);
        cairo_move_to(cr, c[0] + 4, c[1] + 4);
        cairo_line_to(cr, c[0] + c[2] - 4, c[1] + c[2] - 4);
        cairo_move_to(cr, c[0] + c[2] - 4, c[1] + 4);
        cairo_line_to(cr, c[0] + 4, c[1] + c[2] - 4);
        cairo_stroke(cr);
    }
    // Wall lamp with a warm glow.
    cairo_pattern_t* glow = cairo_pattern_create_radial(278, 120, 2, 278, 120, 90);
    cairo_pattern_add_color_stop_rgba(glow, 0, 1.0, 0.9, 0.6, 0.55);
    cairo_pattern_add_color_stop_rgba(glow, 1, 1.0, 0.9, 0.6, 0.0);
    cairo_set_source(cr, glow);
    cairo_arc(cr, 278, 120, 90, 0, 6.2832);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
    set_color(cr, palette::outline);
    cairo_set_line_width(cr, 3);
    cairo_move_to(cr, 300, 96);
    cairo_line_to(cr, 280, 96);
    cairo_stroke(cr);
    cairo_move_to(cr, 268, 100);
    cairo_line_to(cr, 288, 100);
    cairo_line_to(cr, 284, 120);
    cairo_line_to(cr, 272, 120);
    cairo_close_path(cr);
    fill_and_outline(cr, {1.0, 0.92, 0.62}, 2);
    // Drainpipe on the left wall.
    cairo_rectangle(cr, 30, 0, 10, 372);
    fill_and_outline(cr, {0.42, 0.44, 0.40}, 2);
    // Washing line across the top.
    set_color(cr, {0.2, 0.15, 0.15});
    cairo_set_line_width(cr, 1.2);
    cairo_move_to(cr, 0, 34);
    cairo_curve_to(cr, 100, 60, 220, 60, 320, 30);
    cairo_stroke(cr);
    const Color clothes[] = {{0.86, 0.36, 0.36}, {0.36, 0.58, 0.82}, {0.95, 0.86, 0.45}};
    const double cx[] = {70, 150, 232};
    for (int i = 0; i < 3; ++i) {
        const double top = 34 + 26 * std::sin(3.14159 * cx[i] / 320) - 2;
        cairo_rectangle(cr, cx[i] - 11, top, 22, 26);
        fill_and_outline(cr, clothes[i], 1.5);
    }
}

}  // namespace

void paint_alley(cairo_t* cr) {
    SavedState keep(cr);
    paint_far_street(cr);
    paint_wall(cr, true);
    paint_wall(cr, false);
    paint_ground(cr);
    paint_props(cr);
}

}  // namespace pawlet::art
