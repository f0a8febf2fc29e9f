#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "fixtures/cursor_fixture.h"
#include "formats/cursor_file.h"

namespace pawlet {
namespace {

using Bytes = std::vector<std::uint8_t>;

using fixtures::put16;
using fixtures::put32;

constexpr std::size_t good_length = fixtures::hover_file_size;
constexpr std::size_t good_image_size = fixtures::hover_image_size;
constexpr int good_hotspot_x = fixtures::hover_hotspot_x, good_hotspot_y = fixtures::hover_hotspot_y;

Bytes good_cursor() { return fixtures::hover_cursor(); }
Bytes edited(void (*edit)(Bytes&)) { return fixtures::edited_hover_cursor(edit); }

TEST(CursorFile, ReadsTheFirstDirectoryEntry) {
    struct Case {
        const char* name;
        Bytes file;
        int width, height, hotspot_x, hotspot_y;
        std::size_t image_offset, image_size;
    };
    const std::vector<Case> cases = {
        {"hover cursor", good_cursor(), 128, 128, good_hotspot_x, good_hotspot_y, 22, good_image_size},
        {"width and height bytes 0 mean 256", edited([](Bytes& b) { b[6] = 0; b[7] = 0; }), 256, 256,
         good_hotspot_x, good_hotspot_y, 22, good_image_size},
        {"other size, high hotspot bytes",
         edited([](Bytes& b) { b[6] = 32; b[7] = 48; put16(b, 10, 0x1234); put16(b, 12, 0xFFFF); }),
         32, 48, 0x1234, 0xFFFF, 22, good_image_size},
        {"three images: the first one counts", edited([](Bytes& b) { put16(b, 4, 3); }), 128, 128,
         good_hotspot_x, good_hotspot_y, 22, good_image_size},
        {"image count 0xFFFF", edited([](Bytes& b) { put16(b, 4, 0xFFFF); }), 128, 128,
         good_hotspot_x, good_hotspot_y, 22, good_image_size},
        {"image right up to the end from a later offset",
         edited([](Bytes& b) { put32(b, 14, 100); put32(b, 18, good_length - 100); }), 128, 128,
         good_hotspot_x, good_hotspot_y, good_length - 100, 100},
        {"byte count exactly the length minus 22, from offset 0",
         edited([](Bytes& b) { put32(b, 18, 0); }), 128, 128, good_hotspot_x, good_hotspot_y, 0,
         good_image_size},
        {"offset exactly the length, no bytes",
         edited([](Bytes& b) { put32(b, 14, 0); put32(b, 18, good_length); }), 128, 128,
         good_hotspot_x, good_hotspot_y, good_length, 0},
        {"shortest file: 23 bytes", edited([](Bytes& b) { b.resize(23); put32(b, 14, 1); }), 128, 128,
         good_hotspot_x, good_hotspot_y, 22, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto parsed = parse_cursor_file(c.file);
        ASSERT_TRUE(parsed) << failure_name(parsed.failure());
        const CursorImage& image = *parsed;
        EXPECT_EQ(image.width, c.width);
        EXPECT_EQ(image.height, c.height);
        EXPECT_EQ(image.hotspot_x, c.hotspot_x);
        EXPECT_EQ(image.hotspot_y, c.hotspot_y);
        EXPECT_EQ(image.image.data(), c.file.data() + c.image_offset);
        EXPECT_EQ(image.image.size(), c.image_size);
    }
}

TEST(CursorFile, NamesTheFirstCheckABadFileFails) {
    constexpr std::uint32_t length = good_length;
    struct Case {
        const char* name;
        Bytes file;
        CursorFileFailure expected;
    };
    const std::vector<Case> cases = {
        {"empty", {}, CursorFileFailure::too_short},
        {"header and entry only: 22 bytes", edited([](Bytes& b) { b.resize(22); put32(b, 14, 0); }),
         CursorFileFailure::too_short},
        {"reserved word 1", edited([](Bytes& b) { put16(b, 0, 1); }), CursorFileFailure::bad_reserved},
        {"reserved word's high byte set", edited([](Bytes& b) { put16(b, 0, 0x100); }),
         CursorFileFailure::bad_reserved},
        {"icon type 1", edited([](Bytes& b) { put16(b, 2, 1); }), CursorFileFailure::not_a_cursor},
        {"type 0", edited([](Bytes& b) { put16(b, 2, 0); }), CursorFileFailure::not_a_cursor},
        {"type 2 in the high byte", edited([](Bytes& b) { put16(b, 2, 0x200); }),
         CursorFileFailure::not_a_cursor},
        {"no images", edited([](Bytes& b) { put16(b, 4, 0); }), CursorFileFailure::no_images},
        {"offset one past the end", edited([](Bytes& b) { put32(b, 14, 0); put32(b, 18, length + 1); }),
         CursorFileFailure::offset_past_end},
        {"offset 0xFFFFFFF0", edited([](Bytes& b) { put32(b, 18, 0xFFFFFFF0); }),
         CursorFileFailure::offset_past_end},
        {"offset 0x80000000", edited([](Bytes& b) { put32(b, 18, 0x80000000); }),
         CursorFileFailure::offset_past_end},
        {"byte count one more than the length minus 22",
         edited([](Bytes& b) { put32(b, 14, good_image_size + 1); put32(b, 18, 0); }),
         CursorFileFailure::size_too_large},
        {"byte count 0xFFFFFFF0", edited([](Bytes& b) { put32(b, 14, 0xFFFFFFF0); put32(b, 18, 0); }),
         CursorFileFailure::size_too_large},
        {"byte count 0xFFFFFFFF with offset 1",
         edited([](Bytes& b) { put32(b, 14, 0xFFFFFFFF); put32(b, 18, 1); }),
         CursorFileFailure::size_too_large},
        {"image one byte past the end", edited([](Bytes& b) { put32(b, 18, 23); }),
         CursorFileFailure::image_past_end},
        {"offset at the end with one byte", edited([](Bytes& b) { put32(b, 14, 1); put32(b, 18, length); }),
         CursorFileFailure::image_past_end},
        {"file cut short by one byte", edited([](Bytes& b) { b.pop_back(); }),
         CursorFileFailure::size_too_large},
    };
    for (const Case& c : cases) {
        const auto parsed = parse_cursor_file(c.file);
        ASSERT_FALSE(parsed) << c.name;
        EXPECT_STREQ(failure_name(parsed.failure()), failure_name(c.expected)) << c.name;
    }
}

}  // namespace
}  // namespace pawlet
