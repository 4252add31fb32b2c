// Drag lists: a list box whose items the user drags, reporting the drag to
// its parent with the registered DRAGLISTMSGSTRING message.
#include "controls/ControlsInternal.h"
#include "win32/cursors.h"
#include "controls/DragListHook.h"

#include <algorithm>
#include <atomic>
#include <map>
#include <mutex>

namespace mivo {

namespace {

const char kStateProp[] = "MivoDragList";

struct DragState {
    WNDPROC original = nullptr;
    bool dragging = false;
};

std::atomic<DragListHandler> g_handler{nullptr};

UINT DragListMessage()
{
    static UINT msg = RegisterWindowMessage(DRAGLISTMSGSTRING);
    return msg;
}

LRESULT Notify(HWND list, UINT code)
{
    DRAGLISTINFO info;
    info.uNotification = code;
    info.hWnd = list;
    GetCursorPos(&info.ptCursor);
    LRESULT result = 0;
    if (DragListHandler handler = g_handler.load())
        if (handler(list, &info, &result))
            return result;
    HWND parent = GetParent(list);
    return parent ? SendMessage(parent, DragListMessage(), (WPARAM)GetDlgCtrlID(list), (LPARAM)&info) : 0;
}

void EndDrag(HWND list, DragState& st, UINT code)
{
    if (!st.dragging)
        return;
    st.dragging = false;
    if (GetCapture() == list)
        ReleaseCapture();
    Notify(list, code);
}

LRESULT CALLBACK DragListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* st = (DragState*)GetProp(hwnd, kStateProp);
    if (!st)
        return DefWindowProc(hwnd, msg, wParam, lParam);
    WNDPROC original = st->original;
    switch (msg) {
    case WM_LBUTTONDOWN: {
        LRESULT r = CallWindowProc(original, hwnd, msg, wParam, lParam);
        st = (DragState*)GetProp(hwnd, kStateProp);
        bool outside = false;
        LRESULT hit = SendMessage(hwnd, LB_ITEMFROMPOINT, 0, lParam);
        outside = HIWORD(hit) != 0;
        if (st && !outside && Notify(hwnd, DL_BEGINDRAG)) {
            if ((st = (DragState*)GetProp(hwnd, kStateProp))) {
                st->dragging = true;
                SetCapture(hwnd);
            }
        }
        return r;
    }
    case WM_MOUSEMOVE:
        if (st->dragging) {
            UINT cursor = (UINT)Notify(hwnd, DL_DRAGGING);
            SetCursor(LoadCursor(nullptr, cursor == DL_STOPCURSOR ? IDC_NO : IDC_ARROW));
            return 0;
        }
        break;
    case WM_LBUTTONUP:
        if (st->dragging) {
            EndDrag(hwnd, *st, DL_DROPPED);
            return 0;
        }
        break;
    case WM_KEYDOWN:
        if (st->dragging && wParam == VK_ESCAPE) {
            EndDrag(hwnd, *st, DL_CANCELDRAG);
            return 0;
        }
        break;
    case WM_RBUTTONDOWN:
        if (st->dragging) {
            EndDrag(hwnd, *st, DL_CANCELDRAG);
            return 0;
        }
        break;
    case WM_CAPTURECHANGED:
        if (st->dragging && (HWND)lParam != hwnd) {
            st->dragging = false;
            Notify(hwnd, DL_CANCELDRAG);
        }
        break;
    case WM_NCDESTROY:
        RemoveProp(hwnd, kStateProp);
        SetWindowLongPtr(hwnd, GWLP_WNDPROC, (LONG_PTR)original);
        delete st;
        return CallWindowProc(original, hwnd, msg, wParam, lParam);
    }
    return CallWindowProc(original, hwnd, msg, wParam, lParam);
}

// Where each parent shows its insertion mark, to take it away again.
std::mutex& MarksLock()
{
    static auto* lock = new std::mutex;
    return *lock;
}

std::map<HWND, RECT>& Marks()
{
    static auto* marks = new std::map<HWND, RECT>;
    return *marks;
}

}  // namespace

void SetDragListHandler(DragListHandler handler)
{
    g_handler = handler;
}

}  // namespace mivo

using namespace mivo;

BOOL MakeDragList(HWND hLB)
{
    if (!IsWindow(hLB) || GetProp(hLB, kStateProp))
        return FALSE;
    DWORD style = StyleOf(hLB);
    if (style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL))
        return FALSE;
    auto* st = new DragState;
    st->original = (WNDPROC)GetWindowLongPtr(hLB, GWLP_WNDPROC);
    SetProp(hLB, kStateProp, (HANDLE)st);
    SetWindowLongPtr(hLB, GWLP_WNDPROC, (LONG_PTR)DragListProc);
    return TRUE;
}

int LBItemFromPt(HWND hLB, POINT pt, BOOL bAutoScroll)
{
    if (!IsWindow(hLB))
        return -1;
    ScreenToClient(hLB, &pt);
    RECT rc;
    GetClientRect(hLB, &rc);
    if (pt.x < rc.left || pt.x >= rc.right)
        return -1;
    if (pt.y < rc.top || pt.y >= rc.bottom) {
        if (bAutoScroll) {
            // Holding the mouse above or below the list scrolls it, an item at a time.
            static DWORD last = 0;
            DWORD now = GetTickCount();
            if (now - last >= 100) {
                last = now;
                int top = (int)SendMessage(hLB, LB_GETTOPINDEX, 0, 0);
                SendMessage(hLB, LB_SETTOPINDEX, (WPARAM)std::max(0, pt.y < rc.top ? top - 1 : top + 1), 0);
            }
        }
        return -1;
    }
    LRESULT hit = SendMessage(hLB, LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y));
    if (HIWORD(hit))
        return -1;
    return (int)LOWORD(hit);
}

void DrawInsert(HWND handParent, HWND hLB, int nItem)
{
    if (!IsWindow(handParent))
        return;
    RECT old = {0, 0, 0, 0};
    bool hadMark = false;
    {
        std::lock_guard<std::mutex> guard(MarksLock());
        auto it = Marks().find(handParent);
        if (it != Marks().end()) {
            old = it->second;
            hadMark = true;
            Marks().erase(it);
        }
    }
    if (hadMark) {
        InvalidateRect(handParent, &old, TRUE);
        UpdateWindow(handParent);
    }
    int count = IsWindow(hLB) ? (int)SendMessage(hLB, LB_GETCOUNT, 0, 0) : 0;
    if (nItem < 0 || nItem > count)
        return;
    RECT item;
    int y;
    if (nItem < count) {
        SendMessage(hLB, LB_GETITEMRECT, (WPARAM)nItem, (LPARAM)&item);
        y = item.top;
    } else if (count > 0) {
        SendMessage(hLB, LB_GETITEMRECT, (WPARAM)(count - 1), (LPARAM)&item);
        y = item.bottom;
    } else {
        y = 0;
    }
    POINT at{0, y};
    MapWindowPoints(hLB, handParent, &at, 1);
    RECT list;
    GetWindowRect(hLB, &list);
    POINT left{list.left, 0};
    ScreenToClient(handParent, &left);
    // A small arrow left of the list, pointing at the gap between two items.
    RECT mark = {left.x - 9, at.y - 4, left.x - 1, at.y + 5};
    POINT arrow[3] = {{mark.left, mark.top}, {mark.right - 1, at.y}, {mark.left, mark.bottom - 1}};
    HDC dc = GetDC(handParent);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(BLACK_BRUSH));
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    Polygon(dc, arrow, 3);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    ReleaseDC(handParent, dc);
    std::lock_guard<std::mutex> guard(MarksLock());
    Marks()[handParent] = mark;
}
