// The actions as scripted scenes, before any drawing: which foot reacts, and props that come and
// go whole rather than fading in or out.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "frame_set.h"
#include "input/touch_regions.h"
#include "pet/action_catalogue.h"

namespace pawlet::art {
namespace {

TEST(FootActions, TheFootThatRisesIsTheOneUnderTheRegionThatStartsTheAction) {
    for (const TouchRegion& region : touch_regions) {
        if (region.action != 7 && region.action != 8) continue;
        SCOPED_TRACE(action_name(region.action));
        double lifted[2] = {0, 0};
        for (const Frame& f : frames_of(region.action)) {
            for (int side = 0; side < 2; ++side) lifted[side] = std::max(lifted[side], f.scene.pose.foot_lift[side]);
        }
        const int side = lifted[1] > lifted[0] ? 1 : 0;
        EXPECT_GT(lifted[side], 30.0);
        EXPECT_EQ(lifted[1 - side], 0.0) << "both feet rise";
        EXPECT_GT(rest_foot[side].x, region.x_low);
        EXPECT_LT(rest_foot[side].x, region.x_high);
    }
}

TEST(HeldProps, AreShownWholeOrNotAtAllInEveryFrame) {
    // Props arrive and leave along a path; a half-transparent one shows the cat through it.
    for (int action = first_action_number; action <= last_action_number; ++action) {
        for (const Frame& f : frames_of(action)) {
            SCOPED_TRACE(f.relative_name);
            const Props& p = f.scene.props;
            for (double shown : {p.cymbals, p.carton, p.bowl, p.fish}) EXPECT_TRUE(shown == 0 || shown == 1) << shown;
        }
    }
}

TEST(HeldProps, EnterAndLeaveFromOutsideThePicture) {
    // The first and last frames that show each prop hold it far from the paws: on its way.
    struct Case {
        int action;
        double Props::*shown;
        Point Props::*offset;
    };
    const Case cases[] = {{4, &Props::carton, &Props::carton_offset}, {4, &Props::bowl, &Props::bowl_offset},
                          {5, &Props::fish, &Props::fish_offset}};
    for (const Case& c : cases) {
        std::vector<Point> offsets;
        for (const Frame& f : frames_of(c.action)) {
            if (f.scene.props.*c.shown > 0) offsets.push_back(f.scene.props.*c.offset);
        }
        ASSERT_GE(offsets.size(), 2u);
        for (const Point& o : {offsets.front(), offsets.back()}) EXPECT_GT(std::hypot(o.x, o.y), 120.0);
    }
    double first_slide = 0, last_slide = 0;
    bool seen = false;
    for (const Frame& f : frames_of(3)) {
        if (f.scene.props.cymbals == 0) continue;
        if (!seen) first_slide = f.scene.props.cymbal_slide;
        last_slide = f.scene.props.cymbal_slide;
        seen = true;
    }
    EXPECT_GT(first_slide, 0.3);
    EXPECT_GT(last_slide, 0.3);
}

}  // namespace
}  // namespace pawlet::art
