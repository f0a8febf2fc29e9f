// move_window CLASS DX DY: moves the top-level window of that class by (DX, DY) pixels, the way
// a user drags it. An X client moving the window from outside would not do: with no window
// manager, Wine keeps its own idea of where the window is. Exit code 0, or 1 if no such window.
#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) return 2;
    HWND window = FindWindowW(argv[1], nullptr);
    RECT outer;
    if (!window || !GetWindowRect(window, &outer)) return 1;
    const int dx = static_cast<int>(std::wcstol(argv[2], nullptr, 10));
    const int dy = static_cast<int>(std::wcstol(argv[3], nullptr, 10));
    return SetWindowPos(window, nullptr, outer.left + dx, outer.top + dy, 0, 0,
                        SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE)
               ? 0
               : 1;
}
