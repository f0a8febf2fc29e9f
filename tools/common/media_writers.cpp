#include "media_writers.h"

#include <cstdio>
#include <cstdlib>
// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>

#include "little_endian.h"

namespace pawlet::media {

std::vector<std::uint8_t> encode_jpeg(std::span<const std::uint8_t> pixels, int width, int height,
                                      const JpegSettings& settings) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr error{};
    cinfo.err = jpeg_std_error(&error);  // our own inputs are well-formed: the default handler will do
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    const int components = settings.grey ? 1 : settings.cmyk ? 4 : 3;
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = components;
    cinfo.in_color_space = settings.grey ? JCS_GRAYSCALE : settings.cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, settings.quality, TRUE);
    cinfo.optimize_coding = settings.optimize_coding ? TRUE : FALSE;
    if (settings.full_chroma) {
        for (int c = 0; c < cinfo.num_components; ++c) {
            cinfo.comp_info[c].h_samp_factor = 1;
            cinfo.comp_info[c].v_samp_factor = 1;
        }
    }
    if (settings.progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    const std::size_t stride = static_cast<std::size_t>(width) * components;
    while (cinfo.next_scanline < cinfo.image_height) {
        // libjpeg takes non-const rows but only reads them.
        JSAMPROW row = const_cast<JSAMPLE*>(pixels.data() + stride * cinfo.next_scanline);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<std::uint8_t> bytes(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return bytes;
}

std::vector<std::uint8_t> encode_pcm16_wav(std::span<const std::int16_t> samples, int sample_rate) {
    using little_endian::append16;
    using little_endian::append32;
    std::vector<std::uint8_t> out;
    auto tag = [&out](const char* t) {
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(t[i]));
    };
    const auto rate = static_cast<std::uint32_t>(sample_rate);
    const auto data_size = static_cast<std::uint32_t>(samples.size() * 2);
    tag("RIFF");
    append32(out, 36 + data_size);
    tag("WAVE");
    tag("fmt ");
    append32(out, 16);
    append16(out, 1);  // PCM
    append16(out, 1);  // one channel
    append32(out, rate);
    append32(out, rate * 2);  // bytes per second
    append16(out, 2);         // bytes per sample frame
    append16(out, 16);
    tag("data");
    append32(out, data_size);
    for (std::int16_t s : samples) append16(out, static_cast<std::uint16_t>(s));
    return out;
}

}  // namespace pawlet::media
