#include "user/GdiLink.h"

// GDI may not be linked in yet; these stay null then and drawing is skipped.
HRGN CreateRectRgn(int, int, int, int) __attribute__((weak));
int CombineRgn(HRGN, HRGN, HRGN, int) __attribute__((weak));
BOOL DeleteObject(HGDIOBJ) __attribute__((weak));
int FillRect(HDC, const RECT*, HBRUSH) __attribute__((weak));
HBRUSH CreateSolidBrush(COLORREF) __attribute__((weak));

namespace mivo {
HDC CreateSurfaceDC(std::shared_ptr<Surface> surface, POINT origin, HRGN clip, HWND owner) __attribute__((weak));
BOOL DeleteSurfaceDC(HDC hdc) __attribute__((weak));

bool GdiAvailable()
{
    return CreateSurfaceDC != nullptr && CreateRectRgn != nullptr;
}

HRGN RegionFromRectSet(const RectSet& set)
{
    if (!CreateRectRgn || !CombineRgn)
        return nullptr;
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    for (const RECT& r : set.Rects()) {
        HRGN part = CreateRectRgn(r.left, r.top, r.right, r.bottom);
        CombineRgn(rgn, rgn, part, 2 /* RGN_OR */);
        DeleteObject(part);
    }
    return rgn;
}

RectSet RectSetFromRegion(HRGN)
{
    return RectSet();
}

void CopyRectSetIntoRegion(HRGN dst, const RectSet& set)
{
    HRGN src = RegionFromRectSet(set);
    if (!src)
        return;
    CombineRgn(dst, src, nullptr, 5 /* RGN_COPY */);
    DeleteObject(src);
}

void DeleteRegion(HRGN rgn)
{
    if (rgn && DeleteObject)
        DeleteObject(rgn);
}

HDC MakeSurfaceDC(const std::shared_ptr<Surface>& surface, POINT origin, const RectSet& clip, HWND owner)
{
    if (!GdiAvailable() || !surface)
        return nullptr;
    HRGN rgn = RegionFromRectSet(clip);
    HDC hdc = CreateSurfaceDC(surface, origin, rgn, owner);
    DeleteRegion(rgn);
    return hdc;
}

void FreeSurfaceDC(HDC hdc)
{
    if (hdc && DeleteSurfaceDC)
        DeleteSurfaceDC(hdc);
}

void FillWithBrush(HDC hdc, const RECT& rc, HBRUSH brush)
{
    if (hdc && brush && FillRect)
        FillRect(hdc, &rc, brush);
}

HBRUSH SolidBrush(COLORREF color)
{
    return CreateSolidBrush ? CreateSolidBrush(color) : nullptr;
}

}  // namespace mivo
