// Sent-message pumping for waits that must keep cross-thread SendMessage flowing.
#pragma once

#include "win32/types.h"

namespace mivo {

// Handles what other threads sent to the calling thread; for waits that must keep
// cross-thread SendMessage flowing. Returns whether anything ran.
bool PumpSentMessages();
// Whether the calling thread has a message queue (owns windows or has called a message function).
bool ThreadHasMessageQueue();
// Wakes a thread that waits in a pumping wait, so it looks at its queue again.
void WakeThreadQueue(DWORD threadId);

}  // namespace mivo
