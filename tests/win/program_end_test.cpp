// How the process ends: the orderly end runs the exit routine once and exits with 0; a fatal
// start-up error shows an ownerless box with one OK button and exits with -1 without it, also
// when the real start-up cannot make its main window.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "shell/process_end_win.h"
#include "shell/program_win.h"

namespace pawlet {
namespace {

constexpr wchar_t child_variable[] = L"PAWLET_TEST_CHILD";

std::wstring marker_path() {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + L"pawlet-exit-routine-" + std::to_wstring(GetCurrentProcessId()) + L".txt";
}

std::wstring g_marker;
void write_marker() {
    HANDLE f = CreateFileW(g_marker.c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(f, "ran\n", 4, &written, nullptr);
    CloseHandle(f);
}

std::string read_file(const std::wstring& path) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return {};
    char buffer[256];
    DWORD got = 0;
    ReadFile(f, buffer, sizeof buffer, &got, nullptr);
    CloseHandle(f);
    return std::string(buffer, got);
}

// The child's side: chosen by the environment, so the parent can run this same program.
TEST(ProgramEndChild, Run) {
    wchar_t mode[64] = {};
    if (!GetEnvironmentVariableW(child_variable, mode, 64)) GTEST_SKIP() << "runs as a child only";
    wchar_t marker[MAX_PATH] = {};
    GetEnvironmentVariableW(L"PAWLET_TEST_MARKER", marker, MAX_PATH);
    g_marker = marker;
    set_exit_routine(&write_marker);
    if (std::wstring(mode) == L"fatal") fatal_error(L"Pawlet could not create its main window.");
    if (std::wstring(mode) == L"no window") {
        // The main window's class, taken first by a procedure that refuses every window.
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
            return m == WM_NCCREATE ? FALSE : DefWindowProcW(w, m, wp, lp);
        };
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"PawletMainWindow";
        RegisterClassExW(&wc);
        start_program();
        return;  // not reached: start-up ends the process
    }
    end_program(0);
}

struct Child {
    PROCESS_INFORMATION process{};
    bool start(const wchar_t* mode, const std::wstring& marker) {
        SetEnvironmentVariableW(child_variable, mode);
        SetEnvironmentVariableW(L"PAWLET_TEST_MARKER", marker.c_str());
        wchar_t self[MAX_PATH];
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        std::wstring command = L"\"" + std::wstring(self) + L"\" --gtest_filter=ProgramEndChild.Run";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        const BOOL ok = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                       nullptr, &startup, &process);
        SetEnvironmentVariableW(child_variable, nullptr);
        return ok != FALSE;
    }
    DWORD wait_exit(DWORD ms) {
        if (WaitForSingleObject(process.hProcess, ms) != WAIT_OBJECT_0) {
            TerminateProcess(process.hProcess, 99);
            return 0xDEAD;
        }
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        return code;
    }
    ~Child() {
        if (process.hProcess) CloseHandle(process.hProcess);
        if (process.hThread) CloseHandle(process.hThread);
    }
};

struct Found {
    DWORD pid;
    HWND box;
};

HWND find_message_box(DWORD pid, DWORD timeout_ms) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeout_ms) {
        Found found{pid, nullptr};
        EnumWindows(
            [](HWND w, LPARAM l) -> BOOL {
                auto* f = reinterpret_cast<Found*>(l);
                DWORD owner_pid = 0;
                GetWindowThreadProcessId(w, &owner_pid);
                wchar_t cls[32] = {};
                GetClassNameW(w, cls, 32);
                if (owner_pid == f->pid && std::wstring(cls) == L"#32770" && IsWindowVisible(w)) {
                    f->box = w;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&found));
        if (found.box) return found.box;
        Sleep(50);
    }
    return nullptr;
}

std::vector<HWND> buttons_of(HWND box) {
    std::vector<HWND> buttons;
    EnumChildWindows(
        box,
        [](HWND w, LPARAM l) -> BOOL {
            wchar_t cls[32] = {};
            GetClassNameW(w, cls, 32);
            if (lstrcmpiW(cls, L"Button") == 0 && IsWindowVisible(w))
                reinterpret_cast<std::vector<HWND>*>(l)->push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&buttons));
    return buttons;
}

TEST(ProgramEnd, OrderlyEndRunsTheExitRoutineOnceAndExitsWithZero) {
    const std::wstring marker = marker_path();
    DeleteFileW(marker.c_str());
    Child child;
    ASSERT_TRUE(child.start(L"orderly", marker));
    EXPECT_EQ(child.wait_exit(30000), 0u);
    EXPECT_EQ(read_file(marker), "ran\n");
    DeleteFileW(marker.c_str());
}

TEST(ProgramEnd, FatalErrorShowsAnOwnerlessOkBoxAndExitsWithMinusOne) {
    const std::wstring marker = marker_path();
    DeleteFileW(marker.c_str());
    Child child;
    ASSERT_TRUE(child.start(L"fatal", marker));
    HWND box = find_message_box(child.process.dwProcessId, 30000);
    ASSERT_NE(box, nullptr) << "no error message box appeared";
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
    EXPECT_EQ(buttons_of(box).size(), 1u) << "one OK button";
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(child.wait_exit(30000), 0xFFFFFFFFu);
    EXPECT_EQ(read_file(marker), "") << "the exit routine must not run after a fatal error";
}

TEST(ProgramEnd, StartUpThatCannotMakeItsWindowShowsTheErrorAndNoWindow) {
    const std::wstring marker = marker_path();
    Child child;
    ASSERT_TRUE(child.start(L"no window", marker));
    HWND box = find_message_box(child.process.dwProcessId, 30000);
    ASSERT_NE(box, nullptr) << "no error message box appeared";
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
    EXPECT_EQ(FindWindowW(L"PawletMainWindow", nullptr), nullptr) << "a main window was made";
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(child.wait_exit(30000), 0xFFFFFFFFu);
}

}  // namespace
}  // namespace pawlet
