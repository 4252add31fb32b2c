// Area interface: what the native side (the Qt backend) reads of the window manager. Each call
// takes the window manager's lock itself; none may be called with it held.
#pragma once

#include "win32/user.h"

#include <memory>

namespace mivo {

struct Surface;

DWORD CurrentThreadId();

// Lets a native event loop take over blocking waits of the thread that runs it.
struct QueueWaiter {
    virtual ~QueueWaiter() = default;
    // Blocks until Wake() or until timeoutMs passed (negative: no limit). Called unlocked.
    virtual void Wait(int timeoutMs) = 0;
    virtual void Wake() = 0;
    // Lets the native side deliver its pending events into our queues. Called unlocked.
    virtual void Poll() = 0;
};

// Makes `waiter` take over the blocking waits of the calling thread's queue.
void InstallQueueWaiter(QueueWaiter* waiter);

// The native window the backend made for a top-level window, or nullptr.
void* NativeOfWindow(HWND hwnd);
// The pixels a top-level window paints into, or nullptr.
std::shared_ptr<Surface> SurfaceOfWindow(HWND hwnd);

// The frame a window of these styles draws around its client area.
RECT NonClientInsets(DWORD style, DWORD exStyle, bool menuBar);

// The enabled pop-up that keeps a disabled window disabled (its modal dialog), or nullptr.
HWND EnabledPopupOf(HWND disabled);

// The pointer left all of our native windows.
void InjectMouseLeftWindows();

}  // namespace mivo
