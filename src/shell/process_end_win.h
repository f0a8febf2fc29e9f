#pragma once
#include <functional>
#include <string_view>

namespace pawlet {

// The exit-routine slot: the routine the orderly end runs once.
void set_exit_routine(std::function<void()> routine);

// What end_program and fatal_error release last, after the exit routine: the libraries the
// program loaded for its whole life.
void set_library_release(std::function<void()> release);

// The orderly end: empties the slot and runs its routine once, releases the libraries, then
// ends the process with exit_code without returning to the handlers and waits still open on
// the thread.
[[noreturn]] void end_program(int exit_code);

// A start-up failure: empties the slot, shows an error box with no owner and one OK button,
// releases the libraries, then ends the process with exit code -1.
[[noreturn]] void fatal_error(std::wstring_view message);

}  // namespace pawlet
