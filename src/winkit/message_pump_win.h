#pragma once
#include <windows.h>

namespace pawlet {

// Gives a window the first look at each queued message before it is translated and dispatched;
// handle() returning true means the message has been handled. The main window uses it for its
// keys, which arrive at whichever control has the focus.
struct MessageFilter {
    bool (*handle)(void* context, MSG& message) = nullptr;
    void* context = nullptr;
};
void set_message_filter(MessageFilter filter);
MessageFilter message_filter();

// Dispatches every message waiting in the thread's queue, as the main message loop does, and
// stops at a quit message, which stays queued. Returns true when a quit message is waiting.
bool dispatch_pending_messages();

// The thread's message loop: dispatches messages until a quit message arrives.
void run_message_loop();

}  // namespace pawlet
