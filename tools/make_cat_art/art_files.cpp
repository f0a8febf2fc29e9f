#include "art_files.h"

#include <algorithm>
#include <iostream>
#include <vector>

#include "alley.h"
#include "cairo_handles.h"
#include "cat_painter.h"
#include "cursor_art.h"
#include "input/touch_regions.h"
#include "ico_file.h"
#include "jpeg_file.h"
#include "write_file.h"

namespace pawlet::art {
namespace {

Surface draw_icon(int size) {
    Surface surface = make_surface(size, size);
    Context cr = make_context(surface.get());
    const Box box = resting_head_box();
    const double scale = size / std::max(box.x1 - box.x0, box.y1 - box.y0);
    const double pad_x = (size - (box.x1 - box.x0) * scale) / 2;
    const double pad_y = (size - (box.y1 - box.y0) * scale) / 2;
    cairo_translate(cr.get(), pad_x, pad_y);
    cairo_scale(cr.get(), scale, scale);
    cairo_translate(cr.get(), -box.x0, -box.y0);
    Ink ink;
    ink.details = size >= 48;
    ink.tiny = size <= 16;
    ink.outline = std::max(3.0, (size <= 16 ? 0.8 : size <= 32 ? 1.1 : 1.5) / scale);
    paint_cat_head(cr.get(), Pose{}, ink);
    return surface;
}

bool write_mask(const std::filesystem::path& path) {
    Surface cat = make_surface(picture_width, picture_height);
    paint_cat(make_context(cat.get()).get(), Pose{});
    cairo_surface_flush(cat.get());
    Surface mask(cairo_image_surface_create(CAIRO_FORMAT_RGB24, picture_width, picture_height));
    const int src_stride = cairo_image_surface_get_stride(cat.get());
    const int dst_stride = cairo_image_surface_get_stride(mask.get());
    const unsigned char* src = cairo_image_surface_get_data(cat.get());
    unsigned char* dst = cairo_image_surface_get_data(mask.get());
    for (int y = 0; y < picture_height; ++y) {
        const auto* s = reinterpret_cast<const std::uint32_t*>(src + static_cast<std::ptrdiff_t>(y) * src_stride);
        auto* d = reinterpret_cast<std::uint32_t*>(dst + static_cast<std::ptrdiff_t>(y) * dst_stride);
        for (int x = 0; x < picture_width; ++x) d[x] = (s[x] >> 24) >= 128 ? 0xFFFFFFu : 0;
    }
    cairo_surface_mark_dirty(mask.get());
    return cairo_surface_write_to_png(mask.get(), path.c_str()) == CAIRO_STATUS_SUCCESS;
}

// The background with the touch regions drawn over it, numbered, and the part the window cuts off
// shaded: for checking by eye that each region lies on its part of the cat.
bool write_region_map(cairo_surface_t* picture, const std::filesystem::path& path) {
    Surface map = make_surface(picture_width, picture_height);
    Context cr = make_context(map.get());
    cairo_set_source_surface(cr.get(), picture, 0, 0);
    cairo_paint(cr.get());
    cairo_set_source_rgba(cr.get(), 0, 0, 0, 0.5);
    cairo_rectangle(cr.get(), 316, 0, 4, 480);
    cairo_rectangle(cr.get(), 0, 478, 316, 2);
    cairo_fill(cr.get());
    cairo_select_font_face(cr.get(), "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr.get(), 10);
    for (const auto& r : touch_regions) {
        // Pixels inside run from low + 1 to high - 1.
        cairo_rectangle(cr.get(), r.x_low + 1, r.y_low + 1, r.x_high - r.x_low - 1, r.y_high - r.y_low - 1);
        cairo_set_source_rgba(cr.get(), 0.1, 0.4, 1.0, 0.25);
        cairo_fill_preserve(cr.get());
        cairo_set_source_rgb(cr.get(), 0.1, 0.2, 0.9);
        cairo_set_line_width(cr.get(), 1);
        cairo_stroke(cr.get());
        cairo_move_to(cr.get(), r.x_low + 3, r.y_low + 12);
        cairo_set_source_rgb(cr.get(), 1, 1, 1);
        cairo_show_text(cr.get(), std::to_string(r.number).c_str());
    }
    return cairo_surface_write_to_png(map.get(), path.c_str()) == CAIRO_STATUS_SUCCESS;
}

}  // namespace

bool write_program_art(const std::filesystem::path& dir) {
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);

    Surface picture = make_surface(picture_width, picture_height);
    {
        Context cr = make_context(picture.get());
        paint_alley(cr.get());
        paint_cat(cr.get(), Pose{});
    }
    const auto jpeg = encode_jpeg_of_size(picture.get(), background_jpeg_size);
    if (!jpeg) {
        std::cerr << "make_cat_art: the background does not fit in " << background_jpeg_size
                  << " bytes even at the lowest quality\n";
        return false;
    }
    if (!tool_files::write_file(dir / "background.jpg", *jpeg)) {
        std::cerr << "make_cat_art: cannot write " << dir / "background.jpg" << "\n";
        return false;
    }
    cairo_surface_write_to_png(picture.get(), (dir / "background.png").c_str());
    write_region_map(picture.get(), dir / "touch-regions.png");

    std::vector<Surface> icons;
    std::vector<cairo_surface_t*> raw;
    for (int size : icon_sizes) {
        icons.push_back(draw_icon(size));
        raw.push_back(icons.back().get());
    }
    if (!tool_files::write_file(dir / "pawlet.ico", encode_icon_group(raw))) {
        std::cerr << "make_cat_art: cannot write " << dir / "pawlet.ico" << "\n";
        return false;
    }
    for (std::size_t i = 0; i < raw.size(); ++i) {
        cairo_surface_write_to_png(raw[i], (dir / ("icon-" + std::to_string(icon_sizes[i]) + ".png")).c_str());
    }
    if (!write_mask(dir / "cat-mask.png")) {
        std::cerr << "make_cat_art: cannot write the cat mask\n";
        return false;
    }
    return write_cursor_art(dir);
}

}  // namespace pawlet::art
