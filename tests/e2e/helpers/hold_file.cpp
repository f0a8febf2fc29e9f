// hold_file PATH deny|lock SECONDS: holds a file as another program would, then exits 0.
//   deny: opens it with no sharing, so nobody else can open it;
//   lock: opens it sharing reads and locks all its bytes, so others can open it but not read it.
// Prints "held" once it holds the file; exits 1 when it cannot.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: hold_file PATH deny|lock SECONDS\n");
        return 2;
    }
    const bool lock = lstrcmpW(argv[2], L"lock") == 0;
    HANDLE file = CreateFileW(argv[1], GENERIC_READ | GENERIC_WRITE, lock ? FILE_SHARE_READ : 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    OVERLAPPED whole{};
    if (lock && !LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD, &whole)) {
        CloseHandle(file);
        return 1;
    }
    std::printf("held\n");
    std::fflush(stdout);
    Sleep(static_cast<DWORD>(_wtoi(argv[3])) * 1000);
    CloseHandle(file);
    return 0;
}
