#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "input/hover_cursors.h"

namespace pawlet {
namespace {

// The hover position of a point of the box's client area: the box sits at the window's origin
// and its client area starts inside a one-pixel edge.
const HoverEntry* hover_at_box(int x, int y) { return find_hover_entry(x + 1, y + 1); }

struct Row {
    int x_low, x_high, y_low, y_high;
    EmbeddedCursor cursor;
};

// The entries in testing order, with their stored bounds.
const std::vector<Row> expected_entries = {
    {163, 200, 440, 464, cursor_cleaver},  {115, 153, 442, 464, cursor_cleaver},
    {91, 122, 284, 319, cursor_skull},     {126, 193, 281, 335, cursor_ladybird},
    {205, 237, 365, 435, cursor_handshake}, {125, 204, 208, 238, cursor_cup},
    {127, 184, 390, 440, cursor_dung},     {140, 188, 177, 200, cursor_beckon},
    {146, 177, 107, 131, cursor_bomb},     {197, 220, 274, 308, cursor_football},
    {115, 146, 139, 170, cursor_dagger},   {174, 206, 142, 170, cursor_dagger},
    {141, 185, 343, 382, cursor_dagger},   {82, 121, 177, 220, cursor_penguin},
    {190, 230, 175, 207, cursor_penguin},  {73, 106, 108, 158, cursor_ok_hand},
    {210, 238, 109, 161, cursor_ok_hand},
};

TEST(HoverCursors, EachEntryShowsItsCursorExactlyInsideItsStrictBounds) {
    ASSERT_EQ(hover_cursors.size(), expected_entries.size());
    for (std::size_t i = 0; i < expected_entries.size(); ++i) {
        const Row& r = expected_entries[i];
        const HoverEntry* entry = &hover_cursors[i];
        SCOPED_TRACE("entry " + std::to_string(i + 1) + " (" + embedded_cursors[entry->cursor].name + ")");
        EXPECT_EQ(entry->cursor, r.cursor);
        const int mid_x = (r.x_low + r.x_high) / 2, mid_y = (r.y_low + r.y_high) / 2;
        // Box positions: the cursor shows from low to high - 2 on each axis.
        for (const auto& [x, y] : {std::pair{r.x_low, mid_y}, {r.x_high - 2, mid_y}, {mid_x, r.y_low},
                                   {mid_x, r.y_high - 2}, {r.x_low, r.y_low}, {r.x_high - 2, r.y_high - 2}}) {
            EXPECT_EQ(hover_at_box(x, y), entry) << "inside at box " << x << "," << y;
        }
        for (const auto& [x, y] : {std::pair{r.x_low - 1, mid_y}, {r.x_high - 1, mid_y}, {mid_x, r.y_low - 1},
                                   {mid_x, r.y_high - 1}}) {
            EXPECT_NE(hover_at_box(x, y), entry) << "outside at box " << x << "," << y;
        }
    }
}

TEST(HoverCursors, EveryTouchRegionHasOneEntry) {
    std::set<int> regions;
    for (const HoverEntry& entry : hover_cursors) regions.insert(entry.region->number);
    EXPECT_EQ(regions.size(), touch_regions.size());
    EXPECT_EQ(hover_cursors[0].region->number, 6) << "the feet are tested first";
    EXPECT_EQ(hover_cursors[1].region->number, 7);
}

TEST(HoverCursors, HoverAndPressDisagreeOnTheBoundsPixels) {
    // The left paw: the skull shows for box x 91..120, a press starts scratch for x 92..121.
    const HoverEntry* at_left_bound = hover_at_box(91, 300);
    ASSERT_NE(at_left_bound, nullptr);
    EXPECT_EQ(at_left_bound->cursor, cursor_skull);
    EXPECT_EQ(find_touch_region(91, 300), nullptr) << "a press on the stored bound does nothing";

    const TouchRegion* pressed = find_touch_region(121, 300);
    ASSERT_NE(pressed, nullptr);
    EXPECT_EQ(pick_region_action(*pressed, 0), 1) << "scratch";
    EXPECT_EQ(hover_at_box(121, 300), nullptr) << "the hand shows where the press still counts";
}

TEST(HoverCursors, PartsOfTheCatShowTheirCursorsAndTheRestTheHand) {
    struct Case {
        const char* part;
        int x, y;  // box position
        std::optional<EmbeddedCursor> cursor;  // none: the hand
    };
    const std::vector<Case> cases = {
        {"foot on the viewer's right", 181, 451, cursor_cleaver},
        {"foot on the viewer's left", 133, 452, cursor_cleaver},
        {"left eye", 130, 154, cursor_dagger},
        {"right eye", 190, 155, cursor_dagger},
        {"belly", 163, 362, cursor_dagger},
        {"mouth", 164, 222, cursor_cup},
        {"seam between lower body and foot", 170, 439, std::nullopt},
        {"alley above the cat", 20, 20, std::nullopt},
        {"box origin", 0, 0, std::nullopt},
        {"pointer far left of the window", -500, 300, std::nullopt},
        {"pointer far below the window", 160, 5000, std::nullopt},
    };
    for (const Case& c : cases) {
        const HoverEntry* entry = hover_at_box(c.x, c.y);
        if (!c.cursor) {
            EXPECT_EQ(entry, nullptr) << c.part;
            continue;
        }
        ASSERT_NE(entry, nullptr) << c.part;
        EXPECT_EQ(entry->cursor, *c.cursor) << c.part;
    }
}

}  // namespace
}  // namespace pawlet
