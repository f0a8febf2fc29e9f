#include "contact_sheet.h"

#include <algorithm>
#include <cmath>

#include "alley.h"
#include "cairo_handles.h"

namespace pawlet::art {

bool write_contact_sheet(const std::filesystem::path& png, const std::vector<SheetRow>& rows, int columns,
                         double scale) {
    const int cell_w = static_cast<int>(std::lround(picture_width * scale)) + 8;
    const int cell_h = static_cast<int>(std::lround(picture_height * scale)) + 20;
    constexpr int title_h = 22, margin = 8;
    int height = margin;
    for (const auto& row : rows) {
        const int lines = std::max(1, static_cast<int>((row.pictures.size() + static_cast<std::size_t>(columns) - 1) /
                                                        static_cast<std::size_t>(columns)));
        height += title_h + lines * cell_h;
    }
    const int width = margin * 2 + columns * cell_w;
    Surface sheet(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
    Context cr = make_context(sheet.get());
    cairo_set_source_rgb(cr.get(), 0.93, 0.92, 0.90);
    cairo_paint(cr.get());
    cairo_select_font_face(cr.get(), "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);

    int y = margin;
    for (const auto& row : rows) {
        cairo_set_source_rgb(cr.get(), 0.15, 0.1, 0.08);
        cairo_set_font_size(cr.get(), 15);
        cairo_move_to(cr.get(), margin, y + 16);
        cairo_show_text(cr.get(), row.title.c_str());
        y += title_h;
        cairo_set_font_size(cr.get(), 10);
        for (std::size_t i = 0; i < row.pictures.size(); ++i) {
            const int col = static_cast<int>(i % static_cast<std::size_t>(columns));
            const int line = static_cast<int>(i / static_cast<std::size_t>(columns));
            const double x0 = margin + col * cell_w, y0 = y + line * cell_h;
            {
                SavedState keep(cr.get());
                cairo_translate(cr.get(), x0, y0);
                cairo_scale(cr.get(), scale, scale);
                cairo_set_source_surface(cr.get(), row.pictures[i], 0, 0);
                cairo_pattern_set_filter(cairo_get_source(cr.get()), CAIRO_FILTER_GOOD);
                cairo_paint(cr.get());
            }
            cairo_set_source_rgb(cr.get(), 0.25, 0.2, 0.18);
            cairo_move_to(cr.get(), x0, y0 + cell_h - 8);
            if (i < row.captions.size()) cairo_show_text(cr.get(), row.captions[i].c_str());
        }
        const int lines = std::max(1, static_cast<int>((row.pictures.size() + static_cast<std::size_t>(columns) - 1) /
                                                        static_cast<std::size_t>(columns)));
        y += lines * cell_h;
    }
    std::error_code ec;
    std::filesystem::create_directories(png.parent_path(), ec);
    return cairo_surface_write_to_png(sheet.get(), png.c_str()) == CAIRO_STATUS_SUCCESS;
}

}  // namespace pawlet::art
