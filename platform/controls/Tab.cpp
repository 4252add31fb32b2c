// The "SysTabControl32" class: a row (or rows) of tabs over a display area.
// A click or an arrow key asks the parent with TCN_SELCHANGING, then
// selects and reports TCN_SELCHANGE; TCM_SETCURSEL selects silently.
#include "controls/BarsInternal.h"
#include "win32/cursors.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace mivo {

namespace {

const int kMaxItems = 4096;
const int kMargin = 2;     // left of the first tab, above the row
const int kSelectedRise = 2;

struct TabItem {
    std::string text;
    int image = -1;
    LPARAM data = 0;
    DWORD state = 0;
    RECT rect = {0, 0, 0, 0};
    int row = 0;
};

class TabControl {
public:
    std::vector<TabItem> items;
    int current = -1;
    int focus = -1;
    HIMAGELIST images = nullptr;
    HWND toolTips = nullptr;
    SIZE fixedSize = {0, 0};
    SIZE padding = {6, 3};
    int minTabWidth = -1;
    int rows = 1;
    int tabHeight = 0;
    DWORD exStyle = 0;

    bool Valid(int i) const { return i >= 0 && i < (int)items.size(); }
};

void Layout(HWND hwnd, TabControl& tc)
{
    DWORD style = WindowStyle(hwnd);
    RECT rc = ClientRect(hwnd);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, ControlFont(hwnd));
    TEXTMETRICA tm = {};
    GetTextMetrics(dc, &tm);
    int iconSize = tc.images ? GetSystemMetrics(SM_CXSMICON) : 0;
    tc.tabHeight = tc.fixedSize.cy > 0 ? tc.fixedSize.cy : std::max((int)tm.tmHeight, iconSize) + 2 * tc.padding.cy + 2;
    int x = kMargin, row = 0;
    for (TabItem& item : tc.items) {
        int w;
        if ((style & TCS_FIXEDWIDTH) && tc.fixedSize.cx > 0) {
            w = tc.fixedSize.cx;
        } else {
            w = TextWidth(dc, item.text.c_str(), (int)item.text.size()) + 2 * tc.padding.cx;
            if (tc.images && item.image >= 0)
                w += iconSize + tc.padding.cx;
            w = std::max(w, tc.minTabWidth >= 0 ? tc.minTabWidth : 2 * tc.padding.cx + 8);
        }
        if ((style & TCS_MULTILINE) && x > kMargin && x + w > rc.right - kMargin) {
            x = kMargin;
            ++row;
        }
        item.row = row;
        item.rect = RECT{x, 0, x + w, 0};
        x += w;
    }
    tc.rows = row + 1;
    // Row 0 sits next to the display area; later rows stack above it.
    for (TabItem& item : tc.items) {
        int top = kMargin + (tc.rows - 1 - item.row) * tc.tabHeight;
        item.rect.top = top;
        item.rect.bottom = top + tc.tabHeight;
    }
    SelectObject(dc, old);
    DeleteDC(dc);
}

int TabsBottom(const TabControl& tc)
{
    return kMargin + tc.rows * tc.tabHeight;
}

// Window rectangle to display area (or back, when larger).
void AdjustRect(const TabControl& tc, bool larger, RECT* r)
{
    int top = TabsBottom(tc) + 2;
    if (larger) {
        r->left -= kMargin;
        r->right += kMargin;
        r->top -= top;
        r->bottom += kMargin;
    } else {
        r->left += kMargin;
        r->right -= kMargin;
        r->top += top;
        r->bottom -= kMargin;
    }
}

void Line(HDC hdc, int x0, int y0, int x1, int y1, int sysColor)
{
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(sysColor));
    HGDIOBJ old = SelectObject(hdc, pen);
    MoveToEx(hdc, x0, y0, nullptr);
    LineTo(hdc, x1, y1);
    SelectObject(hdc, old);
    DeleteObject(pen);
}

void PaintTab(HWND hwnd, const TabControl& tc, HDC hdc, int index)
{
    const TabItem& item = tc.items[(size_t)index];
    bool selected = index == tc.current;
    RECT r = item.rect;
    if (selected)
        InflateRect(&r, kSelectedRise, 0), r.top -= kSelectedRise, r.bottom += 1;
    FillRect(hdc, &r, GetSysColorBrush(COLOR_3DFACE));
    if (WindowStyle(hwnd) & TCS_BUTTONS) {
        DrawEdge(hdc, &r, selected ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    } else {
        // Rounded top corners, light on the left and top, shadow on the right.
        Line(hdc, r.left, r.bottom - 1, r.left, r.top + 2, COLOR_3DHILIGHT);
        Line(hdc, r.left, r.top + 2, r.left + 2, r.top, COLOR_3DHILIGHT);
        Line(hdc, r.left + 2, r.top, r.right - 2, r.top, COLOR_3DHILIGHT);
        Line(hdc, r.right - 2, r.top + 1, r.right - 2, r.bottom, COLOR_3DSHADOW);
        Line(hdc, r.right - 2, r.top + 1, r.right - 1, r.top + 2, COLOR_3DDKSHADOW);
        Line(hdc, r.right - 1, r.top + 2, r.right - 1, r.bottom, COLOR_3DDKSHADOW);
    }
    RECT text = item.rect;
    if (selected)
        OffsetRect(&text, 0, -1);
    int mode = SetBkMode(hdc, TRANSPARENT);
    bool enabled = IsWindowEnabled(hwnd) != FALSE;
    SetTextColor(hdc, GetSysColor((item.state & TCIS_HIGHLIGHTED) ? COLOR_HIGHLIGHT
                                  : enabled                       ? COLOR_BTNTEXT
                                                                  : COLOR_GRAYTEXT));
    DrawText(hdc, item.text.c_str(), (int)item.text.size(), &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SetBkMode(hdc, mode);
    if (selected && GetFocus() == hwnd && !(WindowStyle(hwnd) & TCS_FOCUSNEVER)) {
        RECT focus = item.rect;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(hdc, &focus);
    }
}

void Paint(HWND hwnd, TabControl& tc, HDC hdc)
{
    RECT rc = ClientRect(hwnd);
    FillRect(hdc, &rc, GetSysColorBrush(COLOR_3DFACE));
    RECT display = rc;
    display.top = TabsBottom(tc);
    if (!(WindowStyle(hwnd) & TCS_BUTTONS))
        DrawEdge(hdc, &display, EDGE_RAISED, BF_RECT | BF_SOFT);
    HGDIOBJ oldFont = SelectObject(hdc, ControlFont(hwnd));
    for (int i = 0; i < (int)tc.items.size(); ++i)
        if (i != tc.current)
            PaintTab(hwnd, tc, hdc, i);
    if (tc.Valid(tc.current))
        PaintTab(hwnd, tc, hdc, tc.current);
    SelectObject(hdc, oldFont);
}

int HitTest(const TabControl& tc, POINT pt, UINT* flags)
{
    for (size_t i = 0; i < tc.items.size(); ++i) {
        const RECT& r = tc.items[i].rect;
        if (pt.x >= r.left && pt.x < r.right && pt.y >= r.top && pt.y < r.bottom) {
            if (flags)
                *flags = TCHT_ONITEMLABEL;
            return (int)i;
        }
    }
    if (flags)
        *flags = TCHT_NOWHERE;
    return -1;
}

void Changed(HWND hwnd, TabControl& tc)
{
    Layout(hwnd, tc);
    InvalidateRect(hwnd, nullptr, TRUE);
}

// Asks the parent, then selects and reports.
void SelectByUser(HWND hwnd, TabControl& tc, int index)
{
    if (!tc.Valid(index) || index == tc.current)
        return;
    if (NotifyParentNM(hwnd, TCN_SELCHANGING) || !IsWindow(hwnd))
        return;
    tc.current = tc.focus = index;
    InvalidateRect(hwnd, nullptr, TRUE);
    NotifyParentNM(hwnd, TCN_SELCHANGE);
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

LRESULT KeyDown(HWND hwnd, TabControl& tc, UINT vk)
{
    NMTCKEYDOWN nm = {};
    nm.wVKey = (WORD)vk;
    NotifyParentNM(hwnd, TCN_KEYDOWN, &nm.hdr);
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

LRESULT HandleMessage(HWND hwnd, TabControl& tc, UINT msg, WPARAM wParam, LPARAM lParam)
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
        return 1;
    case WM_PAINT:
        return PaintInto(hwnd, wParam, [&](HDC hdc) { Paint(hwnd, tc, hdc); });
    case WM_PRINTCLIENT:
        Paint(hwnd, tc, (HDC)wParam);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_LBUTTONDOWN: {
        int hit = HitTest(tc, PointFromLParam(lParam), nullptr);
        if (hit >= 0 && !(WindowStyle(hwnd) & TCS_FOCUSNEVER) && GetFocus() != hwnd)
            SetFocus(hwnd);
        SelectByUser(hwnd, tc, hit);
        return 0;
    }
    case WM_LBUTTONUP:
        NotifyParentNM(hwnd, NM_CLICK);
        return 0;
    case WM_RBUTTONUP:
        NotifyParentNM(hwnd, NM_RCLICK);
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
        return HitTest(tc, ((TCHITTESTINFO*)lParam)->pt, &((TCHITTESTINFO*)lParam)->flags);
    case TCM_ADJUSTRECT:
        if (lParam)
            AdjustRect(tc, wParam != 0, (RECT*)lParam);
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
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK TabProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    TabControl* tc = ControlData<TabControl>(hwnd);
    switch (msg) {
    case WM_NCCREATE:
        SetControlData(hwnd, new TabControl);
        return DefWindowProc(hwnd, msg, wParam, lParam);
    case WM_NCDESTROY:
        SetControlData<TabControl>(hwnd, nullptr);
        delete tc;
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    if (!tc)
        return DefWindowProc(hwnd, msg, wParam, lParam);
    return HandleMessage(hwnd, *tc, msg, wParam, lParam);
}

struct TabClassRegistrar {
    TabClassRegistrar() { RegisterControlClass(WC_TABCONTROL, TabProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, IDC_ARROW); }
};

TabClassRegistrar registrar;

}  // namespace

}  // namespace mivo
