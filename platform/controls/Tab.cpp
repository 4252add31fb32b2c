// The "SysTabControl32" class: a row (or rows) of tabs over a display area.
// A click or an arrow key asks the parent with TCN_SELCHANGING, then
// selects and reports TCN_SELCHANGE; TCM_SETCURSEL selects silently.
#include "controls/BuiltinClasses.h"
#include "controls/Tab.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace mivo {

namespace {

const int kMaxItems = 4096;

void Changed(HWND hwnd, TabState& tc)
{
    LayoutTabs(hwnd, tc);
    InvalidateRect(hwnd, nullptr, TRUE);
}

// Asks the parent, then selects and reports.
void SelectByUser(HWND hwnd, TabState& tc, int index)
{
    if (!tc.Valid(index) || index == tc.current)
        return;
    if (SendNotify(hwnd, TCN_SELCHANGING) || !IsWindow(hwnd))
        return;
    tc.current = tc.focus = index;
    InvalidateRect(hwnd, nullptr, TRUE);
    SendNotify(hwnd, TCN_SELCHANGE);
}

void ReadItem(TabItem& item, const TCITEMA& in)
{
    if (in.mask & TCIF_TEXT)
        item.text = in.pszText ? in.pszText : "";
    if (in.mask & TCIF_IMAGE)
        item.image = in.iImage;
    if (in.mask & TCIF_PARAM)
        item.data = in.lParam;
    if (in.mask & TCIF_STATE)
        item.state = (item.state & ~in.dwStateMask) | (in.dwState & in.dwStateMask);
}

void WriteItem(const TabItem& item, TCITEMA& out)
{
    if ((out.mask & TCIF_TEXT) && out.pszText && out.cchTextMax > 0) {
        size_t n = std::min((size_t)out.cchTextMax - 1, item.text.size());
        std::memcpy(out.pszText, item.text.data(), n);
        out.pszText[n] = '\0';
    }
    if (out.mask & TCIF_IMAGE)
        out.iImage = item.image;
    if (out.mask & TCIF_PARAM)
        out.lParam = item.data;
    if (out.mask & TCIF_STATE)
        out.dwState = item.state & out.dwStateMask;
}

LRESULT KeyDown(HWND hwnd, TabState& tc, UINT vk)
{
    NMTCKEYDOWN nm = {};
    nm.wVKey = (WORD)vk;
    SendNotify(hwnd, TCN_KEYDOWN, &nm.hdr);
    int next = tc.current;
    if (vk == VK_LEFT || vk == VK_UP)
        next = tc.current - 1;
    else if (vk == VK_RIGHT || vk == VK_DOWN)
        next = tc.current + 1;
    else if (vk == VK_HOME)
        next = 0;
    else if (vk == VK_END)
        next = (int)tc.items.size() - 1;
    else
        return 1;
    SelectByUser(hwnd, tc, next);
    return 0;
}

LRESULT Handle(HWND hwnd, TabState& tc, UINT msg, WPARAM wParam, LPARAM lParam)
{
    int index = (int)wParam;
    switch (msg) {
    case WM_CREATE:
    case WM_SIZE:
    case WM_STYLECHANGED:
        Changed(hwnd, tc);
        return 0;
    case WM_SETFONT:
        DefWindowProc(hwnd, msg, wParam, lParam);
        Changed(hwnd, tc);
        return 0;
    case WM_ERASEBKGND:
    case WM_PAINT:
    case WM_PRINTCLIENT:
        return PaintMessage(hwnd, msg, wParam, [&](HDC hdc) { PaintTabs(hwnd, tc, hdc); });
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_NCHITTEST: {
        // Off the tabs the control lets the mouse through to the pages'
        // controls, which are usually its siblings lying over it.
        POINT pt = PointFromLParam(lParam);
        ScreenToClient(hwnd, &pt);
        if (TabHitTest(tc, pt, nullptr) < 0)
            return HTTRANSPARENT;
        break;
    }
    case WM_LBUTTONDOWN: {
        int hit = TabHitTest(tc, PointFromLParam(lParam), nullptr);
        if (hit >= 0 && !(StyleOf(hwnd) & TCS_FOCUSNEVER) && GetFocus() != hwnd)
            SetFocus(hwnd);
        SelectByUser(hwnd, tc, hit);
        return 0;
    }
    case WM_LBUTTONUP:
        SendNotify(hwnd, NM_CLICK);
        return 0;
    case WM_RBUTTONUP:
        SendNotify(hwnd, NM_RCLICK);
        return 0;
    case WM_KEYDOWN:
        if (KeyDown(hwnd, tc, (UINT)wParam) == 0)
            return 0;
        break;
    case TCM_INSERTITEMA: {
        if (!lParam || index < 0 || (int)tc.items.size() >= kMaxItems)
            return -1;
        TabItem item;
        ReadItem(item, *(const TCITEMA*)lParam);
        index = std::min(index, (int)tc.items.size());
        tc.items.insert(tc.items.begin() + index, item);
        if (tc.current < 0)
            tc.current = tc.focus = 0;
        else if (index <= tc.current)
            ++tc.current;
        Changed(hwnd, tc);
        return index;
    }
    case TCM_DELETEITEM:
        if (!tc.Valid(index))
            return FALSE;
        tc.items.erase(tc.items.begin() + index);
        if (index == tc.current)
            tc.current = -1;
        else if (index < tc.current)
            --tc.current;
        tc.focus = tc.current;
        Changed(hwnd, tc);
        return TRUE;
    case TCM_DELETEALLITEMS:
        tc.items.clear();
        tc.current = tc.focus = -1;
        Changed(hwnd, tc);
        return TRUE;
    case TCM_GETITEMA:
        if (!tc.Valid(index) || !lParam)
            return FALSE;
        WriteItem(tc.items[(size_t)index], *(TCITEMA*)lParam);
        return TRUE;
    case TCM_SETITEMA:
        if (!tc.Valid(index) || !lParam)
            return FALSE;
        ReadItem(tc.items[(size_t)index], *(const TCITEMA*)lParam);
        Changed(hwnd, tc);
        return TRUE;
    case TCM_GETITEMCOUNT:
        return (LRESULT)tc.items.size();
    case TCM_GETITEMRECT:
        if (!tc.Valid(index) || !lParam)
            return FALSE;
        *(RECT*)lParam = tc.items[(size_t)index].rect;
        return TRUE;
    case TCM_GETCURSEL:
        return tc.current;
    case TCM_SETCURSEL: {
        if (!tc.Valid(index))
            return -1;
        int old = tc.current;
        tc.current = tc.focus = index;
        InvalidateRect(hwnd, nullptr, TRUE);
        return old;
    }
    case TCM_GETCURFOCUS:
        return tc.focus;
    case TCM_SETCURFOCUS:
        if (tc.Valid(index))
            SelectByUser(hwnd, tc, index);
        return 0;
    case TCM_HITTEST:
        if (!lParam)
            return -1;
        return TabHitTest(tc, ((TCHITTESTINFO*)lParam)->pt, &((TCHITTESTINFO*)lParam)->flags);
    case TCM_ADJUSTRECT:
        if (lParam)
            AdjustTabRect(tc, wParam != 0, (RECT*)lParam);
        return 0;
    case TCM_SETITEMSIZE: {
        LRESULT old = MAKELONG(tc.fixedSize.cx, tc.fixedSize.cy);
        tc.fixedSize = SIZE{(int)LOWORD(lParam), (int)HIWORD(lParam)};
        Changed(hwnd, tc);
        return old;
    }
    case TCM_SETPADDING:
        tc.padding = SIZE{(int)LOWORD(lParam), (int)HIWORD(lParam)};
        Changed(hwnd, tc);
        return 0;
    case TCM_SETMINTABWIDTH: {
        int old = tc.minTabWidth;
        tc.minTabWidth = (int)lParam;
        Changed(hwnd, tc);
        return old;
    }
    case TCM_GETROWCOUNT:
        return tc.rows;
    case TCM_SETIMAGELIST: {
        HIMAGELIST old = tc.images;
        tc.images = (HIMAGELIST)lParam;
        Changed(hwnd, tc);
        return (LRESULT)old;
    }
    case TCM_GETIMAGELIST:
        return (LRESULT)tc.images;
    case TCM_REMOVEIMAGE:
        for (TabItem& item : tc.items)
            if (item.image == index)
                item.image = -1;
            else if (item.image > index)
                --item.image;
        Changed(hwnd, tc);
        return 0;
    case TCM_SETITEMEXTRA:
        return TRUE;
    case TCM_DESELECTALL:
        for (TabItem& item : tc.items)
            item.state &= ~TCIS_BUTTONPRESSED;
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case TCM_HIGHLIGHTITEM:
        if (!tc.Valid(index))
            return FALSE;
        tc.items[(size_t)index].state = LOWORD(lParam) ? (tc.items[(size_t)index].state | TCIS_HIGHLIGHTED)
                                                       : (tc.items[(size_t)index].state & ~TCIS_HIGHLIGHTED);
        InvalidateRect(hwnd, nullptr, TRUE);
        return TRUE;
    case TCM_SETEXTENDEDSTYLE: {
        DWORD old = tc.exStyle;
        tc.exStyle = wParam ? (tc.exStyle & ~(DWORD)wParam) | ((DWORD)lParam & (DWORD)wParam) : (DWORD)lParam;
        return (LRESULT)old;
    }
    case TCM_GETEXTENDEDSTYLE:
        return (LRESULT)tc.exStyle;
    case TCM_SETTOOLTIPS:
        tc.toolTips = (HWND)wParam;
        return 0;
    case TCM_GETTOOLTIPS:
        return (LRESULT)tc.toolTips;
    }
    return ControlDefault(hwnd, msg, wParam, lParam);
}

}  // namespace

const WNDPROC TabProc = ControlWindow<TabState>::Procedure<Handle>;

}  // namespace mivo
