#include <windows.h>

#include "shell/program_win.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return pawlet::start_program(); }
