#include "user/GdiLink.h"
#include "win32/gdi.h"
#include "win32/uidraw.h"

#include <vector>

namespace mivo {

bool GdiAvailable()
{
    return true;
}

HRGN RegionFromRectSet(const RectSet& set)
{
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    if (!rgn)
        return nullptr;
    for (const RECT& r : set.Rects()) {
        HRGN part = CreateRectRgn(r.left, r.top, r.right, r.bottom);
        CombineRgn(rgn, rgn, part, RGN_OR);
        DeleteObject(part);
    }
    return rgn;
}

RectSet RectSetFromRegion(HRGN rgn)
{
    RectSet out;
    if (!rgn)
        return out;
    DWORD size = GetRegionData(rgn, 0, nullptr);
    if (size < sizeof(RGNDATAHEADER))
        return out;
    std::vector<char> buffer(size);
    auto* data = (RGNDATA*)buffer.data();
    if (GetRegionData(rgn, size, data) == 0)
        return out;
    const RECT* rects = (const RECT*)data->Buffer;
    DWORD count = data->rdh.nCount;
    if ((size_t)count * sizeof(RECT) + sizeof(RGNDATAHEADER) > size)
        return out;
    for (DWORD i = 0; i < count; ++i)
        out.Add(rects[i]);
    return out;
}

void CopyRectSetIntoRegion(HRGN dst, const RectSet& set)
{
    HRGN src = RegionFromRectSet(set);
    if (!src)
        return;
    CombineRgn(dst, src, nullptr, RGN_COPY);
    DeleteObject(src);
}

void DeleteRegion(HRGN rgn)
{
    if (rgn)
        DeleteObject(rgn);
}

HDC MakeSurfaceDC(const std::shared_ptr<Surface>& surface, POINT origin, const RectSet& clip, HWND owner)
{
    if (!surface)
        return nullptr;
    HRGN rgn = RegionFromRectSet(clip);
    HDC hdc = CreateSurfaceDC(surface, origin, rgn, owner);
    DeleteRegion(rgn);
    return hdc;
}

void FreeSurfaceDC(HDC hdc)
{
    if (hdc)
        DeleteSurfaceDC(hdc);
}

void FillWithBrush(HDC hdc, const RECT& rc, HBRUSH brush)
{
    if (hdc && brush)
        FillRect(hdc, &rc, brush);
}

HBRUSH SolidBrush(COLORREF color)
{
    return CreateSolidBrush(color);
}

HBRUSH CheckerBrush(COLORREF even, COLORREF odd)
{
    auto pixel = [](COLORREF c) { return (DWORD)((GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c)); };
    DWORD bits[8 * 8];
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            bits[y * 8 + x] = ((x + y) & 1) ? pixel(odd) : pixel(even);
    HBITMAP bm = CreateBitmap(8, 8, 1, 32, bits);
    if (!bm)
        return nullptr;
    HBRUSH brush = CreatePatternBrush(bm);
    DeleteObject(bm);
    return brush;
}

}  // namespace mivo
