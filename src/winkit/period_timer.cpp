#include "winkit/period_timer.h"

namespace pawlet {

PeriodTimer::Change PeriodTimer::set_period(int milliseconds) {
    const int period = milliseconds < 0 ? 0 : milliseconds;
    if (period == period_) return Change::none;
    period_ = period;
    // The old period differs, so with a new period of 0 the timer was running before.
    return period > 0 ? Change::restart : Change::stop;
}

}  // namespace pawlet
