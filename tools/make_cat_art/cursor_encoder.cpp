#include "cursor_encoder.h"

#include "little_endian.h"

namespace pawlet::art {
namespace {

using little_endian::append16;
using little_endian::append32;

std::size_t mask_stride(int width) { return static_cast<std::size_t>(((width + 31) / 32) * 4); }

// The file header and the one directory entry; the image follows at offset 22.
void append_directory(std::vector<std::uint8_t>& out, int width, int height, int hotspot_x, int hotspot_y,
                      std::size_t image_size) {
    append16(out, 0);
    append16(out, 2);  // cursor
    append16(out, 1);
    out.push_back(static_cast<std::uint8_t>(width));
    out.push_back(static_cast<std::uint8_t>(height));
    out.push_back(0);  // colour count
    out.push_back(0);
    append16(out, static_cast<std::uint16_t>(hotspot_x));
    append16(out, static_cast<std::uint16_t>(hotspot_y));
    append32(out, static_cast<std::uint32_t>(image_size));
    append32(out, 22);
}

// BITMAPINFOHEADER with the doubled height of cursor images.
void append_info_header(std::vector<std::uint8_t>& out, int width, int height, int bits, std::size_t pixel_bytes) {
    append32(out, 40);
    append32(out, static_cast<std::uint32_t>(width));
    append32(out, static_cast<std::uint32_t>(2 * height));
    append16(out, 1);
    append16(out, static_cast<std::uint16_t>(bits));
    append32(out, 0);  // BI_RGB
    append32(out, static_cast<std::uint32_t>(pixel_bytes));
    for (int i = 0; i < 4; ++i) append32(out, 0);
}

void append_palette_entry(std::vector<std::uint8_t>& out, Rgb c) {
    out.push_back(c.b);
    out.push_back(c.g);
    out.push_back(c.r);
    out.push_back(0);
}

// The AND mask, bottom row first: a set bit leaves the screen as it is.
template <typename IsClear>
void append_mask(std::vector<std::uint8_t>& out, int width, int height, IsClear is_clear) {
    for (int y = height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(mask_stride(width), 0);
        for (int x = 0; x < width; ++x)
            if (is_clear(x, y)) row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
}

}  // namespace

std::vector<std::uint8_t> encode_palette_cursor(const IndexedPicture& picture, int hotspot_x, int hotspot_y) {
    const int w = picture.width, h = picture.height;
    const std::size_t row_bytes = static_cast<std::size_t>((w + 3) / 4 * 4);
    const std::size_t pixel_bytes = row_bytes * static_cast<std::size_t>(h) + mask_stride(w) * static_cast<std::size_t>(h);
    std::vector<std::uint8_t> out;
    append_directory(out, w, h, hotspot_x, hotspot_y, 40 + 256 * 4 + pixel_bytes);
    append_info_header(out, w, h, 8, pixel_bytes);
    // Index 0 is black: under a set mask bit the colour must be black for the screen to show through.
    append_palette_entry(out, Rgb{});
    for (int i = 1; i < 256; ++i) {
        const auto from = static_cast<std::size_t>(i - 1);
        append_palette_entry(out, from < picture.palette.size() ? picture.palette[from] : Rgb{});
    }
    for (int y = h - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(row_bytes, 0);
        for (int x = 0; x < w; ++x) {
            const std::size_t i = picture.at(x, y);
            if (!picture.transparent[i]) row[static_cast<std::size_t>(x)] = static_cast<std::uint8_t>(picture.indexes[i] + 1);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    append_mask(out, w, h, [&](int x, int y) { return picture.transparent[picture.at(x, y)]; });
    return out;
}

std::vector<std::uint8_t> encode_monochrome_cursor(int side, std::span<const MonoPixel> pixels, int hotspot_x,
                                                   int hotspot_y) {
    const std::size_t stride = mask_stride(side);
    const std::size_t pixel_bytes = 2 * stride * static_cast<std::size_t>(side);
    auto at = [&](int x, int y) { return pixels[static_cast<std::size_t>(y * side + x)]; };
    std::vector<std::uint8_t> out;
    append_directory(out, side, side, hotspot_x, hotspot_y, 40 + 2 * 4 + pixel_bytes);
    append_info_header(out, side, side, 1, pixel_bytes);
    append_palette_entry(out, Rgb{0, 0, 0});
    append_palette_entry(out, Rgb{255, 255, 255});
    // The XOR bits: with a clear mask bit, 0 draws black and 1 white.
    append_mask(out, side, side, [&](int x, int y) { return at(x, y) == MonoPixel::white; });
    append_mask(out, side, side, [&](int x, int y) { return at(x, y) == MonoPixel::clear; });
    return out;
}

std::vector<std::uint8_t> embedded_block(std::span<const std::uint8_t> bytes) {
    std::vector<std::uint8_t> out;
    append32(out, 1);
    append32(out, static_cast<std::uint32_t>(bytes.size()));
    out.insert(out.end(), bytes.begin(), bytes.end());
    return out;
}

}  // namespace pawlet::art
