#include "cursor_sheet.h"

#include <algorithm>

#include "cairo_handles.h"

namespace pawlet::art {
namespace {
constexpr int enlarged = 192, gap = 10, margin = 10, caption_h = 20;

void checkerboard(cairo_t* cr, double x0, double y0, double size, double square) {
    const int n = static_cast<int>(size / square);
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < n; ++i) {
            const double v = (i + j) % 2 ? 0.80 : 0.94;
            cairo_set_source_rgb(cr, v, v, v);
            cairo_rectangle(cr, x0 + i * square, y0 + j * square, square, square);
            cairo_fill(cr);
        }
    }
}

}  // namespace

bool write_cursor_sheet(const std::filesystem::path& png, const std::vector<SheetCursor>& cursors, int columns) {
    int real = 0;
    for (const SheetCursor& c : cursors) real = std::max(real, cairo_image_surface_get_width(c.picture));
    const int cell_w = enlarged + gap + real + 2 * gap, cell_h = std::max(enlarged, real) + caption_h + gap;
    const int rows = static_cast<int>((cursors.size() + static_cast<std::size_t>(columns) - 1) / static_cast<std::size_t>(columns));
    Surface sheet(cairo_image_surface_create(CAIRO_FORMAT_RGB24, 2 * margin + columns * cell_w, 2 * margin + rows * cell_h));
    Context cr = make_context(sheet.get());
    cairo_set_source_rgb(cr.get(), 0.93, 0.92, 0.90);
    cairo_paint(cr.get());
    cairo_select_font_face(cr.get(), "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr.get(), 12);

    for (std::size_t i = 0; i < cursors.size(); ++i) {
        const SheetCursor& c = cursors[i];
        const double x0 = margin + static_cast<double>(static_cast<int>(i) % columns * cell_w);
        const double y0 = margin + static_cast<double>(static_cast<int>(i) / columns * cell_h);
        const double scale = static_cast<double>(enlarged) / c.crop_size;
        checkerboard(cr.get(), x0, y0, enlarged, scale * 2);
        {
            SavedState keep(cr.get());
            cairo_rectangle(cr.get(), x0, y0, enlarged, enlarged);
            cairo_clip(cr.get());
            cairo_translate(cr.get(), x0, y0);
            cairo_scale(cr.get(), scale, scale);
            cairo_set_source_surface(cr.get(), c.picture, -c.crop_first, -c.crop_first);
            cairo_pattern_set_filter(cairo_get_source(cr.get()), CAIRO_FILTER_NEAREST);
            cairo_paint(cr.get());
        }
        // The hotspot pixel, framed.
        cairo_set_source_rgb(cr.get(), 0.0, 0.75, 1.0);
        cairo_set_line_width(cr.get(), 2);
        cairo_rectangle(cr.get(), x0 + (c.hotspot_x - c.crop_first) * scale, y0 + (c.hotspot_y - c.crop_first) * scale, scale,
                        scale);
        cairo_stroke(cr.get());

        const int w = cairo_image_surface_get_width(c.picture), h = cairo_image_surface_get_height(c.picture);
        const double rx = x0 + enlarged + gap, ry = y0 + (enlarged - real) / 2.0;
        cairo_set_source_rgb(cr.get(), 0.23, 0.43, 0.55);  // a desktop behind the real size
        cairo_rectangle(cr.get(), rx, ry, real, real);
        cairo_fill(cr.get());
        cairo_set_source_surface(cr.get(), c.picture, rx + (real - w) / 2.0, ry + (real - h) / 2.0);
        cairo_paint(cr.get());

        cairo_set_source_rgb(cr.get(), 0.2, 0.15, 0.12);
        cairo_move_to(cr.get(), x0, y0 + std::max(enlarged, real) + 15);
        cairo_show_text(cr.get(), c.caption.c_str());
    }
    std::error_code ec;
    std::filesystem::create_directories(png.parent_path(), ec);
    return cairo_surface_write_to_png(sheet.get(), png.c_str()) == CAIRO_STATUS_SUCCESS;
}

}  // namespace pawlet::art
