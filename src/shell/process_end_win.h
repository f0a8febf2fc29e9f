#pragma once
#include <functional>
#include <string_view>

namespace pawlet {

// The exit-routine slot: the routine the orderly end runs once.
void set_exit_routine(std::function<void()> routine);

// The orderly end: empties the slot and runs its routine once, then ends the process with
// exit_code without returning to the handlers and waits still open on the thread.
[[noreturn]] void end_program(int exit_code);

// A start-up failure: empties the slot, shows an error box with no owner and one OK button, then
// ends the process with exit code -1.
[[noreturn]] void fatal_error(std::wstring_view message);

}  // namespace pawlet
