#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "fixtures/cursor_fixture.h"
#include "formats/cursor_file.h"

namespace pawlet {
namespace {

using Bytes = std::vector<std::uint8_t>;

using fixtures::put16;
using fixtures::put32;

constexpr std::size_t good_length = 19518;
constexpr std::uint32_t good_image_size = 19496;
constexpr int good_hotspot_x = 61, good_hotspot_y = 70;

// One 128 x 128 image, 8 bits per pixel, as the program's hover cursors are laid out.
Bytes good_cursor() {
    Bytes b = fixtures::make_cursor_file(128, good_hotspot_x, good_hotspot_y);
    EXPECT_EQ(b.size(), good_length);
    return b;
}

Bytes edited(std::function<void(Bytes&)> edit) {
    Bytes b = good_cursor();
    edit(b);
    return b;
}

const char* name_of(CursorFileCheck c) {
    switch (c) {
    case CursorFileCheck::valid: return "valid";
    case CursorFileCheck::too_short: return "too_short";
    case CursorFileCheck::bad_reserved: return "bad_reserved";
    case CursorFileCheck::not_a_cursor: return "not_a_cursor";
    case CursorFileCheck::no_images: return "no_images";
    case CursorFileCheck::offset_past_end: return "offset_past_end";
    case CursorFileCheck::size_too_large: return "size_too_large";
    case CursorFileCheck::image_past_end: return "image_past_end";
    }
    return "?";
}

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
        CursorImage image;
        ASSERT_STREQ(name_of(read_cursor_file(c.file, image)), "valid");
        EXPECT_EQ(image.width, c.width);
        EXPECT_EQ(image.height, c.height);
        EXPECT_EQ(image.hotspot_x, c.hotspot_x);
        EXPECT_EQ(image.hotspot_y, c.hotspot_y);
        EXPECT_EQ(image.image.data(), c.file.data() + c.image_offset);
        EXPECT_EQ(image.image.size(), c.image_size);
        EXPECT_TRUE(parse_cursor_file(c.file, image));
    }
}

TEST(CursorFile, NamesTheFirstCheckABadFileFails) {
    constexpr std::uint32_t length = good_length;
    struct Case {
        const char* name;
        Bytes file;
        CursorFileCheck expected;
    };
    const std::vector<Case> cases = {
        {"empty", {}, CursorFileCheck::too_short},
        {"header and entry only: 22 bytes", edited([](Bytes& b) { b.resize(22); put32(b, 14, 0); }),
         CursorFileCheck::too_short},
        {"reserved word 1", edited([](Bytes& b) { put16(b, 0, 1); }), CursorFileCheck::bad_reserved},
        {"reserved word's high byte set", edited([](Bytes& b) { put16(b, 0, 0x100); }),
         CursorFileCheck::bad_reserved},
        {"icon type 1", edited([](Bytes& b) { put16(b, 2, 1); }), CursorFileCheck::not_a_cursor},
        {"type 0", edited([](Bytes& b) { put16(b, 2, 0); }), CursorFileCheck::not_a_cursor},
        {"type 2 in the high byte", edited([](Bytes& b) { put16(b, 2, 0x200); }),
         CursorFileCheck::not_a_cursor},
        {"no images", edited([](Bytes& b) { put16(b, 4, 0); }), CursorFileCheck::no_images},
        {"offset one past the end", edited([](Bytes& b) { put32(b, 14, 0); put32(b, 18, length + 1); }),
         CursorFileCheck::offset_past_end},
        {"offset 0xFFFFFFF0", edited([](Bytes& b) { put32(b, 18, 0xFFFFFFF0); }),
         CursorFileCheck::offset_past_end},
        {"offset 0x80000000", edited([](Bytes& b) { put32(b, 18, 0x80000000); }),
         CursorFileCheck::offset_past_end},
        {"byte count one more than the length minus 22",
         edited([](Bytes& b) { put32(b, 14, good_image_size + 1); put32(b, 18, 0); }),
         CursorFileCheck::size_too_large},
        {"byte count 0xFFFFFFF0", edited([](Bytes& b) { put32(b, 14, 0xFFFFFFF0); put32(b, 18, 0); }),
         CursorFileCheck::size_too_large},
        {"byte count 0xFFFFFFFF with offset 1",
         edited([](Bytes& b) { put32(b, 14, 0xFFFFFFFF); put32(b, 18, 1); }),
         CursorFileCheck::size_too_large},
        {"image one byte past the end", edited([](Bytes& b) { put32(b, 18, 23); }),
         CursorFileCheck::image_past_end},
        {"offset at the end with one byte", edited([](Bytes& b) { put32(b, 14, 1); put32(b, 18, length); }),
         CursorFileCheck::image_past_end},
        {"file cut short by one byte", edited([](Bytes& b) { b.pop_back(); }),
         CursorFileCheck::size_too_large},
    };
    for (const Case& c : cases) {
        CursorImage image;
        EXPECT_STREQ(name_of(read_cursor_file(c.file, image)), name_of(c.expected)) << c.name;
        EXPECT_FALSE(parse_cursor_file(c.file, image)) << c.name;
        EXPECT_TRUE(image.image.empty() && image.width == 0) << c.name << ": output left alone";
    }
}

const char* name_of(PointerKind k) {
    switch (k) {
    case PointerKind::arrow: return "arrow";
    case PointerKind::hand: return "hand";
    case PointerKind::cursor: return "cursor";
    }
    return "?";
}

TEST(PointerSetting, PicksHandCursorOrArrow) {
    struct Case {
        const char* name;
        Bytes setting;
        PointerKind expected;
    };
    const std::vector<Case> cases = {
        {"number 14", {14, 0, 0, 0}, PointerKind::hand},
        {"empty", {}, PointerKind::arrow},
        {"number 0", {0, 0, 0, 0}, PointerKind::arrow},
        {"14 big-endian", {0, 0, 0, 14}, PointerKind::arrow},
        {"14 with a high byte set", {14, 0, 0, 1}, PointerKind::arrow},
        {"number 13", {13, 0, 0, 0}, PointerKind::arrow},
        {"14 in three bytes", {14, 0, 0}, PointerKind::arrow},
        {"14 in five bytes", {14, 0, 0, 0, 0}, PointerKind::arrow},
        {"14 as a 16-bit number", {14, 0}, PointerKind::arrow},
        {"hover cursor file", good_cursor(), PointerKind::cursor},
        {"shortest valid cursor file", edited([](Bytes& b) { b.resize(23); put32(b, 14, 1); }),
         PointerKind::cursor},
        {"icon file", edited([](Bytes& b) { put16(b, 2, 1); }), PointerKind::arrow},
        {"cursor file with its image past the end", edited([](Bytes& b) { put32(b, 18, 23); }),
         PointerKind::arrow},
        {"cursor header cut to 11 bytes", edited([](Bytes& b) { b.resize(11); }), PointerKind::arrow},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(name_of(classify_pointer_setting(c.setting).kind), name_of(c.expected)) << c.name;
    }
}

TEST(PointerSetting, CursorChoiceCarriesTheFirstImage) {
    const Bytes file = good_cursor();
    const PointerChoice choice = classify_pointer_setting(file);
    ASSERT_EQ(choice.kind, PointerKind::cursor);
    EXPECT_EQ(choice.cursor.width, 128);
    EXPECT_EQ(choice.cursor.height, 128);
    EXPECT_EQ(choice.cursor.hotspot_x, good_hotspot_x);
    EXPECT_EQ(choice.cursor.hotspot_y, good_hotspot_y);
    EXPECT_EQ(choice.cursor.image.data(), file.data() + 22);
    EXPECT_EQ(choice.cursor.image.size(), good_image_size);
}

}  // namespace
}  // namespace pawlet
