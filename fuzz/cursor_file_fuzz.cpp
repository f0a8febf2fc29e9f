// A hover cursor's bytes through the cursor-file parser: whatever it accepts must lie inside
// the buffer, since the window layer hands that image to CreateIconFromResourceEx.
#include <cstddef>
#include <cstdint>
#include <span>

#include "formats/cursor_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto cursor = pawlet::parse_cursor_file({data, size});
    if (!cursor) return 0;
    const auto image = cursor->image;
    if (image.data() < data || image.data() + image.size() > data + size) __builtin_trap();
    volatile std::uint8_t sum = 0;
    for (const std::uint8_t b : image) sum = static_cast<std::uint8_t>(sum + b);
    return 0;
}
