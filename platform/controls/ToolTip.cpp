// The "tooltips_class32" window procedure and its messages over ToolTipControl.
#include "controls/BuiltinClasses.h"
#include "controls/ToolTipControl.h"
#include "controls/CommonNotify.h"
#include "win32/cursors.h"
#include "win32/resources.h"
#include <algorithm>
#include <cstring>

namespace mivo {

LRESULT ToolTipControl::Message(UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* ti = (TOOLINFOA*)lParam;
    switch (msg) {
    case TTM_ACTIVATE:
        active_ = wParam != 0;
        if (!active_)
            Hide();
        return 0;
    case TTM_ADDTOOLA:
        if (!ti || (int)tools_.size() >= kMaxTools)
            return FALSE;
        tools_.emplace_back();
        Store(tools_.back(), *ti);
        return TRUE;
    case TTM_DELTOOLA: {
        int i = Find(ti);
        if (i >= 0) {
            if (shown_ == i)
                Hide();
            tools_.erase(tools_.begin() + i);
            shown_ = shown_ > i ? shown_ - 1 : shown_;
            current_ = current_ == i ? -1 : current_ > i ? current_ - 1 : current_;
        }
        return 0;
    }
    case TTM_NEWTOOLRECTA: {
        int i = Find(ti);
        if (i >= 0)
            tools_[(size_t)i].rect = ti->rect;
        return 0;
    }
    case TTM_GETTOOLINFOA: {
        int i = Find(ti);
        if (i < 0)
            return FALSE;
        Fill(tools_[(size_t)i], ti);
        return TRUE;
    }
    case TTM_SETTOOLINFOA: {
        int i = Find(ti);
        if (i >= 0)
            Store(tools_[(size_t)i], *ti);
        return 0;
    }
    case TTM_UPDATETIPTEXTA: {
        int i = Find(ti);
        if (i < 0)
            return 0;
        ToolTipTool& tool = tools_[(size_t)i];
        tool.callback = ti->lpszText == LPSTR_TEXTCALLBACKA;
        tool.text = HasText(ti->lpszText) ? std::string(ti->lpszText, strnlen(ti->lpszText, kMaxText)) : "";
        if (shown_ == i) {
            shownText_ = TextOf(i);
            InvalidateRect(hwnd_, nullptr, TRUE);
        }
        return 0;
    }
    case TTM_GETTEXTA: {
        int i = Find(ti);
        if (i >= 0 && ti->lpszText) {
            std::string t = TextOf(i);
            size_t n = CharStartAtOrBefore(t, std::min(t.size(), (size_t)79));
            memcpy(ti->lpszText, t.data(), n);
            ti->lpszText[n] = '\0';
        }
        return 0;
    }
    case TTM_GETTOOLCOUNT: return (LRESULT)tools_.size();
    case TTM_ENUMTOOLSA:
        if (!ti || wParam >= tools_.size())
            return FALSE;
        Fill(tools_[wParam], ti);
        return TRUE;
    case TTM_GETCURRENTTOOLA:
        if (shown_ < 0)
            return FALSE;
        if (ti)
            Fill(tools_[(size_t)shown_], ti);
        return TRUE;
    case TTM_HITTESTA: {
        auto* hit = (TTHITTESTINFOA*)lParam;
        if (!hit)
            return FALSE;
        int i = ToolAt(hit->hwnd, hit->pt);
        if (i < 0)
            return FALSE;
        hit->ti.cbSize = sizeof(TOOLINFOA);
        hit->ti.lpszText = nullptr;
        Fill(tools_[(size_t)i], &hit->ti);
        return TRUE;
    }
    case TTM_RELAYEVENT:
        if (lParam)
            Relay(*(const MSG*)lParam);
        return 0;
    case TTM_SETDELAYTIME:
        if (wParam == TTDT_AUTOMATIC) {
            int v = (short)LOWORD(lParam);
            delays_[TTDT_INITIAL] = v;
            delays_[TTDT_AUTOPOP] = v < 0 ? -1 : v * 10;
            delays_[TTDT_RESHOW] = v < 0 ? -1 : v / 5;
        } else if (wParam <= TTDT_INITIAL) {
            delays_[wParam] = (short)LOWORD(lParam);
        }
        return 0;
    case TTM_GETDELAYTIME: return wParam <= TTDT_INITIAL ? Delay((int)wParam) : 0;
    case TTM_SETMAXTIPWIDTH: {
        int old = maxWidth_;
        maxWidth_ = (int)lParam;
        return old;
    }
    case TTM_GETMAXTIPWIDTH: return maxWidth_;
    case TTM_SETTIPBKCOLOR: bk_ = (COLORREF)wParam; return 0;
    case TTM_SETTIPTEXTCOLOR: text_ = (COLORREF)wParam; return 0;
    case TTM_GETTIPBKCOLOR: return bk_ == CLR_DEFAULT ? GetSysColor(COLOR_INFOBK) : bk_;
    case TTM_GETTIPTEXTCOLOR: return text_ == CLR_DEFAULT ? GetSysColor(COLOR_INFOTEXT) : text_;
    case TTM_POP: Hide(); return 0;
    case TTM_UPDATE:
        if (shown_ >= 0) {
            shownText_ = TextOf(shown_);
            InvalidateRect(hwnd_, nullptr, TRUE);
        }
        return 0;
    case WM_TIMER:
        KillTimer(hwnd_, wParam);
        if (wParam == kShowTimer)
            Show();
        else if (wParam == kHideTimer)
            Hide();
        return 0;
    case WM_SETFONT: font_ = (HFONT)wParam; return 0;
    case WM_GETFONT: return (LRESULT)font_;
    case WM_NCHITTEST: return HTTRANSPARENT;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_ERASEBKGND:
    case WM_PAINT:
    case WM_PRINTCLIENT:
        return PaintMessage(hwnd_, msg, wParam, [&](HDC hdc) { Paint(hdc); });
    }
    return ControlDefault(hwnd_, msg, wParam, lParam);
}

namespace {

LRESULT Handle(HWND hwnd, ToolTipControl& tip, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE) {
        // A tool tip is always a top-most pop-up, whatever style it was created with.
        SetWindowLong(hwnd, GWL_STYLE, (GetWindowLong(hwnd, GWL_STYLE) & ~WS_CHILD) | WS_POPUP);
        SetWindowLong(hwnd, GWL_EXSTYLE, GetWindowLong(hwnd, GWL_EXSTYLE) | WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
        return ControlDefault(hwnd, msg, wParam, lParam);
    }
    return tip.Message(msg, wParam, lParam);
}

}  // namespace

const WNDPROC ToolTipProc = ControlWindow<ToolTipControl>::Procedure<Handle>;

}  // namespace mivo
