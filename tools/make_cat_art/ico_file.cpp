#include "ico_file.h"

#include "little_endian.h"

namespace pawlet::art {
namespace {

using little_endian::append16;
using little_endian::append32;

// BITMAPINFOHEADER with the doubled height of icons, the colour rows and the mask rows,
// both bottom-up.
std::vector<std::uint8_t> icon_image(cairo_surface_t* surface) {
    cairo_surface_flush(surface);
    const int size = cairo_image_surface_get_width(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const auto mask_stride = static_cast<std::uint32_t>(((size + 31) / 32) * 4);
    const auto n = static_cast<std::uint32_t>(size);

    std::vector<std::uint8_t> out;
    append32(out, 40);
    append32(out, n);
    append32(out, 2 * n);
    append16(out, 1);
    append16(out, 32);
    append32(out, 0);  // BI_RGB
    append32(out, n * n * 4 + mask_stride * n);
    for (int i = 0; i < 4; ++i) append32(out, 0);

    std::vector<std::uint8_t> mask;
    for (int y = size - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        std::vector<std::uint8_t> mask_row(mask_stride, 0);
        for (int x = 0; x < size; ++x) {
            const std::uint32_t v = row[x];
            const unsigned a = v >> 24;
            auto straight = [a](unsigned c) { return a == 0 ? 0u : (c * 255 + a / 2) / a; };
            out.push_back(static_cast<std::uint8_t>(straight(v & 0xFF)));
            out.push_back(static_cast<std::uint8_t>(straight((v >> 8) & 0xFF)));
            out.push_back(static_cast<std::uint8_t>(straight((v >> 16) & 0xFF)));
            out.push_back(static_cast<std::uint8_t>(a));
            if (a == 0) mask_row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
        mask.insert(mask.end(), mask_row.begin(), mask_row.end());
    }
    out.insert(out.end(), mask.begin(), mask.end());
    return out;
}

}  // namespace

std::vector<std::uint8_t> encode_icon_group(std::span<cairo_surface_t* const> images) {
    std::vector<std::vector<std::uint8_t>> bodies;
    for (cairo_surface_t* s : images) bodies.push_back(icon_image(s));

    std::vector<std::uint8_t> out;
    append16(out, 0);
    append16(out, 1);  // icon
    append16(out, static_cast<std::uint16_t>(images.size()));
    auto offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const int size = cairo_image_surface_get_width(images[i]);
        out.push_back(static_cast<std::uint8_t>(size >= 256 ? 0 : size));
        out.push_back(static_cast<std::uint8_t>(size >= 256 ? 0 : size));
        out.push_back(0);  // no palette
        out.push_back(0);
        append16(out, 1);   // planes
        append16(out, 32);  // bits per pixel
        append32(out, static_cast<std::uint32_t>(bodies[i].size()));
        append32(out, offset);
        offset += static_cast<std::uint32_t>(bodies[i].size());
    }
    for (const auto& b : bodies) out.insert(out.end(), b.begin(), b.end());
    return out;
}

}  // namespace pawlet::art
