#pragma once

namespace pawlet {

// The engine's responsive wait: sleeps in MsgWaitForMultipleObjects on a one-shot waitable timer
// of `milliseconds` and dispatches every message that arrives meanwhile (dispatch_pending_messages).
// Returns when the timer fires, or, when `return_early` is given, as soon as it is true after a
// batch of messages has been dispatched.
void pump_wait(int milliseconds, bool (*return_early)(const void* context) = nullptr,
               const void* context = nullptr);

}  // namespace pawlet
