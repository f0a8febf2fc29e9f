#include "jpeg_writer.h"

#include <cstdio>
// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>

#include <memory>
#include <stdexcept>

namespace pawlet::test_assets {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

void write_jpeg(const std::filesystem::path& path, const RgbImage& image, int quality) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) throw std::runtime_error("cannot write " + path.string());

    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);  // libjpeg's default handler exits on errors: fine for a tool
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, file.get());
    cinfo.image_width = static_cast<JDIMENSION>(image.width);
    cinfo.image_height = static_cast<JDIMENSION>(image.height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    for (int c = 0; c < cinfo.num_components; ++c) {
        cinfo.comp_info[c].h_samp_factor = 1;
        cinfo.comp_info[c].v_samp_factor = 1;
    }
    jpeg_start_compress(&cinfo, TRUE);
    const auto stride = static_cast<std::size_t>(image.width) * 3;
    while (cinfo.next_scanline < cinfo.image_height) {
        auto* row = const_cast<JSAMPLE*>(image.pixels.data() + cinfo.next_scanline * stride);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    if (std::ferror(file.get())) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace pawlet::test_assets
