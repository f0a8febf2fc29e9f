#include "hand_pointer.h"

#include "cairo_handles.h"
#include "shell/pointer_choice.h"

namespace pawlet::art {
namespace {

constexpr int side = hand_pointer_side;

void rounded_rect(cairo_t* cr, double x, double y, double w, double h, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -1.5707963, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, 1.5707963);
    cairo_arc(cr, x + r, y + h - r, r, 1.5707963, 3.1415927);
    cairo_arc(cr, x + r, y + r, r, 3.1415927, 4.712389);
    cairo_close_path(cr);
}

// Pixels whose centre a path covers, with no antialiasing: a 1-bit picture needs hard edges.
template <typename Paint>
std::vector<bool> pixels_of(Paint paint) {
    Surface surface(cairo_image_surface_create(CAIRO_FORMAT_A8, side, side));
    {
        Context cr = make_context(surface.get());
        cairo_set_antialias(cr.get(), CAIRO_ANTIALIAS_NONE);
        paint(cr.get());
    }
    cairo_surface_flush(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    const unsigned char* data = cairo_image_surface_get_data(surface.get());
    std::vector<bool> out(static_cast<std::size_t>(side * side));
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) out[static_cast<std::size_t>(y * side + x)] = data[y * stride + x] >= 128;
    return out;
}

}  // namespace

std::vector<MonoPixel> draw_hand_pointer() {
    const std::vector<bool> hand = pixels_of([](cairo_t* cr) {
        rounded_rect(cr, 4, 1, 5, 16, 2.5);       // the index finger, its tip on the hotspot
        rounded_rect(cr, 8.5, 10, 5, 9, 2.2);     // three fingers folded into the palm
        rounded_rect(cr, 12.5, 11, 5, 9, 2.2);
        rounded_rect(cr, 16.5, 12, 5, 9, 2.2);
        rounded_rect(cr, 4, 14, 17.5, 13, 3.5);   // palm
        rounded_rect(cr, 6, 24, 13, 7, 1);        // wrist
        cairo_fill(cr);
        cairo_move_to(cr, 5.5, 21.5);             // thumb, out to the left and up
        cairo_line_to(cr, 2.5, 16.0);
        cairo_set_line_width(cr, 4.2);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
    });
    const std::vector<bool> creases = pixels_of([](cairo_t* cr) {
        cairo_rectangle(cr, 9, 11, 1, 6);   // beside the index finger
        cairo_rectangle(cr, 13, 12, 1, 5);
        cairo_rectangle(cr, 17, 13, 1, 5);
        cairo_rectangle(cr, 6, 25, 13, 1);  // the cuff's seam
        cairo_fill(cr);
    });
    auto inside = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < side && y < side && hand[static_cast<std::size_t>(y * side + x)];
    };
    std::vector<MonoPixel> out(static_cast<std::size_t>(side * side), MonoPixel::clear);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            if (!inside(x, y)) continue;
            const bool edge = !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
            const bool crease = creases[static_cast<std::size_t>(y * side + x)];
            out[static_cast<std::size_t>(y * side + x)] = edge || crease ? MonoPixel::black : MonoPixel::white;
        }
    }
    return out;
}

}  // namespace pawlet::art
