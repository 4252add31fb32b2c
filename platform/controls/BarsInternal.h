// What the small common controls and the bars share: WM_NOTIFY to the
// parent, painting into the DC WM_PAINT may carry, clamped geometry.
#pragma once

#include "controls/ControlsInternal.h"
#include "win32/commctrl.h"
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

// The painting messages as PaintMessage answers them, except that a WM_PAINT
// carrying a DC in wParam draws into that DC (a parent animating the control
// paints it off screen that way).
template <typename Paint>
LRESULT PaintCommonControl(HWND hwnd, UINT msg, WPARAM wParam, Paint&& paint)
{
    if (msg == WM_PAINT && wParam) {
        paint((HDC)wParam);
        return 0;
    }
    return PaintMessage(hwnd, msg, wParam, paint);
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

inline COLORREF ResolveColor(COLORREF color, int sysColor)
{
    return color == CLR_DEFAULT ? GetSysColor(sysColor) : color;
}

}  // namespace mivo
