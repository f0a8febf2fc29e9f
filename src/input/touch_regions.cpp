#include "input/touch_regions.h"

#include "pet/action_engine.h"
#include "pet/tick_random.h"

namespace pawlet {

const std::array<TouchRegion, 17> touch_regions{{
    {1, 91, 122, 284, 319, 1, 0},     // left paw: scratch
    {2, 126, 193, 281, 335, 3, 0},    // chest between the paws: cymbal
    {3, 205, 237, 365, 435, 2, 0},    // tail: angry-tail
    {4, 125, 204, 208, 238, 4, 5},    // mouth: drink or eat
    {5, 127, 184, 390, 440, 6, 0},    // lower body: fart
    {6, 163, 200, 440, 464, 7, 0},    // foot on the viewer's right: foot-left
    {7, 115, 153, 442, 464, 8, 0},    // foot on the viewer's left: foot-right
    {8, 140, 188, 177, 200, 13, 0},   // nose: sneeze
    {9, 146, 177, 107, 131, 10, 0},   // top of the head: knockout
    {10, 197, 220, 274, 308, 11, 0},  // right paw: listen
    {11, 115, 146, 139, 170, 12, 0},  // left eye: pie
    {12, 174, 206, 142, 170, 12, 0},  // right eye: pie
    {13, 141, 185, 343, 382, 14, 0},  // belly: stomach
    {14, 82, 121, 177, 220, 9, 0},    // left cheek: happy
    {15, 190, 230, 175, 207, 15, 0},  // right cheek: happy-simple
    {16, 73, 106, 108, 158, 16, 0},   // left ear: talk
    {17, 210, 238, 109, 161, 17, 0},  // right ear: yawn
}};

bool region_contains(const TouchRegion& region, int x, int y) {
    return region.x_low < x && x < region.x_high && region.y_low < y && y < region.y_high;
}

const TouchRegion* find_touch_region(int x, int y) {
    for (const auto& region : touch_regions) {
        if (region_contains(region, x, y)) return &region;
    }
    return nullptr;
}

int pick_region_action(const TouchRegion& region, std::uint64_t tick_count) {
    if (region.alternative_action == 0) return region.action;
    return draw_after_reseed(tick_count, 1, 2) == 1 ? region.action : region.alternative_action;
}

void dispatch_touch(ActionEngine& engine, int x, int y, int /*keys*/, std::uint64_t tick_count) {
    if (engine.action_busy()) return;
    if (const TouchRegion* region = find_touch_region(x, y)) {
        engine.start_action(pick_region_action(*region, tick_count));
    }
}

}  // namespace pawlet
