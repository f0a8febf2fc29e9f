#pragma once
// Builds small JPEG fixtures in memory for the unit tests.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include <jpeglib.h>

namespace pawlet::testing {

struct Rgb {
    std::uint8_t r, g, b;
};

struct JpegOptions {
    bool progressive = false;
    bool grey = false;
    int quality = 95;
};

// Encodes a width x height picture whose pixel (x, y) is colour(x, y).
inline std::vector<std::uint8_t> encode_jpeg(int width, int height,
                                             const std::function<Rgb(int, int)>& colour,
                                             JpegOptions options = {}) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr error{};
    cinfo.err = jpeg_std_error(&error);  // fixtures are well-formed: the default handler will do
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = options.grey ? 1 : 3;
    cinfo.in_color_space = options.grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, options.quality, TRUE);
    if (options.progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Rgb c = colour(x, y);
            if (options.grey) {
                row[x] = c.g;
            } else {
                row[x * 3] = c.r;
                row[x * 3 + 1] = c.g;
                row[x * 3 + 2] = c.b;
            }
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<std::uint8_t> bytes(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return bytes;
}

inline std::vector<std::uint8_t> solid_jpeg(int width, int height, Rgb colour) {
    return encode_jpeg(width, height, [colour](int, int) { return colour; });
}

// Offset of the first marker 0xFF `code` after the start-of-image marker, or 0 when absent.
inline std::size_t find_marker(const std::vector<std::uint8_t>& jpeg, std::uint8_t code) {
    for (std::size_t i = 2; i + 1 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == code) return i;
    return 0;
}

}  // namespace pawlet::testing
