#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "fixtures/cursor_fixture.h"
#include "shell/pointer_choice.h"

namespace pawlet {
namespace {

using Bytes = std::vector<std::uint8_t>;

using fixtures::edited_hover_cursor;
using fixtures::put16;
using fixtures::put32;

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
        {"hover cursor file", fixtures::hover_cursor(), PointerKind::cursor},
        {"shortest valid cursor file", edited_hover_cursor([](Bytes& b) { b.resize(23); put32(b, 14, 1); }),
         PointerKind::cursor},
        {"icon file", edited_hover_cursor([](Bytes& b) { put16(b, 2, 1); }), PointerKind::arrow},
        {"cursor file with its image past the end", edited_hover_cursor([](Bytes& b) { put32(b, 18, 23); }),
         PointerKind::arrow},
        {"cursor header cut to 11 bytes", edited_hover_cursor([](Bytes& b) { b.resize(11); }), PointerKind::arrow},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(name_of(classify_pointer_setting(c.setting).kind), name_of(c.expected)) << c.name;
    }
}

TEST(PointerSetting, CursorChoiceCarriesTheFirstImage) {
    const Bytes file = fixtures::hover_cursor();
    const PointerChoice choice = classify_pointer_setting(file);
    ASSERT_EQ(choice.kind, PointerKind::cursor);
    EXPECT_EQ(choice.cursor.width, 128);
    EXPECT_EQ(choice.cursor.height, 128);
    EXPECT_EQ(choice.cursor.hotspot_x, fixtures::hover_hotspot_x);
    EXPECT_EQ(choice.cursor.hotspot_y, fixtures::hover_hotspot_y);
    EXPECT_EQ(choice.cursor.image.data(), file.data() + 22);
    EXPECT_EQ(choice.cursor.image.size(), fixtures::hover_image_size);
}

}  // namespace
}  // namespace pawlet
