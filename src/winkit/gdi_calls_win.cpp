#include "winkit/gdi_calls_win.h"

namespace pawlet {
namespace {
GdiCalls g_calls = system_gdi_calls();
}  // namespace

GdiCalls system_gdi_calls() {
    return {&CreateCompatibleDC, &CreateDIBSection, &SelectObject, &DeleteObject,
            &DeleteDC,           &CreateIconFromResourceEx, &DestroyCursor};
}

const GdiCalls& gdi_calls() { return g_calls; }

void set_gdi_calls(const GdiCalls& calls) { g_calls = calls; }

}  // namespace pawlet
