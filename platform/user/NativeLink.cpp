// The window manager's side of the native link: lookups that take the lock for the backend.
#include "user/NativeLink.h"
#include "user/UserState.h"

namespace mivo {

void InstallQueueWaiter(QueueWaiter* waiter)
{
    auto q = CurrentQueue();
    UserGuard guard(UserLock());
    q->waiter = waiter;
}

void* NativeOfWindow(HWND hwnd)
{
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hwnd);
    return w ? w->native : nullptr;
}

std::shared_ptr<Surface> SurfaceOfWindow(HWND hwnd)
{
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hwnd);
    return w ? w->surface : nullptr;
}

}  // namespace mivo
