#pragma once
#include <windows.h>

namespace pawlet {

// The one window procedure of a window class whose object comes as the creation parameter:
// WM_NCCREATE ties the object to its window, later messages go to Owner::handle. An owner that
// is not ready (Owner::ready() false) or already detached gets the default handling.
template <typename Owner>
LRESULT CALLBACK object_window_procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE) {
        auto* created = static_cast<Owner*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
        created->attach(window);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return owner && owner->ready() ? owner->handle(message, w, l) : DefWindowProcW(window, message, w, l);
}

}  // namespace pawlet
