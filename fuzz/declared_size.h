#pragma once
// The picture size a JPEG's frame header declares, found by walking its markers up to the first
// scan. The JPEG targets skip pictures over 65,536 pixels (a box-sized frame is 152,004; sides larger
// than the box stay in reach), as libjpeg-turbo's own fuzzers skip large ones:
// the decoder accepts up to 64 Mpixel from a few bytes (libjpeg fills what is missing), which
// takes a quarter of a second each and would leave the fuzzer exploring nothing else. The refusal
// of larger sizes is in the unit tests and the bad-input table.
#include <cstddef>
#include <cstdint>
#include <span>

namespace pawlet::fuzzing {

inline std::int64_t declared_jpeg_pixels(std::span<const std::uint8_t> b) {
    std::size_t at = 2;
    while (at + 4 <= b.size()) {
        if (b[at] != 0xFF) {  // libjpeg skips stray bytes to the next marker, and so do we
            ++at;
            continue;
        }
        const std::uint8_t marker = b[at + 1];
        if (marker == 0xFF) { ++at; continue; }
        if (marker == 0xDA) return 0;  // a scan before any frame header
        if ((marker >= 0xD0 && marker <= 0xD8) || marker == 0x01) { at += 2; continue; }
        const std::size_t length = std::size_t{b[at + 2]} << 8 | b[at + 3];
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame && at + 9 <= b.size()) {
            const int height = b[at + 5] << 8 | b[at + 6], width = b[at + 7] << 8 | b[at + 8];
            return std::int64_t{width} * height;
        }
        at += 2 + length;
    }
    return 0;
}

inline constexpr std::int64_t largest_fuzzed_pixels = 1 << 16;

}  // namespace pawlet::fuzzing
