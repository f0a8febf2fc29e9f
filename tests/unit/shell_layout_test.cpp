#include <gtest/gtest.h>

#include <vector>

#include "shell/layout.h"

namespace pawlet {
namespace {

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
