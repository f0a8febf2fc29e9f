#include "winkit/message_pump_win.h"

namespace pawlet {
namespace {
MessageFilter g_filter;

void deliver(MSG& message) {
    if (g_filter.handle && g_filter.handle(g_filter.context, message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}
}  // namespace

void set_message_filter(MessageFilter filter) { g_filter = filter; }

MessageFilter message_filter() { return g_filter; }

bool dispatch_pending_messages() {
    MSG message;
    // One PeekMessage per message: each is a round trip to wineserver under Wine, and the pump
    // runs ten times a second for the hover timer alone. A quit taken out is put back at once,
    // so it stays queued for the outer loop.
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return true;
        }
        deliver(message);
    }
    return false;
}

void run_message_loop() {
    MSG message;
    // GetMessage gives -1 only for an invalid window handle, which we never pass: stop on it
    // rather than spin.
    while (GetMessageW(&message, nullptr, 0, 0) > 0) deliver(message);
}

}  // namespace pawlet
