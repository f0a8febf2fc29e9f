// The engine's message-dispatching wait: it lasts its time, dispatches what arrives meanwhile,
// ends early on request, leaves a quit message queued, and never spins or hangs, also when its
// timer or the message wait fails.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "pet/pump_wait_calls_win.h"
#include "pet/pump_wait_win.h"

namespace pawlet {
namespace {

double now_ms() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// User and kernel time the process has used so far.
double cpu_ms() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto to_ms = [](FILETIME t) {
        return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) /
               10000.0;
    };
    return to_ms(kernel) + to_ms(user);
}

// A message-only window that notes when its messages are dispatched.
struct Recorder {
    static constexpr UINT note = WM_APP + 1;
    static constexpr UINT ask_to_end = WM_APP + 2;

    HWND window = nullptr;
    double started = 0;
    std::vector<double> notes;  // ms after `started`
    int timer_ticks = 0;
    bool end_requested = false;

    Recorder() {
        static const ATOM atom = [] {
            WNDCLASSW wc{};
            wc.lpfnWndProc = &Recorder::procedure;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"PumpWaitRecorder";
            return RegisterClassW(&wc);
        }();
        window = CreateWindowExW(0, MAKEINTATOM(atom), L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        started = now_ms();
    }
    ~Recorder() {
        DestroyWindow(window);
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    static LRESULT CALLBACK procedure(HWND w, UINT message, WPARAM wp, LPARAM lp) {
        auto* self = reinterpret_cast<Recorder*>(GetWindowLongPtrW(w, GWLP_USERDATA));
        if (self) {
            if (message == note) self->notes.push_back(now_ms() - self->started);
            if (message == ask_to_end) self->end_requested = true;
            if (message == WM_TIMER) ++self->timer_ticks;
        }
        return DefWindowProcW(w, message, wp, lp);
    }

    static bool end_requested_of(const void* recorder) {
        return static_cast<const Recorder*>(recorder)->end_requested;
    }

    // Posts `message` from another thread `after_ms` from now.
    std::thread post_later(UINT message, int after_ms) {
        return std::thread([w = window, message, after_ms] {
            std::this_thread::sleep_for(std::chrono::milliseconds(after_ms));
            PostMessageW(w, message, 0, 0);
        });
    }
};

struct Measured {
    double elapsed_ms;
    double cpu_ms;
};

Measured measure_wait(int ms, bool (*return_early)(const void*) = nullptr,
                      const void* context = nullptr) {
    const double cpu_before = cpu_ms();
    const double before = now_ms();
    pump_wait(ms, return_early, context);
    return {now_ms() - before, cpu_ms() - cpu_before};
}

// A spinning wait burns about as much CPU as it lasts; a sleeping one next to nothing.
constexpr double spin_limit_ms = 100;

TEST(PumpWait, LastsItsTime) {
    for (int ms : {50, 500}) {
        const Measured m = measure_wait(ms);
        EXPECT_GE(m.elapsed_ms, ms - 2.0) << ms;
        EXPECT_LE(m.elapsed_ms, ms + 250.0) << ms;
    }
}

TEST(PumpWait, DispatchesMessagesAsTheyArriveWithoutEndingTheWait) {
    Recorder recorder;
    SetTimer(recorder.window, 1, 30, nullptr);
    std::thread poster = recorder.post_later(Recorder::note, 100);
    const Measured m = measure_wait(400);
    poster.join();
    KillTimer(recorder.window, 1);

    EXPECT_GE(m.elapsed_ms, 398.0);
    EXPECT_LE(m.elapsed_ms, 650.0);
    ASSERT_EQ(recorder.notes.size(), 1u);
    EXPECT_GE(recorder.notes[0], 95.0);
    EXPECT_LE(recorder.notes[0], 300.0);  // when it arrived, not when the wait ended
    EXPECT_GE(recorder.timer_ticks, 5);
}

TEST(PumpWait, ReturnsSoonAfterTheMessageThatAsksForIt) {
    Recorder recorder;
    std::thread noter = recorder.post_later(Recorder::note, 50);
    std::thread ender = recorder.post_later(Recorder::ask_to_end, 150);
    const Measured m = measure_wait(2000, &Recorder::end_requested_of, &recorder);
    noter.join();
    ender.join();

    EXPECT_EQ(recorder.notes.size(), 1u);  // a message that sets nothing does not end the wait
    EXPECT_GE(m.elapsed_ms, 140.0);
    EXPECT_LE(m.elapsed_ms, 700.0);
}

TEST(PumpWait, QuitStaysQueuedAndTheWaitSleepsToItsEnd) {
    Recorder recorder;
    PostMessageW(recorder.window, Recorder::note, 0, 0);
    PostQuitMessage(7);
    const Measured m = measure_wait(500);

    EXPECT_EQ(recorder.notes.size(), 1u);
    EXPECT_GE(m.elapsed_ms, 480.0);
    EXPECT_LE(m.elapsed_ms, 800.0);
    EXPECT_LT(m.cpu_ms, spin_limit_ms);
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(message.wParam, 7u);
}

// Failing stand-ins for the system calls, and a record of the timer handles handed out.
std::vector<HANDLE> g_timers;
int g_wait_failures_left = 0;
int g_wait_calls = 0;  // a wait that spins calls the message wait thousands of times

HANDLE WINAPI recorded_create(LPSECURITY_ATTRIBUTES sa, BOOL manual, LPCSTR name) {
    HANDLE h = CreateWaitableTimerA(sa, manual, name);
    g_timers.push_back(h);
    return h;
}
HANDLE WINAPI failing_create(LPSECURITY_ATTRIBUTES, BOOL, LPCSTR) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
}
BOOL WINAPI failing_set(HANDLE, const LARGE_INTEGER*, LONG, PTIMERAPCROUTINE, LPVOID, BOOL) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}
DWORD WINAPI counted_wait(DWORD count, const HANDLE* handles, BOOL all, DWORD ms, DWORD mask) {
    ++g_wait_calls;
    return MsgWaitForMultipleObjects(count, handles, all, ms, mask);
}
DWORD WINAPI failing_wait(DWORD count, const HANDLE* handles, BOOL all, DWORD ms, DWORD mask) {
    ++g_wait_calls;
    if (g_wait_failures_left == 0) return MsgWaitForMultipleObjects(count, handles, all, ms, mask);
    if (g_wait_failures_left > 0) --g_wait_failures_left;
    SetLastError(ERROR_INVALID_HANDLE);
    return WAIT_FAILED;
}

// Reports any queued input, seen or not, the way some systems keep reporting a queued quit
// message: a wait that relied on "new input only" would spin on it.
DWORD WINAPI queued_input_wait(DWORD count, const HANDLE* handles, BOOL all, DWORD ms, DWORD mask) {
    ++g_wait_calls;
    return MsgWaitForMultipleObjectsEx(count, handles, ms, mask,
                                       MWMO_INPUTAVAILABLE | (all ? MWMO_WAITALL : 0));
}

struct FailureCase {
    const char* what;
    PumpWaitCalls calls;
    int wait_failures;  // -1: every wait fails
};

void PrintTo(const FailureCase& c, std::ostream* out) { *out << c.what; }

class PumpWaitFailures : public ::testing::TestWithParam<FailureCase> {
protected:
    void SetUp() override {
        g_timers.clear();
        g_wait_calls = 0;
        g_wait_failures_left = GetParam().wait_failures;
        set_pump_wait_calls(GetParam().calls);
    }
    void TearDown() override { set_pump_wait_calls(system_pump_wait_calls()); }
};

TEST_P(PumpWaitFailures, StillLastsItsTimeDispatchesAndNeverSpins) {
    Recorder recorder;
    std::thread poster = recorder.post_later(Recorder::note, 100);
    const Measured m = measure_wait(500);
    poster.join();

    // The tick clock that the fallbacks count on may step in 16 ms.
    EXPECT_GE(m.elapsed_ms, 480.0);
    EXPECT_LE(m.elapsed_ms, 800.0);
    EXPECT_LT(m.cpu_ms, spin_limit_ms);
    EXPECT_LT(g_wait_calls, 20);
    ASSERT_EQ(recorder.notes.size(), 1u);
    EXPECT_LE(recorder.notes[0], 300.0);
    for (HANDLE h : g_timers) {
        DWORD flags = 0;
        EXPECT_FALSE(GetHandleInformation(h, &flags)) << "timer handle left open";
    }
}

TEST_P(PumpWaitFailures, EndsEarlyOnRequest) {
    Recorder recorder;
    std::thread ender = recorder.post_later(Recorder::ask_to_end, 100);
    const Measured m = measure_wait(2000, &Recorder::end_requested_of, &recorder);
    ender.join();
    EXPECT_LE(m.elapsed_ms, 700.0);
}

TEST_P(PumpWaitFailures, QuitPendingDoesNotSpin) {
    PostQuitMessage(3);
    const Measured m = measure_wait(300);
    EXPECT_GE(m.elapsed_ms, 280.0);
    EXPECT_LE(m.elapsed_ms, 600.0);
    EXPECT_LT(m.cpu_ms, spin_limit_ms);
    EXPECT_LT(g_wait_calls, 20);
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 3u);
}

const FailureCase failure_cases[] = {
    {"all_working", {&recorded_create, &SetWaitableTimer, &counted_wait}, 0},
    {"timer_not_created", {&failing_create, &SetWaitableTimer, &counted_wait}, 0},
    {"timer_not_armed", {&recorded_create, &failing_set, &counted_wait}, 0},
    {"first_wait_fails", {&recorded_create, &SetWaitableTimer, &failing_wait}, 1},
    {"every_wait_fails", {&recorded_create, &SetWaitableTimer, &failing_wait}, -1},
    {"queued_input_reported", {&recorded_create, &SetWaitableTimer, &queued_input_wait}, 0},
};

INSTANTIATE_TEST_SUITE_P(All, PumpWaitFailures, ::testing::ValuesIn(failure_cases),
                         [](const auto& param_info) { return std::string(param_info.param.what); });

TEST(PumpWaitFailures, NoTimerHandleIsLeftOpenAfterManyWaits) {
    g_timers.clear();
    set_pump_wait_calls({&recorded_create, &failing_set, &MsgWaitForMultipleObjects});
    for (int i = 0; i < 20; ++i) pump_wait(1);
    set_pump_wait_calls({&recorded_create, &SetWaitableTimer, &MsgWaitForMultipleObjects});
    for (int i = 0; i < 20; ++i) pump_wait(1);
    set_pump_wait_calls(system_pump_wait_calls());
    ASSERT_EQ(g_timers.size(), 40u);
    for (HANDLE h : g_timers) {
        DWORD flags = 0;
        EXPECT_FALSE(GetHandleInformation(h, &flags));
    }
}

}  // namespace
}  // namespace pawlet
