// The animation box on the real window system: pointer settings, painting only marked areas,
// and the press event's coordinates.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "cursor_shape.h"
#include "fixtures/cursor_fixture.h"
#include "gdi_call_tracker.h"
#include "shell/animation_box_win.h"
#include "shell/pointer_choice.h"
#include "shell/pointer_win.h"
#include "unit/jpeg_test_encoder.h"

namespace pawlet {
namespace {

using testing::cursor_shape;
using testing::GdiCallTracker;

struct TopWindow {
    HWND window = nullptr;
    TopWindow() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"BoxTestHost";
        RegisterClassW(&wc);
        window = CreateWindowExW(0, L"BoxTestHost", L"box test", WS_POPUP | WS_VISIBLE, 50, 50, 320,
                                 480, nullptr, nullptr, wc.hInstance, nullptr);
    }
    ~TopWindow() { DestroyWindow(window); }
};

std::unique_ptr<AnimationBox> make_box(HWND parent) {
    return AnimationBox::create(parent, RECT{0, 0, 320, 480}, {});
}

TEST(AnimationBoxPointer, SettingsGiveHandCursorOrArrow) {
    TopWindow top;
    auto box = make_box(top.window);
    ASSERT_TRUE(box);
    ASSERT_NE(hand_pointer(), nullptr) << "no hand cursor group among the resources";
    EXPECT_EQ(box->pointer(), hand_pointer()) << "the box starts with the hand";
    const auto ours = cursor_shape(hand_pointer());
    ASSERT_TRUE(ours);
    EXPECT_EQ(ours->width, hand_pointer_side) << "our own hand, not the system's";
    EXPECT_EQ(ours->height, hand_pointer_side);
    EXPECT_EQ(ours->hotspot_x, hand_pointer_hotspot_x);
    EXPECT_EQ(ours->hotspot_y, hand_pointer_hotspot_y);

    const std::vector<std::uint8_t> file = fixtures::make_cursor_file(128, 68, 55);
    ASSERT_EQ(file.size(), 19518u);
    box->set_pointer(file);
    const auto made = cursor_shape(box->pointer());
    ASSERT_TRUE(made);
    EXPECT_EQ(made->hotspot_x, 68);
    EXPECT_EQ(made->hotspot_y, 55);
    EXPECT_EQ(made->width, 128) << "not scaled to the system's pointer size";
    EXPECT_EQ(made->height, 128);

    const std::uint8_t zero[4] = {0, 0, 0, 0};
    box->set_pointer(zero);
    EXPECT_EQ(box->pointer(), nullptr) << "the number 0 means the arrow";

    std::vector<std::uint8_t> broken = file;
    broken[2] = 1;  // an icon, not a cursor
    box->set_pointer(broken);
    EXPECT_EQ(box->pointer(), nullptr);

    const std::uint8_t hand[4] = {14, 0, 0, 0};
    box->set_pointer(hand);
    EXPECT_EQ(box->pointer(), hand_pointer());
}

TEST(AnimationBoxPointer, EachSettingReleasesThePreviousPointer) {
    GdiCallTracker gdi;
    TopWindow top;
    auto box = make_box(top.window);
    ASSERT_TRUE(box);
    const std::vector<std::uint8_t> file = fixtures::make_cursor_file(128, 10, 20);
    box->set_pointer(file);
    HCURSOR first = box->pointer();
    ASSERT_TRUE(cursor_shape(first));
    box->set_pointer(file);
    EXPECT_NE(box->pointer(), first);
    EXPECT_FALSE(cursor_shape(first)) << "the pointer of the previous setting was not destroyed";

    // A thousand settings, as ten minutes of hover ticks make, keep one cursor alive.
    for (int i = 0; i < 1000; ++i) box->set_pointer(file);
    EXPECT_EQ(gdi.live_cursors(), 1u);
    const std::uint8_t hand[4] = {14, 0, 0, 0};
    box->set_pointer(hand);
    EXPECT_EQ(gdi.live_cursors(), 0u) << "the hand is shared: the file's pointer is released";
    box.reset();
    for (const std::string& fault : gdi.faults()) ADD_FAILURE() << fault;
}

TEST(AnimationBoxSurface, ReleasesItsBitmapAndDcWithNothingStillSelected) {
    GdiCallTracker gdi;
    {
        TopWindow top;
        auto box = make_box(top.window);
        ASSERT_TRUE(box);
        ShowWindow(box->window(), SW_SHOW);
        UpdateWindow(box->window());
        EXPECT_EQ(gdi.live_objects(), 2u) << "one memory DC and one DIB section";
        box->set_pointer(fixtures::make_cursor_file(128, 1, 1));
    }
    EXPECT_EQ(gdi.live_objects(), 0u);
    EXPECT_EQ(gdi.live_cursors(), 0u);
    for (const std::string& fault : gdi.faults()) ADD_FAILURE() << fault;
}

TEST(AnimationBoxGeometry, StaticEdgeLeavesAClientAreaOf318By478) {
    TopWindow top;
    auto box = make_box(top.window);
    ASSERT_TRUE(box);
    RECT client;
    GetClientRect(box->window(), &client);
    EXPECT_EQ(client.right, 318);
    EXPECT_EQ(client.bottom, 478);
    POINT origin{0, 0};
    MapWindowPoints(box->window(), top.window, &origin, 1);
    EXPECT_EQ(origin.x, 1);
    EXPECT_EQ(origin.y, 1);
}

COLORREF pixel_on_screen(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return c;
}

std::vector<std::uint8_t> solid_jpeg(int width, int height, testing::Rgb colour) {
    return testing::encode_jpeg(width, height, [colour](int, int) { return colour; });
}

bool close_to(COLORREF c, int r, int g, int b) {
    return std::abs(GetRValue(c) - r) < 24 && std::abs(GetGValue(c) - g) < 24 && std::abs(GetBValue(c) - b) < 24;
}

TEST(AnimationBoxPainting, PicturesReachTheScreenOnlyAtTheNextPaint) {
    TopWindow top;
    auto box = make_box(top.window);
    ASSERT_TRUE(box);
    ShowWindow(box->window(), SW_SHOW);
    UpdateWindow(box->window());
    const int id = box->create_sprite(0, 0);
    const COLORREF before = pixel_on_screen(box->window(), 10, 10);

    box->set_sprite_picture(id, solid_jpeg(40, 30, {250, 0, 0}));
    RECT pending{};
    ASSERT_TRUE(GetUpdateRect(box->window(), &pending, FALSE));
    EXPECT_EQ(pending.left, 0);
    EXPECT_EQ(pending.top, 0);
    EXPECT_EQ(pending.right, 40) << "only the sprite's area is marked";
    EXPECT_EQ(pending.bottom, 30);
    EXPECT_EQ(pixel_on_screen(box->window(), 10, 10), before) << "nothing paints inside the call";

    box->set_sprite_picture(id, solid_jpeg(40, 30, {0, 0, 250}));
    UpdateWindow(box->window());
    EXPECT_TRUE(close_to(pixel_on_screen(box->window(), 10, 10), 0, 0, 250)) << "the second picture shows";

    box->set_sprite_picture(id, std::vector<std::uint8_t>{0xFF, 0xD8, 0xFF});  // undecodable
    UpdateWindow(box->window());
    EXPECT_EQ(box->sprites().sprite_picture(id), nullptr);
    EXPECT_EQ(pixel_on_screen(box->window(), 10, 10), before) << "a blank sprite shows the background";

    box->set_sprite_picture(id + 1, solid_jpeg(40, 30, {0, 250, 0}));  // names no sprite
    EXPECT_FALSE(GetUpdateRect(box->window(), &pending, FALSE));
}

TEST(AnimationBoxPainting, FramesOfOneSizeAreDecodedIntoOneBuffer) {
    TopWindow top;
    auto box = make_box(top.window);
    ASSERT_TRUE(box);
    const int id = box->create_sprite(0, 0);
    box->set_sprite_picture(id, solid_jpeg(40, 30, {250, 0, 0}));
    const Picture* first = box->sprites().sprite_picture(id);
    ASSERT_NE(first, nullptr);
    const std::uint32_t* buffer = first->pixels.data();

    box->set_sprite_picture(id, solid_jpeg(40, 30, {0, 0, 250}));
    const Picture* second = box->sprites().sprite_picture(id);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->pixels.data(), buffer) << "the second frame took new pixel memory";
    EXPECT_GT(second->pixels[0] & 0xFFu, 200u) << "the second frame's blue is in the buffer";
}

// Successive frames mostly differ in a small part: only that part is repainted, and a frame equal
// to the one shown repaints nothing.
TEST(AnimationBoxPainting, AFrameMarksOnlyWhereItDiffersFromTheLastOne) {
    TopWindow top;
    auto box = make_box(top.window);
    ASSERT_TRUE(box);
    ShowWindow(box->window(), SW_SHOW);
    const auto frame = [](bool with_patch) {
        return testing::encode_jpeg(320, 480, [with_patch](int x, int y) -> testing::Rgb {
            if (with_patch && x >= 150 && x < 170 && y >= 200 && y < 212) return {250, 0, 0};
            return {static_cast<std::uint8_t>(x * 255 / 320), 90, static_cast<std::uint8_t>(y * 255 / 480)};
        });
    };
    const int id = box->create_sprite(0, 0);
    box->set_sprite_picture(id, frame(false));
    UpdateWindow(box->window());

    box->set_sprite_picture(id, frame(false));
    RECT pending{};
    EXPECT_FALSE(GetUpdateRect(box->window(), &pending, FALSE)) << "the same frame again repainted";

    box->set_sprite_picture(id, frame(true));
    ASSERT_TRUE(GetUpdateRect(box->window(), &pending, FALSE));
    // Lossy coding spreads a change over the 16 x 16 blocks around it, no further.
    EXPECT_TRUE(pending.left <= 150 && pending.top <= 200 && pending.right >= 170 && pending.bottom >= 212 &&
                pending.left >= 134 && pending.top >= 184 && pending.right <= 186 && pending.bottom <= 228)
        << "marked (" << pending.left << "," << pending.top << ")-(" << pending.right << ","
        << pending.bottom << ")";
    UpdateWindow(box->window());
    EXPECT_TRUE(close_to(pixel_on_screen(box->window(), 160, 206), 250, 0, 0)) << "the patch shows";
}

TEST(AnimationBoxPress, RaisesThePressWithClientCoordinatesOncePerDoubleClick) {
    TopWindow top;
    auto box = make_box(top.window);
    ASSERT_TRUE(box);
    std::vector<POINT> presses;
    box->on_press([&](int x, int y, int) { presses.push_back({x, y}); });
    SendMessageW(box->window(), WM_LBUTTONDOWN, 0, MAKELPARAM(0, 0));
    SendMessageW(box->window(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(0, 0));
    SendMessageW(box->window(), WM_RBUTTONDOWN, 0, MAKELPARAM(5, 5));
    ASSERT_EQ(presses.size(), 1u);
    EXPECT_EQ(presses[0].x, 0);
    EXPECT_EQ(presses[0].y, 0);
    EXPECT_TRUE(GetClassLongPtrW(box->window(), GCL_STYLE) & CS_DBLCLKS)
        << "without CS_DBLCLKS a quick second press would arrive as another press";
}

}  // namespace
}  // namespace pawlet
