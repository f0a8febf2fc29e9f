#include "jpeg_file.h"

#include <cstdio>
// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace pawlet::art {

Bytes encode_jpeg(cairo_surface_t* surface, int quality) {
    cairo_surface_flush(surface);
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);

    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long out_size = 0;
    jpeg_mem_dest(&cinfo, &out, &out_size);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    cinfo.optimize_coding = TRUE;  // still baseline (SOF0), just smaller Huffman tables
    cinfo.write_JFIF_header = TRUE;
    jpeg_start_compress(&cinfo, TRUE);

    std::vector<unsigned char> row(static_cast<std::size_t>(width) * 3);
    while (cinfo.next_scanline < cinfo.image_height) {
        const auto* px = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(cinfo.next_scanline) * stride);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t v = px[x];  // premultiplied ARGB; the pictures are opaque
            row[static_cast<std::size_t>(x) * 3 + 0] = static_cast<unsigned char>(v >> 16);
            row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<unsigned char>(v >> 8);
            row[static_cast<std::size_t>(x) * 3 + 2] = static_cast<unsigned char>(v);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    Bytes result(out, out + out_size);
    std::free(out);
    return result;
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
