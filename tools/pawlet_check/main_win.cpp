#include <windows.h>

#include <iostream>

#include "check_command.h"

// wmain: folder names outside the ANSI code page reach us intact. The report is UTF-8, so the
// console is told so (it would show the code page's characters otherwise).
int wmain(int argc, wchar_t** argv) {
    SetConsoleOutputCP(CP_UTF8);
    const std::vector<std::filesystem::path> args(argv + 1, argv + argc);
    return pawlet::check::run_check_command(args, std::cout, std::cerr);
}
