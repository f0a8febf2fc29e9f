#pragma once
#include <windows.h>

namespace pawlet {

// The calls that make, select and release the program's GDI objects and cursors. They go through
// this table so that a test can watch them: under Wine the system's object counts read 0 whatever
// leaks, and DeleteObject frees a bitmap still selected into a DC, which Windows refuses to do.
struct GdiCalls {
    HDC(WINAPI* create_compatible_dc)(HDC);
    HBITMAP(WINAPI* create_dib_section)(HDC, const BITMAPINFO*, UINT, void**, HANDLE, DWORD);
    HGDIOBJ(WINAPI* select_object)(HDC, HGDIOBJ);
    BOOL(WINAPI* delete_object)(HGDIOBJ);
    BOOL(WINAPI* delete_dc)(HDC);
    HICON(WINAPI* create_icon_from_resource_ex)(PBYTE, DWORD, BOOL, DWORD, int, int, UINT);
    BOOL(WINAPI* destroy_cursor)(HCURSOR);
};

// The gdi32 and user32 functions themselves.
GdiCalls system_gdi_calls();

// The calls in use; set_gdi_calls replaces them (tests only).
const GdiCalls& gdi_calls();
void set_gdi_calls(const GdiCalls& calls);

}  // namespace pawlet
