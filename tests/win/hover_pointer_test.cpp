// The hover tick on the real window system: the box's pointer follows the spot under the system
// pointer, from the program's own embedded cursors, and a tick that changes nothing makes nothing.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "cursor_shape.h"
#include "gdi_call_tracker.h"
#include "input/embedded_cursors.h"
#include "shell/animation_box_win.h"
#include "shell/embedded_cursors_win.h"
#include "shell/hover_pointer_win.h"
#include "shell/pointer_choice.h"
#include "shell/pointer_win.h"

// Every allocation of the test program, counted: a tick must not make any. The process heap
// rather than malloc, which GCC would pair with these operators and warn about.
namespace {
long g_allocations = 0;
}  // namespace

void* operator new(std::size_t size) {
    ++g_allocations;
    if (void* p = HeapAlloc(GetProcessHeap(), 0, size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    if (p) HeapFree(GetProcessHeap(), 0, p);
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

namespace pawlet {
namespace {

using testing::GdiCallTracker;

constexpr POINT window_corner{140, 90};

// A frameless main window with the animation box at its origin, as the program lays them out.
struct PetWindow {
    HWND window = nullptr;
    std::unique_ptr<AnimationBox> box;
    PetWindow() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"HoverTestHost";
        RegisterClassW(&wc);
        window = CreateWindowExW(0, L"HoverTestHost", L"hover test", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                                 window_corner.x, window_corner.y, 317, 547, nullptr, nullptr, wc.hInstance, nullptr);
        box = AnimationBox::create(window, RECT{0, 0, 320, 480}, {});
        if (box) ShowWindow(box->window(), SW_SHOW);
        UpdateWindow(window);
    }
    ~PetWindow() {
        box.reset();
        DestroyWindow(window);
    }
    // Puts the system pointer over the box's client point (x, y).
    void point_at_box(int x, int y) const {
        RECT outer;
        GetWindowRect(window, &outer);
        SetCursorPos(outer.left + 1 + x, outer.top + 1 + y);
    }
};

std::string describe(HCURSOR cursor) {
    if (cursor && cursor == hand_pointer()) return "the hand";
    const auto s = testing::cursor_shape(cursor);
    if (!s) return "no pointer";
    return std::to_string(s->width) + "x" + std::to_string(s->height) + " at " + std::to_string(s->hotspot_x) + "," +
           std::to_string(s->hotspot_y);
}

std::string expected(std::optional<EmbeddedCursor> cursor) {
    if (!cursor) return "the hand";
    const auto& facts = embedded_cursors[*cursor];
    return "128x128 at " + std::to_string(facts.hotspot_x) + "," + std::to_string(facts.hotspot_y);
}

bool box_has_area_to_paint(const PetWindow& pet) {
    RECT pending{};
    return GetUpdateRect(pet.box->window(), &pending, FALSE) != FALSE;
}

TEST(HoverPointer, TheProgramCarriesEveryCursorFile) {
    const EmbeddedCursorFiles files = embedded_cursor_files();
    for (std::size_t i = 0; i < files.size(); ++i)
        EXPECT_EQ(files[i].size(), embedded_cursor_file_size) << embedded_cursors[i].name;
}

TEST(HoverPointer, TheBoxShowsTheCursorOfTheSpotUnderThePointer) {
    GdiCallTracker gdi;
    {
        PetWindow pet;
        ASSERT_TRUE(pet.box);
        HoverPointer hover(pet.window, *pet.box, embedded_cursor_files());
        struct Case {
            const char* spot;
            int x, y;  // box position
            std::optional<EmbeddedCursor> cursor;  // none: the hand
        };
        const std::vector<Case> cases = {
            {"belly", 163, 362, cursor_dagger},
            {"left paw's stored left bound, where a press does nothing", 91, 300, cursor_skull},
            {"left paw's last pixel, where a press still counts", 121, 300, std::nullopt},
            {"foot on the viewer's right", 181, 451, cursor_cleaver},
            {"foot on the viewer's left", 133, 452, cursor_cleaver},
            {"left ear", 89, 132, cursor_ok_hand},
            {"alley", 20, 20, std::nullopt},
            {"nose", 163, 188, cursor_beckon},
        };
        for (const Case& c : cases) {
            pet.point_at_box(c.x, c.y);
            hover.update();
            EXPECT_EQ(describe(pet.box->pointer()), expected(c.cursor)) << c.spot;
            EXPECT_EQ(GetCursor(), pet.box->pointer()) << c.spot << ": the new pointer must show at once";
            EXPECT_LE(gdi.live_cursors(), 1u) << c.spot;
            EXPECT_FALSE(box_has_area_to_paint(pet)) << c.spot << ": a pointer change repainted the box";
        }
        pet.point_at_box(-300, 200);  // beside the window
        hover.update();
        EXPECT_EQ(pet.box->pointer(), hand_pointer());
        EXPECT_TRUE(testing::cursor_shape(GetCursor())) << "the thread's current cursor was destroyed";
    }
    EXPECT_EQ(gdi.live_cursors(), 0u);
    for (const std::string& fault : gdi.faults()) ADD_FAILURE() << fault;
}

TEST(HoverPointer, ATickWithAnUnchangedChoiceAllocatesNothingAndMakesNoCursor) {
    GdiCallTracker gdi;
    PetWindow pet;
    ASSERT_TRUE(pet.box);
    HoverPointer hover(pet.window, *pet.box, embedded_cursor_files());
    for (const auto& [x, y] : {std::pair{163, 362}, {20, 20}}) {  // the dagger, then the hand
        pet.point_at_box(x, y);
        hover.update();
        const HCURSOR shown = pet.box->pointer();
        const std::string shape = describe(shown);
        const std::size_t made = gdi.cursors_made();
        const long allocations = g_allocations;
        for (int tick = 0; tick < 1000; ++tick) hover.update();
        EXPECT_EQ(g_allocations - allocations, 0) << "allocations in 1000 unchanged ticks over " << shape;
        EXPECT_EQ(gdi.cursors_made() - made, 0u) << "cursors made in 1000 unchanged ticks over " << shape;
        EXPECT_EQ(pet.box->pointer(), shown);
        EXPECT_FALSE(box_has_area_to_paint(pet));
        std::printf("1000 unchanged ticks over %s: %ld allocations, %zu cursors made\n", shape.c_str(),
                    g_allocations - allocations, gdi.cursors_made() - made);
    }
    // A change of choice makes the one new pointer and releases the old.
    pet.point_at_box(163, 362);
    const std::size_t made = gdi.cursors_made();
    hover.update();
    EXPECT_EQ(gdi.cursors_made() - made, 1u);
    EXPECT_EQ(gdi.live_cursors(), 1u);
    for (const std::string& fault : gdi.faults()) ADD_FAILURE() << fault;
}

TEST(HoverPointer, EachTickReadsTheWindowsCornerAfresh) {
    PetWindow pet;
    ASSERT_TRUE(pet.box);
    HoverPointer hover(pet.window, *pet.box, embedded_cursor_files());
    pet.point_at_box(163, 362);  // the belly
    hover.update();
    ASSERT_EQ(describe(pet.box->pointer()), expected(cursor_dagger));
    // The window moves up under the resting pointer, which now lies over the feet.
    SetWindowPos(pet.window, nullptr, window_corner.x, window_corner.y - 90, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    hover.update();
    EXPECT_EQ(describe(pet.box->pointer()), expected(cursor_cleaver));
    EXPECT_EQ(GetCursor(), pet.box->pointer());
}

// Off the box no spot matches, so after one tick there has found the hand, ticks read nothing
// until the pointer's move over the box (a WM_MOUSEMOVE the box passes on) wakes them.
TEST(HoverPointer, OffTheBoxTicksRestUntilThePointerMovesOverTheBox) {
    PetWindow pet;
    ASSERT_TRUE(pet.box);
    HoverPointer hover(pet.window, *pet.box, embedded_cursor_files());
    bool moved = false;
    pet.box->on_pointer_move([&] {
        moved = true;
        hover.pointer_moved_over_box();
    });
    const auto dispatch_until_moved = [&] {
        moved = false;
        const ULONGLONG give_up = GetTickCount64() + 5000;
        while (!moved && GetTickCount64() < give_up) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        }
        return moved;
    };

    pet.point_at_box(163, 362);  // the belly
    hover.update();
    ASSERT_EQ(describe(pet.box->pointer()), expected(cursor_dagger));
    pet.point_at_box(-300, 200);  // beside the window
    hover.update();
    EXPECT_EQ(pet.box->pointer(), hand_pointer());

    // Back over the belly, with the move not yet dispatched: the tick rests.
    MSG stale;
    while (PeekMessageW(&stale, nullptr, 0, 0, PM_REMOVE)) {}
    pet.point_at_box(163, 362);
    hover.update();
    EXPECT_EQ(pet.box->pointer(), hand_pointer()) << "a tick read the pointer while it was off the box";
    ASSERT_TRUE(dispatch_until_moved()) << "the box heard no move of the pointer over it";
    hover.update();
    EXPECT_EQ(describe(pet.box->pointer()), expected(cursor_dagger));

    // Over the box outside every spot, ticks go on reading: the hand, then the spot moved to.
    pet.point_at_box(20, 20);
    hover.update();
    EXPECT_EQ(pet.box->pointer(), hand_pointer());
    pet.point_at_box(89, 132);  // the left ear
    hover.update();
    EXPECT_EQ(describe(pet.box->pointer()), expected(cursor_ok_hand));
}

}  // namespace
}  // namespace pawlet
