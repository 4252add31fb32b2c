// Update regions, WM_PAINT and the DCs windows draw into their top-level surface with.
#include "user/Painting.h"
#include "user/Geometry.h"
#include "user/GdiLink.h"
#include "win32/paint.h"
#include "win32/gdi.h"

#include <algorithm>
#include <cstring>
#include <map>

namespace mivo {


namespace {

RECT ClientRectLocal(const Window& w)
{
    return RECT{0, 0, w.client.right - w.client.left, w.client.bottom - w.client.top};
}

// The window's client rectangle in the coordinates of its top-level window's surface.
RECT ClientInTopLocked(const Window& w)
{
    RECT r = WindowRectInTopLevelLocked(w);
    return RECT{r.left + w.client.left, r.top + w.client.top, r.left + w.client.right, r.top + w.client.bottom};
}

bool AllAncestorsVisibleLocked(const Window& w)
{
    const Window* cur = &w;
    while (cur) {
        if (!(cur->style & WS_VISIBLE))
            return false;
        if (!cur->parent)
            return true;
        cur = FindWindowLocked(cur->parent);
    }
    return false;
}

}  // namespace

// Where a window covers its parent, in surface coordinates: its rectangle, or its region.
RectSet ShapeInTopLevelLocked(const Window& w)
{
    RECT r = WindowRectInTopLevelLocked(w);
    if (!w.shaped)
        return RectSet(r);
    RectSet shape = w.shape;
    shape.Offset(r.left, r.top);
    shape.IntersectWith(r);
    return shape;
}

// The part of a window that shows, in surface coordinates: inside every ancestor's
// client area, minus higher siblings where WS_CLIPSIBLINGS asks, minus visible
// children when clipChildren.
RectSet VisibleRegionLocked(const Window& w, bool clientOnly, bool clipChildren, bool clipSiblings)
{
    if (!AllAncestorsVisibleLocked(w))
        return RectSet();
    RectSet vis(clientOnly ? ClientInTopLocked(w) : WindowRectInTopLevelLocked(w));
    const Window* cur = &w;
    bool siblingsClip = clipSiblings;
    while (cur->parent) {
        Window* p = FindWindowLocked(cur->parent);
        if (!p)
            break;
        vis.IntersectWith(ClientInTopLocked(*p));
        if (siblingsClip) {
            for (HWND h : p->children) {
                if (h == cur->handle)
                    break;
                Window* s = FindWindowLocked(h);
                if (s && (s->style & WS_VISIBLE))
                    vis.Subtract(ShapeInTopLevelLocked(*s));
            }
        }
        cur = p;
        siblingsClip = (cur->style & WS_CLIPSIBLINGS) != 0;
    }
    if (clipChildren)
        for (HWND h : w.children) {
            Window* c = FindWindowLocked(h);
            if (c && (c->style & WS_VISIBLE))
                vis.Subtract(ShapeInTopLevelLocked(*c));
        }
    // Window regions cut the window and everything inside it.
    for (const Window* s = &w; s; s = FindWindowLocked(s->parent)) {
        if (!s->shaped)
            continue;
        RECT r = WindowRectInTopLevelLocked(*s);
        RectSet shape = s->shape;
        shape.Offset(r.left, r.top);
        vis.IntersectWith(shape);
    }
    return vis;
}

namespace {

bool NeedsPaintLocked(const Window& w)
{
    return !w.update.IsEmpty() || w.ncPaintNeeded || w.internalPaint;
}

HWND FindInTreeLocked(Window& w)
{
    if (!(w.style & WS_VISIBLE))
        return nullptr;
    if (NeedsPaintLocked(w))
        return w.handle;
    for (HWND h : w.children)
        if (Window* c = FindWindowLocked(h))
            if (HWND found = FindInTreeLocked(*c))
                return found;
    return nullptr;
}

void WakeOwnerLocked(const Window& w)
{
    if (auto q = QueueOfThreadLocked(w.threadId))
        WakeQueueLocked(*q);
}

bool HasNonClientArea(const Window& w)
{
    return w.client.left > 0 || w.client.top > 0 || w.client.right < w.rect.right - w.rect.left ||
           w.client.bottom < w.rect.bottom - w.rect.top;
}

// Adds or removes `region` (window coordinates) to a window and, as the flags say, its children.
void RedrawLocked(Window& w, const RectSet& windowRegion, UINT flags, bool top)
{
    RectSet region = windowRegion;
    RECT winLocal{0, 0, w.rect.right - w.rect.left, w.rect.bottom - w.rect.top};
    region.IntersectWith(winLocal);
    RectSet clientPart = region;
    clientPart.IntersectWith(w.client);
    clientPart.Offset(-w.client.left, -w.client.top);
    RectSet ncPart = region;
    ncPart.Subtract(w.client);

    if (flags & RDW_INVALIDATE) {
        if (!clientPart.IsEmpty()) {
            w.update.Add(clientPart);
            if (flags & RDW_ERASE)
                w.eraseNeeded = true;
        }
        if (HasNonClientArea(w) && ((flags & RDW_FRAME) || (!top && !ncPart.IsEmpty())))
            w.ncPaintNeeded = true;
        if (flags & RDW_INTERNALPAINT)
            w.internalPaint = true;
        WakeOwnerLocked(w);
    } else if (flags & RDW_VALIDATE) {
        w.update.Subtract(clientPart);
        if (w.update.IsEmpty() || (flags & RDW_NOERASE))
            w.eraseNeeded = w.eraseNeeded && !w.update.IsEmpty() && !(flags & RDW_NOERASE);
        if (flags & RDW_NOFRAME)
            w.ncPaintNeeded = false;
        if (flags & RDW_NOINTERNALPAINT)
            w.internalPaint = false;
    }

    bool children = (flags & RDW_ALLCHILDREN) ||
                    (!(flags & RDW_NOCHILDREN) && (flags & RDW_INVALIDATE) && !(w.style & WS_CLIPCHILDREN));
    if (!children)
        return;
    for (HWND h : w.children) {
        Window* c = FindWindowLocked(h);
        if (!c || !(c->style & WS_VISIBLE))
            continue;
        RectSet childRegion = clientPart;
        childRegion.Offset(-c->rect.left, -c->rect.top);
        UINT childFlags = flags & ~RDW_FRAME;
        if (!(flags & RDW_ALLCHILDREN))
            childFlags |= 0;
        RedrawLocked(*c, childRegion, childFlags, false);
    }
}

// Sends the pending WM_NCPAINT, WM_ERASEBKGND and WM_PAINT messages of a window and,
// when asked, of its descendants, parents first.
void UpdateNow(HWND hwnd, bool children, bool eraseOnly)
{
    bool paint, nc;
    std::vector<HWND> kids;
    {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hwnd);
        if (!w)
            return;
        bool visible = AllAncestorsVisibleLocked(*w);
        paint = visible && NeedsPaintLocked(*w);
        nc = visible && w->ncPaintNeeded;
        if (children)
            kids = w->children;
    }
    if (eraseOnly) {
        if (nc) {
            {
                UserGuard guard(UserLock());
                if (Window* w = FindWindowLocked(hwnd))
                    w->ncPaintNeeded = false;
            }
            SendMessage(hwnd, WM_NCPAINT, 1, 0);
        }
        bool erase = false;
        {
            UserGuard guard(UserLock());
            Window* w = FindWindowLocked(hwnd);
            erase = w && w->eraseNeeded && AllAncestorsVisibleLocked(*w);
            if (erase)
                w->eraseNeeded = false;
        }
        if (erase) {
            HDC hdc = GetDCEx(hwnd, nullptr, DCX_CACHE | DCX_INTERSECTUPDATE | DCX_USESTYLE_INTERNAL);
            SendMessage(hwnd, WM_ERASEBKGND, (WPARAM)hdc, 0);
            ReleaseDC(hwnd, hdc);
        }
    } else if (paint) {
        SendMessage(hwnd, WM_PAINT, 0, 0);
    }
    for (HWND c : kids)
        UpdateNow(c, true, eraseOnly);
}

}  // namespace

HWND FindWindowToPaintLocked(DWORD threadId, HWND within)
{
    if (within) {
        Window* w = FindWindowLocked(within);
        if (!w || w->threadId != threadId || !AllAncestorsVisibleLocked(*w))
            return nullptr;
        return FindInTreeLocked(*w);
    }
    for (HWND h : State().topLevels) {
        Window* w = FindWindowLocked(h);
        if (!w || w->threadId != threadId)
            continue;
        if (HWND found = FindInTreeLocked(*w))
            return found;
    }
    // Children of other threads' windows owned by this thread.
    for (auto& e : State().windows) {
        Window& w = *e.second;
        if (w.threadId != threadId || !w.parent || !NeedsPaintLocked(w))
            continue;
        Window* p = FindWindowLocked(w.parent);
        if (p && p->threadId != threadId && AllAncestorsVisibleLocked(w))
            return w.handle;
    }
    return nullptr;
}

void InvalidateWindowLocked(Window& w, const RECT* clientRect, UINT flags)
{
    RectSet region;
    if (clientRect) {
        RECT r = *clientRect;
        OffsetRectBy(r, w.client.left, w.client.top);
        region.Add(r);
    } else {
        region.Add(w.client);
    }
    RedrawLocked(w, region, flags, true);
}

void InvalidateAfterReparent(HWND hwnd, HWND oldParent)
{
    RedrawWindow(oldParent, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void InvalidateAfterMove(HWND hwnd, const RECT& oldRect, const RECT& oldClient, bool wasVisible, bool shown,
                         bool hidden, bool sized, bool moved, bool zordered, bool frameChanged)
{
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hwnd);
    if (!w)
        return;
    bool visibleNow = (w->style & WS_VISIBLE) != 0;
    // What the window covered before now belongs to the parent and the siblings below.
    if (wasVisible && (hidden || moved || sized) && w->parent) {
        if (Window* p = FindWindowLocked(w->parent)) {
            RectSet uncovered(oldRect);
            if (visibleNow && !hidden)
                uncovered.Subtract(w->rect);
            if (!uncovered.IsEmpty()) {
                uncovered.Offset(p->client.left, p->client.top);
                RedrawLocked(*p, uncovered, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN, false);
            }
        }
    }
    if (!visibleNow)
        return;
    RECT all{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
    if (shown || moved || zordered || !w->parent) {
        if (shown || moved || (!w->parent && sized) || zordered)
            RedrawLocked(*w, RectSet(all), RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN, true);
    }
    if (sized || frameChanged) {
        UINT clsStyle = w->cls ? w->cls->style : 0;
        int oldW = oldClient.right - oldClient.left, oldH = oldClient.bottom - oldClient.top;
        int newW = w->client.right - w->client.left, newH = w->client.bottom - w->client.top;
        bool whole = frameChanged || ((clsStyle & CS_HREDRAW) && oldW != newW) ||
                     ((clsStyle & CS_VREDRAW) && oldH != newH);
        if (whole) {
            RedrawLocked(*w, RectSet(all), RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN, true);
        } else {
            // Only what grew needs painting, plus the frame around it.
            RectSet grown(w->client);
            grown.Subtract(RECT{w->client.left, w->client.top, w->client.left + oldW, w->client.top + oldH});
            RedrawLocked(*w, grown, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME, true);
        }
    }
}

}  // namespace mivo

using namespace mivo;

BOOL RedrawWindow(HWND hWnd, const RECT* lprcUpdate, HRGN hrgnUpdate, UINT flags)
{
    if (!hWnd)
        hWnd = DesktopHandle();
    {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hWnd);
        if (!w)
            return FALSE;
        if (flags & (RDW_INVALIDATE | RDW_VALIDATE)) {
            RectSet region;
            if (hrgnUpdate) {
                guard.unlock();
                region = RectSetFromRegion(hrgnUpdate);
                guard.lock();
                w = FindWindowLocked(hWnd);
                if (!w)
                    return FALSE;
                region.Offset(w->client.left, w->client.top);
            } else if (lprcUpdate) {
                RECT r = *lprcUpdate;
                OffsetRectBy(r, w->client.left, w->client.top);
                region.Add(r);
            } else {
                region.Add(RECT{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top});
                if (!(flags & RDW_FRAME))
                    region.IntersectWith(w->client);
            }
            if (hWnd == DesktopHandle()) {
                // The whole screen: every top-level window.
                for (HWND h : State().topLevels)
                    if (Window* t = FindWindowLocked(h))
                        RedrawLocked(*t, RectSet(RECT{0, 0, t->rect.right - t->rect.left, t->rect.bottom - t->rect.top}),
                                     flags | RDW_ALLCHILDREN, true);
            } else {
                RedrawLocked(*w, region, flags, true);
            }
        }
    }
    bool children = (flags & RDW_ALLCHILDREN) != 0;
    if (flags & RDW_UPDATENOW)
        UpdateNow(hWnd, children || true, false);
    else if (flags & RDW_ERASENOW)
        UpdateNow(hWnd, children, true);
    return TRUE;
}

BOOL InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase)
{
    if (!hWnd)
        return RedrawWindow(nullptr, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return RedrawWindow(hWnd, lpRect ? lpRect : nullptr, nullptr, RDW_INVALIDATE | (bErase ? RDW_ERASE : 0)) ||
           false;
}

BOOL InvalidateRgn(HWND hWnd, HRGN hRgn, BOOL bErase)
{
    if (!hRgn)
        return InvalidateRect(hWnd, nullptr, bErase);
    return RedrawWindow(hWnd, nullptr, hRgn, RDW_INVALIDATE | (bErase ? RDW_ERASE : 0));
}

BOOL ValidateRect(HWND hWnd, const RECT* lpRect)
{
    if (!lpRect) {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hWnd);
        if (!w)
            return FALSE;
        w->update.Clear();
        w->eraseNeeded = false;
        w->internalPaint = false;
        return TRUE;
    }
    return RedrawWindow(hWnd, lpRect, nullptr, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL ValidateRgn(HWND hWnd, HRGN hRgn)
{
    if (!hRgn)
        return ValidateRect(hWnd, nullptr);
    return RedrawWindow(hWnd, nullptr, hRgn, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL UpdateWindow(HWND hWnd)
{
    if (!IsWindow(hWnd))
        return FALSE;
    UpdateNow(hWnd, true, false);
    return TRUE;
}

BOOL GetUpdateRect(HWND hWnd, LPRECT lpRect, BOOL bErase)
{
    RECT bounds;
    bool erase;
    {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hWnd);
        if (!w)
            return FALSE;
        RectSet upd = w->update;
        upd.IntersectWith(ClientRectLocal(*w));
        bounds = upd.Bounds();
        erase = bErase && w->eraseNeeded;
    }
    if (lpRect)
        *lpRect = bounds;
    if (erase && !RectSet::IsEmptyRect(bounds))
        UpdateNow(hWnd, false, true);
    return !RectSet::IsEmptyRect(bounds);
}

int GetUpdateRgn(HWND hWnd, HRGN hRgn, BOOL bErase)
{
    RectSet upd;
    bool erase;
    {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hWnd);
        if (!w)
            return 0;  // ERROR
        upd = w->update;
        erase = bErase && w->eraseNeeded;
    }
    if (hRgn) {
        CopyRectSetIntoRegion(hRgn, upd);
    }
    if (erase && !upd.IsEmpty())
        UpdateNow(hWnd, false, true);
    if (upd.IsEmpty())
        return 1;  // NULLREGION
    return upd.Rects().size() == 1 ? 2 : 3;  // SIMPLEREGION : COMPLEXREGION
}

// --- DCs

namespace {

struct WindowDC {
    HWND hwnd;
    HWND top;
    RECT bounds;  // surface coordinates, flushed on release
    bool paint;
};

std::map<HDC, WindowDC>& DCs()
{
    static auto* dcs = new std::map<HDC, WindowDC>;
    return *dcs;
}

}  // namespace

namespace mivo {

// Makes a DC for a window: client or whole window, clipped as the flags and styles say.
HDC MakeWindowDC(HWND hwnd, const RectSet* intersect, DWORD flags, bool paint)
{
    std::shared_ptr<Surface> surface;
    POINT origin;
    RectSet clip;
    HWND top;
    {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hwnd);
        if (!w)
            return nullptr;
        Window* t = TopLevelOf(w);
        top = t->handle;
        surface = t->surface;
        bool window = (flags & DCX_WINDOW) != 0;
        bool clipChildren = (flags & DCX_CLIPCHILDREN) || ((flags & DCX_USESTYLE_INTERNAL) && (w->style & WS_CLIPCHILDREN));
        bool clipSiblings = (flags & DCX_CLIPSIBLINGS) || ((flags & DCX_USESTYLE_INTERNAL) && (w->style & WS_CLIPSIBLINGS));
        RECT base = window ? WindowRectInTopLevelLocked(*w) : ClientInTopLocked(*w);
        origin = POINT{base.left, base.top};
        clip = VisibleRegionLocked(*w, !window, clipChildren, clipSiblings);
        if (intersect) {
            RectSet extra = *intersect;
            extra.Offset(origin.x, origin.y);
            clip.IntersectWith(extra);
        }
        if (flags & DCX_INTERSECTUPDATE) {
            RectSet upd = w->update;
            RECT c = ClientInTopLocked(*w);
            upd.Offset(c.left, c.top);
            clip.IntersectWith(upd);
        }
    }
    if (!surface)
        return nullptr;
    HDC hdc = MakeSurfaceDC(surface, origin, clip, hwnd);
    if (hdc) {
        UserGuard guard(UserLock());
        DCs()[hdc] = WindowDC{hwnd, top, clip.Bounds(), paint};
    }
    return hdc;
}

}  // namespace mivo

HDC GetDCEx(HWND hWnd, HRGN hrgnClip, DWORD flags)
{
    if (!hWnd || hWnd == DesktopHandle()) {
        hWnd = DesktopWindow();
        RefreshDisplaySurface();
    }
    RectSet extra;
    const RectSet* intersect = nullptr;
    if (hrgnClip && (flags & DCX_INTERSECTRGN)) {
        extra = RectSetFromRegion(hrgnClip);
        intersect = &extra;
    }
    HDC hdc = MakeWindowDC(hWnd, intersect, flags, false);
    if (hrgnClip && (flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN)))
        DeleteRegion(hrgnClip);
    return hdc;
}

HDC GetDC(HWND hWnd)
{
    return GetDCEx(hWnd, nullptr, DCX_USESTYLE_INTERNAL);
}

HDC GetWindowDC(HWND hWnd)
{
    return GetDCEx(hWnd, nullptr, DCX_WINDOW | DCX_USESTYLE_INTERNAL);
}

int ReleaseDC(HWND, HDC hDC)
{
    if (!hDC)
        return 0;
    WindowDC info;
    {
        UserGuard guard(UserLock());
        auto it = DCs().find(hDC);
        if (it == DCs().end())
            return 0;
        info = it->second;
        DCs().erase(it);
    }
    FreeSurfaceDC(hDC);
    if (!RectSet::IsEmptyRect(info.bounds))
        FlushSurface(info.top, info.bounds);
    return 1;
}

HWND WindowFromDC(HDC hDC)
{
    UserGuard guard(UserLock());
    auto it = DCs().find(hDC);
    return it == DCs().end() ? nullptr : it->second.hwnd;
}

HDC BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint)
{
    if (!lpPaint)
        return nullptr;
    std::memset(lpPaint, 0, sizeof(*lpPaint));
    bool nc;
    {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hWnd);
        if (!w)
            return nullptr;
        nc = w->ncPaintNeeded;
        w->ncPaintNeeded = false;
    }
    HideCaretForPaint(hWnd);
    if (nc)
        SendMessage(hWnd, WM_NCPAINT, 1, 0);
    RectSet update;
    bool erase;
    {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hWnd);
        if (!w)
            return nullptr;
        update = w->update;
        update.IntersectWith(ClientRectLocal(*w));
        erase = w->eraseNeeded;
        w->update.Clear();
        w->eraseNeeded = false;
        w->internalPaint = false;
    }
    HDC hdc = MakeWindowDC(hWnd, &update, DCX_USESTYLE_INTERNAL, true);
    lpPaint->hdc = hdc;
    lpPaint->rcPaint = update.Bounds();
    lpPaint->fErase = FALSE;
    if (erase)
        lpPaint->fErase = SendMessage(hWnd, WM_ERASEBKGND, (WPARAM)hdc, 0) ? FALSE : TRUE;
    return hdc ? hdc : (HDC)nullptr;
}

BOOL EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint)
{
    if (lpPaint && lpPaint->hdc)
        ReleaseDC(hWnd, lpPaint->hdc);
    ShowCaretAfterPaint(hWnd);
    return TRUE;
}

BOOL LockWindowUpdate(HWND hWndLock)
{
    static HWND locked = nullptr;
    if (hWndLock && locked && locked != hWndLock && IsWindow(locked))
        return FALSE;
    HWND previous = locked;
    locked = hWndLock;
    if (!hWndLock && previous)
        RedrawWindow(previous, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    return TRUE;
}

BOOL PrintWindow(HWND hwnd, HDC hdcBlt, UINT nFlags)
{
    if (!IsWindow(hwnd) || !hdcBlt)
        return FALSE;
    // Everything pending is painted first, frames and children included.
    RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    std::shared_ptr<Surface> surface;
    RECT r;
    {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hwnd);
        if (!w)
            return FALSE;
        surface = TopLevelOf(w)->surface;
        r = (nFlags & PW_CLIENTONLY) ? ClientInTopLocked(*w) : WindowRectInTopLevelLocked(*w);
    }
    if (!surface)
        return FALSE;
    HDC src = MakeSurfaceDC(surface, POINT{r.left, r.top}, RectSet(r), hwnd);
    if (!src)
        return FALSE;
    BOOL ok = BitBlt(hdcBlt, 0, 0, r.right - r.left, r.bottom - r.top, src, 0, 0, SRCCOPY);
    FreeSurfaceDC(src);
    return ok;
}
