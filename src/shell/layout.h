#pragma once
#include <array>

#include "base/geometry.h"

namespace pawlet {

// The main window's fixed layout. Positions are in the window's client area, which equals its
// outer rectangle since the window has neither frame nor caption.
enum class ControlKind { push_button, label, timer, sprite_template, animation_box };

struct ControlLayout {
    const wchar_t* name;
    ControlKind kind;
    Rect bounds;  // empty for controls without presence on the screen
    bool shown;
    bool tab_stop;
    int timer_period_ms;  // timers only
};

inline constexpr int layout_window_width = 320;
inline constexpr int layout_window_height = 547;
// The window's outer size as the program runs it (the box's right edge is cut off).
inline constexpr int run_window_width = 317;
inline constexpr int run_window_height = 547;

// Creation order; it also breaks ties of the initial focus (the later control wins).
inline constexpr std::array<ControlLayout, 6> main_window_layout{{
    {L"按钮2", ControlKind::push_button, {169, 488, 169 + 144, 488 + 55}, true, true, 0},
    {L"标签1", ControlKind::label, {0, 480, 168, 480 + 64}, true, false, 0},
    {L"时钟1", ControlKind::timer, {}, false, false, 100},
    {L"声音同步时钟", ControlKind::timer, {}, false, false, 0},
    {L"动画物体", ControlKind::sprite_template, {}, false, false, 0},
    {L"动画框", ControlKind::animation_box, {0, 0, 320, 480}, true, true, 0},
}};

// One ASCII alias per control, in the order above.
enum ControlIndex : int {
    close_button = 0,     // 按钮2
    credits_label = 1,    // 标签1
    hover_timer = 2,      // 时钟1
    sound_sync_timer = 3, // 声音同步时钟
    sprite_template = 4,  // 动画物体
    animation_box = 5,    // 动画框
};

// Top-left corner that centres the layout size on a screen (integer division).
inline constexpr int centred_origin(int screen_extent, int window_extent) {
    return (screen_extent - window_extent) / 2;
}

// The control that receives the focus when the window itself gets it: the shown tab stop
// (all tab orders are equal), the later one in creation order on a tie.
int initial_focus_control();

// The next tab stop after `current` (or before it when backwards), wrapping around.
int next_tab_stop(int current, bool backwards);

}  // namespace pawlet
