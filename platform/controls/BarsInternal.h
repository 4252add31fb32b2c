// What the small common controls and the bars share: WM_NOTIFY to the
// parent, painting into the DC WM_PAINT may carry, clamped geometry.
#pragma once

#include "controls/ControlsInternal.h"
#include "win32/commctrlbars.h"

namespace mivo {

// Sends WM_NOTIFY with `hdr` (filled with the control's handle, id and code) to `to`.
inline LRESULT SendNotify(HWND control, HWND to, UINT code, NMHDR* hdr)
{
    hdr->hwndFrom = control;
    hdr->idFrom = (UINT_PTR)GetDlgCtrlID(control);
    hdr->code = code;
    if (!to || !IsWindow(to))
        return 0;
    return SendMessage(to, WM_NOTIFY, hdr->idFrom, (LPARAM)hdr);
}

inline LRESULT NotifyParentNM(HWND control, UINT code, NMHDR* hdr)
{
    return SendNotify(control, GetParent(control), code, hdr);
}

inline LRESULT NotifyParentNM(HWND control, UINT code)
{
    NMHDR hdr = {};
    return NotifyParentNM(control, code, &hdr);
}

// WM_PAINT: draws into the DC wParam carries when there is one, else between
// BeginPaint and EndPaint.
template <typename Paint>
LRESULT PaintInto(HWND hwnd, WPARAM wParam, Paint paint)
{
    if (wParam) {
        paint((HDC)wParam);
        return 0;
    }
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    if (hdc)
        paint(hdc);
    EndPaint(hwnd, &ps);
    return 0;
}

inline DWORD WindowStyle(HWND hwnd)
{
    return (DWORD)GetWindowLong(hwnd, GWL_STYLE);
}

inline RECT ClientRect(HWND hwnd)
{
    RECT rc = {0, 0, 0, 0};
    GetClientRect(hwnd, &rc);
    return rc;
}

inline int RectWidth(const RECT& r)
{
    return r.right - r.left;
}

inline int RectHeight(const RECT& r)
{
    return r.bottom - r.top;
}

inline POINT PointFromLParam(LPARAM lParam)
{
    return POINT{(short)LOWORD(lParam), (short)HIWORD(lParam)};
}

inline COLORREF ResolveColor(COLORREF color, int sysColor)
{
    return color == CLR_DEFAULT ? GetSysColor(sysColor) : color;
}

}  // namespace mivo
