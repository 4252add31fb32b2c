// The "SysHeader32" window procedure over HeaderControl.
#include "controls/BuiltinClasses.h"
#include "controls/CommonNotify.h"
#include "controls/HeaderControl.h"
#include "win32/cursors.h"

namespace mivo {

namespace {

POINT PointOf(LPARAM lParam)
{
    return {(short)LOWORD(lParam), (short)HIWORD(lParam)};
}

LRESULT SetFont(HeaderControl& h, WPARAM font, LPARAM redraw)
{
    h.SetFont((HFONT)font);
    if (LOWORD(redraw))
        InvalidateRect(h.Handle(), nullptr, TRUE);
    return 0;
}

// The sizing cursor over a divider; elsewhere the class cursor.
bool SetDividerCursor(HWND hwnd, HeaderControl& h, WPARAM target, LPARAM hit)
{
    if ((HWND)target != hwnd || LOWORD(hit) != HTCLIENT)
        return false;
    POINT pt;
    GetCursorPos(&pt);
    ScreenToClient(hwnd, &pt);
    return h.SetCursorForPoint(pt);
}

LRESULT Handle(HWND hwnd, HeaderControl& h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case HDM_GETITEMCOUNT:
        return h.Count();
    case HDM_INSERTITEMA:
        return lParam ? h.Insert((int)wParam, *(const HDITEMA*)lParam) : -1;
    case HDM_DELETEITEM:
        return h.Delete((int)wParam);
    case HDM_GETITEMA:
        return lParam && h.Get((int)wParam, *(HDITEMA*)lParam);
    case HDM_SETITEMA:
        return lParam && h.Set((int)wParam, *(const HDITEMA*)lParam);
    case HDM_LAYOUT:
        return h.Layout((HDLAYOUT*)lParam);
    case HDM_HITTEST:
        return lParam ? h.HitTest(*(HDHITTESTINFO*)lParam) : -1;
    case HDM_GETITEMRECT:
        return lParam && h.ItemRect((int)wParam, *(RECT*)lParam);
    case HDM_SETIMAGELIST:
        return (LRESULT)h.SetImageList((HIMAGELIST)lParam);
    case HDM_GETIMAGELIST:
        return (LRESULT)h.ImageList();
    case HDM_ORDERTOINDEX:
        return h.OrderToIndex((int)wParam);
    case HDM_GETORDERARRAY:
        return h.GetOrder((int)wParam, (int*)lParam);
    case HDM_SETORDERARRAY:
        return h.SetOrder((int)wParam, (const int*)lParam);
    case HDM_SETHOTDIVIDER:
        return h.SetHotDivider(wParam != 0, (DWORD)lParam);
    case WM_SETFONT:
        return SetFont(h, wParam, lParam);
    case WM_GETFONT:
        return (LRESULT)h.Font();
    case WM_ERASEBKGND:
    case WM_PAINT:
    case WM_PRINTCLIENT:
        return PaintMessage(hwnd, msg, wParam, [&](HDC hdc) { h.Paint(hdc); });
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        h.MouseDown(PointOf(lParam), msg == WM_LBUTTONDBLCLK);
        return 0;
    case WM_MOUSEMOVE:
        h.MouseMove(PointOf(lParam));
        return 0;
    case WM_LBUTTONUP:
        h.MouseUp(PointOf(lParam));
        return 0;
    case WM_CANCELMODE:
        h.CancelMode();
        return 0;
    case WM_RBUTTONUP:
        h.RightClick();
        return 0;
    case WM_SETCURSOR:
        if (SetDividerCursor(hwnd, h, wParam, lParam))
            return TRUE;
        break;
    }
    return ControlDefault(hwnd, msg, wParam, lParam);
}

}  // namespace

const WNDPROC HeaderProc = ControlWindow<HeaderControl>::Procedure<Handle>;

}  // namespace mivo
