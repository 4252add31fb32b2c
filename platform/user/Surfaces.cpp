// Surfaces of top-level windows and the link to their native windows.
#include "user/MessageLoop.h"
#include "user/InputRouting.h"
#include "user/Painting.h"
#include "user/Geometry.h"
#include "user/NativeSurface.h"
#include "user/Backend.h"
#include "gdi/Surface.h"
#include "user/CursorObject.h"
#include "mivo/testing/input.h"
#include "user/ThreadQueue.h"

#include <algorithm>

#include <atomic>

namespace mivo {

namespace {

std::atomic<NativeBackend*> g_backend{nullptr};

}  // namespace

NativeBackend* Backend()
{
    if (NativeBackend* b = g_backend.load())
        return b;
    return StartedQtBackend();
}

NativeBackend* EnsureBackend()
{
    if (NativeBackend* b = g_backend.load())
        return b;
    return StartQtBackend();
}

void SetNativeBackend(NativeBackend* backend)
{
    g_backend.store(backend);
}

void AttachSurfaceLocked(Window& w)
{
    if (w.messageOnly)
        return;
    if (!w.surface)
        w.surface = std::make_shared<Surface>();
    w.surface->Resize(w.rect.right - w.rect.left, w.rect.bottom - w.rect.top);
}

void DetachSurfaceLocked(Window& w)
{
    w.surface.reset();
}

void ResizeSurfaceLocked(Window& w)
{
    if (w.surface)
        w.surface->Resize(w.rect.right - w.rect.left, w.rect.bottom - w.rect.top);
}

void ReleaseNativeWindow(Window& w)
{
    void* native = w.native;
    w.native = nullptr;
    if (native)
        if (NativeBackend* b = Backend())
            b->DestroyNative(native);
}

void SyncNativeWindow(HWND hwnd, bool shown, bool)
{
    NativeBackend* b = EnsureBackend();
    if (!b)
        return;
    void* native;
    {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hwnd);
        if (!w || w->parent || w->messageOnly)
            return;
        native = w->native;
        if (!native && !(shown || (w->style & WS_VISIBLE)))
            return;
    }
    if (!native) {
        native = b->CreateNative(hwnd);
        if (!native)
            return;
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hwnd);
        if (!w) {
            guard.unlock();
            b->DestroyNative(native);
            return;
        }
        w->native = native;
    }
    NotifyNativeState(hwnd);
}

namespace {

// The native window of the top-level window that owns `w`, if it has one yet.
void* NativeOfOwnerLocked(const Window& w)
{
    Window* owner = w.owner ? FindWindowLocked(w.owner) : nullptr;
    for (int depth = 0; owner && owner->parent && depth < 64; ++depth)
        owner = FindWindowLocked(owner->parent);
    return owner && owner != &w ? owner->native : nullptr;
}

}  // namespace

void NotifyNativeState(HWND hwnd)
{
    NativeBackend* b = Backend();
    if (!b)
        return;
    RECT screen;
    bool visible;
    DWORD style, ex;
    std::string title;
    void* native;
    void* ownerNative;
    BYTE alpha;
    {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hwnd);
        if (!w || !w->native)
            return;
        native = w->native;
        POINT o = WindowScreenOrigin(*w);
        screen = RECT{o.x, o.y, o.x + (w->rect.right - w->rect.left), o.y + (w->rect.bottom - w->rect.top)};
        visible = (w->style & WS_VISIBLE) != 0;
        style = w->style;
        ex = w->exStyle;
        title = w->text;
        ownerNative = NativeOfOwnerLocked(*w);
        alpha = (w->exStyle & WS_EX_LAYERED) ? w->layeredAlpha : 255;
    }
    b->SetNativeOwner(native, ownerNative);
    b->UpdateNative(native, screen, visible, style, ex, title);
    b->SetNativeOpacity(native, alpha / 255.0);
}

// The top-level window's native side shows what changed in its surface.
void FlushSurface(HWND topLevel, const RECT& dirty)
{
    NativeBackend* b = Backend();
    if (!b)
        return;
    void* native;
    {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(topLevel);
        if (!w || !w->native)
            return;
        native = w->native;
    }
    b->FlushNative(native, dirty);
}


}  // namespace mivo

namespace mivo {

void ShowCursorOnNativeWindow(HCURSOR cursor)
{
    NativeBackend* b = Backend();
    if (!b)
        return;
    void* native = nullptr;
    {
        UserGuard guard(UserLock());
        for (HWND h : State().topLevels) {
            Window* w = FindWindowLocked(h);
            if (!w || !w->native || !(w->style & WS_VISIBLE))
                continue;
            POINT o = WindowScreenOrigin(*w);
            POINT c = CursorScreenPos();
            if (c.x >= o.x && c.y >= o.y && c.x < o.x + (w->rect.right - w->rect.left) &&
                c.y < o.y + (w->rect.bottom - w->rect.top)) {
                native = w->native;
                break;
            }
        }
    }
    if (native)
        b->SetNativeCursor(native, cursor);
}

bool CaptureWindowPixels(HWND hwnd, bool clientOnly, std::vector<uint32_t>& pixels, int& width, int& height)
{
    std::shared_ptr<Surface> surface;
    RECT r;
    {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hwnd);
        if (!w)
            return false;
        surface = TopLevelOf(w)->surface;
        r = WindowRectInTopLevelLocked(*w);
        if (clientOnly)
            r = RECT{r.left + w->client.left, r.top + w->client.top, r.left + w->client.right, r.top + w->client.bottom};
    }
    if (!surface)
        return false;
    width = r.right - r.left;
    height = r.bottom - r.top;
    pixels.assign((size_t)std::max(width, 0) * (size_t)std::max(height, 0), 0);
    std::lock_guard<std::recursive_mutex> guard(surface->lock);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            int sx = r.left + x, sy = r.top + y;
            if (sx >= 0 && sy >= 0 && sx < surface->width && sy < surface->height)
                pixels[(size_t)y * (size_t)width + (size_t)x] = surface->pixels[(size_t)sy * (size_t)surface->width + (size_t)sx];
        }
    return true;
}

bool PumpSentMessages()
{
    return ProcessCurrentThreadSentMessages();
}

bool ThreadHasMessageQueue()
{
    return HasCurrentQueue();
}

void WakeThreadQueue(DWORD threadId)
{
    UserGuard guard(UserLock());
    if (auto q = QueueOfThreadLocked(threadId))
        WakeQueueLocked(*q);
}

}  // namespace mivo
