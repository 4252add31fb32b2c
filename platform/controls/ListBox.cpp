// The "ListBox" class (and "ComboLBox", the list of a combo box): single,
// multiple and extended selection, sorting, owner-drawn items, item data.
#include "controls/BuiltinClasses.h"
#include "controls/ControlsInternal.h"
#include "controls/ListBoxInternal.h"
#include "win32/cursors.h"
#include "mivo/codepage.h"

#include <algorithm>
#include <cstring>
#include <vector>


namespace mivo {

const char kComboListClass[] = "ComboLBox";

namespace {

struct ListItem {
    std::string text;
    ULONG_PTR data = 0;
    bool selected = false;
    int height = 0;
};

struct ListBoxState {
    std::vector<ListItem> items;
    int top = 0;
    int caret = -1;
    int anchor = -1;
    int cursel = -1;  // single selection
    int itemHeight = 16;
    bool focused = false;
    bool tracking = false;
    HWND combo = nullptr;
    bool pressedInside = false;  // a dropped combo list saw a press of its own
    bool barTracking = false;    // a dropped combo list lends its capture to its scroll bar
    int horizontalExtent = 0;
    int scrollX = 0;
    std::vector<int> tabStops;
    int columnWidth = 0;
    DWORD locale = 0x0412;
    std::string search;
    DWORD searchTime = 0;
    int pendingLead = -1;
};

ListBoxState* Data(HWND hwnd)
{
    return ControlWindow<ListBoxState>::Of(hwnd);
}

bool OwnerDraw(DWORD style)
{
    return (style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0;
}

bool HasStrings(DWORD style)
{
    return !OwnerDraw(style) || (style & LBS_HASSTRINGS);
}

bool MultiSelect(DWORD style)
{
    return (style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
}

int Count(const ListBoxState& st)
{
    return (int)st.items.size();
}

bool Valid(const ListBoxState& st, long index)
{
    return index >= 0 && index < Count(st);
}

// Where owner-draw and notification messages go: a combo box's parent speaks for its list.
HWND OwnerOf(HWND hwnd, const ListBoxState& st)
{
    return st.combo ? GetParent(st.combo) : GetParent(hwnd);
}

UINT OwnerId(HWND hwnd, const ListBoxState& st)
{
    return (UINT)GetDlgCtrlID(st.combo ? st.combo : hwnd);
}

void Notify(HWND hwnd, const ListBoxState& st, int code)
{
    if (st.combo) {
        SendMessage(st.combo, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code), (LPARAM)hwnd);
        return;
    }
    if (StyleOf(hwnd) & LBS_NOTIFY)
        NotifyParent(hwnd, code);
}

int ItemHeight(const ListBoxState& st, int index)
{
    if (Valid(st, index) && st.items[(size_t)index].height > 0)
        return st.items[(size_t)index].height;
    return std::max(1, st.itemHeight);
}

int ClientHeight(HWND hwnd)
{
    RECT rc;
    GetClientRect(hwnd, &rc);
    return rc.bottom - rc.top;
}

int VisibleCount(HWND hwnd, const ListBoxState& st)
{
    int h = ClientHeight(hwnd), n = 0, y = 0;
    for (int i = st.top; i < Count(st); ++i) {
        y += ItemHeight(st, i);
        if (y > h)
            break;
        ++n;
    }
    if (n == 0)
        n = std::max(1, h / std::max(1, st.itemHeight));
    return std::max(1, n);
}

RECT ItemRect(HWND hwnd, const ListBoxState& st, int index)
{
    RECT rc;
    GetClientRect(hwnd, &rc);
    int y = 0;
    if (index >= st.top) {
        for (int i = st.top; i < index; ++i)
            y += ItemHeight(st, i);
    } else {
        for (int i = index; i < st.top; ++i)
            y -= ItemHeight(st, i);
    }
    return RECT{rc.left, y, rc.right, y + ItemHeight(st, index)};
}

int ItemAt(HWND hwnd, const ListBoxState& st, POINT pt, bool* outside)
{
    RECT rc;
    GetClientRect(hwnd, &rc);
    *outside = !PtInRect(&rc, pt);
    if (Count(st) == 0)
        return -1;
    if (pt.y < 0) {
        *outside = true;
        return std::max(0, st.top - 1);
    }
    int y = 0;
    for (int i = st.top; i < Count(st); ++i) {
        int h = ItemHeight(st, i);
        if (pt.y < y + h)
            return i;
        y += h;
    }
    *outside = true;
    return Count(st) - 1;
}

void UpdateScrollBar(HWND hwnd, const ListBoxState& st)
{
    if (!(StyleOf(hwnd) & WS_VSCROLL))
        return;
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (StyleOf(hwnd) & LBS_DISABLENOSCROLL)
        si.fMask |= SIF_DISABLENOSCROLL;
    si.nMax = std::max(0, Count(st) - 1);
    si.nPage = (UINT)VisibleCount(hwnd, st);
    si.nPos = st.top;
    SetScrollInfo(hwnd, SB_VERT, &si, TRUE);
}

void Redraw(HWND hwnd)
{
    InvalidateRect(hwnd, nullptr, TRUE);
}

void SetTop(HWND hwnd, ListBoxState& st, int top)
{
    int maxTop = std::max(0, Count(st) - VisibleCount(hwnd, st));
    top = std::max(0, std::min(top, maxTop));
    if (top == st.top)
        return;
    st.top = top;
    Redraw(hwnd);
    UpdateScrollBar(hwnd, st);
}

void ShowItem(HWND hwnd, ListBoxState& st, int index)
{
    if (!Valid(st, index))
        return;
    if (index < st.top) {
        SetTop(hwnd, st, index);
        return;
    }
    int h = ClientHeight(hwnd), y = 0;
    for (int i = st.top; i <= index; ++i)
        y += ItemHeight(st, i);
    int top = st.top;
    while (y > h && top < index) {
        y -= ItemHeight(st, top);
        ++top;
    }
    SetTop(hwnd, st, top);
}

// --- comparing and finding

int CompareItems(HWND hwnd, const ListBoxState& st, const ListItem& a, const ListItem& b, int indexB)
{
    if (HasStrings(StyleOf(hwnd)))
        return AnsiCompareNoCase(a.text.c_str(), b.text.c_str());
    COMPAREITEMSTRUCT cis = {};
    cis.CtlType = st.combo ? ODT_COMBOBOX : ODT_LISTBOX;
    cis.CtlID = OwnerId(hwnd, st);
    cis.hwndItem = st.combo ? st.combo : hwnd;
    cis.itemID1 = (UINT)-1;
    cis.itemData1 = a.data;
    cis.itemID2 = (UINT)indexB;
    cis.itemData2 = b.data;
    cis.dwLocaleId = st.locale;
    return (int)SendMessage(OwnerOf(hwnd, st), WM_COMPAREITEM, cis.CtlID, (LPARAM)&cis);
}

bool PrefixMatches(const std::string& text, const char* prefix, bool exact)
{
    size_t n = std::strlen(prefix);
    if (exact)
        return AnsiCompareNoCase(text.c_str(), prefix) == 0;
    if (text.size() < n)
        return false;
    std::string head = text.substr(0, n);
    return AnsiCompareNoCase(head.c_str(), prefix) == 0;
}

int Find(HWND hwnd, const ListBoxState& st, long start, LPARAM key, bool exact)
{
    int n = Count(st);
    if (n == 0)
        return LB_ERR;
    bool strings = HasStrings(StyleOf(hwnd));
    if (strings && !key)
        return LB_ERR;
    int from = (start < 0 || start >= n) ? 0 : (int)start + 1;
    for (int k = 0; k < n; ++k) {
        int i = (from + k) % n;
        const ListItem& item = st.items[(size_t)i];
        if (strings ? PrefixMatches(item.text, (const char*)key, exact) : item.data == (ULONG_PTR)key)
            return i;
    }
    return LB_ERR;
}

// --- items

void MeasureItem(HWND hwnd, ListBoxState& st, int index)
{
    DWORD style = StyleOf(hwnd);
    if (!(style & LBS_OWNERDRAWVARIABLE) || !Valid(st, index))
        return;
    MEASUREITEMSTRUCT mis = {};
    mis.CtlType = st.combo ? ODT_COMBOBOX : ODT_LISTBOX;
    mis.CtlID = OwnerId(hwnd, st);
    mis.itemID = (UINT)index;
    mis.itemHeight = (UINT)st.itemHeight;
    mis.itemData = st.items[(size_t)index].data;
    SendMessage(OwnerOf(hwnd, st), WM_MEASUREITEM, mis.CtlID, (LPARAM)&mis);
    if (Valid(st, index))
        st.items[(size_t)index].height = std::max(1, (int)std::min<UINT>(mis.itemHeight, 255));
}

void DeleteNotice(HWND hwnd, const ListBoxState& st, int index, ULONG_PTR data)
{
    if (!data && !OwnerDraw(StyleOf(hwnd)))
        return;
    DELETEITEMSTRUCT dis = {};
    dis.CtlType = st.combo ? ODT_COMBOBOX : ODT_LISTBOX;
    dis.CtlID = OwnerId(hwnd, st);
    dis.itemID = (UINT)index;
    dis.hwndItem = hwnd;
    dis.itemData = data;
    SendMessage(OwnerOf(hwnd, st), WM_DELETEITEM, dis.CtlID, (LPARAM)&dis);
}

LRESULT Insert(HWND hwnd, ListBoxState& st, long index, LPARAM lParam, bool sorted)
{
    DWORD style = StyleOf(hwnd);
    ListItem item;
    if (HasStrings(style)) {
        if (lParam)
            item.text = (const char*)lParam;
    } else {
        item.data = (ULONG_PTR)lParam;
    }
    int n = Count(st);
    if (index < 0 || index > n)
        index = n;
    if (sorted && (style & LBS_SORT)) {
        int lo = 0, hi = n;
        while (lo < hi) {
            int mid = (lo + hi) / 2;
            if (CompareItems(hwnd, st, item, st.items[(size_t)mid], mid) < 0)
                hi = mid;
            else
                lo = mid + 1;
        }
        index = lo;
    }
    ListBoxState* again = Data(hwnd);  // the owner may have done anything while comparing
    if (!again)
        return LB_ERR;
    index = std::min<long>(index, Count(*again));
    again->items.insert(again->items.begin() + index, item);
    if (again->cursel >= index)
        ++again->cursel;
    if (again->caret >= index)
        ++again->caret;
    if (again->anchor >= index)
        ++again->anchor;
    MeasureItem(hwnd, *again, (int)index);
    Redraw(hwnd);
    UpdateScrollBar(hwnd, *again);
    return index;
}

LRESULT Delete(HWND hwnd, ListBoxState& st, long index)
{
    if (!Valid(st, index))
        return LB_ERR;
    ULONG_PTR data = st.items[(size_t)index].data;
    st.items.erase(st.items.begin() + index);
    auto shift = [&](int& v) {
        if (v == index)
            v = -1;
        else if (v > index)
            --v;
    };
    shift(st.cursel);
    shift(st.anchor);
    if (st.caret >= Count(st))
        st.caret = Count(st) - 1;
    SetTop(hwnd, st, st.top);
    Redraw(hwnd);
    UpdateScrollBar(hwnd, st);
    int left = Count(st);
    DeleteNotice(hwnd, st, (int)index, data);
    return left;
}

void Reset(HWND hwnd, ListBoxState& st)
{
    std::vector<ListItem> gone;
    gone.swap(st.items);
    st.top = 0;
    st.caret = st.anchor = st.cursel = -1;
    st.scrollX = 0;
    Redraw(hwnd);
    UpdateScrollBar(hwnd, st);
    for (size_t i = 0; i < gone.size(); ++i)
        DeleteNotice(hwnd, st, (int)i, gone[i].data);
}

// --- selection

bool IsSelected(HWND hwnd, const ListBoxState& st, int index)
{
    if (!Valid(st, index))
        return false;
    return MultiSelect(StyleOf(hwnd)) ? st.items[(size_t)index].selected : index == st.cursel;
}

void SelectRange(ListBoxState& st, int from, int to, bool on)
{
    if (from > to)
        std::swap(from, to);
    for (int i = std::max(0, from); i <= to && i < Count(st); ++i)
        st.items[(size_t)i].selected = on;
}

void SetCaret(HWND hwnd, ListBoxState& st, int index)
{
    st.caret = index;
    ShowItem(hwnd, st, index);
    Redraw(hwnd);
}

void SelectSingle(HWND hwnd, ListBoxState& st, int index)
{
    if (StyleOf(hwnd) & LBS_NOSEL)
        return;
    st.cursel = Valid(st, index) ? index : -1;
    st.anchor = st.cursel;
    SetCaret(hwnd, st, st.cursel);
}

// The selection a user action makes at `index`, as the style wants it.
void UserSelect(HWND hwnd, ListBoxState& st, int index, bool shift, bool ctrl, bool toggle)
{
    if (!Valid(st, index))
        return;
    DWORD style = StyleOf(hwnd);
    if (style & LBS_NOSEL)
        return;
    if (style & LBS_EXTENDEDSEL) {
        if (shift) {
            if (!Valid(st, st.anchor))
                st.anchor = index;
            if (!ctrl)
                SelectRange(st, 0, Count(st) - 1, false);
            SelectRange(st, st.anchor, index, true);
        } else if (ctrl) {
            if (toggle)
                st.items[(size_t)index].selected = !st.items[(size_t)index].selected;
            st.anchor = index;
        } else {
            SelectRange(st, 0, Count(st) - 1, false);
            st.items[(size_t)index].selected = true;
            st.anchor = index;
        }
    } else if (style & LBS_MULTIPLESEL) {
        if (toggle)
            st.items[(size_t)index].selected = !st.items[(size_t)index].selected;
    } else {
        st.cursel = index;
        st.anchor = index;
    }
    SetCaret(hwnd, st, index);
}

// --- painting

void DrawOwnerItem(HWND hwnd, const ListBoxState& st, HDC hdc, int index, const RECT& rc, UINT action)
{
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = st.combo ? ODT_COMBOBOX : ODT_LISTBOX;
    dis.CtlID = OwnerId(hwnd, st);
    dis.itemID = (UINT)index;
    dis.itemAction = action;
    dis.itemState = (IsSelected(hwnd, st, index) ? ODS_SELECTED : 0) |
                    (st.focused && index == st.caret ? ODS_FOCUS : 0) |
                    ((StyleOf(hwnd) & WS_DISABLED) ? ODS_DISABLED : 0);
    dis.hwndItem = hwnd;
    dis.hDC = hdc;
    dis.rcItem = rc;
    dis.itemData = Valid(st, index) ? st.items[(size_t)index].data : 0;
    SendMessage(OwnerOf(hwnd, st), WM_DRAWITEM, dis.CtlID, (LPARAM)&dis);
}

void DrawTextItem(HWND hwnd, const ListBoxState& st, HDC hdc, int index, const RECT& rc)
{
    const ListItem& item = st.items[(size_t)index];
    bool selected = IsSelected(hwnd, st, index);
    bool disabled = (StyleOf(hwnd) & WS_DISABLED) != 0;
    COLORREF oldText = GetTextColor(hdc);
    if (selected && !disabled) {
        FillRect(hdc, &rc, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(hdc, SysColor(COLOR_HIGHLIGHTTEXT));
    } else if (disabled) {
        SetTextColor(hdc, SysColor(COLOR_GRAYTEXT));
    }
    int mode = SetBkMode(hdc, TRANSPARENT);
    int x = rc.left + 2 - st.scrollX;
    if (StyleOf(hwnd) & LBS_USETABSTOPS) {
        std::vector<int> stops = st.tabStops;
        TabbedTextOut(hdc, x, rc.top, item.text.c_str(), (int)item.text.size(), (int)stops.size(),
                      stops.empty() ? nullptr : stops.data(), x);
    } else {
        TextOut(hdc, x, rc.top, item.text.c_str(), (int)item.text.size());
    }
    SetBkMode(hdc, mode);
    SetTextColor(hdc, oldText);
}

void Paint(HWND hwnd, ListBoxState& st, HDC hdc)
{
    RECT client;
    GetClientRect(hwnd, &client);
    HWND colorSource = st.combo ? st.combo : hwnd;
    HWND owner = OwnerOf(hwnd, st);
    HBRUSH brush = owner ? (HBRUSH)SendMessage(owner, WM_CTLCOLORLISTBOX, (WPARAM)hdc, (LPARAM)colorSource) : nullptr;
    if (!brush)
        brush = (HBRUSH)DefWindowProc(hwnd, WM_CTLCOLORLISTBOX, (WPARAM)hdc, (LPARAM)hwnd);
    FillRect(hdc, &client, brush);
    HGDIOBJ oldFont = SelectObject(hdc, ControlFont(colorSource));
    DWORD style = StyleOf(hwnd);
    int y = 0;
    for (int i = st.top; i < Count(st) && y < client.bottom; ++i) {
        RECT rc = {client.left, y, client.right, y + ItemHeight(st, i)};
        if (OwnerDraw(style)) {
            DrawOwnerItem(hwnd, st, hdc, i, rc, ODA_DRAWENTIRE);
            if (!Data(hwnd))
                return;
        } else {
            DrawTextItem(hwnd, st, hdc, i, rc);
            if (st.focused && i == st.caret)
                DrawFocusRect(hdc, &rc);
        }
        y = rc.bottom;
    }
    SelectObject(hdc, oldFont);
}

// --- input

int KeyTarget(HWND hwnd, const ListBoxState& st, WPARAM vk)
{
    int n = Count(st);
    int caret = Valid(st, st.caret) ? st.caret : (st.cursel >= 0 ? st.cursel : -1);
    int page = VisibleCount(hwnd, st);
    switch (vk) {
    case VK_UP:
    case VK_LEFT:
        return caret < 0 ? 0 : std::max(0, caret - 1);
    case VK_DOWN:
    case VK_RIGHT:
        return caret < 0 ? 0 : std::min(n - 1, caret + 1);
    case VK_PRIOR:
        return std::max(0, (caret < 0 ? 0 : caret) - (page - 1));
    case VK_NEXT:
        return std::min(n - 1, (caret < 0 ? 0 : caret) + (page - 1));
    case VK_HOME:
        return 0;
    case VK_END:
        return n - 1;
    }
    return -2;
}

void KeyDown(HWND hwnd, ListBoxState& st, WPARAM vk)
{
    if (StyleOf(hwnd) & LBS_WANTKEYBOARDINPUT) {
        LRESULT r = SendMessage(OwnerOf(hwnd, st), WM_VKEYTOITEM, MAKEWPARAM(vk, st.caret), (LPARAM)hwnd);
        ListBoxState* again = Data(hwnd);
        if (!again || r == -2)
            return;
        if (r >= 0 && Valid(*again, (long)r)) {
            UserSelect(hwnd, *again, (int)r, false, false, false);
            Notify(hwnd, *again, LBN_SELCHANGE);
            return;
        }
    }
    if (Count(st) == 0)
        return;
    bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0;
    DWORD style = StyleOf(hwnd);
    if (vk == VK_SPACE) {
        if (Valid(st, st.caret) && ((style & LBS_MULTIPLESEL) || ((style & LBS_EXTENDEDSEL) && ctrl))) {
            UserSelect(hwnd, st, st.caret, false, true, true);
            Notify(hwnd, st, LBN_SELCHANGE);
        }
        return;
    }
    int target = KeyTarget(hwnd, st, vk);
    if (target == -2)
        return;
    if (style & LBS_MULTIPLESEL) {
        SetCaret(hwnd, st, target);
    } else if ((style & LBS_EXTENDEDSEL) && ctrl && !shift) {
        SetCaret(hwnd, st, target);
    } else {
        UserSelect(hwnd, st, target, shift, ctrl, false);
    }
    Notify(hwnd, st, LBN_SELCHANGE);
}

void CharTyped(HWND hwnd, ListBoxState& st, WPARAM wParam)
{
    unsigned ch = (unsigned)(wParam & 0xFF);
    if (StyleOf(hwnd) & LBS_WANTKEYBOARDINPUT) {
        LRESULT r = SendMessage(OwnerOf(hwnd, st), WM_CHARTOITEM, MAKEWPARAM(ch, st.caret), (LPARAM)hwnd);
        ListBoxState* again = Data(hwnd);
        if (!again || r < 0)
            return;
        if (Valid(*again, (long)r)) {
            UserSelect(hwnd, *again, (int)r, false, false, false);
            Notify(hwnd, *again, LBN_SELCHANGE);
        }
        return;
    }
    if (!HasStrings(StyleOf(hwnd)) || ch < ' ')
        return;
    std::string typed;
    if (st.pendingLead >= 0) {
        typed += (char)st.pendingLead;
        typed += (char)ch;
        st.pendingLead = -1;
    } else if (ch >= 0x81 && ch <= 0xFE) {
        st.pendingLead = (int)ch;
        return;
    } else {
        typed = std::string(1, (char)ch);
    }
    // Letters typed in quick succession search as one prefix.
    DWORD now = GetTickCount();
    if (now - st.searchTime > 1000)
        st.search.clear();
    st.searchTime = now;
    st.search += typed;
    int from = st.search.size() == typed.size() ? st.caret : st.caret - 1;
    int found = Find(hwnd, st, from, (LPARAM)st.search.c_str(), false);
    if (found == LB_ERR && st.search.size() > typed.size()) {
        st.search = typed;
        found = Find(hwnd, st, st.caret, (LPARAM)st.search.c_str(), false);
    }
    if (found != LB_ERR) {
        UserSelect(hwnd, st, found, false, false, false);
        Notify(hwnd, st, LBN_SELCHANGE);
    }
}

bool DroppedComboList(const ListBoxState& st)
{
    return st.combo && ComboIsDropped(st.combo);
}

// A press on a dropped list's own scroll bar scrolls it; the list stays down and takes the mouse back.
bool TrackDroppedListBar(HWND hwnd, ListBoxState& st, POINT client)
{
    POINT screen = client;
    ClientToScreen(hwnd, &screen);
    LRESULT hit = SendMessage(hwnd, WM_NCHITTEST, 0, MAKELPARAM((SHORT)screen.x, (SHORT)screen.y));
    if (hit != HTVSCROLL && hit != HTHSCROLL)
        return false;
    st.barTracking = true;
    DefWindowProc(hwnd, WM_NCLBUTTONDOWN, (WPARAM)hit, MAKELPARAM((SHORT)screen.x, (SHORT)screen.y));
    ListBoxState* again = Data(hwnd);
    if (!again)
        return true;
    again->barTracking = false;
    if (DroppedComboList(*again))
        SetCapture(hwnd);
    return true;
}

void MouseDown(HWND hwnd, ListBoxState& st, LPARAM lParam, bool doubleClick)
{
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (DroppedComboList(st) && TrackDroppedListBar(hwnd, st, pt))
        return;
    bool outside = false;
    int index = ItemAt(hwnd, st, pt, &outside);
    if (DroppedComboList(st)) {
        if (outside) {
            // A press outside the dropped list dismisses it.
            ComboListDismissed(st.combo, false);
            return;
        }
        st.pressedInside = true;
        if (Valid(st, index)) {
            st.cursel = index;
            SetCaret(hwnd, st, index);
        }
        return;
    }
    if (!st.combo && GetFocus() != hwnd)
        SetFocus(hwnd);
    ListBoxState* again = Data(hwnd);
    if (!again || outside || !Valid(*again, index))
        return;
    bool shift = GetKeyState(VK_SHIFT) < 0;
    bool ctrl = GetKeyState(VK_CONTROL) < 0;
    UserSelect(hwnd, *again, index, shift, ctrl, true);
    again->tracking = true;
    SetCapture(hwnd);
    if (doubleClick)
        Notify(hwnd, *again, LBN_DBLCLK);
}

void MouseMove(HWND hwnd, ListBoxState& st, LPARAM lParam)
{
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    bool outside = false;
    int index = ItemAt(hwnd, st, pt, &outside);
    if (DroppedComboList(st)) {
        // The dropped list follows the mouse.
        if (!outside && Valid(st, index) && index != st.cursel) {
            st.cursel = index;
            SetCaret(hwnd, st, index);
        }
        return;
    }
    if (!st.tracking || GetCapture() != hwnd || !Valid(st, index))
        return;
    DWORD style = StyleOf(hwnd);
    if (style & LBS_MULTIPLESEL)
        return;
    if (pt.y < 0)
        SetTop(hwnd, st, st.top - 1);
    else if (pt.y >= ClientHeight(hwnd))
        SetTop(hwnd, st, st.top + 1);
    if (style & LBS_EXTENDEDSEL)
        UserSelect(hwnd, st, index, true, GetKeyState(VK_CONTROL) < 0, false);
    else
        UserSelect(hwnd, st, index, false, false, false);
}

void MouseUp(HWND hwnd, ListBoxState& st, LPARAM lParam)
{
    if (DroppedComboList(st)) {
        POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        bool outside = false;
        int index = ItemAt(hwnd, st, pt, &outside);
        // The release of the click that dropped the list keeps it open.
        if (!outside && Valid(st, index)) {
            st.cursel = index;
            ComboListDismissed(st.combo, true);
        } else if (st.pressedInside) {
            ComboListDismissed(st.combo, false);
        }
        return;
    }
    if (!st.tracking)
        return;
    st.tracking = false;
    if (GetCapture() == hwnd)
        ReleaseCapture();
    Notify(hwnd, st, LBN_SELCHANGE);
}

// --- messages

LRESULT SetSel(HWND hwnd, ListBoxState& st, WPARAM on, LPARAM index)
{
    if (!MultiSelect(StyleOf(hwnd)))
        return LB_ERR;
    long i = (long)(int)index;
    if (i == -1)
        SelectRange(st, 0, Count(st) - 1, on != 0);
    else if (!Valid(st, i))
        return LB_ERR;
    else {
        st.items[(size_t)i].selected = on != 0;
        st.caret = (int)i;
        st.anchor = (int)i;
    }
    Redraw(hwnd);
    return LB_OKAY;
}

LRESULT GetSelItems(const ListBoxState& st, WPARAM max, LPARAM out)
{
    int* items = (int*)out;
    int n = 0;
    for (int i = 0; i < Count(st) && n < (int)max; ++i)
        if (st.items[(size_t)i].selected)
            items[n++] = i;
    return n;
}

LRESULT GetText(HWND hwnd, const ListBoxState& st, WPARAM index, LPARAM buffer)
{
    if (!Valid(st, (long)(int)index) || !buffer)
        return LB_ERR;
    const ListItem& item = st.items[index];
    if (!HasStrings(StyleOf(hwnd))) {
        std::memcpy((void*)buffer, &item.data, sizeof(item.data));
        return (LRESULT)sizeof(item.data);
    }
    std::memcpy((void*)buffer, item.text.c_str(), item.text.size() + 1);
    return (LRESULT)item.text.size();
}

LRESULT Create(HWND hwnd, ListBoxState& st, const CREATESTRUCTA* cs)
{
    st.itemHeight = FontLineHeight(st.combo ? st.combo : hwnd);
    DWORD style = (DWORD)cs->style;
    if (style & LBS_OWNERDRAWFIXED) {
        MEASUREITEMSTRUCT mis = {};
        mis.CtlType = st.combo ? ODT_COMBOBOX : ODT_LISTBOX;
        mis.CtlID = OwnerId(hwnd, st);
        mis.itemHeight = (UINT)st.itemHeight;
        SendMessage(OwnerOf(hwnd, st), WM_MEASUREITEM, mis.CtlID, (LPARAM)&mis);
        if (mis.itemHeight > 0 && mis.itemHeight < 256)
            st.itemHeight = (int)mis.itemHeight;
    }
    // Without LBS_NOINTEGRALHEIGHT a list shows whole items only.
    if (!st.combo && !(style & LBS_NOINTEGRALHEIGHT) && !(style & LBS_OWNERDRAWVARIABLE)) {
        RECT rc;
        GetClientRect(hwnd, &rc);
        int extra = (rc.bottom - rc.top) % std::max(1, st.itemHeight);
        if (extra && rc.bottom - rc.top > st.itemHeight)
            SetWindowPos(hwnd, nullptr, 0, 0, cs->cx, cs->cy - extra, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    UpdateScrollBar(hwnd, st);
    return 0;
}

// The list of a combo box learns its combo from the creation parameter.
LRESULT NonClientCreate(HWND hwnd, ListBoxState& st, UINT msg, WPARAM wParam, LPARAM lParam)
{
    char cls[32];
    auto* cs = (const CREATESTRUCTA*)lParam;
    if (GetClassName(hwnd, cls, sizeof(cls)) && lstrcmpi(cls, kComboListClass) == 0 && cs)
        st.combo = (HWND)cs->lpCreateParams;
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

// Items with data are announced gone, as when the list is emptied.
LRESULT NonClientDestroy(HWND hwnd, ListBoxState& st, UINT msg, WPARAM wParam, LPARAM lParam)
{
    std::vector<ListItem> gone;
    gone.swap(st.items);
    for (size_t i = 0; i < gone.size(); ++i)
        DeleteNotice(hwnd, st, (int)i, gone[i].data);
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

LRESULT SetFont(HWND hwnd, ListBoxState& st, UINT msg, WPARAM wParam, LPARAM lParam)
{
    DefWindowProc(hwnd, msg, wParam, lParam);
    if (!OwnerDraw(StyleOf(hwnd)))
        st.itemHeight = FontLineHeight(hwnd);
    if (LOWORD(lParam))
        Redraw(hwnd);
    return 0;
}

LRESULT Resized(HWND hwnd, ListBoxState& st)
{
    Redraw(hwnd);
    UpdateScrollBar(hwnd, st);
    return 0;
}

LRESULT FocusChanged(HWND hwnd, ListBoxState& st, bool gained)
{
    st.focused = gained;
    if (gained && !Valid(st, st.caret) && Count(st))
        st.caret = st.cursel >= 0 ? st.cursel : 0;
    Redraw(hwnd);
    Notify(hwnd, st, gained ? LBN_SETFOCUS : LBN_KILLFOCUS);
    return 0;
}

LRESULT CaptureChanged(HWND hwnd, ListBoxState& st, LPARAM lParam)
{
    st.tracking = false;
    // Losing the mouse to someone else closes a dropped combo list.
    if (DroppedComboList(st) && (HWND)lParam != hwnd && !st.barTracking)
        ComboListDismissed(st.combo, false);
    return 0;
}

// A dropped combo list never takes the activation from the combo's window.
LRESULT MouseActivate(HWND hwnd, ListBoxState& st, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (st.combo && !(StyleOf(hwnd) & WS_CHILD))
        return MA_NOACTIVATE;
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

// Should the native side activate a dropped list anyway, the keyboard focus stays with the combo box.
LRESULT Activate(HWND hwnd, ListBoxState& st, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (st.combo && !(StyleOf(hwnd) & WS_CHILD))
        return 0;
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

LRESULT ShowWindowMessage(HWND hwnd, ListBoxState& st, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (wParam)
        st.pressedInside = false;
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

LRESULT VerticalScroll(HWND hwnd, ListBoxState& st, WPARAM wParam)
{
    switch (LOWORD(wParam)) {
    case SB_LINEUP: SetTop(hwnd, st, st.top - 1); break;
    case SB_LINEDOWN: SetTop(hwnd, st, st.top + 1); break;
    case SB_PAGEUP: SetTop(hwnd, st, st.top - VisibleCount(hwnd, st)); break;
    case SB_PAGEDOWN: SetTop(hwnd, st, st.top + VisibleCount(hwnd, st)); break;
    case SB_TOP: SetTop(hwnd, st, 0); break;
    case SB_BOTTOM: SetTop(hwnd, st, Count(st)); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: SetTop(hwnd, st, (int)(short)HIWORD(wParam)); break;
    }
    return 0;
}

LRESULT InsertString(HWND hwnd, ListBoxState& st, WPARAM index, LPARAM text)
{
    if ((long)(int)index > Count(st))
        return LB_ERR;
    return Insert(hwnd, st, (long)(int)index, text, false);
}

LRESULT GetTextLength(HWND hwnd, const ListBoxState& st, WPARAM index)
{
    if (!Valid(st, (long)(int)index))
        return LB_ERR;
    return HasStrings(StyleOf(hwnd)) ? (LRESULT)st.items[index].text.size() : (LRESULT)sizeof(ULONG_PTR);
}

LRESULT SetItemData(ListBoxState& st, WPARAM index, LPARAM data)
{
    if (!Valid(st, (long)(int)index))
        return LB_ERR;
    st.items[index].data = (ULONG_PTR)data;
    return TRUE;
}

LRESULT SetCurSel(HWND hwnd, ListBoxState& st, WPARAM index)
{
    if (MultiSelect(StyleOf(hwnd)))
        return LB_ERR;
    long i = (long)(int)index;
    SelectSingle(hwnd, st, Valid(st, i) ? (int)i : -1);
    return Valid(st, i) ? i : LB_ERR;
}

LRESULT GetCurSel(HWND hwnd, const ListBoxState& st)
{
    if (MultiSelect(StyleOf(hwnd)))
        return Valid(st, st.caret) ? st.caret : LB_ERR;
    return Valid(st, st.cursel) ? st.cursel : LB_ERR;
}

LRESULT GetSel(HWND hwnd, const ListBoxState& st, WPARAM index)
{
    if (!Valid(st, (long)(int)index))
        return LB_ERR;
    return IsSelected(hwnd, st, (int)index) ? 1 : 0;
}

LRESULT GetSelCount(HWND hwnd, const ListBoxState& st)
{
    if (!MultiSelect(StyleOf(hwnd)))
        return LB_ERR;
    int n = 0;
    for (auto& item : st.items)
        n += item.selected ? 1 : 0;
    return n;
}

LRESULT SelectItemRange(HWND hwnd, ListBoxState& st, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!MultiSelect(StyleOf(hwnd)))
        return LB_ERR;
    int first = msg == LB_SELITEMRANGE ? LOWORD(lParam) : (int)wParam;
    int last = msg == LB_SELITEMRANGE ? HIWORD(lParam) : (int)lParam;
    bool on = msg == LB_SELITEMRANGE ? wParam != 0 : first <= last;
    SelectRange(st, first, last, on);
    Redraw(hwnd);
    return LB_OKAY;
}

LRESULT SetAnchorIndex(ListBoxState& st, WPARAM index)
{
    if (!Valid(st, (long)(int)index))
        return LB_ERR;
    st.anchor = (int)index;
    return 0;
}

LRESULT SetCaretIndex(HWND hwnd, ListBoxState& st, WPARAM index)
{
    if (!Valid(st, (long)(int)index))
        return LB_ERR;
    SetCaret(hwnd, st, (int)index);
    return 0;
}

LRESULT SelectString(HWND hwnd, ListBoxState& st, WPARAM start, LPARAM text)
{
    int found = Find(hwnd, st, (long)(int)start, text, false);
    if (found == LB_ERR)
        return LB_ERR;
    if (MultiSelect(StyleOf(hwnd))) {
        st.items[(size_t)found].selected = true;
        SetCaret(hwnd, st, found);
    } else {
        SelectSingle(hwnd, st, found);
    }
    return found;
}

LRESULT SetTopIndex(HWND hwnd, ListBoxState& st, WPARAM index)
{
    if (!Valid(st, (long)(int)index) && Count(st))
        return LB_ERR;
    SetTop(hwnd, st, (int)index);
    return 0;
}

LRESULT SetItemHeight(HWND hwnd, ListBoxState& st, WPARAM index, LPARAM lParam)
{
    int h = LOWORD(lParam);
    if (h <= 0 || h > 255)
        return LB_ERR;
    if (StyleOf(hwnd) & LBS_OWNERDRAWVARIABLE) {
        if (!Valid(st, (long)(int)index))
            return LB_ERR;
        st.items[index].height = h;
    } else {
        st.itemHeight = h;
    }
    Redraw(hwnd);
    return 0;
}

LRESULT GetItemRect(HWND hwnd, const ListBoxState& st, WPARAM index, LPARAM out)
{
    if (!out || (!Valid(st, (long)(int)index) && !(index == 0 && Count(st) == 0)))
        return LB_ERR;
    *(RECT*)out = ItemRect(hwnd, st, (int)index);
    return 1;
}

LRESULT ItemFromPoint(HWND hwnd, const ListBoxState& st, LPARAM lParam)
{
    bool outside = false;
    int index = ItemAt(hwnd, st, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, &outside);
    if (index < 0)
        return MAKELRESULT(0xFFFF, 1);
    return MAKELRESULT(index, outside ? 1 : 0);
}

LRESULT SetTabStops(HWND hwnd, ListBoxState& st, WPARAM count, LPARAM stopsIn)
{
    st.tabStops.clear();
    const int* stops = (const int*)stopsIn;
    SIZE units = {(LONG)std::max(1, FontLineHeight(hwnd) / 2), 0};
    for (WPARAM i = 0; stops && i < count && i < 256; ++i)
        st.tabStops.push_back(stops[i] * units.cx / 4);
    return TRUE;
}

LRESULT SetLocale(ListBoxState& st, WPARAM locale)
{
    DWORD old = st.locale;
    st.locale = (DWORD)locale;
    return old;
}

LRESULT InitStorage(ListBoxState& st, WPARAM count)
{
    st.items.reserve(st.items.size() + std::min<size_t>((size_t)count, 100000));
    return (LRESULT)st.items.capacity();
}

LRESULT Handle(HWND hwnd, ListBoxState& st, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_NCCREATE: return NonClientCreate(hwnd, st, msg, wParam, lParam);
    case WM_NCDESTROY: return NonClientDestroy(hwnd, st, msg, wParam, lParam);
    case WM_CREATE: return Create(hwnd, st, (const CREATESTRUCTA*)lParam);
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_ERASEBKGND:
    case WM_PAINT:
    case WM_PRINTCLIENT: return PaintMessage(hwnd, msg, wParam, [&](HDC hdc) { Paint(hwnd, st, hdc); });
    case WM_SETFONT: return SetFont(hwnd, st, msg, wParam, lParam);
    case WM_SIZE:
    case WM_ENABLE: return Resized(hwnd, st);
    case WM_SETFOCUS: return FocusChanged(hwnd, st, true);
    case WM_KILLFOCUS: return FocusChanged(hwnd, st, false);
    case WM_KEYDOWN: KeyDown(hwnd, st, wParam); return 0;
    case WM_CHAR: CharTyped(hwnd, st, wParam); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: MouseDown(hwnd, st, lParam, msg == WM_LBUTTONDBLCLK); return 0;
    case WM_MOUSEMOVE: MouseMove(hwnd, st, lParam); return 0;
    case WM_LBUTTONUP: MouseUp(hwnd, st, lParam); return 0;
    case WM_CAPTURECHANGED: return CaptureChanged(hwnd, st, lParam);
    case WM_MOUSEACTIVATE: return MouseActivate(hwnd, st, msg, wParam, lParam);
    case WM_ACTIVATE: return Activate(hwnd, st, msg, wParam, lParam);
    case WM_SHOWWINDOW: return ShowWindowMessage(hwnd, st, msg, wParam, lParam);
    case WM_MOUSEWHEEL: SetTop(hwnd, st, st.top - 3 * GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA); return 0;
    case WM_VSCROLL: return VerticalScroll(hwnd, st, wParam);
    case LB_ADDSTRING: return Insert(hwnd, st, -1, lParam, true);
    case LB_INSERTSTRING: return InsertString(hwnd, st, wParam, lParam);
    case LB_DELETESTRING: return Delete(hwnd, st, (long)(int)wParam);
    case LB_RESETCONTENT: Reset(hwnd, st); return 0;
    case LB_GETCOUNT: return Count(st);
    case LB_GETTEXT: return GetText(hwnd, st, wParam, lParam);
    case LB_GETTEXTLEN: return GetTextLength(hwnd, st, wParam);
    case LB_GETITEMDATA: return Valid(st, (long)(int)wParam) ? (LRESULT)st.items[wParam].data : LB_ERR;
    case LB_SETITEMDATA: return SetItemData(st, wParam, lParam);
    case LB_SETCURSEL: return SetCurSel(hwnd, st, wParam);
    case LB_GETCURSEL: return GetCurSel(hwnd, st);
    case LB_SETSEL: return SetSel(hwnd, st, wParam, lParam);
    case LB_GETSEL: return GetSel(hwnd, st, wParam);
    case LB_GETSELCOUNT: return GetSelCount(hwnd, st);
    case LB_GETSELITEMS: return !MultiSelect(StyleOf(hwnd)) || !lParam ? LB_ERR : GetSelItems(st, wParam, lParam);
    case LB_SELITEMRANGE:
    case LB_SELITEMRANGEEX: return SelectItemRange(hwnd, st, msg, wParam, lParam);
    case LB_SETANCHORINDEX: return SetAnchorIndex(st, wParam);
    case LB_GETANCHORINDEX: return st.anchor;
    case LB_SETCARETINDEX: return SetCaretIndex(hwnd, st, wParam);
    case LB_GETCARETINDEX: return Valid(st, st.caret) ? st.caret : (Count(st) ? 0 : LB_ERR);
    case LB_FINDSTRING: return Find(hwnd, st, (long)(int)wParam, lParam, false);
    case LB_FINDSTRINGEXACT: return Find(hwnd, st, (long)(int)wParam, lParam, true);
    case LB_SELECTSTRING: return SelectString(hwnd, st, wParam, lParam);
    case LB_GETTOPINDEX: return st.top;
    case LB_SETTOPINDEX: return SetTopIndex(hwnd, st, wParam);
    case LB_GETITEMHEIGHT: return ItemHeight(st, (StyleOf(hwnd) & LBS_OWNERDRAWVARIABLE) ? (int)wParam : -1);
    case LB_SETITEMHEIGHT: return SetItemHeight(hwnd, st, wParam, lParam);
    case LB_GETITEMRECT: return GetItemRect(hwnd, st, wParam, lParam);
    case LB_ITEMFROMPOINT: return ItemFromPoint(hwnd, st, lParam);
    case LB_SETHORIZONTALEXTENT: st.horizontalExtent = (int)wParam; return 0;
    case LB_GETHORIZONTALEXTENT: return st.horizontalExtent;
    case LB_SETCOLUMNWIDTH: st.columnWidth = (int)wParam; return 0;
    case LB_SETTABSTOPS: return SetTabStops(hwnd, st, wParam, lParam);
    case LB_SETLOCALE: return SetLocale(st, wParam);
    case LB_GETLOCALE: return st.locale;
    case LB_INITSTORAGE: return InitStorage(st, wParam);
    case LB_SETCOUNT:
    case LB_DIR:
    case LB_ADDFILE: return LB_ERR;
    }
    return ControlDefault(hwnd, msg, wParam, lParam);
}

}  // namespace

const WNDPROC ListBoxProc = ControlWindow<ListBoxState>::Procedure<Handle>;

}  // namespace mivo
