// The window timers' period rule on real WM_TIMER ticks.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <vector>

#include "winkit/window_timer_win.h"

namespace pawlet {
namespace {

struct TickRecorder {
    HWND window = nullptr;
    std::vector<ULONGLONG> ticks;

    TickRecorder() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
            if (m == WM_TIMER) {
                auto* self = reinterpret_cast<TickRecorder*>(GetWindowLongPtrW(w, GWLP_USERDATA));
                self->ticks.push_back(GetTickCount64());
                return 0;
            }
            return DefWindowProcW(w, m, wp, lp);
        };
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TimerTestWindow";
        RegisterClassW(&wc);
        window = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 wc.hInstance, nullptr);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~TickRecorder() { DestroyWindow(window); }

    // Runs the message loop for `ms`; `at_half` runs once, half-way through.
    void pump(DWORD ms, const std::function<void()>& at_half = {}) {
        const ULONGLONG end = GetTickCount64() + ms;
        bool halfway_done = !at_half;
        for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
            if (!halfway_done && now >= end - ms / 2) {
                at_half();
                halfway_done = true;
            }
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
            MSG m;
            while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
        }
    }
};

TEST(WindowTimer, RunsAtItsPeriodAndStopsAtZeroOrBelow) {
    TickRecorder rec;
    WindowTimer timer(rec.window, 7);
    EXPECT_EQ(timer.period(), 0);
    rec.pump(300);
    EXPECT_TRUE(rec.ticks.empty()) << "a timer with period 0 is stopped";

    timer.set_period(100);
    rec.pump(1050);
    EXPECT_GE(rec.ticks.size(), 7u);
    EXPECT_LE(rec.ticks.size(), 11u);

    timer.set_period(-5);
    EXPECT_EQ(timer.period(), 0);
    rec.ticks.clear();
    rec.pump(400);
    EXPECT_TRUE(rec.ticks.empty()) << "a negative period stops the timer";
}

TEST(WindowTimer, SamePeriodKeepsTheCountAndANewPeriodRestartsIt) {
    TickRecorder rec;
    WindowTimer timer(rec.window, 8);
    timer.set_period(400);
    // Rewriting 400 every 100 ms must not push the tick back: it still comes after ~400 ms.
    const ULONGLONG start = GetTickCount64();
    for (int i = 0; i < 6 && rec.ticks.empty(); ++i) {
        rec.pump(100);
        timer.set_period(400);
    }
    ASSERT_FALSE(rec.ticks.empty()) << "rewriting the same period delayed the tick";
    EXPECT_LT(rec.ticks.front() - start, 650u);

    // A new period restarts the count from the write.
    rec.ticks.clear();
    rec.pump(300);  // part of a 400 ms count has passed
    const ULONGLONG written = GetTickCount64();
    timer.set_period(500);
    rec.pump(700);
    ASSERT_FALSE(rec.ticks.empty());
    EXPECT_GE(rec.ticks.front() - written, 450u) << "the old count went on";
}

}  // namespace
}  // namespace pawlet
