// The "msctls_statusbar32" class: a bar along the parent's bottom edge split
// into parts that show text (tabs centre and right-align), icons or owner
// drawing; a simple mode shows one full-width part instead.
#include "controls/BarsInternal.h"
#include "win32/cursors.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace mivo {

namespace {

const int kMaxParts = 256;
const int kHorzBorder = 0;
const int kVertBorder = 2;
const int kPartGap = 2;
const int kTextInset = 3;

struct StatusPart {
    int right = -1;
    std::string text;
    UINT type = 0;
    LPARAM data = 0;  // SBT_OWNERDRAW
    HICON icon = nullptr;
    std::string tip;
};

class StatusBar {
public:
    std::vector<StatusPart> parts = std::vector<StatusPart>(1);
    StatusPart simplePart;
    bool simple = false;
    int minHeight = 0;
    COLORREF back = CLR_DEFAULT;
    bool placing = false;

    StatusPart* Part(int index)
    {
        if (index == SB_SIMPLEID)
            return &simplePart;
        return index >= 0 && index < (int)parts.size() ? &parts[(size_t)index] : nullptr;
    }

    void SetParts(const int* rights, int count)
    {
        parts.resize((size_t)count);
        for (int i = 0; i < count; ++i)
            parts[(size_t)i].right = rights[i];
    }
};

bool HasGrip(HWND hwnd)
{
    if (!(WindowStyle(hwnd) & SBARS_SIZEGRIP))
        return false;
    HWND parent = GetParent(hwnd);
    return !parent || !IsZoomed(parent);
}

// Part rectangles: each ends at its right edge (-1: the bar's right), the
// next begins a gap after it.
RECT PartRect(HWND hwnd, const StatusBar& sb, int index)
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

int IdealHeight(HWND hwnd, const StatusBar& sb)
{
    int text = std::max(FontLineHeight(hwnd), GetSystemMetrics(SM_CYSMICON));
    return std::max(sb.minHeight, text) + 2 * kVertBorder + 2;
}

// Lies along the parent's bottom (or top) edge at the parent's full width.
void PlaceInParent(HWND hwnd, StatusBar& sb)
{
    DWORD style = WindowStyle(hwnd);
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

void Paint(HWND hwnd, StatusBar& sb, HDC hdc)
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

void InvalidatePart(HWND hwnd, const StatusBar& sb, int index)
{
    if (sb.simple != (index == SB_SIMPLEID))
        return;
    RECT r = PartRect(hwnd, sb, index);
    InvalidateRect(hwnd, &r, FALSE);
}

LRESULT SetText(HWND hwnd, StatusBar& sb, WPARAM wParam, LPARAM lParam)
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

LRESULT GetText(StatusBar& sb, WPARAM wParam, char* buffer)
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

LRESULT HandleMessage(HWND hwnd, StatusBar& sb, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE: {
        // Children such as a progress bar sit in the parts and keep their pixels.
        SetWindowLong(hwnd, GWL_STYLE, (LONG)(WindowStyle(hwnd) | WS_CLIPCHILDREN));
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
        return 1;
    case WM_PAINT:
        return PaintInto(hwnd, wParam, [&](HDC hdc) { Paint(hwnd, sb, hdc); });
    case WM_PRINTCLIENT:
        Paint(hwnd, sb, (HDC)wParam);
        return 0;
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
        NotifyParentNM(hwnd, NM_CLICK);
        return 0;
    case WM_RBUTTONUP:
        NotifyParentNM(hwnd, NM_RCLICK);
        return 0;
    case WM_LBUTTONDBLCLK:
        NotifyParentNM(hwnd, NM_DBLCLK);
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
            NotifyParentNM(hwnd, SBN_SIMPLEMODECHANGE);
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
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK StatusBarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    StatusBar* sb = ControlData<StatusBar>(hwnd);
    switch (msg) {
    case WM_NCCREATE:
        SetControlData(hwnd, new StatusBar);
        return DefWindowProc(hwnd, msg, wParam, lParam);
    case WM_NCDESTROY:
        SetControlData<StatusBar>(hwnd, nullptr);
        delete sb;
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    if (!sb)
        return DefWindowProc(hwnd, msg, wParam, lParam);
    return HandleMessage(hwnd, *sb, msg, wParam, lParam);
}

struct StatusBarClassRegistrar {
    StatusBarClassRegistrar()
    {
        RegisterControlClass(STATUSCLASSNAME, StatusBarProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, IDC_ARROW);
    }
};

StatusBarClassRegistrar registrar;

}  // namespace

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
