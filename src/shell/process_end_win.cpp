#include "shell/process_end_win.h"

#include <windows.h>

#include <string>
#include <utility>

namespace pawlet {
namespace {
// Process-wide by nature: the end comes from inside nested handlers, which cannot hand it along.
std::function<void()> g_exit_routine;
}  // namespace

void set_exit_routine(std::function<void()> routine) { g_exit_routine = std::move(routine); }

void end_program(int exit_code) {
    if (std::function<void()> routine = std::exchange(g_exit_routine, nullptr)) routine();
    ExitProcess(static_cast<UINT>(exit_code));
}

void fatal_error(std::wstring_view message) {
    g_exit_routine = nullptr;
    const std::wstring text(message);
    MessageBoxW(nullptr, text.c_str(), L"Pawlet", MB_OK | MB_ICONERROR);
    ExitProcess(static_cast<UINT>(-1));
}

}  // namespace pawlet
