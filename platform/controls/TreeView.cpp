// The "SysTreeView32" window procedure and its messages over TreeViewControl.
#include "controls/BuiltinClasses.h"
#include "controls/CommonInput.h"
#include "controls/CommonPaint.h"
#include "controls/TreeViewControl.h"

#include <algorithm>
#include <cstring>

namespace mivo {

LRESULT TreeViewControl::Message(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case TVM_INSERTITEMA: return lParam ? (LRESULT)Insert(*(const TVINSERTSTRUCTA*)lParam) : 0;
    case TVM_DELETEITEM:
        return Delete((HTREEITEM)lParam == TVI_ROOT || !lParam ? &root_ : Node((HTREEITEM)lParam));
    case TVM_EXPAND: return Expand(Node((HTREEITEM)lParam), (UINT)wParam);
    case TVM_GETITEMRECT: {
        auto* rc = (RECT*)lParam;
        if (!rc)
            return FALSE;
        HTREEITEM handle;
        memcpy(&handle, rc, sizeof(handle));  // the item travels in the rectangle
        TreeNode* node = Node(handle);
        return node && ItemRect(node, wParam != 0, *rc);
    }
    case TVM_GETCOUNT: return (LRESULT)live_.size();
    case TVM_GETINDENT: return indent_;
    case TVM_SETINDENT:
        indent_ = std::max(5, (int)wParam);
        InvalidateRect(hwnd_, nullptr, TRUE);
        return 0;
    case TVM_GETIMAGELIST: return (LRESULT)(wParam == TVSIL_STATE ? stateImages_ : wParam == TVSIL_NORMAL ? normal_ : nullptr);
    case TVM_SETIMAGELIST: {
        HIMAGELIST* slot = wParam == TVSIL_STATE ? &stateImages_ : wParam == TVSIL_NORMAL ? &normal_ : nullptr;
        if (!slot)
            return 0;
        HIMAGELIST old = *slot;
        *slot = (HIMAGELIST)lParam;
        int cx = 0, cy = 0;
        if (!customHeight_) {
            itemHeight_ = std::max(16, FontLineHeight(hwnd_) + 2);
            if (ImageList_GetIconSize(normal_, &cx, &cy))
                itemHeight_ = std::max(itemHeight_, cy + 1);
        }
        RowsChanged();
        return (LRESULT)old;
    }
    case TVM_GETNEXTITEM: return (LRESULT)H(NextItem(Node((HTREEITEM)lParam), (UINT)wParam));
    case TVM_SELECTITEM: {
        TreeNode* node = Node((HTREEITEM)lParam);
        if (lParam && !node)
            return FALSE;
        return Select(node, (UINT)wParam, TVC_UNKNOWN);
    }
    case TVM_GETITEMA: {
        if (!lParam)
            return FALSE;
        auto* item = (TVITEMA*)lParam;
        TVITEMEXA ex = {};
        memcpy(&ex, item, sizeof(TVITEMA));
        if (!GetItem(ex))
            return FALSE;
        memcpy(item, &ex, sizeof(TVITEMA));
        return TRUE;
    }
    case TVM_SETITEMA: {
        if (!lParam)
            return FALSE;
        TVITEMEXA ex = {};
        memcpy(&ex, (const TVITEMA*)lParam, sizeof(TVITEMA));
        return SetItem(ex);
    }
    case TVM_GETITEMSTATE: {
        TreeNode* node = Node((HTREEITEM)wParam);
        return node ? node->state & (UINT)lParam : 0;
    }
    case TVM_EDITLABELA: return (LRESULT)EditLabel(Node((HTREEITEM)lParam));
    case TVM_GETEDITCONTROL: return (LRESULT)editor_.Window();
    case TVM_ENDEDITLABELNOW: return editor_.End(wParam != 0);
    case TVM_GETVISIBLECOUNT: return PerPage();
    case TVM_HITTEST: return lParam ? (LRESULT)H(HitTest(*(TVHITTESTINFO*)lParam)) : 0;
    case TVM_CREATEDRAGIMAGE: return (LRESULT)CreateDragImage(Node((HTREEITEM)lParam));
    case TVM_SORTCHILDREN:
        return SortChildren((HTREEITEM)lParam == TVI_ROOT || !lParam ? &root_ : Node((HTREEITEM)lParam), nullptr, 0,
                            wParam != 0);
    case TVM_SORTCHILDRENCB: {
        auto* sort = (TVSORTCB*)lParam;
        if (!sort)
            return FALSE;
        TreeNode* parent = sort->hParent == TVI_ROOT || !sort->hParent ? &root_ : Node(sort->hParent);
        return SortChildren(parent, sort->lpfnCompare, sort->lParam, false);
    }
    case TVM_ENSUREVISIBLE: return EnsureVisible(Node((HTREEITEM)lParam));
    case TVM_SETITEMHEIGHT: {
        int old = itemHeight_;
        customHeight_ = (int)wParam > 0;
        itemHeight_ = customHeight_ ? (int)wParam : std::max(16, FontLineHeight(hwnd_) + 2);
        RowsChanged();
        return old;
    }
    case TVM_GETITEMHEIGHT: return itemHeight_;
    case TVM_SETBKCOLOR: {
        COLORREF old = bk_;
        bk_ = (COLORREF)lParam;
        InvalidateRect(hwnd_, nullptr, TRUE);
        return (LRESULT)old;
    }
    case TVM_GETBKCOLOR: return (LRESULT)bk_;
    case TVM_SETTEXTCOLOR: {
        COLORREF old = text_;
        text_ = (COLORREF)lParam;
        InvalidateRect(hwnd_, nullptr, TRUE);
        return (LRESULT)old;
    }
    case TVM_GETTEXTCOLOR: return (LRESULT)text_;
    case WM_COMMAND:
        if ((HWND)lParam == editor_.Window() && HIWORD(wParam) == EN_KILLFOCUS)
            editor_.End(false);
        return 0;
    case WM_TIMER:
        if (wParam == kEditTimer) {
            KillTimer(hwnd_, kEditTimer);
            if (editCandidate_ && live_.count(editCandidate_) && GetFocus() == hwnd_)
                EditLabel(editCandidate_);
            editCandidate_ = nullptr;
        }
        return 0;
    case WM_SETFONT:
        font_ = wParam ? (HFONT)wParam : (HFONT)GetStockObject(DEFAULT_GUI_FONT);
        if (!customHeight_)
            itemHeight_ = std::max(16, FontLineHeight(hwnd_) + 2);
        RowsChanged();
        return 0;
    case WM_GETFONT: return (LRESULT)font_;
    case WM_STYLECHANGED:
        if (wParam == (WPARAM)GWL_STYLE)
            CheckboxesChanged();
        return 0;
    case WM_SIZE: RowsChanged(); return 0;
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
        MouseDown(press.point, press.doubleClick, press.right);
        return 0;
    }
    case WM_MOUSEMOVE: MouseMove(PointFromLParam(lParam), (UINT)wParam); return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        MouseUp(PointFromLParam(lParam), msg == WM_RBUTTONUP);
        return 0;
    case WM_CAPTURECHANGED:
        if ((HWND)lParam != hwnd_)
            pressed_ = nullptr;
        return 0;
    case WM_VSCROLL: Scroll(SB_VERT, wParam); return 0;
    case WM_HSCROLL: Scroll(SB_HORZ, wParam); return 0;
    case WM_MOUSEWHEEL:
        ScrollTo(top_ + WheelRows(wParam), scrollX_);
        return 0;
    }
    return ControlDefault(hwnd_, msg, wParam, lParam);
}

namespace {

LRESULT Handle(HWND hwnd, TreeViewControl& tv, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE)
        return ControlDefault(hwnd, msg, wParam, lParam);
    if (msg == WM_CREATE) {
        tv.Create();
        return 0;
    }
    if (msg == WM_DESTROY)
        tv.Message(TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT);
    return tv.Message(msg, wParam, lParam);
}

}  // namespace

const WNDPROC TreeViewProc = ControlWindow<TreeViewControl>::Procedure<Handle>;

}  // namespace mivo
