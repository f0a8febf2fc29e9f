#pragma once
#include <windows.h>

namespace pawlet {

// The system calls pump_wait makes to create, arm and wait for its timer. Tests put in calls that
// fail to play out what the wait does then.
struct PumpWaitCalls {
    HANDLE(WINAPI* create_waitable_timer)(LPSECURITY_ATTRIBUTES, BOOL, LPCSTR);
    BOOL(WINAPI* set_waitable_timer)(HANDLE, const LARGE_INTEGER*, LONG, PTIMERAPCROUTINE, LPVOID,
                                     BOOL);
    DWORD(WINAPI* msg_wait_for_multiple_objects)(DWORD, const HANDLE*, BOOL, DWORD, DWORD);
};

// The kernel32 and user32 functions themselves.
PumpWaitCalls system_pump_wait_calls();

// The calls pump_wait uses from now on.
void set_pump_wait_calls(const PumpWaitCalls& calls);

}  // namespace pawlet
