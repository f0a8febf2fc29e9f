// The orderly end (ExitProcess from the main thread) while a sound plays on the system's wave-out
// device: the process ends at once with its exit code, wherever the player's thread is at that moment
// (starting, opening the device, mixing, waiting on the device).
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <numbers>
#include <string>

#include "media/wave_out_player_win.h"
#include "shell/process_end_win.h"

namespace pawlet {
namespace {

constexpr wchar_t child_variable[] = L"PAWLET_TEST_EXIT_AFTER_MS";
constexpr DWORD child_exit_code = 3;  // not 0: a child that skipped its test would give 0

Sound long_tone() {
    Sound s{22050, 1, std::vector<float>(22050 * 10)};
    for (std::size_t i = 0; i < s.samples.size(); ++i)
        s.samples[i] = static_cast<float>(0.5 * std::sin(2 * std::numbers::pi * 440 * static_cast<double>(i) / 22050));
    return s;
}

// The child's side: plays, waits the given time, then ends as the program does.
TEST(ExitWhilePlayingChild, Run) {
    wchar_t delay[16] = {};
    if (!GetEnvironmentVariableW(child_variable, delay, 16)) GTEST_SKIP() << "runs as a child only";
    WaveOutPlayer player;  // as in the program, the end comes before its destructor could run
    player.play({long_tone()});
    Sleep(static_cast<DWORD>(std::stoul(delay)));
    end_program(static_cast<int>(child_exit_code));
}

DWORD run_child(DWORD delay_ms, DWORD timeout_ms) {
    SetEnvironmentVariableW(child_variable, std::to_wstring(delay_ms).c_str());
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(self) + L"\" --gtest_filter=ExitWhilePlayingChild.Run";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0,
                                        nullptr, nullptr, &startup, &process);
    SetEnvironmentVariableW(child_variable, nullptr);
    if (!started) return 0xBAD;
    DWORD code = 0xDEAD;
    if (WaitForSingleObject(process.hProcess, timeout_ms) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    else
        TerminateProcess(process.hProcess, 99);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

TEST(ExitWhilePlaying, TheProcessEndsAtOnceWithItsCode) {
    for (const DWORD delay : {0u, 1u, 5u, 20u, 60u, 300u}) {
        const ULONGLONG before = GetTickCount64();
        EXPECT_EQ(run_child(delay, 20000), child_exit_code) << "ended " << delay << " ms after the sound started";
        // Process start-up under Wine takes most of this; a hang would take all of it.
        EXPECT_LT(GetTickCount64() - before, 8000u) << delay << " ms";
    }
}

}  // namespace
}  // namespace pawlet
