#pragma once
#include <windows.h>

#include "winkit/period_timer.h"

namespace pawlet {

// A timer of a window (WM_TIMER with `id`), driven by the period rule.
class WindowTimer {
public:
    WindowTimer(HWND window, UINT_PTR id) : window_(window), id_(id) {}
    ~WindowTimer() { set_period(0); }
    WindowTimer(const WindowTimer&) = delete;
    WindowTimer& operator=(const WindowTimer&) = delete;

    void set_period(int milliseconds);
    int period() const { return rule_.period(); }
    UINT_PTR id() const { return id_; }

private:
    HWND window_;
    UINT_PTR id_;
    PeriodTimer rule_;
};

}  // namespace pawlet
