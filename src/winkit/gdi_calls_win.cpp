#include "winkit/gdi_calls_win.h"

#include "winkit/resource_counts.h"

namespace pawlet {
namespace {

// The system's functions, counting what they make and free (resource_counts.h).
HDC WINAPI counted_create_compatible_dc(HDC dc) {
    HDC made = CreateCompatibleDC(dc);
    if (made) count_made(Counted::gdi_object);
    return made;
}

HBITMAP WINAPI counted_create_dib_section(HDC dc, const BITMAPINFO* info, UINT usage, void** bits,
                                          HANDLE section, DWORD offset) {
    HBITMAP made = CreateDIBSection(dc, info, usage, bits, section, offset);
    if (made) count_made(Counted::gdi_object);
    return made;
}

BOOL WINAPI counted_delete_object(HGDIOBJ object) {
    const BOOL deleted = DeleteObject(object);
    if (deleted) count_freed(Counted::gdi_object);
    return deleted;
}

BOOL WINAPI counted_delete_dc(HDC dc) {
    const BOOL deleted = DeleteDC(dc);
    if (deleted) count_freed(Counted::gdi_object);
    return deleted;
}

HICON WINAPI counted_create_icon_from_resource_ex(PBYTE bits, DWORD size, BOOL icon, DWORD version,
                                                  int width, int height, UINT flags) {
    HICON made = CreateIconFromResourceEx(bits, size, icon, version, width, height, flags);
    if (made) count_made(Counted::cursor);
    return made;
}

BOOL WINAPI counted_destroy_cursor(HCURSOR cursor) {
    const BOOL destroyed = DestroyCursor(cursor);
    if (destroyed) count_freed(Counted::cursor);
    return destroyed;
}

GdiCalls g_calls = system_gdi_calls();

}  // namespace

GdiCalls system_gdi_calls() {
    return {&counted_create_compatible_dc,        &counted_create_dib_section, &SelectObject,
            &counted_delete_object,               &counted_delete_dc,
            &counted_create_icon_from_resource_ex, &counted_destroy_cursor};
}

const GdiCalls& gdi_calls() { return g_calls; }

void set_gdi_calls(const GdiCalls& calls) { g_calls = calls; }

}  // namespace pawlet
