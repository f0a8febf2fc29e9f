// read_message_box [seconds]: waits for a shown message box (a #32770 dialog) of any process,
// prints its texts in UTF-8 (one line per Static control, then "owner: none" or "owner: set"),
// presses its OK button and exits 0; exits 1 when none shows in time (default 20 s).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

BOOL CALLBACK find_box(HWND window, LPARAM found) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (lstrcmpW(name, L"#32770") == 0 && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK print_text(HWND child, LPARAM) {
    wchar_t name[16] = {};
    GetClassNameW(child, name, 16);
    if (lstrcmpiW(name, L"Static") != 0) return TRUE;
    wchar_t text[2048] = {};
    const int length = GetWindowTextW(child, text, 2048);
    if (length <= 0) return TRUE;
    char utf8[8192];
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, length, utf8, sizeof utf8, nullptr, nullptr);
    std::fwrite(utf8, 1, static_cast<std::size_t>(bytes), stdout);
    std::fputc('\n', stdout);
    return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
    const DWORD limit = (argc > 1 ? static_cast<DWORD>(std::atoi(argv[1])) : 20) * 1000;
    const DWORD start = GetTickCount();
    HWND box = nullptr;
    while (!box && GetTickCount() - start < limit) {
        EnumWindows(find_box, reinterpret_cast<LPARAM>(&box));
        if (!box) Sleep(50);
    }
    if (!box) return 1;
    Sleep(200);  // let the box finish laying out its text
    EnumChildWindows(box, print_text, 0);
    std::printf("owner: %s\n", GetWindow(box, GW_OWNER) ? "set" : "none");
    std::fflush(stdout);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return 0;
}
