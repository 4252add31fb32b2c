// Drawing of frames, captions and scroll bars, and the default control colours.
#include "user/UserInternal.h"
#include "user/GdiLink.h"
#include "win32/paint.h"
#include "win32/usersys.h"

COLORREF SetTextColor(HDC, COLORREF) __attribute__((weak));
COLORREF SetBkColor(HDC, COLORREF) __attribute__((weak));

namespace mivo {

void DefNcPaint(HWND, HRGN)
{
}

HBRUSH DefaultControlColor(UINT msg, HDC hdc)
{
    bool window = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
    if (hdc && SetTextColor && SetBkColor) {
        SetTextColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(hdc, GetSysColor(window ? COLOR_WINDOW : COLOR_3DFACE));
    }
    if (msg == WM_CTLCOLORSCROLLBAR)
        return GetSysColorBrush(COLOR_SCROLLBAR);
    return GetSysColorBrush(window ? COLOR_WINDOW : COLOR_3DFACE);
}

LRESULT DefPrint(HWND, HDC, DWORD, bool)
{
    return 0;
}

}  // namespace mivo
