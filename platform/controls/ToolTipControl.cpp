// Tool tips: the tool store, relayed mouse moves, timers and the pop-up.
#include "controls/ToolTipControl.h"
#include "controls/CommonNotify.h"
#include "win32/cursors.h"
#include "win32/resources.h"

#include <algorithm>
#include <cstring>

namespace mivo {

namespace {

const int kMargin = 3;

}  // namespace

int ToolTipControl::Find(const TOOLINFOA* ti) const
{
    if (!ti)
        return -1;
    for (size_t i = 0; i < tools_.size(); ++i)
        if (tools_[i].hwnd == ti->hwnd && tools_[i].id == ti->uId)
            return (int)i;
    return -1;
}

void ToolTipControl::Store(ToolTipTool& tool, const TOOLINFOA& ti)
{
    tool.flags = ti.uFlags;
    tool.hwnd = ti.hwnd;
    tool.id = ti.uId;
    tool.rect = ti.rect;
    tool.hinst = ti.hinst;
    tool.callback = ti.lpszText == LPSTR_TEXTCALLBACKA;
    if (HasText(ti.lpszText))
        tool.text.assign(ti.lpszText, strnlen(ti.lpszText, kMaxText));
    else if (ti.lpszText && IS_INTRESOURCE(ti.lpszText)) {
        char buffer[1024] = "";
        LoadString(ti.hinst, (UINT)(UINT_PTR)ti.lpszText, buffer, sizeof(buffer));
        tool.text = buffer;
    } else {
        tool.text.clear();
    }
    if (ti.cbSize >= sizeof(TOOLINFOA))
        tool.data = ti.lParam;
}

void ToolTipControl::Fill(const ToolTipTool& tool, TOOLINFOA* ti) const
{
    ti->uFlags = tool.flags;
    ti->hwnd = tool.hwnd;
    ti->uId = tool.id;
    ti->rect = tool.rect;
    ti->hinst = tool.hinst;
    if (ti->cbSize >= sizeof(TOOLINFOA))
        ti->lParam = tool.data;
    if (tool.callback)
        ti->lpszText = LPSTR_TEXTCALLBACKA;
    else if (ti->lpszText && ti->lpszText != LPSTR_TEXTCALLBACKA) {
        // The caller's buffer is taken to hold 80 characters, as the tool tip texts of the era.
        size_t n = CharStartAtOrBefore(tool.text, std::min(tool.text.size(), (size_t)79));
        memcpy(ti->lpszText, tool.text.data(), n);
        ti->lpszText[n] = '\0';
    }
}

int ToolTipControl::ToolAt(HWND hwnd, POINT client) const
{
    for (size_t i = 0; i < tools_.size(); ++i) {
        const ToolTipTool& t = tools_[i];
        if (t.flags & TTF_IDISHWND) {
            if ((HWND)t.id == hwnd)
                return (int)i;
        } else if (t.hwnd == hwnd && PtInRect(&t.rect, client)) {
            return (int)i;
        }
    }
    return -1;
}

int ToolTipControl::Delay(int which) const
{
    if (delays_[which] >= 0)
        return delays_[which];
    int base = (int)GetDoubleClickTime();
    switch (which) {
    case TTDT_RESHOW: return base / 5;
    case TTDT_AUTOPOP: return base * 10;
    default: return base;
    }
}

void ToolTipControl::Relay(const MSG& msg)
{
    if (!active_)
        return;
    switch (msg.message) {
    case WM_MOUSEMOVE: {
        POINT pt = {(short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam)};
        int tool = ToolAt(msg.hwnd, pt);
        GetCursorPos(&lastPoint_);
        if (tool == current_)
            return;
        current_ = tool;
        bool wasShown = shown_ >= 0;
        Hide();
        if (tool >= 0)
            SetTimer(hwnd_, kShowTimer, (UINT)(wasShown ? Delay(TTDT_RESHOW) : Delay(TTDT_INITIAL)), nullptr);
        break;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        Hide();
        KillTimer(hwnd_, kShowTimer);
        break;
    }
}

std::string ToolTipControl::TextOf(int index)
{
    ToolTipTool& tool = tools_[(size_t)index];
    if (!tool.callback)
        return tool.text;
    NMTTDISPINFOA di = {};
    di.lParam = tool.data;
    di.uFlags = tool.flags;
    di.hinst = tool.hinst;
    NMHDR& hdr = di.hdr;
    hdr.hwndFrom = hwnd_;
    hdr.idFrom = tool.id;
    hdr.code = TTN_GETDISPINFOA;
    SendMessage(tool.hwnd, WM_NOTIFY, (WPARAM)tool.id, (LPARAM)&di);
    if (di.lpszText && IS_INTRESOURCE(di.lpszText)) {
        char buffer[1024] = "";
        LoadString(di.hinst, (UINT)(UINT_PTR)di.lpszText, buffer, sizeof(buffer));
        return buffer;
    }
    if (HasText(di.lpszText))
        return std::string(di.lpszText, strnlen(di.lpszText, kMaxText));
    return std::string(di.szText, strnlen(di.szText, sizeof(di.szText)));
}

void ToolTipControl::Show()
{
    if (current_ < 0 || current_ >= (int)tools_.size())
        return;
    std::string text = TextOf(current_);
    if (text.empty() || !IsWindow(hwnd_))
        return;
    shown_ = current_;
    shownText_ = text;
    HDC dc = GetDC(hwnd_);
    HGDIOBJ old = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    RECT rc = {0, 0, maxWidth_ > 0 ? maxWidth_ : 4000, 0};
    UINT flags = DT_CALCRECT | DT_NOPREFIX | (maxWidth_ > 0 ? DT_WORDBREAK : DT_SINGLELINE);
    DrawText(dc, text.c_str(), (int)text.size(), &rc, flags);
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    int w = rc.right + 2 * kMargin + 2, h = rc.bottom + 2 * kMargin;
    POINT at = lastPoint_;
    at.y += 20;  // below the arrow pointer
    SIZE screen = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (screen.cx > 0)
        at.x = std::max(0, std::min((int)at.x, (int)screen.cx - w));
    if (screen.cy > 0 && at.y + h > screen.cy)
        at.y = lastPoint_.y - h - 2;
    NMHDR hdr = {};
    hdr.hwndFrom = hwnd_;
    hdr.idFrom = tools_[(size_t)shown_].id;
    hdr.code = TTN_SHOW;
    SendMessage(tools_[(size_t)shown_].hwnd, WM_NOTIFY, hdr.idFrom, (LPARAM)&hdr);
    SetWindowPos(hwnd_, HWND_TOPMOST, at.x, at.y, w, h, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(hwnd_, nullptr, TRUE);
    SetTimer(hwnd_, kHideTimer, (UINT)Delay(TTDT_AUTOPOP), nullptr);
}

void ToolTipControl::Hide()
{
    KillTimer(hwnd_, kHideTimer);
    if (shown_ < 0)
        return;
    int was = shown_;
    shown_ = -1;
    if (was < (int)tools_.size()) {
        NMHDR hdr = {};
        hdr.hwndFrom = hwnd_;
        hdr.idFrom = tools_[(size_t)was].id;
        hdr.code = TTN_POP;
        SendMessage(tools_[(size_t)was].hwnd, WM_NOTIFY, hdr.idFrom, (LPARAM)&hdr);
    }
    ShowWindow(hwnd_, SW_HIDE);
}

void ToolTipControl::Paint(HDC hdc)
{
    RECT rc;
    GetClientRect(hwnd_, &rc);
    COLORREF bk = bk_ == CLR_DEFAULT ? GetSysColor(COLOR_INFOBK) : bk_;
    COLORREF old = SetBkColor(hdc, bk);
    ExtTextOut(hdc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
    SetBkColor(hdc, old);
    FrameRect(hdc, &rc, GetSysColorBrush(COLOR_WINDOWFRAME));
    HGDIOBJ oldFont = SelectObject(hdc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    SetTextColor(hdc, text_ == CLR_DEFAULT ? GetSysColor(COLOR_INFOTEXT) : text_);
    SetBkMode(hdc, TRANSPARENT);
    RECT textRc = {kMargin + 1, kMargin, rc.right - kMargin, rc.bottom - kMargin};
    DrawText(hdc, shownText_.c_str(), (int)shownText_.size(), &textRc,
             DT_NOPREFIX | (maxWidth_ > 0 ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(hdc, oldFont);
}


}  // namespace mivo
