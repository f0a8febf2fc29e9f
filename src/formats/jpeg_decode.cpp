#include "formats/jpeg_decode.h"

#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <limits>
#include <new>

#include <jpeglib.h>
#include <jerror.h>

namespace pawlet {
namespace {

// A progressive file may hold thousands of tiny scans, each a pass over the whole picture; past
// this many we give up rather than spin (the limit libjpeg-turbo's own TurboJPEG API uses).
constexpr int max_scans = 500;

// libjpeg reports a fatal error by calling error_exit, whose default ends the process. Ours jumps
// back into the guarded step that made the call. Only the two functions below call setjmp; they
// hold no C++ object with a destructor, so the jump skips nothing but libjpeg's own C frames.
struct ErrorJump {
    jpeg_error_mgr manager;  // first member: libjpeg hands us a pointer to it
    std::jmp_buf target;
};

[[noreturn]] void jump_on_error(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<ErrorJump*>(cinfo->err)->target, 1);
}

// Warnings (such as data ending early) are not fatal, and a GUI program has nowhere to print.
void ignore_message(j_common_ptr) {}

void limit_scans(j_common_ptr cinfo) {
    if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > max_scans) {
        cinfo->err->msg_code = JERR_NOTIMPL;
        cinfo->err->error_exit(cinfo);
    }
}

struct Decoder {
    ErrorJump error{};
    jpeg_progress_mgr progress{};
    jpeg_decompress_struct cinfo{};  // zeroed, so destroying it is safe even if creation failed

    Decoder() {
        cinfo.err = jpeg_std_error(&error.manager);
        error.manager.error_exit = jump_on_error;
        error.manager.output_message = ignore_message;
        progress.progress_monitor = limit_scans;
    }
    ~Decoder() { jpeg_destroy_decompress(&cinfo); }
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;
};

// Creates the decompressor, reads the headers and starts decompression into B,G,R,A.
bool start(Decoder& d, const std::uint8_t* data, unsigned long size) {
    if (setjmp(d.error.target)) return false;
    jpeg_create_decompress(&d.cinfo);
    d.cinfo.progress = &d.progress;
    jpeg_mem_src(&d.cinfo, data, size);
    if (jpeg_read_header(&d.cinfo, TRUE) != JPEG_HEADER_OK) return false;
    const auto width = d.cinfo.image_width, height = d.cinfo.image_height;
    if (width > jpeg_max_side || height > jpeg_max_side ||
        std::int64_t{width} * height > jpeg_max_pixels)
        return false;
    d.cinfo.out_color_space = JCS_EXT_BGRA;
    return jpeg_start_decompress(&d.cinfo) != FALSE;
}

// Reads every row into `pixels`, `row_bytes` apart, then finishes the decompression.
bool read_rows(Decoder& d, std::uint8_t* pixels, std::size_t row_bytes) {
    if (setjmp(d.error.target)) return false;
    while (d.cinfo.output_scanline < d.cinfo.output_height) {
        JSAMPROW row = pixels + row_bytes * d.cinfo.output_scanline;
        if (jpeg_read_scanlines(&d.cinfo, &row, 1) != 1) return false;
    }
    jpeg_finish_decompress(&d.cinfo);
    return true;
}

}  // namespace

std::optional<Picture> decode_jpeg(std::span<const std::uint8_t> bytes) {
    if (bytes.empty() || bytes.size() > std::numeric_limits<unsigned long>::max())
        return std::nullopt;
    Decoder decoder;
    if (!start(decoder, bytes.data(), static_cast<unsigned long>(bytes.size())))
        return std::nullopt;
    const auto& cinfo = decoder.cinfo;
    if (cinfo.output_width == 0 || cinfo.output_height == 0 || cinfo.output_components != 4)
        return std::nullopt;

    Picture picture;
    picture.width = static_cast<int>(cinfo.output_width);
    picture.height = static_cast<int>(cinfo.output_height);
    try {
        picture.pixels.resize(std::size_t{cinfo.output_width} * cinfo.output_height);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    // Picture's pixel layout is the byte order B, G, R, A that JCS_EXT_BGRA writes.
    auto* rows = reinterpret_cast<std::uint8_t*>(picture.pixels.data());
    if (!read_rows(decoder, rows, std::size_t{cinfo.output_width} * 4)) return std::nullopt;
    return picture;
}

}  // namespace pawlet
