#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "input/hover_cursors.h"
#include "shell/layout.h"

namespace pawlet {
namespace {

// The code names controls through the ASCII aliases; each must name its control in the table.
TEST(Layout, EachAliasNamesItsControl) {
    struct Case {
        ControlIndex alias;
        const wchar_t* name;
        ControlKind kind;
    };
    const std::vector<Case> cases = {
        {close_button, L"按钮2", ControlKind::push_button},
        {credits_label, L"标签1", ControlKind::label},
        {hover_timer, L"时钟1", ControlKind::timer},
        {sound_sync_timer, L"声音同步时钟", ControlKind::timer},
        {sprite_template, L"动画物体", ControlKind::sprite_template},
        {animation_box, L"动画框", ControlKind::animation_box},
    };
    ASSERT_EQ(cases.size(), main_window_layout.size());
    for (const Case& c : cases) {
        const ControlLayout& control = main_window_layout[static_cast<std::size_t>(c.alias)];
        EXPECT_EQ(std::wstring_view(control.name), c.name) << "alias " << c.alias;
        EXPECT_EQ(control.kind, c.kind) << "alias " << c.alias;
    }
}

TEST(Layout, InitialFocusGoesToTheAnimationBox) {
    EXPECT_EQ(initial_focus_control(), animation_box);
}

// Only the close button and the animation box are shown tab stops; every other control, and
// nothing focused (-1), moves to one of those two.
TEST(Layout, TabMovesBetweenTheShownTabStopsAndWraps) {
    struct Case {
        int current;
        bool backwards;
        int expected;
    };
    const std::vector<Case> cases = {
        {-1, false, close_button},
        {close_button, false, animation_box},
        {credits_label, false, animation_box},
        {hover_timer, false, animation_box},
        {sound_sync_timer, false, animation_box},
        {sprite_template, false, animation_box},
        {animation_box, false, close_button},
        {-1, true, animation_box},
        {close_button, true, animation_box},
        {credits_label, true, close_button},
        {hover_timer, true, close_button},
        {sound_sync_timer, true, close_button},
        {sprite_template, true, close_button},
        {animation_box, true, close_button},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(next_tab_stop(c.current, c.backwards), c.expected)
            << "from " << c.current << (c.backwards ? " backwards" : " forwards");
    }
}

}  // namespace
}  // namespace pawlet

namespace pawlet {
namespace {

// The hover tick stops reading the pointer once it is off the animation box: that is only right
// while every hover spot lies inside the box (hover positions count from the window's corner,
// where the box's window starts).
TEST(Layout, EveryHoverSpotLiesInsideTheAnimationBox) {
    const Rect& box = main_window_layout[animation_box].bounds;
    for (const HoverEntry& entry : hover_cursors) {
        const TouchRegion& r = *entry.region;
        EXPECT_TRUE(r.x_low >= box.left - 1 && r.x_high <= box.right && r.y_low >= box.top - 1 &&
                    r.y_high <= box.bottom)
            << "region " << r.number << " reaches past the box";
    }
}

}  // namespace
}  // namespace pawlet
