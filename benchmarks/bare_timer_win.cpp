// The yardstick for idle CPU under Wine: a program whose only activity is one 100 ms window
// timer, like the pet's hover timer, dispatched from a plain message loop. scripts/bench.sh runs
// it beside the pet and compares what each costs, itself and in wineserver. It runs until it is
// killed.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    if (!SetTimer(nullptr, 0, 100, nullptr)) return 1;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}
