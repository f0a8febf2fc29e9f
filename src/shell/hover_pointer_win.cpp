#include "shell/hover_pointer_win.h"

#include "input/hover_cursors.h"
#include "shell/pointer_choice.h"

namespace pawlet {

void HoverPointer::update() {
    // Under Wine, GetCursorPos with a resting pointer costs four wineserver requests and an X
    // round trip; left alone, the pet's pointer is mostly elsewhere on the screen.
    if (away_) return;
    POINT at;
    RECT outer, box;
    if (!GetCursorPos(&at) || !GetWindowRect(window_, &outer)) return;
    const HoverEntry* entry = find_hover_entry(at.x - outer.left, at.y - outer.top);
    const std::span<const std::uint8_t> setting = entry ? files_[entry->cursor] : std::span(hand_pointer_setting);
    // Every spot lies inside the box: off it the choice is the hand, until the pointer comes back
    // over the box, which always moves it there first (a WM_MOUSEMOVE).
    away_ = !entry && GetWindowRect(box_.window(), &box) && !PtInRect(&box, at);
    // The settings are the program's own constant bytes, so the same choice is the same span.
    if (shown_ && shown_->data() == setting.data() && shown_->size() == setting.size()) return;
    box_.set_pointer(setting);
    shown_ = setting;
}

}  // namespace pawlet
