// The "msctls_statusbar32" class: a bar along the parent's bottom edge split
// into parts that show text (tabs centre and right-align), icons or owner
// drawing; a simple mode shows one full-width part instead.
#include "controls/BuiltinClasses.h"
#include "controls/StatusBar.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace mivo {

namespace {

const int kMaxParts = 256;

void InvalidatePart(HWND hwnd, const StatusBarState& sb, int index)
{
    if (sb.simple != (index == SB_SIMPLEID))
        return;
    RECT r = PartRect(hwnd, sb, index);
    InvalidateRect(hwnd, &r, FALSE);
}

LRESULT SetText(HWND hwnd, StatusBarState& sb, WPARAM wParam, LPARAM lParam)
{
    int index = (int)(wParam & 0xFF);
    StatusPart* part = sb.Part(index);
    if (!part)
        return FALSE;
    part->type = (UINT)(wParam & 0xFF00);
    if (part->type & SBT_OWNERDRAW) {
        part->data = lParam;
        part->text.clear();
    } else {
        part->text = lParam ? (const char*)lParam : "";
    }
    InvalidatePart(hwnd, sb, index);
    return TRUE;
}

LRESULT GetText(StatusBarState& sb, WPARAM wParam, char* buffer)
{
    StatusPart* part = sb.Part((int)(wParam & 0xFF));
    if (!part)
        return 0;
    if (part->type & SBT_OWNERDRAW)
        return (LRESULT)part->data;
    if (buffer)
        std::memcpy(buffer, part->text.c_str(), part->text.size() + 1);
    return MAKELONG((WORD)part->text.size(), (WORD)part->type);
}

LRESULT Handle(HWND hwnd, StatusBarState& sb, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE: {
        // Children such as a progress bar sit in the parts and keep their pixels.
        SetWindowLong(hwnd, GWL_STYLE, (LONG)(StyleOf(hwnd) | WS_CLIPCHILDREN));
        auto* cs = (const CREATESTRUCTA*)lParam;
        if (cs->lpszName)
            sb.parts[0].text = cs->lpszName;
        PlaceInParent(hwnd, sb);
        return 0;
    }
    case WM_SIZE:
        PlaceInParent(hwnd, sb);
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_ERASEBKGND:
    case WM_PAINT:
    case WM_PRINTCLIENT:
        return PaintMessage(hwnd, msg, wParam, [&](HDC hdc) { PaintStatusBar(hwnd, sb, hdc); });
    case WM_SETFONT:
        DefWindowProc(hwnd, msg, wParam, lParam);
        PlaceInParent(hwnd, sb);
        if (LOWORD(lParam))
            InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_SETTEXT:
        DefWindowProc(hwnd, msg, wParam, lParam);
        return SetText(hwnd, sb, 0, lParam);
    case WM_NCHITTEST: {
        POINT pt = PointFromLParam(lParam);
        ScreenToClient(hwnd, &pt);
        RECT rc = ClientRect(hwnd);
        int size = GetSystemMetrics(SM_CXVSCROLL);
        if (HasGrip(hwnd) && pt.x >= rc.right - size && pt.y >= rc.bottom - size)
            return HTBOTTOMRIGHT;
        return HTCLIENT;
    }
    case WM_LBUTTONUP:
        SendNotify(hwnd, NM_CLICK);
        return 0;
    case WM_RBUTTONUP:
        SendNotify(hwnd, NM_RCLICK);
        return 0;
    case WM_LBUTTONDBLCLK:
        SendNotify(hwnd, NM_DBLCLK);
        return 0;
    case SB_SETTEXTA:
        return SetText(hwnd, sb, wParam, lParam);
    case SB_GETTEXTA:
        return GetText(sb, wParam, (char*)lParam);
    case SB_GETTEXTLENGTHA:
        return GetText(sb, wParam, nullptr);
    case SB_SETPARTS:
        if (wParam == 0 || wParam > (WPARAM)kMaxParts || !lParam)
            return FALSE;
        sb.SetParts((const int*)lParam, (int)wParam);
        InvalidateRect(hwnd, nullptr, FALSE);
        return TRUE;
    case SB_GETPARTS: {
        auto* out = (int*)lParam;
        for (size_t i = 0; out && i < std::min((size_t)wParam, sb.parts.size()); ++i)
            out[i] = sb.parts[i].right;
        return (LRESULT)sb.parts.size();
    }
    case SB_GETBORDERS: {
        auto* out = (int*)lParam;
        if (!out)
            return FALSE;
        out[0] = kHorzBorder;
        out[1] = kVertBorder;
        out[2] = kPartGap;
        return TRUE;
    }
    case SB_SETMINHEIGHT:
        sb.minHeight = std::max(0, (int)wParam);
        return 0;
    case SB_SIMPLE:
        if (sb.simple != (wParam != 0)) {
            sb.simple = wParam != 0;
            SendNotify(hwnd, SBN_SIMPLEMODECHANGE);
            InvalidateRect(hwnd, nullptr, FALSE);
        }
        return 0;
    case SB_ISSIMPLE:
        return sb.simple;
    case SB_GETRECT: {
        int index = (int)wParam;
        if (!lParam || (!sb.simple && (index < 0 || index >= (int)sb.parts.size())))
            return FALSE;
        *(RECT*)lParam = PartRect(hwnd, sb, sb.simple ? SB_SIMPLEID : index);
        return TRUE;
    }
    case SB_SETICON: {
        StatusPart* part = sb.Part(wParam == (WPARAM)-1 ? SB_SIMPLEID : (int)wParam);
        if (!part)
            return FALSE;
        part->icon = (HICON)lParam;
        InvalidatePart(hwnd, sb, wParam == (WPARAM)-1 ? SB_SIMPLEID : (int)wParam);
        return TRUE;
    }
    case SB_GETICON: {
        StatusPart* part = sb.Part(wParam == (WPARAM)-1 ? SB_SIMPLEID : (int)wParam);
        return part ? (LRESULT)part->icon : 0;
    }
    case SB_SETTIPTEXTA: {
        StatusPart* part = sb.Part((int)wParam);
        if (part)
            part->tip = lParam ? (const char*)lParam : "";
        return 0;
    }
    case SB_GETTIPTEXTA: {
        StatusPart* part = sb.Part((int)LOWORD(wParam));
        size_t room = HIWORD(wParam);
        if (part && lParam && room) {
            size_t n = std::min(room - 1, part->tip.size());
            std::memcpy((char*)lParam, part->tip.data(), n);
            ((char*)lParam)[n] = '\0';
        }
        return 0;
    }
    case SB_SETBKCOLOR: {
        COLORREF old = sb.back;
        sb.back = (COLORREF)lParam;
        InvalidateRect(hwnd, nullptr, FALSE);
        return old;
    }
    }
    return ControlDefault(hwnd, msg, wParam, lParam);
}


}  // namespace

const WNDPROC StatusBarProc = ControlWindow<StatusBarState>::Procedure<Handle>;

}  // namespace mivo

HWND CreateStatusWindow(LONG style, LPCSTR lpszText, HWND hwndParent, UINT wID)
{
    return CreateWindowEx(0, STATUSCLASSNAME, lpszText, (DWORD)style, 0, 0, 0, 0, hwndParent,
                          (HMENU)(UINT_PTR)wID, nullptr, nullptr);
}

HWND CreateStatusWindowA(LONG style, LPCSTR lpszText, HWND hwndParent, UINT wID)
{
    return CreateStatusWindow(style, lpszText, hwndParent, wID);
}
