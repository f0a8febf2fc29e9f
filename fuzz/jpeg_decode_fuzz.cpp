// A frame file's bytes through the JPEG decoder, fresh and into a reused picture, as the
// animation box does from the second frame on.
#include <cstddef>
#include <cstdint>
#include <span>

#include "declared_size.h"
#include "formats/jpeg_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    if (pawlet::fuzzing::declared_jpeg_pixels(bytes) > pawlet::fuzzing::largest_fuzzed_pixels) return 0;
    auto fresh = pawlet::decode_jpeg(bytes);
    pawlet::Picture reused;
    if (fresh) reused = *fresh;  // a buffer of another picture's size, to be reused
    const bool again = static_cast<bool>(pawlet::decode_jpeg_into(bytes, reused));
    if (again != static_cast<bool>(fresh)) __builtin_trap();
    if (again && (reused.width != fresh->width || reused.height != fresh->height ||
                  reused.pixels.size() != static_cast<std::size_t>(reused.width) * reused.height))
        __builtin_trap();
    return 0;
}
