#pragma once
#include <array>
#include <cstdint>

namespace pawlet {

class ActionEngine;

// A rectangle on the cat with exclusive bounds: a point is inside when
// x_low < x < x_high and y_low < y < y_high.
struct TouchRegion {
    int number;  // 1..17, the region's place in touch_regions
    int x_low, x_high, y_low, y_high;
    int action;              // action a press starts
    int alternative_action;  // nonzero: a press picks action or this one, evenly at random
};

bool region_contains(const TouchRegion& region, int x, int y);

// The regions in the order presses are tested; touch_regions[n - 1] is region n. Bounds are in
// the animation box's client coordinates (pixels of its background picture).
extern const std::array<TouchRegion, 17> touch_regions;

// First region of touch_regions holding the client point (x, y), or null.
const TouchRegion* find_touch_region(int x, int y);

// Action a press inside `region` starts; the mouth draws drink or eat after reseeding from
// tick_count.
int pick_region_action(const TouchRegion& region, std::uint64_t tick_count);

// Handler of the animation box's left-button press at client (x, y). Presses while an action is
// busy are dropped, not queued; presses outside every region do nothing. `keys` (Ctrl, Shift,
// Alt) is ignored; tick_count is the system's millisecond tick count at the press.
void dispatch_touch(ActionEngine& engine, int x, int y, int keys, std::uint64_t tick_count);

}  // namespace pawlet
