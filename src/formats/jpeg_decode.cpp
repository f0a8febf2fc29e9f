#include "formats/jpeg_decode.h"

#include <algorithm>
#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <limits>
#include <new>
#include <optional>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

namespace pawlet {
namespace {

// The limit on progressive scans that libjpeg-turbo's own TurboJPEG API uses.
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

// A progressive file may hold thousands of tiny scans, each a pass over the whole picture; past
// max_scans we give up rather than spin.
struct ScanLimit {
    jpeg_progress_mgr manager;  // first member: libjpeg hands us a pointer to it
    bool exceeded = false;
};

void limit_scans(j_common_ptr cinfo) {
    if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > max_scans) {
        reinterpret_cast<ScanLimit*>(cinfo->progress)->exceeded = true;
        cinfo->err->msg_code = JERR_NOTIMPL;
        cinfo->err->error_exit(cinfo);
    }
}

struct Decoder {
    ErrorJump error{};
    ScanLimit scans{};
    jpeg_decompress_struct cinfo{};  // zeroed, so destroying it is safe even if creation failed
    JpegFailure failure_on_jump = JpegFailure::bad_header;  // what a libjpeg error means now

    Decoder() {
        cinfo.err = jpeg_std_error(&error.manager);
        error.manager.error_exit = jump_on_error;
        error.manager.output_message = ignore_message;
        scans.manager.progress_monitor = limit_scans;
    }
    ~Decoder() { jpeg_destroy_decompress(&cinfo); }
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;

    JpegFailure jumped() const { return scans.exceeded ? JpegFailure::too_many_scans : failure_on_jump; }
};

// Creates the decompressor, reads the headers and starts decompression into B,G,R,A.
std::optional<JpegFailure> start(Decoder& d, const std::uint8_t* data, unsigned long size) {
    if (setjmp(d.error.target)) return d.jumped();
    jpeg_create_decompress(&d.cinfo);
    d.cinfo.progress = &d.scans.manager;
    jpeg_mem_src(&d.cinfo, data, size);
    if (jpeg_read_header(&d.cinfo, TRUE) != JPEG_HEADER_OK) return JpegFailure::bad_header;
    const auto width = d.cinfo.image_width, height = d.cinfo.image_height;
    if (width == 0 || height == 0) return JpegFailure::bad_header;
    if (width > jpeg_max_side || height > jpeg_max_side ||
        std::int64_t{width} * height > jpeg_max_pixels)
        return JpegFailure::too_large;
    // libjpeg converts CMYK to nothing else: it comes out as it is and is turned into B, G, R, A
    // once read (cmyk_to_bgra).
    const bool cmyk = d.cinfo.jpeg_color_space == JCS_CMYK || d.cinfo.jpeg_color_space == JCS_YCCK;
    d.cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
    d.failure_on_jump = JpegFailure::bad_data;
    if (!jpeg_start_decompress(&d.cinfo)) return JpegFailure::bad_data;
    return std::nullopt;
}

// Pixels (16 MiB) beyond which a buffer is not kept for smaller pictures.
constexpr std::size_t outsized_buffer = std::size_t{1} << 22;

// Rows go to libjpeg in batches so that its per-call work is shared among several of them.
constexpr JDIMENSION row_batch = 16;

// Whether eight pixels match, compared as 64-bit words: the C runtime's memcmp (msvcrt's, under
// MinGW) goes byte by byte, and most of a row usually matches.
bool same_eight(const std::uint32_t* a, const std::uint32_t* b) {
    std::uint64_t x[4], y[4];
    std::memcpy(x, a, sizeof x);
    std::memcpy(y, b, sizeof y);
    return ((x[0] ^ y[0]) | (x[1] ^ y[1]) | (x[2] ^ y[2]) | (x[3] ^ y[3])) == 0;
}

// Widens `changed` by the span of pixels in which row y's new pixels differ from its old ones.
void note_row_change(const std::uint32_t* old_row, const std::uint32_t* new_row, int width, int y,
                     Rect& changed) {
    int left = 0;
    while (left + 8 <= width && same_eight(old_row + left, new_row + left)) left += 8;
    while (left < width && old_row[left] == new_row[left]) ++left;
    if (left == width) return;
    int right = width;
    while (right - 8 > left && same_eight(old_row + right - 8, new_row + right - 8)) right -= 8;
    while (old_row[right - 1] == new_row[right - 1]) --right;
    changed = changed.empty() ? Rect{left, y, right, y + 1}
                              : Rect{std::min(changed.left, left), changed.top,
                                     std::max(changed.right, right), y + 1};
}

// Reads every row into `pixels`, `row_bytes` apart, then finishes the decompression. With a
// `scratch` of row_batch rows, `pixels` holds the previous picture of the same size: each batch's
// old rows are set aside in the scratch before libjpeg overwrites them, and what differs is
// noted in `changed`. Copying them first also brings them into the cache that libjpeg's writes
// would have fetched them into anyway, so the comparison costs little more than the copy.
bool read_rows(Decoder& d, std::uint8_t* pixels, std::size_t row_bytes, std::uint8_t* scratch,
               Rect& changed) {
    if (setjmp(d.error.target)) return false;
    JSAMPROW rows[row_batch];
    const int width = static_cast<int>(d.cinfo.output_width);
    while (d.cinfo.output_scanline < d.cinfo.output_height) {
        const JDIMENSION first = d.cinfo.output_scanline;
        const JDIMENSION count = std::min(row_batch, d.cinfo.output_height - first);
        for (JDIMENSION i = 0; i < count; ++i) rows[i] = pixels + row_bytes * (first + i);
        if (scratch) std::memcpy(scratch, rows[0], row_bytes * count);
        const JDIMENSION got = jpeg_read_scanlines(&d.cinfo, rows, count);
        if (got == 0) return false;
        for (JDIMENSION i = 0; scratch && i < got; ++i)
            note_row_change(reinterpret_cast<const std::uint32_t*>(scratch + row_bytes * i),
                            reinterpret_cast<const std::uint32_t*>(rows[i]), width,
                            static_cast<int>(first + i), changed);
    }
    jpeg_finish_decompress(&d.cinfo);
    return true;
}

// In place, four bytes per pixel. Adobe's files, which are nearly all CMYK JPEGs, store the inks
// inverted (255 = no ink); others store them as they are.
void cmyk_to_bgra(std::uint8_t* pixels, std::size_t count, bool inverted) {
    for (std::uint8_t* p = pixels; p != pixels + count * 4; p += 4) {
        unsigned c = p[0], m = p[1], y = p[2], k = p[3];
        if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
        p[0] = static_cast<std::uint8_t>(y * k / 255);
        p[1] = static_cast<std::uint8_t>(m * k / 255);
        p[2] = static_cast<std::uint8_t>(c * k / 255);
        p[3] = 0xFF;
    }
}

JpegDecoded decode_or_fail(std::span<const std::uint8_t> bytes, Picture& into) {
    if (bytes.empty()) return JpegFailure::empty;
    if (bytes.size() > std::numeric_limits<unsigned long>::max()) return JpegFailure::too_large;
    Decoder decoder;
    if (const auto failure = start(decoder, bytes.data(), static_cast<unsigned long>(bytes.size())))
        return *failure;
    const auto& cinfo = decoder.cinfo;
    if (cinfo.output_width == 0 || cinfo.output_height == 0 || cinfo.output_components != 4)
        return JpegFailure::bad_data;

    const int width = static_cast<int>(cinfo.output_width);
    const int height = static_cast<int>(cinfo.output_height);
    const std::size_t row_bytes = std::size_t{cinfo.output_width} * 4;
    // The previous picture, when it has this size, is compared with rather than overwritten.
    // CMYK rows are only turned into colours after reading, so they cannot be compared as they come.
    const bool cmyk = cinfo.out_color_space == JCS_CMYK;
    const bool compare = !cmyk && !into.empty() && into.width == width && into.height == height;
    std::vector<std::uint8_t> scratch;
    const std::size_t needed = std::size_t{cinfo.output_width} * cinfo.output_height;
    // Same-size pictures (every frame of an animation) reuse the buffer as it is; one left over
    // from an outsized picture is given back rather than held for every frame after it.
    if (into.pixels.capacity() > std::max(2 * needed, outsized_buffer)) PixelBuffer{}.swap(into.pixels);
    try {
        into.pixels.resize(needed);
        if (compare) scratch.resize(row_bytes * row_batch);
    } catch (const std::bad_alloc&) {
        return JpegFailure::no_memory;
    }
    into.width = width;
    into.height = height;
    // Picture's pixel layout is the byte order B, G, R, A that JCS_EXT_BGRA writes.
    auto* rows = reinterpret_cast<std::uint8_t*>(into.pixels.data());
    Rect changed;
    if (!read_rows(decoder, rows, row_bytes, compare ? scratch.data() : nullptr, changed))
        return decoder.jumped();
    if (cmyk) cmyk_to_bgra(rows, into.pixels.size(), cinfo.saw_Adobe_marker);
    return compare ? changed : Rect{0, 0, width, height};
}

}  // namespace

const char* failure_name(JpegFailure failure) {
    switch (failure) {
    case JpegFailure::empty: return "empty";
    case JpegFailure::bad_header: return "bad_header";
    case JpegFailure::too_large: return "too_large";
    case JpegFailure::too_many_scans: return "too_many_scans";
    case JpegFailure::bad_data: return "bad_data";
    case JpegFailure::no_memory: return "no_memory";
    }
    return "unknown";
}

JpegDecoded decode_jpeg_into(std::span<const std::uint8_t> bytes, Picture& into) {
    JpegDecoded outcome = decode_or_fail(bytes, into);
    if (!outcome) {
        into.width = into.height = 0;
        into.pixels.clear();  // keeps the capacity for the next picture
    }
    return outcome;
}

Parsed<Picture, JpegFailure> decode_jpeg(std::span<const std::uint8_t> bytes) {
    Picture picture;
    if (const JpegDecoded outcome = decode_jpeg_into(bytes, picture); !outcome)
        return outcome.failure();
    return picture;
}

}  // namespace pawlet
