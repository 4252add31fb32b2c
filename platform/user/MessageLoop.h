// Thread queues, message retrieval and timers as the rest of the window manager sees them.
#pragma once

#include "user/UserState.h"

namespace mivo {

uint64_t MonotonicMs();
bool HasCurrentQueue();
void ForgetThreadQueue(const std::shared_ptr<ThreadQueue>& q);
void DropWindowsOfThread(DWORD threadId);
bool RetrieveMessage(MSG* out, HWND hwnd, UINT min, UINT max, bool remove, bool wait);
// Handles messages sent to the calling thread by others (for waits that must keep them flowing).
bool ProcessCurrentThreadSentMessages();
// Queues a mouse or keyboard message for the window's thread.
void PostInputMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, POINT screenPt);

bool IsThreadTimerAlive(UINT_PTR id, TIMERPROC proc);

}  // namespace mivo
