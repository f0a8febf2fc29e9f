// Picking the frames of an action's strip: what counts as a change, and the even spread.
#include <gtest/gtest.h>

#include <vector>

#include "cairo_handles.h"
#include "change_picker.h"

namespace pawlet::art {
namespace {

// A 10 x 10 grey picture with `marked` of its pixels painted black.
Surface picture(int marked) {
    Surface s = make_surface(10, 10);
    Context cr = make_context(s.get());
    cairo_set_source_rgb(cr.get(), 0.5, 0.5, 0.5);
    cairo_paint(cr.get());
    cairo_set_source_rgb(cr.get(), 0, 0, 0);
    for (int i = 0; i < marked; ++i) cairo_rectangle(cr.get(), i % 10, i / 10, 1, 1);
    cairo_fill(cr.get());
    return s;
}

TEST(ChangePicker, CountsOnlyVisiblyChangedPixels) {
    Surface a = picture(0), b = picture(3), faint = make_surface(10, 10);
    Context cr = make_context(faint.get());
    cairo_set_source_rgb(cr.get(), 0.52, 0.5, 0.5);  // 5 of 255 off: not visible
    cairo_paint(cr.get());
    EXPECT_EQ(changed_share(a.get(), a.get()), 0.0);
    EXPECT_DOUBLE_EQ(changed_share(a.get(), b.get()), 0.03);
    EXPECT_EQ(changed_share(a.get(), faint.get()), 0.0);
}

TEST(ChangePicker, LeavesOutTheRestingEndsAndStillFramesAndSpreadsALongRun) {
    std::vector<Surface> owned;
    for (int marked : {0, 10, 10, 20, 30, 30, 0}) owned.push_back(picture(marked));
    std::vector<cairo_surface_t*> frames;
    for (const Surface& s : owned) frames.push_back(s.get());
    EXPECT_EQ(frames_that_change(frames, 12), (std::vector<std::size_t>{1, 3, 4}));

    owned.clear();
    frames.clear();
    for (int k = 0; k < 22; ++k) owned.push_back(picture(k % 2 ? 0 : 40));
    for (const Surface& s : owned) frames.push_back(s.get());
    EXPECT_EQ(frames_that_change(frames, 5), (std::vector<std::size_t>{1, 5, 10, 15, 20}));
}

}  // namespace
}  // namespace pawlet::art
