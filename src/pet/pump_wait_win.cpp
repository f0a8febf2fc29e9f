#include "pet/pump_wait_win.h"

#include <windows.h>

#include <algorithm>

#include "pet/pump_wait_calls_win.h"
#include "winkit/handles_win.h"
#include "winkit/message_pump_win.h"

namespace pawlet {
namespace {

// QS_KEY | QS_MOUSEMOVE | QS_MOUSEBUTTON | QS_POSTMESSAGE | QS_TIMER | QS_PAINT | QS_SENDMESSAGE
// | QS_HOTKEY: every kind of input wakes the wait.
constexpr DWORD any_input = 0xFF;

// Without any working wait the thread sleeps in slices this long and dispatches in between.
constexpr DWORD sleep_slice_ms = 10;

PumpWaitCalls g_calls = system_pump_wait_calls();

// The end of the wait on the tick clock. The waitable timer keeps the exact count; this is for
// the ways out that cannot use it, so that those waits still end on time.
class Deadline {
public:
    explicit Deadline(int milliseconds)
        : end_(GetTickCount64() + static_cast<ULONGLONG>(std::max(milliseconds, 0))) {}

    DWORD remaining() const {
        const ULONGLONG now = GetTickCount64();
        return now >= end_ ? 0 : static_cast<DWORD>(end_ - now);
    }

private:
    ULONGLONG end_;
};

KernelHandle arm_one_shot_timer(int milliseconds) {
    KernelHandle timer(g_calls.create_waitable_timer(nullptr, FALSE, nullptr));
    if (!timer) return timer;
    LARGE_INTEGER due;  // relative, in 100 ns units
    due.QuadPart = static_cast<LONGLONG>(static_cast<double>(milliseconds) * -10000.0);
    if (!g_calls.set_waitable_timer(timer.get(), &due, 0, nullptr, nullptr, FALSE)) timer.reset();
    return timer;
}

// With a quit message queued, the message wait would report it again and again (the queue
// keeps saying posted input is there) while nothing can be dispatched past it, so the rest of
// the wait is slept on the timer alone; the quit stays queued for the outer loop.
void sleep_out(HANDLE timer, const Deadline& deadline) {
    if (timer && WaitForSingleObject(timer, INFINITE) == WAIT_OBJECT_0) return;
    Sleep(deadline.remaining());
}

// How the wait sleeps; a failed wait moves on to the next way, never back.
enum class Sleeper { timer_or_input, timeout_or_input, slices };

}  // namespace

PumpWaitCalls system_pump_wait_calls() {
    return {&CreateWaitableTimerA, &SetWaitableTimer, &MsgWaitForMultipleObjects};
}

void set_pump_wait_calls(const PumpWaitCalls& calls) { g_calls = calls; }

void pump_wait(int milliseconds, bool (*return_early)(const void* context), const void* context) {
    const Deadline deadline(milliseconds);
    KernelHandle timer = arm_one_shot_timer(milliseconds);
    // Without a timer the wait counts down on the tick clock instead.
    Sleeper sleeper = timer ? Sleeper::timer_or_input : Sleeper::timeout_or_input;

    for (;;) {
        DWORD result = WAIT_TIMEOUT;
        switch (sleeper) {
        case Sleeper::timer_or_input: {
            const HANDLE handles[] = {timer.get()};
            result = g_calls.msg_wait_for_multiple_objects(1, handles, FALSE, INFINITE, any_input);
            if (result == WAIT_OBJECT_0) return;
            break;
        }
        case Sleeper::timeout_or_input:
            // With no handles, WAIT_OBJECT_0 means input.
            result = g_calls.msg_wait_for_multiple_objects(0, nullptr, FALSE, deadline.remaining(),
                                                           any_input);
            if (result == WAIT_TIMEOUT) return;
            break;
        case Sleeper::slices:
            Sleep(std::min(sleep_slice_ms, deadline.remaining()));
            break;
        }
        if (result == WAIT_FAILED && sleeper != Sleeper::slices) {
            sleeper = sleeper == Sleeper::timer_or_input ? Sleeper::timeout_or_input : Sleeper::slices;
        }

        const bool quit_pending = dispatch_pending_messages();
        if (return_early && return_early(context)) return;
        if (quit_pending) {
            sleep_out(sleeper == Sleeper::timer_or_input ? timer.get() : nullptr, deadline);
            return;
        }
        if (sleeper != Sleeper::timer_or_input && deadline.remaining() == 0) return;
    }
}

}  // namespace pawlet
