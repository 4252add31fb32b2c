// The "SysListView32" window procedure and its messages over ListViewControl.
#include "controls/BuiltinClasses.h"
#include "controls/CommonInput.h"
#include "controls/CommonPaint.h"
#include "controls/ListViewControl.h"

#include <algorithm>
#include <cstring>

namespace mivo {

LRESULT ListViewControl::Message(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case LVM_GETBKCOLOR: return ResolveColor(bkColor_, COLOR_WINDOW);
    case LVM_SETBKCOLOR: bkColor_ = (COLORREF)lParam; InvalidateRect(hwnd_, nullptr, TRUE); return TRUE;
    case LVM_GETTEXTCOLOR: return ResolveColor(textColor_, COLOR_WINDOWTEXT);
    case LVM_SETTEXTCOLOR: textColor_ = (COLORREF)lParam; InvalidateRect(hwnd_, nullptr, TRUE); return TRUE;
    case LVM_GETTEXTBKCOLOR: return textBkColor_ == CLR_DEFAULT ? ResolveColor(bkColor_, COLOR_WINDOW) : textBkColor_;
    case LVM_SETTEXTBKCOLOR: textBkColor_ = (COLORREF)lParam; InvalidateRect(hwnd_, nullptr, TRUE); return TRUE;
    case LVM_GETIMAGELIST: return wParam < 3 ? (LRESULT)images_[wParam] : 0;
    case LVM_SETIMAGELIST: {
        if (wParam >= 3)
            return 0;
        HIMAGELIST old = images_[wParam];
        images_[wParam] = (HIMAGELIST)lParam;
        Layout();
        InvalidateRect(hwnd_, nullptr, TRUE);
        return (LRESULT)old;
    }
    case LVM_GETITEMCOUNT: return Count();
    case LVM_GETITEMA: return lParam && GetItem(*(LVITEMA*)lParam);
    case LVM_SETITEMA: return lParam && SetItem(*(const LVITEMA*)lParam);
    case LVM_INSERTITEMA: return lParam ? InsertItem(*(const LVITEMA*)lParam) : -1;
    case LVM_DELETEITEM: return DeleteItem((int)wParam);
    case LVM_DELETEALLITEMS: return DeleteAll();
    case LVM_GETNEXTITEM: return GetNextItem((int)wParam, (UINT)LOWORD(lParam));
    case LVM_FINDITEMA: return lParam ? FindItem((int)wParam, *(const LVFINDINFOA*)lParam) : -1;
    case LVM_GETITEMRECT: {
        auto* rc = (RECT*)lParam;
        return rc && ItemRect((int)wParam, rc->left, *rc);
    }
    case LVM_GETSUBITEMRECT: {
        auto* rc = (RECT*)lParam;
        return rc && SubItemRect((int)wParam, rc->top, rc->left, *rc);
    }
    case LVM_HITTEST: return lParam ? HitTest(*(LVHITTESTINFO*)lParam, false) : -1;
    case LVM_SUBITEMHITTEST: return lParam ? HitTest(*(LVHITTESTINFO*)lParam, true) : -1;
    case LVM_ENSUREVISIBLE: return EnsureVisible((int)wParam, lParam != 0);
    case LVM_SCROLL:
        ScrollTo(top_ + (int)lParam / std::max(1, rowHeight_), scrollX_ + (int)wParam);
        return TRUE;
    case LVM_REDRAWITEMS:
        for (int i = (int)wParam; i <= (int)lParam; ++i)
            InvalidateRow(i);
        return TRUE;
    case LVM_UPDATE: InvalidateRow((int)wParam); return TRUE;
    case LVM_EDITLABELA: return (LRESULT)EditLabel((int)wParam);
    case LVM_GETEDITCONTROL: return (LRESULT)editor_.Window();
    case LVM_GETCOLUMNA: return lParam && GetColumn((int)wParam, *(LVCOLUMNA*)lParam);
    case LVM_SETCOLUMNA: return lParam && SetColumn((int)wParam, *(const LVCOLUMNA*)lParam);
    case LVM_INSERTCOLUMNA: return lParam ? InsertColumn((int)wParam, *(const LVCOLUMNA*)lParam) : -1;
    case LVM_DELETECOLUMN: return DeleteColumn((int)wParam);
    case LVM_GETCOLUMNWIDTH: return ColumnWidth((int)wParam);
    case LVM_SETCOLUMNWIDTH: return SetColumnWidth((int)wParam, (short)LOWORD(lParam));
    case LVM_GETHEADER: return (LRESULT)header_;
    case LVM_GETTOPINDEX: return top_;
    case LVM_GETCOUNTPERPAGE: return PerPage();
    case LVM_SETITEMSTATE: return lParam && SetState((int)wParam, ((LVITEMA*)lParam)->state, ((LVITEMA*)lParam)->stateMask);
    case LVM_GETITEMSTATE: return Valid((int)wParam) ? rows_[wParam].state & (UINT)lParam : 0;
    case LVM_GETITEMTEXTA: {
        auto* item = (LVITEMA*)lParam;
        if (!item || !Valid((int)wParam))
            return 0;
        std::string t = Text((int)wParam, item->iSubItem);
        CopyText(t, item->pszText, item->cchTextMax);
        return item->pszText ? (LRESULT)strlen(item->pszText) : 0;
    }
    case LVM_SETITEMTEXTA: {
        auto* item = (LVITEMA*)lParam;
        if (!item)
            return FALSE;
        LVITEMA copy = *item;
        copy.iItem = (int)wParam;
        copy.mask = LVIF_TEXT;
        return SetItem(copy);
    }
    case LVM_SETITEMCOUNT: return TRUE;
    case LVM_SORTITEMS: return SortItems((PFNLVCOMPARE)lParam, (LPARAM)wParam);
    case LVM_GETSELECTEDCOUNT: {
        int n = 0;
        for (const ListRow& r : rows_)
            n += (r.state & LVIS_SELECTED) ? 1 : 0;
        return n;
    }
    case LVM_SETEXTENDEDLISTVIEWSTYLE: {
        DWORD old = exStyle_;
        SetExStyle((DWORD)wParam, (DWORD)lParam);
        Layout();
        return old;
    }
    case LVM_GETEXTENDEDLISTVIEWSTYLE: return exStyle_;
    case LVM_SETCOLUMNORDERARRAY:
        InvalidateRect(hwnd_, nullptr, TRUE);
        return SendMessage(header_, HDM_SETORDERARRAY, wParam, lParam);
    case LVM_GETCOLUMNORDERARRAY: return SendMessage(header_, HDM_GETORDERARRAY, wParam, lParam);
    case LVM_GETSELECTIONMARK: return mark_;
    case LVM_SETSELECTIONMARK: {
        int old = mark_;
        mark_ = Valid((int)lParam) ? (int)lParam : -1;
        return old;
    }
    case LVM_GETSTRINGWIDTHA: {
        if (!lParam)
            return 0;
        HDC dc = GetDC(hwnd_);
        HGDIOBJ old = SelectObject(dc, font_);
        int w = TextWidth(dc, (LPCSTR)lParam, (int)strlen((LPCSTR)lParam));
        SelectObject(dc, old);
        ReleaseDC(hwnd_, dc);
        return w;
    }
    case WM_NOTIFY: {
        auto* hdr = (NMHDR*)lParam;
        if (hdr && hdr->hwndFrom == header_)
            return HeaderNotify(hdr);
        return 0;
    }
    case WM_COMMAND:
        if ((HWND)lParam == editor_.Window() && HIWORD(wParam) == EN_KILLFOCUS)
            editor_.End(false);
        return 0;
    case WM_TIMER:
        if (wParam == kEditTimer) {
            KillTimer(hwnd_, kEditTimer);
            if (Valid(editCandidate_) && GetFocus() == hwnd_)
                EditLabel(editCandidate_);
            editCandidate_ = -1;
        }
        return 0;
    case WM_SETFONT:
        font_ = wParam ? (HFONT)wParam : (HFONT)GetStockObject(DEFAULT_GUI_FONT);
        SendMessage(header_, WM_SETFONT, (WPARAM)font_, lParam);
        Layout();
        if (LOWORD(lParam))
            InvalidateRect(hwnd_, nullptr, TRUE);
        return 0;
    case WM_GETFONT: return (LRESULT)font_;
    case WM_SIZE:
        Layout();
        ScrollTo(top_, scrollX_);
        return 0;
    case WM_STYLECHANGED:
        Layout();
        InvalidateRect(hwnd_, nullptr, TRUE);
        return 0;
    case WM_ERASEBKGND:
    case WM_PAINT:
    case WM_PRINTCLIENT:
        return PaintMessage(hwnd_, msg, wParam, [&](HDC hdc) { Paint(hdc, PaintArea(hwnd_, hdc)); });
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        ViewFocusChanged(hwnd_, focused_, msg == WM_SETFOCUS);
        return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_KEYDOWN: KeyDown(wParam); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: {
        MousePress press = PressOf(msg, lParam);
        MouseDown(press.point, (UINT)wParam, press.doubleClick, press.right);
        return 0;
    }
    case WM_MOUSEMOVE: MouseMove(PointFromLParam(lParam), (UINT)wParam); return 0;
    case WM_LBUTTONUP: MouseUp(PointFromLParam(lParam), false); return 0;
    case WM_CAPTURECHANGED: pressed_ = -1; return 0;
    case WM_VSCROLL: Scroll(SB_VERT, wParam); return 0;
    case WM_HSCROLL: Scroll(SB_HORZ, wParam); return 0;
    case WM_MOUSEWHEEL:
        ScrollTo(top_ + WheelRows(wParam), scrollX_);
        return 0;
    }
    return ControlDefault(hwnd_, msg, wParam, lParam);
}

namespace {

LRESULT Handle(HWND hwnd, ListViewControl& lv, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE)
        return ControlDefault(hwnd, msg, wParam, lParam);
    if (msg == WM_CREATE) {
        lv.Create();
        return 0;
    }
    if (msg == WM_DESTROY)
        lv.Message(LVM_DELETEALLITEMS, 0, 0);
    return lv.Message(msg, wParam, lParam);
}

}  // namespace

const WNDPROC ListViewProc = ControlWindow<ListViewControl>::Procedure<Handle>;

}  // namespace mivo
