// The "SysHeader32" window procedure over HeaderControl.
#include "controls/CommonNotify.h"
#include "controls/HeaderControl.h"
#include "win32/cursors.h"

namespace mivo {

namespace {

POINT PointOf(LPARAM lParam)
{
    return {(short)LOWORD(lParam), (short)HIWORD(lParam)};
}

LRESULT Handle(HeaderControl& h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    HWND hwnd = h.Handle();
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
        h.SetFont((HFONT)wParam);
        if (LOWORD(lParam))
            InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return (LRESULT)h.Font();
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PaintScope paint(hwnd, wParam);
        if (paint.Dc())
            h.Paint(paint.Dc());
        return 0;
    }
    case WM_PRINTCLIENT:
        h.Paint((HDC)wParam);
        return 0;
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
    case WM_SETCURSOR: {
        POINT pt;
        GetCursorPos(&pt);
        ScreenToClient(hwnd, &pt);
        if ((HWND)wParam == hwnd && LOWORD(lParam) == HTCLIENT && h.SetCursorForPoint(pt))
            return TRUE;
        break;
    }
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK HeaderProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* h = ControlData<HeaderControl>(hwnd);
    if (msg == WM_NCCREATE) {
        SetControlData(hwnd, new HeaderControl(hwnd));
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    if (msg == WM_NCDESTROY) {
        SetControlData<HeaderControl>(hwnd, nullptr);
        delete h;
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    if (!h)
        return DefWindowProc(hwnd, msg, wParam, lParam);
    return Handle(*h, msg, wParam, lParam);
}

struct HeaderClassRegistrar {
    HeaderClassRegistrar() { RegisterControlClass(WC_HEADERA, HeaderProc, CS_DBLCLKS, IDC_ARROW); }
};

HeaderClassRegistrar registrar;

}  // namespace

}  // namespace mivo
