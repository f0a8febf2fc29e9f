#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>

#include "shell/animation_box_win.h"
#include "shell/embedded_cursors_win.h"

namespace pawlet {

// Keeps the animation box's pointer on the hover cursor of the spot the system pointer rests on:
// the work of each tick of the hover timer.
class HoverPointer {
public:
    // `window` is the main window, whose outer top-left corner the hover position counts from.
    HoverPointer(HWND window, AnimationBox& box, const EmbeddedCursorFiles& files)
        : window_(window), box_(box), files_(files) {}

    // Reads the pointer's position and the window's corner afresh and gives the box the setting
    // for that spot. A tick whose choice is the one the box already shows changes nothing: it
    // makes no pointer, allocates nothing and repaints nothing. Once a tick has found the pointer
    // off the box, where no spot matches and the hand is set, ticks read nothing until the box
    // reports the pointer moving over it again (pointer_moved_over_box).
    void update();

    // The box's WM_MOUSEMOVE: the pointer is over the box, so ticks read it again.
    void pointer_moved_over_box() { away_ = false; }

private:
    HWND window_;
    AnimationBox& box_;
    EmbeddedCursorFiles files_;
    std::optional<std::span<const std::uint8_t>> shown_;  // none before the first setting
    bool away_ = false;  // the pointer was off the box at the last tick and has not come back
};

}  // namespace pawlet
