#include "input/touch_regions.h"

#include <gtest/gtest.h>

#include <map>

#include "pet/action_engine.h"
#include "virtual_clock_host.h"

namespace pawlet {
namespace {

using testing::VirtualClockHost;

// The action a single press at (x, y) starts on an idle engine, or 0.
int action_of_press(int x, int y, int keys = 0, std::uint64_t tick = 0) {
    VirtualClockHost host;
    ActionEngine engine(host);
    dispatch_touch(engine, x, y, keys, tick);
    EXPECT_EQ(engine.action_busy(), engine.current_action() != 0);
    return engine.current_action();
}

bool starts_region_action(const TouchRegion& region, int action) {
    return action == region.action ||
           (region.alternative_action != 0 && action == region.alternative_action);
}

TEST(TouchRegions, EachRegionStartsItsAction) {
    // Region n starts expected[n - 1]; the mouth (region 4) draws 4 or 5.
    const int expected[17] = {1, 3, 2, 4, 6, 7, 8, 13, 10, 11, 12, 12, 14, 9, 15, 16, 17};
    for (const auto& region : touch_regions) {
        EXPECT_EQ(&region - touch_regions.data() + 1, region.number);
        EXPECT_EQ(region.action, expected[region.number - 1]) << "region " << region.number;
        EXPECT_EQ(region.alternative_action, region.number == 4 ? 5 : 0);
    }
}

TEST(TouchRegions, PressJustInsideEachEdgeStartsAndOnEachBoundDoesNot) {
    for (const auto& r : touch_regions) {
        SCOPED_TRACE(r.number);
        const int mid_x = (r.x_low + r.x_high) / 2;
        const int mid_y = (r.y_low + r.y_high) / 2;
        const int inside[4][2] = {
            {r.x_low + 1, mid_y}, {r.x_high - 1, mid_y}, {mid_x, r.y_low + 1}, {mid_x, r.y_high - 1}};
        const int on_bound[4][2] = {
            {r.x_low, mid_y}, {r.x_high, mid_y}, {mid_x, r.y_low}, {mid_x, r.y_high}};
        for (const auto& p : inside) {
            EXPECT_TRUE(starts_region_action(r, action_of_press(p[0], p[1])))
                << "(" << p[0] << ", " << p[1] << ")";
        }
        // The corners just inside belong to the region too.
        EXPECT_EQ(find_touch_region(r.x_low + 1, r.y_low + 1), &r);
        EXPECT_EQ(find_touch_region(r.x_high - 1, r.y_high - 1), &r);
        for (const auto& p : on_bound) {
            EXPECT_EQ(action_of_press(p[0], p[1]), 0) << "(" << p[0] << ", " << p[1] << ")";
        }
    }
}

TEST(TouchRegions, RegionsNeitherOverlapNorLeaveTheCat) {
    std::map<int, int> reachable;
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 320; ++x) {
            int hits = 0;
            for (const auto& r : touch_regions) hits += region_contains(r, x, y) ? 1 : 0;
            ASSERT_LE(hits, 1) << "(" << x << ", " << y << ")";
            if (const TouchRegion* r = find_touch_region(x, y)) {
                EXPECT_TRUE(x >= 74 && x <= 237 && y >= 108 && y <= 463)
                    << "(" << x << ", " << y << ")";
                ++reachable[r->action];
                if (r->alternative_action) ++reachable[r->alternative_action];
            }
        }
    }
    for (int action = 1; action <= 17; ++action) EXPECT_GT(reachable[action], 0) << action;
}

TEST(TouchRegions, SeamsAndOutsidePressesStartNothing) {
    for (int x = 164; x <= 183; ++x) EXPECT_EQ(action_of_press(x, 440), 0) << x;
    const int outside[][2] = {{0, 0}, {170, 440}, {91, 300}, {122, 300}, {319, 479}, {-5, 300}};
    for (const auto& p : outside) {
        EXPECT_EQ(action_of_press(p[0], p[1]), 0) << "(" << p[0] << ", " << p[1] << ")";
    }
}

TEST(TouchRegions, BothEyesStartPie) {
    EXPECT_EQ(action_of_press(130, 155), 12);
    EXPECT_EQ(action_of_press(190, 155), 12);
}

TEST(TouchRegions, ModifierKeysChangeNothing) {
    for (int keys = 0; keys <= 7; ++keys) {
        EXPECT_EQ(action_of_press(160, 360, keys), 14) << keys;
        EXPECT_EQ(action_of_press(92, 300, keys), 1) << keys;
        EXPECT_EQ(action_of_press(91, 300, keys), 0) << keys;
    }
}

TEST(TouchRegions, MouthChoosesDrinkOrEatAboutEvenly) {
    for (std::uint64_t step : {1u, 16u}) {  // Windows' tick often advances in 15.6 ms steps
        SCOPED_TRACE(step);
        std::map<int, int> counts;
        bool neighbours_differ = false;
        int previous = 0;
        for (std::uint64_t i = 0; i < 2000; ++i) {
            const int action = action_of_press(160, 220, 0, 1'234'567 + i * step);
            ++counts[action];
            if (i > 0 && action != previous) neighbours_differ = true;
            previous = action;
        }
        EXPECT_EQ(counts.size(), 2u);
        EXPECT_GT(counts[4], 850);
        EXPECT_GT(counts[5], 850);
        EXPECT_TRUE(neighbours_differ);
    }
}

TEST(TouchRegions, PressesWhileBusyAreDroppedNotQueued) {
    VirtualClockHost host;
    ActionEngine engine(host);
    const auto press = [&](long t, int x, int y) {
        host.at(t, [&engine, x, y, t] { dispatch_touch(engine, x, y, 0, static_cast<std::uint64_t>(t)); });
    };
    press(1000, 160, 360);  // belly: stomach, frames at 1050..2650
    press(1000, 90, 130);   // ear in the same batch: refused, action_busy is already set
    press(1500, 90, 130);
    press(2649, 220, 130);
    press(2700, 90, 130);  // first idle wait after the action: talk
    host.hide_window_at = 2701;
    engine.run_action_loop(0);

    std::vector<std::string> first_frames;
    for (const auto& p : host.pictures) {
        if (p.name.ends_with("0000.jpg") && !p.name.starts_with("blink")) first_frames.push_back(p.name);
    }
    EXPECT_EQ(first_frames, (std::vector<std::string>{"stomach\\cat_stomach0000.jpg",
                                                      "talk\\cat_talk0000.jpg"}));
    ASSERT_EQ(host.timer_writes.size(), 2u);
    EXPECT_EQ(host.timer_writes[1].time, 2700);
}

}  // namespace
}  // namespace pawlet
