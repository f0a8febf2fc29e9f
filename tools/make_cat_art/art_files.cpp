#include "art_files.h"

#include <algorithm>
#include <iostream>
#include <vector>

#include "alley.h"
#include "cairo_handles.h"
#include "cat_painter.h"
#include "file_output.h"
#include "ico_file.h"
#include "jpeg_file.h"

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
    if (!write_bytes(dir / "background.jpg", *jpeg)) return false;
    cairo_surface_write_to_png(picture.get(), (dir / "background.png").c_str());

    std::vector<Surface> icons;
    std::vector<cairo_surface_t*> raw;
    for (int size : icon_sizes) {
        icons.push_back(draw_icon(size));
        raw.push_back(icons.back().get());
    }
    if (!write_bytes(dir / "pawlet.ico", encode_icon_group(raw))) return false;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        cairo_surface_write_to_png(raw[i], (dir / ("icon-" + std::to_string(icon_sizes[i]) + ".png")).c_str());
    }
    if (!write_mask(dir / "cat-mask.png")) {
        std::cerr << "make_cat_art: cannot write the cat mask\n";
        return false;
    }
    return true;
}

}  // namespace pawlet::art
