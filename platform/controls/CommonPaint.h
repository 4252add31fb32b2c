// Painting helpers the list and tree controls share.
#pragma once

#include "win32/gdi.h"
#include "win32/gditext.h"
#include "win32/user.h"
#include "win32/usersys.h"

namespace mivo {

// A rectangle in one colour, without making a brush.
inline void FillSolid(HDC hdc, const RECT& rc, COLORREF color)
{
    COLORREF old = SetBkColor(hdc, color);
    ExtTextOut(hdc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
    SetBkColor(hdc, old);
}

// A colour the program set, or the system colour while it is CLR_DEFAULT.
inline COLORREF ResolveColor(COLORREF color, int sysColor)
{
    return color == CLR_DEFAULT ? GetSysColor(sysColor) : color;
}

// The part of the client area a paint must cover: the DC's clip box, or the
// whole client area when the DC has none.
inline RECT PaintArea(HWND hwnd, HDC hdc)
{
    RECT rc = {0, 0, 0, 0};
    if (GetClipBox(hdc, &rc) == ERROR)
        GetClientRect(hwnd, &rc);
    return rc;
}

}  // namespace mivo
