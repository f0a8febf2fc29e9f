#pragma once
#include <windows.h>

namespace pawlet {

// Gives a window the first look at each queued message before it is translated and dispatched;
// returning true means the message has been handled. The main window uses it for its keys.
using MessageFilter = bool (*)(MSG& message);
void set_message_filter(MessageFilter filter);

// Dispatches every message waiting in the thread's queue, as the main message loop does, and
// stops at a quit message, which stays queued. Returns true when a quit message is waiting.
bool dispatch_pending_messages();

// Takes one message, waiting if needed; false on WM_QUIT (with its exit code in `exit_code`).
bool dispatch_next_message(int& exit_code);

}  // namespace pawlet
