#include "winkit/window_timer_win.h"

namespace pawlet {

void WindowTimer::set_period(int milliseconds) {
    switch (rule_.set_period(milliseconds)) {
    case PeriodTimer::Change::none:
        break;
    case PeriodTimer::Change::stop:
        KillTimer(window_, id_);
        break;
    case PeriodTimer::Change::restart:
        // SetTimer on a live id replaces its count: the first tick is a full period away.
        SetTimer(window_, id_, static_cast<UINT>(rule_.period()), nullptr);
        break;
    }
}

}  // namespace pawlet
