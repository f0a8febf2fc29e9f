#include "sheets.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "cairo_handles.h"
#include "input/touch_regions.h"
#include "pet/action_catalogue.h"

namespace pawlet::preview {
namespace {

using art::Context;
using art::Surface;

// Our pixels are 0xAARRGGBB words, cairo's own layout; RGB24 ignores the alpha byte.
Surface surface_of(const Picture& picture) {
    return Surface(cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(const_cast<std::uint32_t*>(picture.pixels.data())), CAIRO_FORMAT_RGB24,
        picture.width, picture.height, picture.width * 4));
}

void draw_picture(cairo_t* cr, const Picture& picture, double x, double y, double scale) {
    const Surface source = surface_of(picture);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, scale, scale);
    cairo_set_source_surface(cr, source.get(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_restore(cr);
}

void text(cairo_t* cr, double x, double y, double size, bool bold, const std::string& line) {
    cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, line.c_str());
}

bool save_png(cairo_surface_t* surface, const std::filesystem::path& png) {
    std::error_code ec;
    if (png.has_parent_path()) std::filesystem::create_directories(png.parent_path(), ec);
    return cairo_surface_write_to_png(surface, png.c_str()) == CAIRO_STATUS_SUCCESS;
}

}  // namespace

bool write_sheet(const std::filesystem::path& png, const std::vector<SheetRow>& rows, int columns, double scale) {
    int cell_w = 0, cell_h = 0;
    for (const SheetRow& row : rows)
        for (const SheetCell& cell : row.cells) {
            cell_w = std::max(cell_w, static_cast<int>(std::lround(cell.picture.width * scale)) + 6);
            cell_h = std::max(cell_h, static_cast<int>(std::lround(cell.picture.height * scale)) + 16);
        }
    constexpr int margin = 8, title_h = 22;
    auto lines_of = [columns](const SheetRow& row) {
        return std::max<int>(1, static_cast<int>((row.cells.size() + columns - 1) / static_cast<std::size_t>(columns)));
    };
    int height = margin;
    for (const SheetRow& row : rows) height += title_h + lines_of(row) * cell_h;
    const Surface sheet(cairo_image_surface_create(CAIRO_FORMAT_RGB24, 2 * margin + columns * cell_w, height));
    const Context cr(cairo_create(sheet.get()));
    cairo_set_source_rgb(cr.get(), 0.95, 0.94, 0.92);
    cairo_paint(cr.get());

    int y = margin;
    for (const SheetRow& row : rows) {
        cairo_set_source_rgb(cr.get(), 0.1, 0.1, 0.1);
        text(cr.get(), margin, y + 15, 13, true, row.title);
        y += title_h;
        for (std::size_t i = 0; i < row.cells.size(); ++i) {
            const SheetCell& cell = row.cells[i];
            const double x0 = margin + static_cast<double>(i % static_cast<std::size_t>(columns)) * cell_w;
            const double y0 = y + static_cast<double>(i / static_cast<std::size_t>(columns)) * cell_h;
            draw_picture(cr.get(), cell.picture, x0, y0, scale);
            if (cell.flagged) cairo_set_source_rgb(cr.get(), 0.8, 0.05, 0.05);
            else cairo_set_source_rgb(cr.get(), 0.3, 0.3, 0.3);
            text(cr.get(), x0, y0 + cell_h - 4, 10, cell.flagged, cell.caption);
        }
        y += lines_of(row) * cell_h;
    }
    return save_png(sheet.get(), png);
}

bool write_region_map(const std::filesystem::path& png, const Picture& picture) {
    constexpr int key_w = 190;
    const Surface sheet(cairo_image_surface_create(CAIRO_FORMAT_RGB24, picture.width + key_w, picture.height));
    const Context cr(cairo_create(sheet.get()));
    cairo_set_source_rgb(cr.get(), 1, 1, 1);
    cairo_paint(cr.get());
    draw_picture(cr.get(), picture, 0, 0, 1);

    for (const TouchRegion& region : touch_regions) {
        // The pixels a press reaches: x_low + 1 .. x_high - 1, and so on.
        const double x = region.x_low + 1, y = region.y_low + 1;
        const double w = region.x_high - region.x_low - 1, h = region.y_high - region.y_low - 1;
        cairo_rectangle(cr.get(), x, y, w, h);
        cairo_set_source_rgba(cr.get(), 1, 0.85, 0, 0.3);
        cairo_fill_preserve(cr.get());
        cairo_set_source_rgb(cr.get(), 0.75, 0.1, 0.0);
        cairo_set_line_width(cr.get(), 1);
        cairo_stroke(cr.get());
        cairo_set_source_rgb(cr.get(), 0.05, 0.05, 0.3);
        text(cr.get(), x + 2, y + 11, 10, true, std::to_string(region.number));
    }
    cairo_set_source_rgb(cr.get(), 0.1, 0.1, 0.1);
    const double key_x = picture.width + 10;
    text(cr.get(), key_x, 20, 12, true, "region: action");
    for (const TouchRegion& region : touch_regions) {
        std::string line = std::to_string(region.number) + ": " + find_action(region.action)->name;
        if (region.alternative_action) line += std::string(" or ") + find_action(region.alternative_action)->name;
        text(cr.get(), key_x, 40 + 16 * region.number, 11, false, line);
    }
    return save_png(sheet.get(), png);
}

Picture scaled_picture(const Picture& picture, double scale) {
    Picture out;
    out.width = std::max(1, static_cast<int>(std::lround(picture.width * scale)));
    out.height = std::max(1, static_cast<int>(std::lround(picture.height * scale)));
    out.pixels.resize(static_cast<std::size_t>(out.width) * out.height);
    const Surface target(cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(out.pixels.data()),
                                                             CAIRO_FORMAT_RGB24, out.width, out.height, out.width * 4));
    const Context cr(cairo_create(target.get()));
    cairo_set_source_rgb(cr.get(), 0, 0, 0);
    cairo_paint(cr.get());
    draw_picture(cr.get(), picture, 0, 0, static_cast<double>(out.width) / picture.width);
    cairo_surface_flush(target.get());
    for (std::uint32_t& pixel : out.pixels) pixel |= 0xFF000000u;  // RGB24 leaves the top byte unset
    return out;
}

}  // namespace pawlet::preview
