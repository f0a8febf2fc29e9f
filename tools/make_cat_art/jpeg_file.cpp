#include "jpeg_file.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "media_writers.h"

namespace pawlet::art {

Bytes encode_jpeg(cairo_surface_t* surface, int quality) {
    cairo_surface_flush(surface);
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    std::vector<std::uint8_t> rgb;
    rgb.reserve(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        const auto* px = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t v = px[x];  // premultiplied ARGB; the pictures are opaque
            rgb.insert(rgb.end(), {static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
                                   static_cast<std::uint8_t>(v)});
        }
    }
    // Optimised Huffman tables keep the file baseline (SOF0), just smaller.
    return media::encode_jpeg(rgb, width, height, {.quality = quality, .optimize_coding = true});
}

Bytes insert_comment(const Bytes& jpeg, std::size_t segment_size) {
    // SOI (2 bytes), then APP0 "JFIF" with its big-endian length.
    if (jpeg.size() < 6 || jpeg[2] != 0xFF || jpeg[3] != 0xE0) throw std::runtime_error("no JFIF APP0 segment");
    if (segment_size < 4 || segment_size > 65537) throw std::runtime_error("bad comment size");
    const std::size_t app0_end = 4 + (static_cast<std::size_t>(jpeg[4]) << 8 | jpeg[5]);
    const std::size_t length = segment_size - 2;
    Bytes out(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(app0_end));
    out.insert(out.end(), {0xFF, 0xFE, static_cast<std::uint8_t>(length >> 8), static_cast<std::uint8_t>(length & 0xFF)});
    const std::string text = "Pawlet: the alley cat, drawn by make_cat_art. ";
    for (std::size_t i = 0; i < length - 2; ++i) out.push_back(static_cast<std::uint8_t>(text[i % text.size()]));
    out.insert(out.end(), jpeg.begin() + static_cast<std::ptrdiff_t>(app0_end), jpeg.end());
    return out;
}

std::optional<Bytes> encode_jpeg_of_size(cairo_surface_t* surface, std::size_t size) {
    for (int quality = 95; quality >= 20; --quality) {
        const Bytes jpeg = encode_jpeg(surface, quality);
        if (jpeg.size() == size) return jpeg;
        // One comment segment holds 4 to 65537 bytes.
        const std::size_t pad = size > jpeg.size() ? size - jpeg.size() : 0;
        if (pad >= 4 && pad <= 65537) return insert_comment(jpeg, pad);
    }
    return std::nullopt;
}

}  // namespace pawlet::art
