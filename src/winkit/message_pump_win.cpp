#include "winkit/message_pump_win.h"

namespace pawlet {
namespace {
MessageFilter g_filter = nullptr;

void deliver(MSG& message) {
    if (g_filter && g_filter(message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}
}  // namespace

void set_message_filter(MessageFilter filter) { g_filter = filter; }

bool dispatch_pending_messages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
        if (message.message == WM_QUIT) return true;
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) break;
        deliver(message);
    }
    return false;
}

bool dispatch_next_message(int& exit_code) {
    MSG message;
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0 || got == -1) {
        exit_code = got == 0 ? static_cast<int>(message.wParam) : 0;
        return false;
    }
    deliver(message);
    return true;
}

}  // namespace pawlet
