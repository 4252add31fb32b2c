// Region objects, painting regions and clipping.
#include "gdi/DeviceContext.h"
#include "gdi/RasterOps.h"
#include "mivo/Trace.h"
#include "gdi/Shapes.h"

#include <algorithm>

using namespace mivo;
using namespace mivo::gdi;

namespace {

// Coordinates are kept well inside int so offsets and unions never overflow.
constexpr int kCoordLimit = 1 << 27;

int Clamp(int v)
{
    return std::max(-kCoordLimit, std::min(kCoordLimit, v));
}

RECT Normalized(int x1, int y1, int x2, int y2)
{
    RECT r;
    r.left = Clamp(std::min(x1, x2));
    r.right = Clamp(std::max(x1, x2));
    r.top = Clamp(std::min(y1, y2));
    r.bottom = Clamp(std::max(y1, y2));
    return r;
}

HRGN NewRegion(Region r)
{
    auto obj = MakeObject<RegionObject>();
    if (!obj)
        return nullptr;
    obj->region = std::move(r);
    return Publish<HRGN>(obj);
}

std::shared_ptr<RegionObject> LookupRegion(HRGN h)
{
    return Lookup<RegionObject>((HANDLE)h);
}

// A region in logical coordinates moved into raster coordinates.
Region ToRaster(const DeviceContext& dc, const DrawTarget& t, const Region& logical)
{
    Region out;
    bool translateOnly = dc.st.windowExt.cx == dc.st.viewportExt.cx && dc.st.windowExt.cy == dc.st.viewportExt.cy;
    if (translateOnly) {
        out = logical;
        POINT o = dc.ToDevice(0, 0);
        out.Offset(o.x + t.origin.x, o.y + t.origin.y);
        return out;
    }
    SpanBuilder sb;
    for (const RECT& r : logical.Rects()) {
        RECT d = dc.ToDeviceRect(r);
        for (int y = d.top; y < d.bottom; ++y)
            sb.Add(y + t.origin.y, d.left + t.origin.x, d.right + t.origin.x);
    }
    return sb.Build();
}

Region Erode(const Region& r, int w, int h)
{
    Region inner = r;
    for (int i = 0; i < w; ++i) {
        Region a = inner, b = inner;
        a.Offset(1, 0);
        b.Offset(-1, 0);
        inner = Region::Combine(Region::Combine(inner, a, RGN_AND), b, RGN_AND);
    }
    for (int i = 0; i < h; ++i) {
        Region a = inner, b = inner;
        a.Offset(0, 1);
        b.Offset(0, -1);
        inner = Region::Combine(Region::Combine(inner, a, RGN_AND), b, RGN_AND);
    }
    return inner;
}

template <class F>
BOOL PaintWith(HDC hdc, HRGN hrgn, F&& body)
{
    auto dc = LookupDC(hdc);
    auto rgn = LookupRegion(hrgn);
    if (!dc || !rgn)
        return FALSE;
    Region logical = rgn->Get();
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    DrawTarget t;
    if (!dc->Acquire(t))
        return dc->dcKind == DcKind::Info ? FALSE : TRUE;
    return body(*dc, t, ToRaster(*dc, t, logical));
}

}  // namespace

// ---------------------------------------------------------------- creation

HRGN CreateRectRgn(int x1, int y1, int x2, int y2)
{
    return NewRegion(Region(Normalized(x1, y1, x2, y2)));
}

HRGN CreateRectRgnIndirect(const RECT* lprect)
{
    if (lprect == nullptr)
        return nullptr;
    return CreateRectRgn(lprect->left, lprect->top, lprect->right, lprect->bottom);
}

HRGN CreateRoundRectRgn(int x1, int y1, int x2, int y2, int w, int h)
{
    RECT r = Normalized(x1, y1, x2, y2);
    return NewRegion(RoundRectRegion(r.left, r.top, r.right, r.bottom, w, h));
}

HRGN CreateEllipticRgn(int x1, int y1, int x2, int y2)
{
    RECT r = Normalized(x1, y1, x2, y2);
    return NewRegion(EllipseRegion(r.left, r.top, r.right, r.bottom));
}

HRGN CreateEllipticRgnIndirect(const RECT* lprect)
{
    if (lprect == nullptr)
        return nullptr;
    return CreateEllipticRgn(lprect->left, lprect->top, lprect->right, lprect->bottom);
}

HRGN CreatePolyPolygonRgn(const POINT* pptl, const INT* pc, int cPoly, int iMode)
{
    if (pptl == nullptr || pc == nullptr || cPoly <= 0 || (iMode != ALTERNATE && iMode != WINDING))
        return nullptr;
    std::vector<std::vector<POINT>> contours;
    const POINT* p = pptl;
    for (int i = 0; i < cPoly; ++i) {
        if (pc[i] < 0 || pc[i] > (1 << 24))
            return nullptr;
        std::vector<POINT> c(p, p + pc[i]);
        for (POINT& q : c) {
            q.x = Clamp(q.x);
            q.y = Clamp(q.y);
        }
        contours.push_back(std::move(c));
        p += pc[i];
    }
    return NewRegion(PolygonRegion(contours, iMode));
}

HRGN CreatePolygonRgn(const POINT* pptl, int cPoint, int iMode)
{
    return CreatePolyPolygonRgn(pptl, &cPoint, 1, iMode);
}

HRGN ExtCreateRegion(const void*, DWORD nCount, const RGNDATA* lpData)
{
    if (lpData == nullptr || lpData->rdh.iType != RDH_RECTANGLES || nCount < sizeof(RGNDATAHEADER))
        return nullptr;
    uint64_t available = (nCount - sizeof(RGNDATAHEADER)) / sizeof(RECT);
    uint64_t count = std::min<uint64_t>(lpData->rdh.nCount, available);
    const RECT* rects = reinterpret_cast<const RECT*>(lpData->Buffer);
    Region r;
    for (uint64_t i = 0; i < count; ++i) {
        RECT q = Normalized(rects[i].left, rects[i].top, rects[i].right, rects[i].bottom);
        r = Region::Combine(r, Region(q), RGN_OR);
    }
    return NewRegion(std::move(r));
}

// ---------------------------------------------------------------- operations

int CombineRgn(HRGN hrgnDst, HRGN hrgnSrc1, HRGN hrgnSrc2, int iMode)
{
    if (iMode < RGN_AND || iMode > RGN_COPY)
        return ERROR;
    auto dst = LookupRegion(hrgnDst);
    auto a = LookupRegion(hrgnSrc1);
    if (!dst || !a)
        return ERROR;
    Region ra = a->Get();
    Region result;
    if (iMode == RGN_COPY) {
        result = ra;
    } else {
        auto b = LookupRegion(hrgnSrc2);
        if (!b)
            return ERROR;
        result = Region::Combine(ra, b->Get(), iMode);
    }
    int type = result.Complexity();
    dst->Set(std::move(result));
    return type;
}

int OffsetRgn(HRGN hrgn, int x, int y)
{
    auto rgn = LookupRegion(hrgn);
    if (!rgn)
        return ERROR;
    std::lock_guard<std::mutex> guard(rgn->lock);
    RECT b = rgn->region.Bounds();
    if (!rgn->region.IsEmpty() && (std::abs((int64_t)b.left + x) > kCoordLimit || std::abs((int64_t)b.right + x) > kCoordLimit ||
                                   std::abs((int64_t)b.top + y) > kCoordLimit || std::abs((int64_t)b.bottom + y) > kCoordLimit))
        return ERROR;
    rgn->region.Offset(x, y);
    return rgn->region.Complexity();
}

BOOL PtInRegion(HRGN hrgn, int x, int y)
{
    auto rgn = LookupRegion(hrgn);
    if (!rgn)
        return FALSE;
    std::lock_guard<std::mutex> guard(rgn->lock);
    return rgn->region.Contains(x, y) ? TRUE : FALSE;
}

BOOL RectInRegion(HRGN hrgn, const RECT* lprect)
{
    auto rgn = LookupRegion(hrgn);
    if (!rgn || lprect == nullptr)
        return FALSE;
    RECT r = Normalized(lprect->left, lprect->top, lprect->right, lprect->bottom);
    std::lock_guard<std::mutex> guard(rgn->lock);
    return rgn->region.Intersects(r) ? TRUE : FALSE;
}

int GetRgnBox(HRGN hrgn, LPRECT lprc)
{
    auto rgn = LookupRegion(hrgn);
    if (!rgn || lprc == nullptr)
        return ERROR;
    std::lock_guard<std::mutex> guard(rgn->lock);
    *lprc = rgn->region.Bounds();
    return rgn->region.Complexity();
}

BOOL EqualRgn(HRGN hrgn1, HRGN hrgn2)
{
    auto a = LookupRegion(hrgn1);
    auto b = LookupRegion(hrgn2);
    if (!a || !b)
        return ERROR;
    return a->Get() == b->Get() ? TRUE : FALSE;
}

BOOL SetRectRgn(HRGN hrgn, int left, int top, int right, int bottom)
{
    auto rgn = LookupRegion(hrgn);
    if (!rgn)
        return FALSE;
    rgn->Set(Region(Normalized(left, top, right, bottom)));
    return TRUE;
}

DWORD GetRegionData(HRGN hrgn, DWORD nCount, LPRGNDATA lpRgnData)
{
    auto rgn = LookupRegion(hrgn);
    if (!rgn)
        return 0;
    Region r = rgn->Get();
    std::vector<RECT> rects = r.Rects();
    uint64_t size = sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT);
    if (size > 0xFFFFFFFFu)
        return 0;
    if (lpRgnData == nullptr)
        return (DWORD)size;
    if (nCount < size)
        return 0;
    lpRgnData->rdh.dwSize = sizeof(RGNDATAHEADER);
    lpRgnData->rdh.iType = RDH_RECTANGLES;
    lpRgnData->rdh.nCount = (DWORD)rects.size();
    lpRgnData->rdh.nRgnSize = (DWORD)(rects.size() * sizeof(RECT));
    lpRgnData->rdh.rcBound = r.Bounds();
    std::copy(rects.begin(), rects.end(), reinterpret_cast<RECT*>(lpRgnData->Buffer));
    return (DWORD)size;
}

// ---------------------------------------------------------------- painting regions

BOOL FillRgn(HDC hdc, HRGN hrgn, HBRUSH hbr)
{
    auto brush = Lookup<BrushObject>((HANDLE)hbr);
    if (!brush)
        return FALSE;
    return PaintWith(hdc, hrgn, [&](DeviceContext& dc, DrawTarget& t, const Region& area) {
        PaintRegion(t, area, 0xF0, BrushPattern(dc, brush.get(), t));
        return TRUE;
    });
}

BOOL PaintRgn(HDC hdc, HRGN hrgn)
{
    return PaintWith(hdc, hrgn, [&](DeviceContext& dc, DrawTarget& t, const Region& area) {
        PaintRegion(t, area, 0xF0, CurrentBrushPattern(dc, t));
        return TRUE;
    });
}

BOOL FrameRgn(HDC hdc, HRGN hrgn, HBRUSH hbr, int w, int h)
{
    auto brush = Lookup<BrushObject>((HANDLE)hbr);
    if (!brush || w < 0 || h < 0 || w > 4096 || h > 4096)
        return FALSE;
    return PaintWith(hdc, hrgn, [&](DeviceContext& dc, DrawTarget& t, const Region& area) {
        int dw = std::max(1, dc.ScaleX(w)), dh = std::max(1, dc.ScaleY(h));
        Region frame = Region::Combine(area, Erode(area, dw, dh), RGN_DIFF);
        PaintRegion(t, frame, 0xF0, BrushPattern(dc, brush.get(), t));
        return TRUE;
    });
}

BOOL InvertRgn(HDC hdc, HRGN hrgn)
{
    return PaintWith(hdc, hrgn, [&](DeviceContext&, DrawTarget& t, const Region& area) {
        PaintRegion(t, area, 0x55, SolidPattern(0));
        return TRUE;
    });
}

// ---------------------------------------------------------------- clipping

namespace {

const Region& Everything()
{
    static const Region all(RECT{-kCoordLimit, -kCoordLimit, kCoordLimit, kCoordLimit});
    return all;
}

int SetUserClip(DeviceContext& dc, std::shared_ptr<const Region> clip)
{
    dc.st.userClip = std::move(clip);
    DrawTarget t;
    if (dc.Acquire(t)) {
        t.surface = nullptr;
        return t.clip.Complexity();
    }
    return dc.st.userClip ? dc.st.userClip->Complexity() : SIMPLEREGION;
}

}  // namespace

int ExtSelectClipRgn(HDC hdc, HRGN hrgn, int mode)
{
    if (mode < RGN_AND || mode > RGN_COPY)
        return ERROR;
    auto dc = LookupDC(hdc);
    if (!dc)
        return ERROR;
    std::shared_ptr<RegionObject> rgn;
    if (hrgn != nullptr) {
        rgn = LookupRegion(hrgn);
        if (!rgn)
            return ERROR;
    } else if (mode != RGN_COPY) {
        return ERROR;
    }
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    if (mode == RGN_COPY) {
        if (!rgn)
            return SetUserClip(*dc, nullptr);
        return SetUserClip(*dc, std::make_shared<const Region>(rgn->Get()));
    }
    const Region& current = dc->st.userClip ? *dc->st.userClip : Everything();
    return SetUserClip(*dc, std::make_shared<const Region>(Region::Combine(current, rgn->Get(), mode)));
}

int SelectClipRgn(HDC hdc, HRGN hrgn)
{
    MIVO_TRACE(kTraceGdi, "SelectClipRgn(%p, %p)", (void*)hdc, (void*)hrgn);
    return ExtSelectClipRgn(hdc, hrgn, RGN_COPY);
}

namespace {

int ClipWithRect(HDC hdc, int left, int top, int right, int bottom, int mode)
{
    auto dc = LookupDC(hdc);
    if (!dc)
        return ERROR;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    RECT r = dc->ToDeviceRect(Normalized(left, top, right, bottom));
    const Region& current = dc->st.userClip ? *dc->st.userClip : Everything();
    return SetUserClip(*dc, std::make_shared<const Region>(Region::Combine(current, Region(r), mode)));
}

}  // namespace

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom)
{
    return ClipWithRect(hdc, left, top, right, bottom, RGN_AND);
}

int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom)
{
    return ClipWithRect(hdc, left, top, right, bottom, RGN_DIFF);
}

int OffsetClipRgn(HDC hdc, int x, int y)
{
    auto dc = LookupDC(hdc);
    if (!dc)
        return ERROR;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    if (!dc->st.userClip)
        return SetUserClip(*dc, nullptr);
    POINT a = dc->ToDevice(0, 0), b = dc->ToDevice(x, y);
    Region moved = *dc->st.userClip;
    moved.Offset(b.x - a.x, b.y - a.y);
    return SetUserClip(*dc, std::make_shared<const Region>(std::move(moved)));
}

int GetClipBox(HDC hdc, LPRECT lprect)
{
    auto dc = LookupDC(hdc);
    if (!dc || lprect == nullptr)
        return ERROR;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    Region visible;
    POINT origin = {0, 0};
    DrawTarget t;
    if (dc->Acquire(t)) {
        t.surface = nullptr;
        visible = t.clip;
        origin = t.origin;
    } else {
        visible = Region(RECT{0, 0, dc->caps.horzRes, dc->caps.vertRes});
        if (dc->st.userClip)
            visible = visible.Intersect(*dc->st.userClip);
    }
    RECT b = visible.Bounds();
    if (visible.IsEmpty()) {
        *lprect = RECT{0, 0, 0, 0};
        return NULLREGION;
    }
    POINT p0 = dc->ToLogical(b.left - origin.x, b.top - origin.y);
    POINT p1 = dc->ToLogical(b.right - origin.x, b.bottom - origin.y);
    lprect->left = std::min(p0.x, p1.x);
    lprect->right = std::max(p0.x, p1.x);
    lprect->top = std::min(p0.y, p1.y);
    lprect->bottom = std::max(p0.y, p1.y);
    return visible.Complexity();
}

int GetClipRgn(HDC hdc, HRGN hrgn)
{
    auto dc = LookupDC(hdc);
    auto rgn = LookupRegion(hrgn);
    if (!dc || !rgn)
        return -1;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    if (!dc->st.userClip)
        return 0;
    rgn->Set(*dc->st.userClip);
    return 1;
}

BOOL PtVisible(HDC hdc, int x, int y)
{
    auto dc = LookupDC(hdc);
    if (!dc)
        return -1;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    DrawTarget t;
    if (!dc->Acquire(t))
        return FALSE;
    t.surface = nullptr;
    POINT p = dc->ToDevice(x, y);
    return t.clip.Contains(p.x + t.origin.x, p.y + t.origin.y) ? TRUE : FALSE;
}

BOOL RectVisible(HDC hdc, const RECT* lprect)
{
    auto dc = LookupDC(hdc);
    if (!dc || lprect == nullptr)
        return FALSE;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    DrawTarget t;
    if (!dc->Acquire(t))
        return FALSE;
    t.surface = nullptr;
    RECT d = dc->ToDeviceRect(*lprect);
    d.left += t.origin.x;
    d.right += t.origin.x;
    d.top += t.origin.y;
    d.bottom += t.origin.y;
    return t.clip.Intersects(d) ? TRUE : FALSE;
}
