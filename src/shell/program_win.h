#pragma once
#include <string>
#include <string_view>

namespace pawlet {

// Process-wide state set at start; the two directory texts end in a backslash.
extern std::wstring animations_dir;
extern std::wstring sounds_dir;
extern int sprite_id;

// The start-up sequence; returns only if its message loop ends.
int start_program();

// The window's handlers.
void prepare_main_window();
void start_pet();
void close_button_clicked();
[[noreturn]] void end_on_destroy();

// The exit-routine slot: start-up puts release_asset_dirs there.
void set_exit_routine(void (*routine)());

// The orderly end: runs the exit routine once, then ends the process with exit_code.
[[noreturn]] void end_program(int exit_code);
void release_asset_dirs();
void trim_working_set();

// A start-up failure: an error box with no owner, then exit code -1 without the exit routine.
[[noreturn]] void fatal_error(std::wstring_view message);

// The program directory of the running module, read with the wide API at any length.
std::wstring running_program_dir();

}  // namespace pawlet
