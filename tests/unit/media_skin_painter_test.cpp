#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "media/skin_painter.h"

namespace pawlet {
namespace {

constexpr std::uint32_t background = 0xFF102030;

struct Pixels {
    int width, height;
    std::vector<std::uint32_t> data;
    Pixels(int w, int h) : width(w), height(h), data(static_cast<std::size_t>(w * h), background) {}
    PixelView view() { return {data.data(), width, height}; }
    std::uint32_t at(int x, int y) const { return data[static_cast<std::size_t>(y * width + x)] & 0xFFFFFF; }
};

Skin plain_skin() {
    Skin s;
    s.face = {FillKind::gradient, 0, 0, 0x000000, 0xFFFFFF};
    s.label_back = {FillKind::solid, 0, 0, 0x336699, 0};
    s.corner_radius = 8;
    s.border_width = 2;
    s.focus_ring = 0xFF0000;
    for (auto& face : s.button) face = {{FillKind::solid, 0, 0, 0x00FF00, 0}, 0x0000FF, 0};
    s.button[button_pressed].fill = {FillKind::solid, 0, 0, 0xFFFF00, 0};
    return s;
}

TEST(SkinPainter, ButtonHasRoundCornersABorderAndTheFaceOfItsState) {
    const Skin skin = plain_skin();
    Pixels p(40, 30);
    paint_button(p.view(), Rect{0, 0, 40, 30}, skin, button_normal, false);
    EXPECT_EQ(p.at(0, 0), background & 0xFFFFFF) << "outside the rounded corner";
    EXPECT_EQ(p.at(20, 0), 0x0000FFu) << "border";
    EXPECT_EQ(p.at(39, 15), 0x0000FFu) << "border";
    EXPECT_EQ(p.at(20, 15), 0x00FF00u) << "face";
    int smoothed = 0;  // pixels of the corner that the curve covers only partly
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) smoothed += p.at(x, y) != (background & 0xFFFFFF) && p.at(x, y) != 0x0000FFu;
    EXPECT_GT(smoothed, 3) << "the corner is smoothed";

    paint_button(p.view(), Rect{0, 0, 40, 30}, skin, button_pressed, false);
    EXPECT_EQ(p.at(20, 15), 0xFFFF00u) << "the pressed face";
    paint_button(p.view(), Rect{0, 0, 40, 30}, skin, button_pressed, true);
    EXPECT_NE(p.at(20, 5), 0xFFFF00u) << "the Aero highlight over the top half";
}

TEST(SkinPainter, FillsFollowTheirKind) {
    Skin skin = plain_skin();
    // A 4 x 4 picture: opaque red corners of 1 pixel, a transparent middle.
    std::vector<std::uint8_t> picture(4 * 4 * 4, 0);
    for (int i : {0, 3, 12, 15}) {
        picture[static_cast<std::size_t>(i * 4 + 2)] = 0xFF;
        picture[static_cast<std::size_t>(i * 4 + 3)] = 0xFF;
    }
    skin.pictures[0] = {4, 4, picture};
    skin.picture_count = 1;

    Pixels p(10, 10);
    paint_fill(p.view(), Rect{0, 0, 10, 10}, skin.face, skin);
    EXPECT_EQ(p.at(3, 0), 0x000000u) << "gradient: first colour at the top";
    EXPECT_EQ(p.at(3, 9), 0xFFFFFFu) << "gradient: second colour at the bottom";

    paint_fill(p.view(), Rect{0, 0, 10, 10}, SkinFill{FillKind::tiled, 0, 0, 0x00FF00, 0}, skin);
    EXPECT_EQ(p.at(0, 0), 0xFF0000u);
    EXPECT_EQ(p.at(4, 4), 0xFF0000u) << "repeated every 4 pixels";
    EXPECT_EQ(p.at(1, 1), 0x00FF00u) << "clear parts show colour a";

    p = Pixels(10, 10);
    paint_fill(p.view(), Rect{0, 0, 10, 10}, SkinFill{FillKind::stretched, 0, 1, 0, 0}, skin);
    EXPECT_EQ(p.at(0, 0), 0xFF0000u);
    EXPECT_EQ(p.at(9, 9), 0xFF0000u) << "corners stay in the corners";
    EXPECT_EQ(p.at(5, 5), background & 0xFFFFFF) << "a clear middle leaves what was there";
}

TEST(SkinPainter, PaintsOnlyInsideTheView) {
    const Skin skin = plain_skin();
    Pixels p(10, 10);
    paint_window_face(p.view(), Rect{-50, -50, 100, 100}, skin, true);
    paint_button(p.view(), Rect{5, 5, 60, 60}, skin, button_hot, true);
    paint_focus_ring(p.view(), Rect{-20, -20, 8, 8}, skin);
    paint_label_back(p.view(), Rect{8, -3, 30, 4}, skin);
    EXPECT_EQ(p.at(9, 0), 0x336699u);
}

TEST(SkinPainter, FocusRingIsDottedInsideTheBorder) {
    const Skin skin = plain_skin();
    Pixels p(40, 30);
    paint_focus_ring(p.view(), Rect{0, 0, 40, 30}, skin);
    const int inset = skin.border_width + skin.corner_radius / 3;
    EXPECT_EQ(p.at(inset, inset), 0xFF0000u);
    EXPECT_EQ(p.at(inset + 1, inset), background & 0xFFFFFF) << "dotted";
    EXPECT_EQ(p.at(inset + 2, inset), 0xFF0000u);
    EXPECT_EQ(p.at(20, 15), background & 0xFFFFFF);
}

TEST(SkinPainter, PressedCaptionMovesDownAndRight) {
    const Skin skin = plain_skin();
    const Rect area{0, 0, 100, 40};
    const Rect normal = button_caption_area(area, skin, button_normal);
    const Rect pressed = button_caption_area(area, skin, button_pressed);
    EXPECT_EQ(pressed.left, normal.left + 1);
    EXPECT_EQ(pressed.top, normal.top + 1);
    EXPECT_GT(normal.left, skin.border_width);
}

}  // namespace
}  // namespace pawlet
