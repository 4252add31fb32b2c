// ScrollWindow and ScrollWindowEx: moving a window's pixels and children, invalidating what shows anew.
#include "user/Painting.h"
#include "user/Geometry.h"
#include "user/GdiLink.h"
#include "gdi/Surface.h"
#include "win32/paint.h"
#include "win32/gdi.h"

#include <cstring>
#include <vector>

namespace mivo {

namespace {

RECT ClientInTop(const Window& w)
{
    RECT r = WindowRectInTopLevelLocked(w);
    return RECT{r.left + w.client.left, r.top + w.client.top, r.left + w.client.right, r.top + w.client.bottom};
}

// Moves the pixels of every rectangle of `dest` from where they were (dest - (dx, dy)).
void MovePixels(Surface& s, const RectSet& dest, int dx, int dy)
{
    std::lock_guard<std::recursive_mutex> guard(s.lock);
    std::vector<RECT> rects = dest.Rects();
    // Rows are copied in an order that never reads what was already written.
    std::vector<uint32_t> row;
    for (const RECT& r : rects) {
        int w = r.right - r.left;
        if (w <= 0)
            continue;
        row.resize((size_t)w);
        auto copyRow = [&](int y) {
            int sy = y - dy, sx = r.left - dx;
            if (sy < 0 || sy >= s.height || y < 0 || y >= s.height || sx < 0 || sx + w > s.width || r.left < 0 ||
                r.right > s.width)
                return;
            std::memcpy(row.data(), &s.pixels[(size_t)sy * (size_t)s.width + (size_t)sx], (size_t)w * 4);
            std::memcpy(&s.pixels[(size_t)y * (size_t)s.width + (size_t)r.left], row.data(), (size_t)w * 4);
        };
        if (dy > 0)
            for (int y = r.bottom - 1; y >= r.top; --y)
                copyRow(y);
        else
            for (int y = r.top; y < r.bottom; ++y)
                copyRow(y);
    }
    ++s.generation;
}

}  // namespace

}  // namespace mivo

using namespace mivo;

int ScrollWindowEx(HWND hWnd, int dx, int dy, const RECT* prcScroll, const RECT* prcClip, HRGN hrgnUpdate,
                   LPRECT prcUpdate, UINT flags)
{
    std::shared_ptr<Surface> surface;
    RectSet updateClient;  // client coordinates
    HWND top = nullptr;
    RECT dirty{0, 0, 0, 0};
    std::vector<HWND> children;
    {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hWnd);
        if (!w)
            return 0;  // ERROR
        Window* t = TopLevelOf(w);
        top = t->handle;
        surface = t->surface;
        RECT clientLocal{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
        RECT area = prcScroll ? RectSet::Intersection(*prcScroll, clientLocal) : clientLocal;
        if (prcClip)
            area = RectSet::Intersection(area, *prcClip);
        RECT c = ClientInTop(*w);
        // What shows of the area, children included: they move with the pixels.
        RectSet vis = VisibleRegionLocked(*w, true, false, (w->style & WS_CLIPSIBLINGS) != 0);
        RECT areaTop = area;
        OffsetRectBy(areaTop, c.left, c.top);
        vis.IntersectWith(areaTop);
        RectSet moved = vis;
        moved.Offset(dx, dy);
        moved.IntersectWith(vis);
        if (surface && (dx || dy))
            MovePixels(*surface, moved, dx, dy);
        dirty = vis.Bounds();
        RectSet exposed(areaTop);
        exposed.Subtract(moved);
        exposed.Offset(-c.left, -c.top);
        updateClient = exposed;
        // What was waiting to be painted moves along.
        RectSet pendingIn = w->update;
        pendingIn.IntersectWith(area);
        if (!pendingIn.IsEmpty()) {
            w->update.Subtract(area);
            pendingIn.Offset(dx, dy);
            pendingIn.IntersectWith(area);
            w->update.Add(pendingIn);
        }
        if (flags & SW_SCROLLCHILDREN) {
            for (HWND h : w->children) {
                Window* cw = FindWindowLocked(h);
                if (cw && (!prcScroll || !RectSet::IsEmptyRect(RectSet::Intersection(cw->rect, *prcScroll))))
                    children.push_back(h);
            }
        }
    }
    for (HWND h : children) {
        RECT r;
        {
            UserGuard guard(UserLock());
            Window* cw = FindWindowLocked(h);
            if (!cw)
                continue;
            r = cw->rect;
        }
        SetWindowPos(h, nullptr, r.left + dx, r.top + dy, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    }
    if (flags & (SW_INVALIDATE | SW_ERASE)) {
        for (const RECT& r : updateClient.Rects())
            RedrawWindow(hWnd, &r, nullptr,
                         RDW_INVALIDATE | ((flags & SW_ERASE) ? RDW_ERASE : 0) |
                             ((flags & SW_SCROLLCHILDREN) ? RDW_ALLCHILDREN : 0));
    }
    if (prcUpdate)
        *prcUpdate = updateClient.Bounds();
    if (hrgnUpdate)
        CopyRectSetIntoRegion(hrgnUpdate, updateClient);
    if (!RectSet::IsEmptyRect(dirty))
        FlushSurface(top, dirty);
    if (updateClient.IsEmpty())
        return 1;  // NULLREGION
    return updateClient.Rects().size() == 1 ? 2 : 3;
}

BOOL ScrollWindow(HWND hWnd, int XAmount, int YAmount, const RECT* lpRect, const RECT* lpClipRect)
{
    UINT flags = SW_INVALIDATE | SW_ERASE | (lpRect ? 0 : SW_SCROLLCHILDREN);
    return ScrollWindowEx(hWnd, XAmount, YAmount, lpRect, lpClipRect, nullptr, nullptr, flags) != 0;
}

int SetWindowRgn(HWND hWnd, HRGN hRgn, BOOL bRedraw)
{
    HRGN old;
    RectSet shape = hRgn ? RectSetFromRegion(hRgn) : RectSet();
    {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hWnd);
        if (!w)
            return 0;
        old = w->windowRgn;
        w->windowRgn = hRgn;  // the system owns the region from now on
        w->shape = shape;
        w->shaped = hRgn != nullptr;
    }
    if (old && old != hRgn)
        DeleteRegion(old);
    if (bRedraw)
        RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return 1;
}

int GetWindowRgn(HWND hWnd, HRGN hRgn)
{
    HRGN own;
    {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hWnd);
        if (!w || !w->windowRgn)
            return 0;  // ERROR: no region set
        own = w->windowRgn;
    }
    if (!hRgn)
        return 0;
    return CombineRgn(hRgn, own, nullptr, RGN_COPY);
}
