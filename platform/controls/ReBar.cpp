// The "ReBarWindow32" class: messages and placement. Band backgrounds are
// painted on WM_ERASEBKGND too, so that a transparent tool bar in a band can
// have them painted behind its buttons.
#include "controls/ReBar.h"
#include "controls/BuiltinClasses.h"

#include <algorithm>
#include <cstring>

namespace mivo {

namespace {

HWND NotifyTarget(HWND hwnd, const ReBarState& rb)
{
    return rb.notify ? rb.notify : GetParent(hwnd);
}

void PlaceChildren(const ReBarState& rb)
{
    for (const ReBarBand& band : rb.bands) {
        if (!band.child || !IsWindow(band.child))
            continue;
        if (band.Hidden()) {
            ShowWindow(band.child, SW_HIDE);
            continue;
        }
        const RECT& r = band.childRect;
        SetWindowPos(band.child, nullptr, r.left, r.top, RectWidth(r), RectHeight(r),
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
}

// Lays the bands out, sizes the bar along the parent's top edge unless its
// styles say otherwise, and tells the parent when the height changed.
void Relayout(HWND hwnd, ReBarState& rb)
{
    if (rb.placing)
        return;
    DWORD style = StyleOf(hwnd);
    HWND parent = GetParent(hwnd);
    RECT rc = ClientRect(hwnd);
    int oldHeight = rc.bottom;
    int width = rc.right;
    if (parent && !(style & CCS_NOPARENTALIGN))
        width = ClientRect(parent).right;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ oldFont = SelectObject(dc, ControlFont(hwnd));
    int height = rb.Layout(dc, style, width);
    SelectObject(dc, oldFont);
    DeleteDC(dc);
    rb.placing = true;
    if (parent && !(style & CCS_NORESIZE)) {
        RECT wr;
        GetWindowRect(hwnd, &wr);
        POINT at = {wr.left, wr.top};
        ScreenToClient(parent, &at);
        int x = at.x, y = at.y;
        if (!(style & CCS_NOPARENTALIGN)) {
            x = 0;
            // The two low bits say where: CCS_BOTTOM shares its bit with CCS_NOMOVEY.
            DWORD edge = style & CCS_BOTTOM;
            if (edge != CCS_NOMOVEY)
                y = edge == CCS_BOTTOM ? ClientRect(parent).bottom - height : 0;
        }
        SetWindowPos(hwnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    PlaceChildren(rb);
    rb.placing = false;
    InvalidateRect(hwnd, nullptr, TRUE);
    if (ClientRect(hwnd).bottom != oldHeight) {
        NMHDR hdr = {};
        SendNotify(hwnd, RBN_HEIGHTCHANGE, &hdr, rb.notify);
    }
}

void ReadBand(ReBarBand& band, const REBARBANDINFOA& info, HWND hwnd)
{
    UINT m = info.fMask;
    if (m & RBBIM_STYLE)
        band.style = info.fStyle;
    if (m & RBBIM_COLORS) {
        band.fore = info.clrFore;
        band.back = info.clrBack;
    }
    if (m & RBBIM_TEXT)
        band.text = info.lpText ? info.lpText : "";
    if (m & RBBIM_IMAGE)
        band.image = info.iImage;
    if (m & RBBIM_CHILD) {
        if (band.child && band.child != info.hwndChild && IsWindow(band.child))
            ShowWindow(band.child, SW_HIDE);
        band.child = info.hwndChild;
        if (band.child && IsWindow(band.child) && GetParent(band.child) != hwnd)
            SetParent(band.child, hwnd);
    }
    if (m & RBBIM_CHILDSIZE) {
        band.cxMinChild = (int)info.cxMinChild;
        band.cyMinChild = (int)info.cyMinChild;
        if (info.cbSize >= sizeof(REBARBANDINFOA)) {
            band.cyChild = (int)info.cyChild;
            band.cyMaxChild = (int)info.cyMaxChild;
            band.cyIntegral = (int)info.cyIntegral;
        }
    }
    if (m & RBBIM_SIZE)
        band.cx = (int)info.cx;
    if (m & RBBIM_BACKGROUND)
        band.background = info.hbmBack;
    if (m & RBBIM_ID)
        band.id = info.wID;
    if (m & RBBIM_IDEALSIZE)
        band.cxIdeal = (int)info.cxIdeal;
    if (m & RBBIM_LPARAM)
        band.lParam = info.lParam;
    if (m & RBBIM_HEADERSIZE)
        band.cxHeader = (int)info.cxHeader;
}

void WriteBand(const ReBarBand& band, REBARBANDINFOA& info)
{
    UINT m = info.fMask;
    if (m & RBBIM_STYLE)
        info.fStyle = band.style;
    if (m & RBBIM_COLORS) {
        info.clrFore = band.fore;
        info.clrBack = band.back;
    }
    if ((m & RBBIM_TEXT) && info.lpText && info.cch > 0) {
        size_t n = std::min((size_t)info.cch - 1, band.text.size());
        std::memcpy(info.lpText, band.text.data(), n);
        info.lpText[n] = '\0';
    }
    if (m & RBBIM_IMAGE)
        info.iImage = band.image;
    if (m & RBBIM_CHILD)
        info.hwndChild = band.child;
    if (m & RBBIM_CHILDSIZE) {
        info.cxMinChild = (UINT)band.cxMinChild;
        info.cyMinChild = (UINT)band.cyMinChild;
        if (info.cbSize >= sizeof(REBARBANDINFOA)) {
            info.cyChild = (UINT)band.cyChild;
            info.cyMaxChild = (UINT)band.cyMaxChild;
            info.cyIntegral = (UINT)band.cyIntegral;
        }
    }
    if (m & RBBIM_SIZE)
        info.cx = (UINT)RectWidth(band.rect);
    if (m & RBBIM_BACKGROUND)
        info.hbmBack = band.background;
    if (m & RBBIM_ID)
        info.wID = band.id;
    if (m & RBBIM_IDEALSIZE)
        info.cxIdeal = (UINT)band.cxIdeal;
    if (m & RBBIM_LPARAM)
        info.lParam = band.lParam;
    if (m & RBBIM_HEADERSIZE)
        info.cxHeader = (UINT)std::max(0, band.cxHeader);
}

bool ValidInfo(LPARAM lParam)
{
    auto* info = (const REBARBANDINFOA*)lParam;
    // Older callers pass the shorter structure that ends before cyChild.
    return info && info->cbSize >= offsetof(REBARBANDINFOA, cyChild);
}

LRESULT HitTest(const ReBarState& rb, RBHITTESTINFO* info)
{
    if (!info)
        return -1;
    info->flags = RBHT_NOWHERE;
    info->iBand = -1;
    for (size_t i = 0; i < rb.bands.size(); ++i) {
        const ReBarBand& b = rb.bands[i];
        POINT pt = info->pt;
        auto in = [&](const RECT& r) { return pt.x >= r.left && pt.x < r.right && pt.y >= r.top && pt.y < r.bottom; };
        if (b.Hidden() || !in(b.rect))
            continue;
        info->iBand = (int)i;
        if (in(b.chevron))
            info->flags = RBHT_CHEVRON;
        else if (pt.x < b.rect.left + ReBarState::kGripperWidth && !(b.style & RBBS_NOGRIPPER))
            info->flags = RBHT_GRABBER;
        else if (pt.x < b.childRect.left)
            info->flags = RBHT_CAPTION;
        else
            info->flags = RBHT_CLIENT;
        return (LRESULT)i;
    }
    return -1;
}

void PushChevron(HWND hwnd, ReBarState& rb, size_t index, LPARAM appData)
{
    const ReBarBand& b = rb.bands[index];
    NMREBARCHEVRON nm = {};
    nm.uBand = (UINT)index;
    nm.wID = b.id;
    nm.lParam = b.lParam;
    nm.rc = b.chevron;
    nm.lParamNM = appData;
    SendNotify(hwnd, RBN_CHEVRONPUSHED, &nm.hdr, rb.notify);
}

LRESULT HandleBandMessage(HWND hwnd, ReBarState& rb, UINT msg, WPARAM wParam, LPARAM lParam, bool* handled);

LRESULT Handle(HWND hwnd, ReBarState& rb, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        rb.notify = ((const CREATESTRUCTA*)lParam)->hwndParent;
        Relayout(hwnd, rb);
        return 0;
    case WM_SIZE:
        if (!rb.placing)
            Relayout(hwnd, rb);
        return 0;
    case WM_ERASEBKGND:
        PaintReBarBackgrounds(hwnd, rb, (HDC)wParam);
        return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT:
        return PaintMessage(hwnd, msg, wParam, [&](HDC hdc) { PaintReBar(hwnd, rb, hdc); });
    case WM_SETFONT:
        DefWindowProc(hwnd, msg, wParam, lParam);
        Relayout(hwnd, rb);
        return 0;
    case WM_LBUTTONDOWN: {
        RBHITTESTINFO info = {PointFromLParam(lParam), 0, -1};
        if (HitTest(rb, &info) >= 0 && info.flags == RBHT_CHEVRON)
            PushChevron(hwnd, rb, (size_t)info.iBand, 0);
        return 0;
    }
    case WM_NOTIFY:
    case WM_COMMAND: {
        // Messages from the bands' children go on to the owner.
        HWND target = NotifyTarget(hwnd, rb);
        return target && IsWindow(target) ? SendMessage(target, msg, wParam, lParam) : 0;
    }
    }
    bool handled = true;
    LRESULT r = HandleBandMessage(hwnd, rb, msg, wParam, lParam, &handled);
    return handled ? r : ControlDefault(hwnd, msg, wParam, lParam);
}

LRESULT HandleBandMessage(HWND hwnd, ReBarState& rb, UINT msg, WPARAM wParam, LPARAM lParam, bool* handled)
{
    size_t index = (size_t)wParam;
    bool valid = index < rb.bands.size();
    switch (msg) {
    case RB_INSERTBANDA: {
        if (!ValidInfo(lParam) || rb.bands.size() >= (size_t)ReBarState::kMaxBands)
            return FALSE;
        ReBarBand band;
        ReadBand(band, *(const REBARBANDINFOA*)lParam, hwnd);
        size_t at = ((int)wParam < 0 || index > rb.bands.size()) ? rb.bands.size() : index;
        rb.bands.insert(rb.bands.begin() + (long)at, band);
        Relayout(hwnd, rb);
        return TRUE;
    }
    case RB_DELETEBAND: {
        if (!valid)
            return FALSE;
        NMHDR hdr = {};
        SendNotify(hwnd, RBN_DELETINGBAND, &hdr, rb.notify);
        HWND child = rb.bands[index].child;
        rb.bands.erase(rb.bands.begin() + (long)index);
        if (child && IsWindow(child))
            ShowWindow(child, SW_HIDE);
        Relayout(hwnd, rb);
        return TRUE;
    }
    case RB_SETBANDINFOA:
        if (!valid || !ValidInfo(lParam))
            return FALSE;
        ReadBand(rb.bands[index], *(const REBARBANDINFOA*)lParam, hwnd);
        Relayout(hwnd, rb);
        return TRUE;
    case RB_GETBANDINFOA:
        if (!valid || !ValidInfo(lParam))
            return FALSE;
        WriteBand(rb.bands[index], *(REBARBANDINFOA*)lParam);
        return TRUE;
    case RB_GETBANDCOUNT:
        return (LRESULT)rb.bands.size();
    case RB_GETROWCOUNT:
        return (LRESULT)rb.rowHeights.size();
    case RB_GETROWHEIGHT:
        return valid ? rb.rowHeights[(size_t)rb.bands[index].row] : 0;
    case RB_GETBARHEIGHT:
        return rb.BarHeight(StyleOf(hwnd));
    case RB_GETRECT:
        if (!valid || !lParam)
            return FALSE;
        *(RECT*)lParam = rb.bands[index].rect;
        return TRUE;
    case RB_GETBANDBORDERS:
        if (!valid || !lParam)
            return 0;
        *(RECT*)lParam = RECT{RectWidth(rb.bands[index].rect) ? rb.bands[index].childRect.left - rb.bands[index].rect.left : 0,
                              ReBarState::kChildMargin, ReBarState::kChildMargin, ReBarState::kChildMargin};
        return 0;
    case RB_IDTOINDEX:
        for (size_t i = 0; i < rb.bands.size(); ++i)
            if (rb.bands[i].id == (UINT)wParam)
                return (LRESULT)i;
        return -1;
    case RB_SETBARINFO:
        if (!lParam)
            return FALSE;
        if (((const REBARINFO*)lParam)->fMask & RBIM_IMAGELIST)
            rb.images = ((const REBARINFO*)lParam)->himl;
        return TRUE;
    case RB_GETBARINFO:
        if (!lParam)
            return FALSE;
        ((REBARINFO*)lParam)->himl = rb.images;
        return TRUE;
    case RB_SETBKCOLOR: {
        COLORREF old = rb.back;
        rb.back = (COLORREF)lParam;
        InvalidateRect(hwnd, nullptr, TRUE);
        return old;
    }
    case RB_GETBKCOLOR:
        return ResolveColor(rb.back, COLOR_3DFACE);
    case RB_SETTEXTCOLOR: {
        COLORREF old = rb.text;
        rb.text = (COLORREF)lParam;
        InvalidateRect(hwnd, nullptr, TRUE);
        return old;
    }
    case RB_GETTEXTCOLOR:
        return ResolveColor(rb.text, COLOR_BTNTEXT);
    case RB_SETPARENT: {
        HWND old = rb.notify;
        rb.notify = (HWND)wParam;
        return (LRESULT)old;
    }
    case RB_SETTOOLTIPS:
        rb.toolTips = (HWND)wParam;
        return 0;
    case RB_GETTOOLTIPS:
        return (LRESULT)rb.toolTips;
    case RB_SHOWBAND:
        if (!valid)
            return FALSE;
        rb.bands[index].style = lParam ? (rb.bands[index].style & ~RBBS_HIDDEN) : (rb.bands[index].style | RBBS_HIDDEN);
        Relayout(hwnd, rb);
        return TRUE;
    case RB_MINIMIZEBAND:
        if (valid) {
            rb.bands[index].cx = 0;
            Relayout(hwnd, rb);
        }
        return 0;
    case RB_MAXIMIZEBAND:
        if (valid) {
            ReBarBand& b = rb.bands[index];
            b.cx = lParam && b.cxIdeal > 0 ? b.cxIdeal + (b.childRect.left - b.rect.left) + ReBarState::kChildMargin
                                           : ClientRect(hwnd).right;
            Relayout(hwnd, rb);
        }
        return 0;
    case RB_MOVEBAND: {
        size_t to = (size_t)lParam;
        if (!valid || to >= rb.bands.size())
            return FALSE;
        ReBarBand b = rb.bands[index];
        rb.bands.erase(rb.bands.begin() + (long)index);
        rb.bands.insert(rb.bands.begin() + (long)to, b);
        Relayout(hwnd, rb);
        return TRUE;
    }
    case RB_HITTEST:
        return HitTest(rb, (RBHITTESTINFO*)lParam);
    case RB_SIZETORECT:
        if (lParam) {
            const RECT* r = (const RECT*)lParam;
            SetWindowPos(hwnd, nullptr, r->left, r->top, RectWidth(*r), RectHeight(*r), SWP_NOZORDER | SWP_NOACTIVATE);
        }
        return TRUE;
    case RB_PUSHCHEVRON:
        if (valid)
            PushChevron(hwnd, rb, index, lParam);
        return 0;
    case RB_BEGINDRAG:
    case RB_ENDDRAG:
    case RB_DRAGMOVE:
        return 0;
    }
    *handled = false;
    return 0;
}

}  // namespace

const WNDPROC ReBarProc = ControlWindow<ReBarState>::Procedure<Handle>;

}  // namespace mivo
