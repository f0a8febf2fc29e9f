#include "shell/process_end_win.h"

#include <windows.h>

#include <string>
#include <utility>

namespace pawlet {
namespace {
// Process-wide by nature: the end comes from inside nested handlers, which cannot hand it along.
std::function<void()> g_exit_routine;
std::function<void()> g_library_release;

void release_libraries() {
    if (std::function<void()> release = std::exchange(g_library_release, nullptr)) release();
}
}  // namespace

void set_exit_routine(std::function<void()> routine) { g_exit_routine = std::move(routine); }

void set_library_release(std::function<void()> release) { g_library_release = std::move(release); }

void end_program(int exit_code) {
    if (std::function<void()> routine = std::exchange(g_exit_routine, nullptr)) routine();
    release_libraries();
    ExitProcess(static_cast<UINT>(exit_code));
}

void fatal_error(std::wstring_view message) {
    g_exit_routine = nullptr;
    const std::wstring text(message);
    MessageBoxW(nullptr, text.c_str(), L"Pawlet", MB_OK | MB_ICONERROR);
    release_libraries();
    ExitProcess(static_cast<UINT>(-1));
}

}  // namespace pawlet
