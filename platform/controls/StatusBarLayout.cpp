// Status bar layout and drawing: sunken parts with text in up to three
// tab-separated pieces (left, centred, right), icons, owner-drawn parts and a size grip.
#include "controls/StatusBar.h"
#include "win32/cursors.h"

#include <algorithm>

namespace mivo {

namespace {

int IdealHeight(HWND hwnd, const StatusBarState& sb)
{
    int text = std::max(FontLineHeight(hwnd), GetSystemMetrics(SM_CYSMICON));
    return std::max(sb.minHeight, text) + 2 * kVertBorder + 2;
}


void PaintPartText(HDC hdc, const std::string& text, RECT r)
{
    // Up to three tab-separated segments: left, centred, right.
    std::string segments[3];
    size_t segment = 0;
    for (char c : text) {
        if (c == '\t' && segment < 2)
            ++segment;
        else
            segments[segment] += c;
    }
    const UINT align[3] = {DT_LEFT, DT_CENTER, DT_RIGHT};
    for (size_t i = 0; i < 3; ++i) {
        if (segments[i].empty())
            continue;
        RECT tr = r;
        DrawText(hdc, segments[i].c_str(), (int)segments[i].size(), &tr,
                 align[i] | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
}

void PaintPart(HWND hwnd, const StatusPart& part, int index, RECT r, HDC hdc)
{
    if (part.type & SBT_POPOUT)
        DrawEdge(hdc, &r, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
    else if (!(part.type & SBT_NOBORDERS))
        DrawEdge(hdc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    if (part.type & SBT_OWNERDRAW) {
        DRAWITEMSTRUCT dis = {};
        dis.CtlID = (UINT)GetDlgCtrlID(hwnd);
        dis.itemID = (UINT)index;
        dis.itemAction = ODA_DRAWENTIRE;
        dis.hwndItem = hwnd;
        dis.hDC = hdc;
        dis.rcItem = r;
        dis.itemData = (ULONG_PTR)part.data;
        if (HWND parent = GetParent(hwnd))
            SendMessage(parent, WM_DRAWITEM, dis.CtlID, (LPARAM)&dis);
        return;
    }
    RECT inner = r;
    inner.left += kTextInset;
    inner.right -= kTextInset;
    if (part.icon) {
        int size = GetSystemMetrics(SM_CXSMICON);
        DrawIconEx(hdc, inner.left, inner.top + (RectHeight(inner) - size) / 2, part.icon, size, size, 0, nullptr,
                   DI_NORMAL);
        inner.left += size + kTextInset;
    }
    PaintPartText(hdc, part.text, inner);
}

}  // namespace

bool HasGrip(HWND hwnd)
{
    if (!(StyleOf(hwnd) & SBARS_SIZEGRIP))
        return false;
    HWND parent = GetParent(hwnd);
    return !parent || !IsZoomed(parent);
}


RECT PartRect(HWND hwnd, const StatusBarState& sb, int index)
{
    RECT rc = ClientRect(hwnd);
    if (sb.simple || index == SB_SIMPLEID)
        return RECT{rc.left + kHorzBorder, rc.top + kVertBorder, rc.right - kHorzBorder, rc.bottom};
    int left = kHorzBorder;
    for (int i = 0; i < index; ++i) {
        int right = sb.parts[(size_t)i].right;
        left = (right < 0 ? rc.right : right) + kPartGap;
    }
    int right = sb.parts[(size_t)index].right;
    right = right < 0 ? rc.right - kHorzBorder : right;
    return RECT{std::min(left, right), rc.top + kVertBorder, right, rc.bottom};
}

void PlaceInParent(HWND hwnd, StatusBarState& sb)
{
    DWORD style = StyleOf(hwnd);
    HWND parent = GetParent(hwnd);
    if (!parent || sb.placing || (style & CCS_NORESIZE))
        return;
    RECT pc = ClientRect(parent);
    int height = IdealHeight(hwnd, sb);
    RECT wr;
    GetWindowRect(hwnd, &wr);
    POINT at = {wr.left, wr.top};
    ScreenToClient(parent, &at);
    int y = at.y;
    if (!(style & CCS_NOPARENTALIGN))
        y = ((style & CCS_BOTTOM) == CCS_TOP) ? pc.top : pc.bottom - height;
    sb.placing = true;
    SetWindowPos(hwnd, nullptr, 0, y, RectWidth(pc), height, SWP_NOZORDER | SWP_NOACTIVATE);
    sb.placing = false;
}

void PaintStatusBar(HWND hwnd, StatusBarState& sb, HDC hdc)
{
    RECT rc = ClientRect(hwnd);
    HBRUSH back = CreateSolidBrush(ResolveColor(sb.back, COLOR_3DFACE));
    FillRect(hdc, &rc, back);
    DeleteObject(back);
    HGDIOBJ oldFont = SelectObject(hdc, ControlFont(hwnd));
    int oldMode = SetBkMode(hdc, TRANSPARENT);
    COLORREF oldColor = SetTextColor(hdc, GetSysColor(COLOR_BTNTEXT));
    if (sb.simple) {
        PaintPart(hwnd, sb.simplePart, SB_SIMPLEID, PartRect(hwnd, sb, SB_SIMPLEID), hdc);
    } else {
        for (int i = 0; i < (int)sb.parts.size(); ++i)
            PaintPart(hwnd, sb.parts[(size_t)i], i, PartRect(hwnd, sb, i), hdc);
    }
    if (HasGrip(hwnd)) {
        int size = GetSystemMetrics(SM_CXVSCROLL);
        RECT grip = {rc.right - size, rc.bottom - size, rc.right, rc.bottom};
        DrawFrameControl(hdc, &grip, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
    }
    SetTextColor(hdc, oldColor);
    SetBkMode(hdc, oldMode);
    SelectObject(hdc, oldFont);
}

}  // namespace mivo
