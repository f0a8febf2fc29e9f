#include "patterns.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

#include "cairo_handles.h"

namespace pawlet::skins {
namespace {
using art::Context;
using art::make_context;
using art::make_surface;

constexpr double pi = 3.14159265358979323846;

void set_colour(cairo_t* cr, SkinColour c, double alpha) {
    cairo_set_source_rgba(cr, (c >> 16 & 0xFF) / 255.0, (c >> 8 & 0xFF) / 255.0, (c & 0xFF) / 255.0, alpha);
}

void paw(cairo_t* cr, double x, double y, double size, double turn) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, turn);
    cairo_scale(cr, size / 10, size / 10);
    cairo_save(cr);
    cairo_scale(cr, 1.0, 0.85);
    cairo_arc(cr, 0, 2.4, 3.0, 0, 2 * pi);
    cairo_restore(cr);
    cairo_fill(cr);
    const double toes[4][2] = {{-3.6, -1.6}, {-1.3, -4.0}, {1.3, -4.0}, {3.6, -1.6}};
    for (const auto& t : toes) {
        cairo_arc(cr, t[0], t[1], 1.25, 0, 2 * pi);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

void heart(cairo_t* cr, double x, double y, double s) {
    cairo_move_to(cr, x, y + s * 0.35);
    cairo_curve_to(cr, x - s * 0.1, y - s * 0.05, x - s * 0.55, y, x - s * 0.5, y - s * 0.3);
    cairo_curve_to(cr, x - s * 0.45, y - s * 0.6, x - s * 0.05, y - s * 0.6, x, y - s * 0.3);
    cairo_curve_to(cr, x + s * 0.05, y - s * 0.6, x + s * 0.45, y - s * 0.6, x + s * 0.5, y - s * 0.3);
    cairo_curve_to(cr, x + s * 0.55, y, x + s * 0.1, y - s * 0.05, x, y + s * 0.35);
    cairo_fill(cr);
}

void star(cairo_t* cr, double x, double y, double r) {
    for (int i = 0; i < 10; ++i) {
        const double a = -pi / 2 + i * pi / 5, d = i % 2 ? r * 0.45 : r;
        (i ? cairo_line_to : cairo_move_to)(cr, x + d * std::cos(a), y + d * std::sin(a));
    }
    cairo_close_path(cr);
    cairo_fill(cr);
}

void fish(cairo_t* cr, double x, double y, double s) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, s / 10, s / 10);
    cairo_move_to(cr, -5, 0);
    cairo_curve_to(cr, -2, -3.5, 2, -3.5, 4, 0);
    cairo_curve_to(cr, 2, 3.5, -2, 3.5, -5, 0);
    cairo_fill(cr);
    cairo_move_to(cr, 3.2, 0);
    cairo_line_to(cr, 6.5, -2.6);
    cairo_line_to(cr, 6.5, 2.6);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_restore(cr);
}

// Each tile pattern draws into w x h so that it repeats without a seam.
using Drawer = std::function<void(cairo_t*, int, int, const PictureSource&)>;

const std::map<std::string, Drawer>& drawers() {
    static const std::map<std::string, Drawer> table = {
        {"paws", [](cairo_t* cr, int w, int h, const PictureSource&) {
             paw(cr, w * 0.27, h * 0.3, w * 0.28, -0.3);
             paw(cr, w * 0.75, h * 0.78, w * 0.28, 0.35);
         }},
        {"dots", [](cairo_t* cr, int w, int h, const PictureSource&) {
             const double r = w * 0.13;
             for (const auto& p : {std::pair{0.25, 0.25}, std::pair{0.75, 0.75}}) {
                 cairo_arc(cr, w * p.first, h * p.second, r, 0, 2 * pi);
                 cairo_fill(cr);
             }
         }},
        {"stripes", [](cairo_t* cr, int w, int h, const PictureSource&) {
             cairo_set_line_width(cr, w * 0.22);
             for (int k = -1; k <= 1; ++k) {
                 cairo_move_to(cr, k * w - 2, h + 2);
                 cairo_line_to(cr, k * w + w + 2, -2.0);
             }
             cairo_stroke(cr);
         }},
        {"hearts", [](cairo_t* cr, int w, int h, const PictureSource&) {
             heart(cr, w * 0.28, h * 0.3, w * 0.34);
             heart(cr, w * 0.76, h * 0.78, w * 0.26);
         }},
        {"stars", [](cairo_t* cr, int w, int h, const PictureSource&) {
             star(cr, w * 0.3, h * 0.3, w * 0.16);
             star(cr, w * 0.78, h * 0.72, w * 0.1);
             cairo_arc(cr, w * 0.8, h * 0.18, w * 0.03, 0, 2 * pi);
             cairo_fill(cr);
         }},
        {"fish", [](cairo_t* cr, int w, int h, const PictureSource&) {
             fish(cr, w * 0.3, h * 0.28, w * 0.36);
             fish(cr, w * 0.72, h * 0.76, w * 0.3);
         }},
        {"checks", [](cairo_t* cr, int w, int h, const PictureSource&) {
             cairo_rectangle(cr, 0, 0, w / 2.0, h / 2.0);
             cairo_rectangle(cr, w / 2.0, h / 2.0, w / 2.0, h / 2.0);
             cairo_fill(cr);
         }},
        {"waves", [](cairo_t* cr, int w, int h, const PictureSource&) {
             cairo_set_line_width(cr, h * 0.09);
             for (double base : {h * 0.3, h * 0.8}) {
                 for (int x = 0; x <= w; ++x) {
                     const double y = base + std::sin(x * 2 * pi / w) * h * 0.1;
                     (x ? cairo_line_to : cairo_move_to)(cr, x, y);
                 }
                 cairo_stroke(cr);
             }
         }},
        {"bubbles", [](cairo_t* cr, int w, int h, const PictureSource&) {
             cairo_set_line_width(cr, w * 0.04);
             cairo_arc(cr, w * 0.3, h * 0.35, w * 0.18, 0, 2 * pi);
             cairo_stroke(cr);
             cairo_arc(cr, w * 0.75, h * 0.78, w * 0.1, 0, 2 * pi);
             cairo_stroke(cr);
         }},
        {"bevel", [](cairo_t* cr, int w, int h, const PictureSource& s) {
             cairo_pattern_t* body = cairo_pattern_create_linear(0, 0, 0, h);
             const auto stop = [&](double at, SkinColour c) {
                 cairo_pattern_add_color_stop_rgba(body, at, (c >> 16 & 0xFF) / 255.0, (c >> 8 & 0xFF) / 255.0,
                                                   (c & 0xFF) / 255.0, s.alpha / 255.0);
             };
             stop(0, s.colour);
             stop(1, s.second);
             cairo_set_source(cr, body);
             cairo_paint(cr);
             cairo_pattern_destroy(body);
             cairo_set_line_width(cr, 1.5);
             cairo_set_source_rgba(cr, 1, 1, 1, 0.55);
             cairo_move_to(cr, 1.5, h - 3.0);
             cairo_line_to(cr, 1.5, 1.5);
             cairo_line_to(cr, w - 3.0, 1.5);
             cairo_stroke(cr);
             cairo_set_source_rgba(cr, 0, 0, 0, 0.18);
             cairo_move_to(cr, w - 1.5, 3.0);
             cairo_line_to(cr, w - 1.5, h - 1.5);
             cairo_line_to(cr, 3.0, h - 1.5);
             cairo_stroke(cr);
         }},
    };
    return table;
}

}  // namespace

std::vector<std::uint8_t> draw_pattern(const PictureSource& source) {
    const auto found = drawers().find(source.pattern);
    if (found == drawers().end() || source.width <= 0 || source.height <= 0) return {};
    art::Surface surface = make_surface(source.width, source.height);
    {
        Context cr = make_context(surface.get());
        set_colour(cr.get(), source.colour, source.alpha / 255.0);
        found->second(cr.get(), source.width, source.height, source);
    }
    cairo_surface_flush(surface.get());
    const unsigned char* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    std::vector<std::uint8_t> out;
    out.reserve(static_cast<std::size_t>(source.width * source.height * 4));
    for (int y = 0; y < source.height; ++y) {
        for (int x = 0; x < source.width; ++x) {
            const unsigned char* p = data + y * stride + x * 4;  // premultiplied B, G, R, A
            const int a = p[3];
            for (int c = 0; c < 3; ++c)
                out.push_back(static_cast<std::uint8_t>(a ? std::min(255, (p[c] * 255 + a / 2) / a) : 0));
            out.push_back(static_cast<std::uint8_t>(a));
        }
    }
    return out;
}

}  // namespace pawlet::skins
