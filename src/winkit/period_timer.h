#pragma once

namespace pawlet {

// The period rule of the window's timers. set_period() says what the platform timer must do.
class PeriodTimer {
public:
    enum class Change {
        none,     // leave the platform timer as it is
        stop,     // kill the running platform timer
        restart,  // (re)arm the platform timer with period(); setting it again replaces a running one
    };

    // Negative periods count as 0. The same period leaves a running count alone; a new period
    // cancels the count and, above 0, starts a fresh one; 0 leaves the timer stopped.
    Change set_period(int milliseconds);
    int period() const { return period_; }
    bool running() const { return period_ > 0; }

private:
    int period_ = 0;
};

}  // namespace pawlet
