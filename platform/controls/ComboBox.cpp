// The "ComboBox" class: simple, drop-down and drop-down list combo boxes
// made of a selection field, an edit control and a "ComboLBox" list.
#include "controls/BuiltinClasses.h"
#include "controls/ControlsInternal.h"
#include "controls/ListBoxInternal.h"
#include "win32/cursors.h"
#include "mivo/codepage.h"

#include <algorithm>

namespace mivo {

namespace {

const int kEditId = 1001;
const int kListId = 1000;
const int kEdge = 2;

struct ComboBoxState {
    HWND edit = nullptr;
    HWND list = nullptr;
    bool dropped = false;
    bool focused = false;
    bool buttonDown = false;
    int fieldHeight = 20;      // the selection field: the whole control unless simple
    int fieldItemHeight = 0;   // CB_SETITEMHEIGHT -1; 0 follows the font
    int droppedHeight = 100;   // the list when dropped
    int droppedWidth = 0;
    bool extendedUI = false;
    int committed = -1;        // the selection before the list went down
    bool settingText = false;  // the edit shows a selection: no CBN_EDITUPDATE/CBN_EDITCHANGE
};

ComboBoxState* Data(HWND hwnd)
{
    return ControlWindow<ComboBoxState>::Of(hwnd);
}

DWORD TypeOf(HWND hwnd)
{
    return StyleOf(hwnd) & 3;
}

bool OwnerDraw(HWND hwnd)
{
    return (StyleOf(hwnd) & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0;
}

int CurSel(const ComboBoxState& st)
{
    return (int)SendMessage(st.list, LB_GETCURSEL, 0, 0);
}

std::string ItemText(const ComboBoxState& st, int index)
{
    LRESULT len = SendMessage(st.list, LB_GETTEXTLEN, (WPARAM)index, 0);
    if (len == LB_ERR || len < 0)
        return std::string();
    std::string text((size_t)len + sizeof(ULONG_PTR) + 1, '\0');
    LRESULT got = SendMessage(st.list, LB_GETTEXT, (WPARAM)index, (LPARAM)&text[0]);
    text.resize(got > 0 ? std::min((size_t)got, text.size()) : 0);
    return text;
}

void Notify(HWND hwnd, int code)
{
    NotifyParent(hwnd, code);
}

RECT FieldRect(HWND hwnd, const ComboBoxState& st)
{
    RECT rc;
    GetClientRect(hwnd, &rc);
    rc.bottom = std::min(rc.bottom, (LONG)st.fieldHeight);
    return rc;
}

RECT ButtonRect(HWND hwnd, const ComboBoxState& st)
{
    RECT rc = FieldRect(hwnd, st);
    InflateRect(&rc, -kEdge, -kEdge);
    if (TypeOf(hwnd) == CBS_SIMPLE)
        return RECT{rc.right, rc.top, rc.right, rc.bottom};
    rc.left = std::max(rc.left, rc.right - GetSystemMetrics(SM_CXVSCROLL));
    return rc;
}

RECT TextRect(HWND hwnd, const ComboBoxState& st)
{
    RECT rc = FieldRect(hwnd, st);
    InflateRect(&rc, -kEdge, -kEdge);
    rc.right = ButtonRect(hwnd, st).left;
    return rc;
}

// Lays the edit and (for a simple combo) the list out in the control.
void Arrange(HWND hwnd, ComboBoxState& st)
{
    int line = FontLineHeight(hwnd);
    st.fieldHeight = (st.fieldItemHeight > 0 ? st.fieldItemHeight : line) + 2 * kEdge + 4;
    RECT rc;
    GetClientRect(hwnd, &rc);
    if (TypeOf(hwnd) != CBS_SIMPLE) {
        RECT win;
        GetWindowRect(hwnd, &win);
        int extra = (win.bottom - win.top) - (rc.bottom - rc.top);
        if (rc.bottom != st.fieldHeight)
            SetWindowPos(hwnd, nullptr, 0, 0, win.right - win.left, st.fieldHeight + extra,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (st.list) {
        MoveWindow(st.list, 0, st.fieldHeight, rc.right, std::max(0, (int)rc.bottom - st.fieldHeight), TRUE);
    }
    if (st.edit) {
        RECT text = TextRect(hwnd, st);
        InflateRect(&text, -1, -1);
        MoveWindow(st.edit, text.left, text.top, std::max(0, (int)(text.right - text.left)),
                   std::max(0, (int)(text.bottom - text.top)), TRUE);
    }
    InvalidateRect(hwnd, nullptr, TRUE);
}

// Shows the selected item in the field (or the edit).
void ShowSelection(HWND hwnd, ComboBoxState& st)
{
    if (st.edit) {
        int sel = CurSel(st);
        std::string text = sel >= 0 ? ItemText(st, sel) : std::string();
        st.settingText = true;
        SetWindowText(st.edit, text.c_str());
        st.settingText = false;
        SendMessage(st.edit, EM_SETSEL, 0, -1);
    }
    InvalidateRect(hwnd, nullptr, FALSE);
}

void Close(HWND hwnd, ComboBoxState& st, bool ok)
{
    if (!st.dropped)
        return;
    st.dropped = false;
    st.buttonDown = false;
    if (!ok)
        SendMessage(st.list, LB_SETCURSEL, (WPARAM)st.committed, 0);
    if (GetCapture() == st.list)
        ReleaseCapture();
    ShowWindow(st.list, SW_HIDE);
    InvalidateRect(hwnd, nullptr, FALSE);
    int now = CurSel(st);
    bool changed = ok && now != st.committed;
    if (changed)
        ShowSelection(hwnd, st);
    Notify(hwnd, ok ? CBN_SELENDOK : CBN_SELENDCANCEL);
    if (!IsWindow(hwnd))
        return;
    Notify(hwnd, CBN_CLOSEUP);
    if (changed && IsWindow(hwnd))
        Notify(hwnd, CBN_SELCHANGE);
}

void Drop(HWND hwnd, ComboBoxState& st)
{
    if (st.dropped || TypeOf(hwnd) == CBS_SIMPLE || !IsWindowEnabled(hwnd))
        return;
    Notify(hwnd, CBN_DROPDOWN);
    ComboBoxState* again = Data(hwnd);
    if (!again)
        return;
    RECT win;
    GetWindowRect(hwnd, &win);
    int count = (int)SendMessage(again->list, LB_GETCOUNT, 0, 0);
    int item = std::max(1, (int)SendMessage(again->list, LB_GETITEMHEIGHT, 0, 0));
    int border = 2;
    int wanted = std::max(1, count) * item + border;
    int height = std::max(item + border, std::min(again->droppedHeight, wanted));
    if (!(StyleOf(hwnd) & CBS_NOINTEGRALHEIGHT))
        height = ((height - border) / item) * item + border;
    int width = std::max((int)(win.right - win.left), again->droppedWidth);
    int y = win.bottom;
    if (y + height > GetSystemMetrics(SM_CYSCREEN) && win.top - height >= 0)
        y = win.top - height;
    again->committed = CurSel(*again);
    again->dropped = true;
    SetWindowPos(again->list, HWND_TOPMOST, win.left, y, width, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    int sel = CurSel(*again);
    if (sel >= 0)
        SendMessage(again->list, LB_SETTOPINDEX, (WPARAM)sel, 0);
    SetCapture(again->list);
    InvalidateRect(hwnd, nullptr, FALSE);
}

// A selection the user made with the keyboard: committed at once.
void SelectByKey(HWND hwnd, ComboBoxState& st, int index)
{
    int count = (int)SendMessage(st.list, LB_GETCOUNT, 0, 0);
    if (count == 0)
        return;
    index = std::max(0, std::min(index, count - 1));
    if (index == CurSel(st) && !st.edit)
        return;
    SendMessage(st.list, LB_SETCURSEL, (WPARAM)index, 0);
    ShowSelection(hwnd, st);
    if (st.dropped) {
        st.committed = index;
        Notify(hwnd, CBN_SELCHANGE);
        return;
    }
    Notify(hwnd, CBN_SELENDOK);
    if (IsWindow(hwnd))
        Notify(hwnd, CBN_SELCHANGE);
}

bool Key(HWND hwnd, ComboBoxState& st, WPARAM vk, bool alt)
{
    int sel = CurSel(st);
    int page = std::max(1, st.droppedHeight / std::max(1, (int)SendMessage(st.list, LB_GETITEMHEIGHT, 0, 0)) - 1);
    if (vk == VK_F4 || (alt && (vk == VK_DOWN || vk == VK_UP))) {
        if (st.dropped)
            Close(hwnd, st, true);
        else
            Drop(hwnd, st);
        return true;
    }
    if (st.dropped && (vk == VK_RETURN || vk == VK_ESCAPE)) {
        Close(hwnd, st, vk == VK_RETURN);
        return true;
    }
    if (st.extendedUI && !st.dropped && vk == VK_DOWN) {
        Drop(hwnd, st);
        return true;
    }
    switch (vk) {
    case VK_UP:
    case VK_LEFT:
        if (vk == VK_LEFT && st.edit)
            return false;
        SelectByKey(hwnd, st, sel < 0 ? 0 : sel - 1);
        return true;
    case VK_DOWN:
    case VK_RIGHT:
        if (vk == VK_RIGHT && st.edit)
            return false;
        SelectByKey(hwnd, st, sel < 0 ? 0 : sel + 1);
        return true;
    case VK_PRIOR:
        SelectByKey(hwnd, st, sel - page);
        return true;
    case VK_NEXT:
        SelectByKey(hwnd, st, sel < 0 ? page : sel + page);
        return true;
    case VK_HOME:
        if (st.edit)
            return false;
        SelectByKey(hwnd, st, 0);
        return true;
    case VK_END:
        if (st.edit)
            return false;
        SelectByKey(hwnd, st, (int)SendMessage(st.list, LB_GETCOUNT, 0, 0) - 1);
        return true;
    }
    return false;
}

// Typing into a drop-down list finds the item that starts with the letters.
void CharSearch(HWND hwnd, ComboBoxState& st, WPARAM ch)
{
    int before = CurSel(st);
    SendMessage(st.list, WM_CHAR, ch, 0);
    int after = CurSel(st);
    if (after == before)
        return;
    int index = after;
    SendMessage(st.list, LB_SETCURSEL, (WPARAM)before, 0);
    SelectByKey(hwnd, st, index);
}

// --- the edit inside drop-down and simple combo boxes

LRESULT CALLBACK ComboEditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    static WNDPROC editProc = [] {
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof(wc);
        GetClassInfoEx(nullptr, WC_EDIT, &wc);
        return wc.lpfnWndProc;
    }();
    HWND combo = GetParent(hwnd);
    ComboBoxState* st = combo ? Data(combo) : nullptr;
    if (st) {
        switch (msg) {
        case WM_GETDLGCODE: {
            LRESULT code = CallWindowProc(editProc, hwnd, msg, wParam, lParam);
            const MSG* m = (const MSG*)lParam;
            if (st->dropped && m && m->message == WM_KEYDOWN && (m->wParam == VK_RETURN || m->wParam == VK_ESCAPE))
                code |= DLGC_WANTMESSAGE;
            return code;
        }
        case WM_KEYDOWN:
            if (Key(combo, *st, wParam, false))
                return 0;
            break;
        case WM_SYSKEYDOWN:
            if ((wParam == VK_DOWN || wParam == VK_UP) && Key(combo, *st, wParam, true))
                return 0;
            break;
        case WM_CHAR:
            if (st->dropped && (wParam == '\r' || wParam == 27))
                return 0;
            break;
        }
    }
    return CallWindowProc(editProc, hwnd, msg, wParam, lParam);
}

// --- painting

void PaintField(HWND hwnd, ComboBoxState& st, HDC hdc)
{
    RECT field = FieldRect(hwnd, st);
    bool disabled = (StyleOf(hwnd) & WS_DISABLED) != 0;
    HBRUSH brush = ControlColor(hwnd, hdc, disabled ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT);
    RECT inner = field;
    DrawEdge(hdc, &inner, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    RECT text = TextRect(hwnd, st);
    if (brush)
        FillRect(hdc, &text, brush);
    if (TypeOf(hwnd) != CBS_SIMPLE) {
        RECT button = ButtonRect(hwnd, st);
        DrawFrameControl(hdc, &button, DFC_SCROLL,
                         DFCS_SCROLLCOMBOBOX | (st.buttonDown ? DFCS_PUSHED | DFCS_FLAT : 0) |
                             (disabled ? DFCS_INACTIVE : 0));
    }
    if (st.edit)
        return;
    int sel = CurSel(st);
    RECT item = text;
    InflateRect(&item, -1, -1);
    bool highlight = st.focused && !st.dropped;
    HGDIOBJ oldFont = SelectObject(hdc, ControlFont(hwnd));
    if (OwnerDraw(hwnd)) {
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_COMBOBOX;
        dis.CtlID = (UINT)GetDlgCtrlID(hwnd);
        dis.itemID = (UINT)sel;
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = ODS_COMBOBOXEDIT | (highlight ? ODS_SELECTED | ODS_FOCUS : 0) | (disabled ? ODS_DISABLED : 0);
        dis.hwndItem = hwnd;
        dis.hDC = hdc;
        dis.rcItem = item;
        dis.itemData = sel >= 0 ? (ULONG_PTR)SendMessage(st.list, LB_GETITEMDATA, (WPARAM)sel, 0) : 0;
        SendMessage(GetParent(hwnd), WM_DRAWITEM, dis.CtlID, (LPARAM)&dis);
    } else {
        std::string label = sel >= 0 ? ItemText(st, sel) : std::string();
        if (highlight) {
            FillRect(hdc, &item, GetSysColorBrush(COLOR_HIGHLIGHT));
            SetTextColor(hdc, SysColor(COLOR_HIGHLIGHTTEXT));
        } else if (disabled) {
            SetTextColor(hdc, SysColor(COLOR_GRAYTEXT));
        }
        int mode = SetBkMode(hdc, TRANSPARENT);
        RECT place = item;
        place.left += 1;
        DrawText(hdc, label.c_str(), (int)label.size(), &place, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        SetBkMode(hdc, mode);
        if (highlight)
            DrawFocusRect(hdc, &item);
    }
    SelectObject(hdc, oldFont);
}

// --- messages

UINT ListStyleFor(DWORD style)
{
    UINT ls = LBS_NOTIFY | LBS_COMBOBOX;
    if (style & CBS_SORT)
        ls |= LBS_SORT;
    if (style & CBS_HASSTRINGS)
        ls |= LBS_HASSTRINGS;
    if (style & CBS_OWNERDRAWFIXED)
        ls |= LBS_OWNERDRAWFIXED;
    if (style & CBS_OWNERDRAWVARIABLE)
        ls |= LBS_OWNERDRAWVARIABLE;
    if (style & CBS_DISABLENOSCROLL)
        ls |= LBS_DISABLENOSCROLL;
    if (style & CBS_NOINTEGRALHEIGHT)
        ls |= LBS_NOINTEGRALHEIGHT;
    if (style & WS_VSCROLL)
        ls |= WS_VSCROLL;
    return ls;
}

LRESULT Create(HWND hwnd, ComboBoxState& st, const CREATESTRUCTA* cs)
{
    DWORD style = (DWORD)cs->style;
    DWORD type = style & 3;
    HINSTANCE instance = cs->hInstance;
    UINT ls = ListStyleFor(style);
    int line = FontLineHeight(hwnd);
    st.fieldHeight = line + 2 * kEdge + 4;
    st.droppedHeight = std::max(line + 2, cs->cy - st.fieldHeight);
    if (type == CBS_SIMPLE) {
        st.list = CreateWindowEx(WS_EX_CLIENTEDGE, kComboListClass, "", WS_CHILD | WS_VISIBLE | ls, 0, st.fieldHeight,
                                 cs->cx, std::max(0, cs->cy - st.fieldHeight), hwnd, (HMENU)(UINT_PTR)kListId,
                                 instance, (LPVOID)hwnd);
    } else {
        st.list = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, kComboListClass, "",
                                 WS_POPUP | WS_BORDER | ls, 0, 0, cs->cx, st.droppedHeight, hwnd, nullptr,
                                 instance, (LPVOID)hwnd);
    }
    if (!st.list)
        return -1;
    if (type != CBS_DROPDOWNLIST) {
        DWORD es = WS_CHILD | WS_VISIBLE;
        if (style & CBS_AUTOHSCROLL)
            es |= ES_AUTOHSCROLL;
        if (style & CBS_UPPERCASE)
            es |= ES_UPPERCASE;
        if (style & CBS_LOWERCASE)
            es |= ES_LOWERCASE;
        st.edit = CreateWindowEx(0, WC_EDIT, "", es, 0, 0, 10, 10, hwnd, (HMENU)(UINT_PTR)kEditId, instance, nullptr);
        if (!st.edit)
            return -1;
        SetWindowLongPtr(st.edit, GWLP_WNDPROC, (LONG_PTR)ComboEditProc);
    }
    Arrange(hwnd, st);
    return 0;
}

void Command(HWND hwnd, ComboBoxState& st, WPARAM wParam, LPARAM lParam)
{
    HWND from = (HWND)lParam;
    int code = HIWORD(wParam);
    if (from == st.edit && st.edit) {
        if (st.settingText && (code == EN_CHANGE || code == EN_UPDATE))
            return;
        switch (code) {
        case EN_CHANGE:
            if (st.dropped) {
                // The dropped list follows what is typed without changing the text.
                std::string text = ControlText(st.edit);
                LRESULT found = text.empty() ? LB_ERR
                                             : SendMessage(st.list, LB_FINDSTRING, (WPARAM)-1, (LPARAM)text.c_str());
                if (found != LB_ERR)
                    SendMessage(st.list, LB_SETCURSEL, (WPARAM)found, 0);
            }
            Notify(hwnd, CBN_EDITCHANGE);
            break;
        case EN_UPDATE:
            Notify(hwnd, CBN_EDITUPDATE);
            break;
        case EN_SETFOCUS:
            st.focused = true;
            Notify(hwnd, CBN_SETFOCUS);
            break;
        case EN_KILLFOCUS:
            st.focused = false;
            Close(hwnd, st, false);
            if (IsWindow(hwnd))
                Notify(hwnd, CBN_KILLFOCUS);
            break;
        }
        return;
    }
    if (from == st.list && st.list) {
        if (code == LBN_SELCHANGE && !st.dropped) {
            // A simple combo box's list clicked.
            ShowSelection(hwnd, st);
            Notify(hwnd, CBN_SELENDOK);
            if (IsWindow(hwnd))
                Notify(hwnd, CBN_SELCHANGE);
        } else if (code == LBN_DBLCLK) {
            Notify(hwnd, CBN_DBLCLK);
        }
    }
}

LRESULT SetCurSel(HWND hwnd, ComboBoxState& st, WPARAM index)
{
    LRESULT r = SendMessage(st.list, LB_SETCURSEL, index, 0);
    st.committed = CurSel(st);
    ShowSelection(hwnd, st);
    return r;
}

// Scroll bars and the border of the style belong to the list, not to the field.
LRESULT NonClientCreate(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    SetWindowLong(hwnd, GWL_STYLE, (LONG)(StyleOf(hwnd) & ~(WS_VSCROLL | WS_HSCROLL | WS_BORDER)));
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

LRESULT Destroy(HWND hwnd, ComboBoxState& st)
{
    if (st.list && IsWindow(st.list) && TypeOf(hwnd) != CBS_SIMPLE)
        DestroyWindow(st.list);
    st.list = nullptr;
    return 0;
}

LRESULT DialogCode(const ComboBoxState& st, LPARAM lParam)
{
    LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
    const MSG* m = (const MSG*)lParam;
    if (st.dropped && m && m->message == WM_KEYDOWN && (m->wParam == VK_RETURN || m->wParam == VK_ESCAPE))
        code |= DLGC_WANTMESSAGE;
    return code;
}

LRESULT SetFont(HWND hwnd, ComboBoxState& st, UINT msg, WPARAM wParam, LPARAM lParam)
{
    DefWindowProc(hwnd, msg, wParam, lParam);
    if (st.edit)
        SendMessage(st.edit, WM_SETFONT, wParam, lParam);
    if (st.list)
        SendMessage(st.list, WM_SETFONT, wParam, lParam);
    Arrange(hwnd, st);
    return 0;
}

LRESULT Enable(HWND hwnd, ComboBoxState& st, WPARAM enabled)
{
    if (st.edit)
        EnableWindow(st.edit, (BOOL)enabled);
    if (st.list && TypeOf(hwnd) == CBS_SIMPLE)
        EnableWindow(st.list, (BOOL)enabled);
    if (!enabled)
        Close(hwnd, st, false);
    InvalidateRect(hwnd, nullptr, TRUE);
    return 0;
}

LRESULT FocusGained(HWND hwnd, ComboBoxState& st)
{
    if (st.edit) {
        SetFocus(st.edit);
        SendMessage(st.edit, EM_SETSEL, 0, -1);
        return 0;
    }
    st.focused = true;
    InvalidateRect(hwnd, nullptr, FALSE);
    Notify(hwnd, CBN_SETFOCUS);
    return 0;
}

LRESULT FocusLost(HWND hwnd, ComboBoxState& st)
{
    if (st.edit)
        return 0;
    st.focused = false;
    Close(hwnd, st, false);
    if (!IsWindow(hwnd))
        return 0;
    InvalidateRect(hwnd, nullptr, FALSE);
    Notify(hwnd, CBN_KILLFOCUS);
    return 0;
}

LRESULT SystemKeyDown(HWND hwnd, ComboBoxState& st, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if ((wParam == VK_DOWN || wParam == VK_UP) && Key(hwnd, st, wParam, true))
        return 0;
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

LRESULT CharTyped(HWND hwnd, ComboBoxState& st, WPARAM ch)
{
    if (!st.edit && ch >= ' ')
        CharSearch(hwnd, st, ch);
    return 0;
}

LRESULT MouseDown(HWND hwnd, ComboBoxState& st, LPARAM lParam)
{
    HWND focusTarget = st.edit ? st.edit : hwnd;
    if (GetFocus() != focusTarget)
        SetFocus(hwnd);
    ComboBoxState* again = Data(hwnd);
    if (!again)
        return 0;
    RECT button = ButtonRect(hwnd, *again);
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (TypeOf(hwnd) == CBS_DROPDOWNLIST || PtInRect(&button, pt)) {
        again->buttonDown = true;
        if (again->dropped)
            Close(hwnd, *again, true);
        else
            Drop(hwnd, *again);
    }
    return 0;
}

// The parent colours the edit and the list as parts of the combo box.
LRESULT PartColor(HWND hwnd, const ComboBoxState& st, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if ((HWND)lParam == st.edit || (HWND)lParam == st.list)
        return (LRESULT)ControlColor(hwnd, (HDC)wParam, msg);
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

LRESULT GetText(const ComboBoxState& st, WPARAM size, LPARAM buffer)
{
    if (st.edit)
        return SendMessage(st.edit, WM_GETTEXT, size, buffer);
    if (size == 0 || !buffer)
        return 0;
    int sel = CurSel(st);
    std::string text = sel >= 0 ? ItemText(st, sel) : std::string();
    size_t n = CutToCharBoundary(text.data(), text.size(), (size_t)size - 1);
    text.copy((char*)buffer, n);
    ((char*)buffer)[n] = 0;
    return (LRESULT)n;
}

LRESULT GetTextLength(const ComboBoxState& st)
{
    if (st.edit)
        return SendMessage(st.edit, WM_GETTEXTLENGTH, 0, 0);
    int sel = CurSel(st);
    return sel >= 0 ? (LRESULT)ItemText(st, sel).size() : 0;
}

LRESULT DeleteString(HWND hwnd, ComboBoxState& st, WPARAM wParam, LPARAM lParam)
{
    int sel = CurSel(st);
    LRESULT r = SendMessage(st.list, LB_DELETESTRING, wParam, lParam);
    if (r != LB_ERR && (int)wParam == sel)
        InvalidateRect(hwnd, nullptr, FALSE);
    return r;
}

LRESULT ResetContent(HWND hwnd, ComboBoxState& st)
{
    SendMessage(st.list, LB_RESETCONTENT, 0, 0);
    st.committed = -1;
    if (st.edit) {
        st.settingText = true;
        SetWindowText(st.edit, "");
        st.settingText = false;
    }
    InvalidateRect(hwnd, nullptr, FALSE);
    return CB_OKAY;
}

LRESULT SelectString(HWND hwnd, ComboBoxState& st, WPARAM wParam, LPARAM lParam)
{
    LRESULT found = SendMessage(st.list, LB_FINDSTRING, wParam, lParam);
    if (found == LB_ERR)
        return CB_ERR;
    SetCurSel(hwnd, st, (WPARAM)found);
    return found;
}

LRESULT ShowDropDown(HWND hwnd, ComboBoxState& st, WPARAM show)
{
    if (show)
        Drop(hwnd, st);
    else
        Close(hwnd, st, false);
    return TRUE;
}

LRESULT GetDroppedControlRect(HWND hwnd, const ComboBoxState& st, LPARAM lParam)
{
    if (!lParam)
        return CB_ERR;
    RECT win;
    GetWindowRect(hwnd, &win);
    RECT* out = (RECT*)lParam;
    *out = RECT{win.left, win.top, std::max(win.right, win.left + st.droppedWidth),
                win.top + st.fieldHeight + st.droppedHeight};
    return CB_OKAY;
}

// Index -1 is the selection field, the others go to the list.
LRESULT SetItemHeight(HWND hwnd, ComboBoxState& st, WPARAM wParam, LPARAM lParam)
{
    if ((int)wParam != -1)
        return SendMessage(st.list, LB_SETITEMHEIGHT, wParam, lParam);
    int h = LOWORD(lParam);
    if (h <= 0 || h > 255)
        return CB_ERR;
    st.fieldItemHeight = h;
    Arrange(hwnd, st);
    return CB_OKAY;
}

LRESULT GetItemHeight(HWND hwnd, const ComboBoxState& st, WPARAM wParam, LPARAM lParam)
{
    if ((int)wParam == -1)
        return st.fieldItemHeight > 0 ? st.fieldItemHeight : FontLineHeight(hwnd);
    return SendMessage(st.list, LB_GETITEMHEIGHT, wParam, lParam);
}

LRESULT LimitText(const ComboBoxState& st, WPARAM limit)
{
    if (!st.edit)
        return CB_ERR;
    SendMessage(st.edit, EM_LIMITTEXT, limit, 0);
    return TRUE;
}

LRESULT SetEditSel(const ComboBoxState& st, LPARAM lParam)
{
    if (!st.edit)
        return CB_ERR;
    SendMessage(st.edit, EM_SETSEL, (WPARAM)(int)(short)LOWORD(lParam), (LPARAM)(int)(short)HIWORD(lParam));
    return TRUE;
}

LRESULT GetDroppedWidth(HWND hwnd, const ComboBoxState& st)
{
    RECT win;
    GetWindowRect(hwnd, &win);
    return std::max((int)(win.right - win.left), st.droppedWidth);
}

LRESULT Handle(HWND hwnd, ComboBoxState& st, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_NCCREATE: return NonClientCreate(hwnd, msg, wParam, lParam);
    case WM_CREATE: return Create(hwnd, st, (const CREATESTRUCTA*)lParam);
    case WM_DESTROY: return Destroy(hwnd, st);
    case WM_GETDLGCODE: return DialogCode(st, lParam);
    case WM_SETFONT: return SetFont(hwnd, st, msg, wParam, lParam);
    case WM_SIZE: if (st.list) Arrange(hwnd, st); return 0;
    case WM_ERASEBKGND:
    case WM_PAINT:
    case WM_PRINTCLIENT: return PaintMessage(hwnd, msg, wParam, [&](HDC hdc) { PaintField(hwnd, st, hdc); });
    case WM_ENABLE: return Enable(hwnd, st, wParam);
    case WM_SETFOCUS: return FocusGained(hwnd, st);
    case WM_KILLFOCUS: return FocusLost(hwnd, st);
    case WM_KEYDOWN: Key(hwnd, st, wParam, false); return 0;
    case WM_SYSKEYDOWN: return SystemKeyDown(hwnd, st, msg, wParam, lParam);
    case WM_CHAR: return CharTyped(hwnd, st, wParam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: return MouseDown(hwnd, st, lParam);
    case WM_COMMAND: Command(hwnd, st, wParam, lParam); return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC: return PartColor(hwnd, st, msg, wParam, lParam);
    case WM_SETTEXT: return st.edit ? SendMessage(st.edit, WM_SETTEXT, wParam, lParam) : CB_ERR;
    case WM_GETTEXT: return GetText(st, wParam, lParam);
    case WM_GETTEXTLENGTH: return GetTextLength(st);
    case CB_ADDSTRING: return SendMessage(st.list, LB_ADDSTRING, wParam, lParam);
    case CB_INSERTSTRING: return SendMessage(st.list, LB_INSERTSTRING, wParam, lParam);
    case CB_DELETESTRING: return DeleteString(hwnd, st, wParam, lParam);
    case CB_RESETCONTENT: return ResetContent(hwnd, st);
    case CB_GETCOUNT: return SendMessage(st.list, LB_GETCOUNT, 0, 0);
    case CB_GETCURSEL: return SendMessage(st.list, LB_GETCURSEL, 0, 0);
    case CB_SETCURSEL: return SetCurSel(hwnd, st, wParam);
    case CB_GETLBTEXT: return SendMessage(st.list, LB_GETTEXT, wParam, lParam);
    case CB_GETLBTEXTLEN: return SendMessage(st.list, LB_GETTEXTLEN, wParam, lParam);
    case CB_FINDSTRING: return SendMessage(st.list, LB_FINDSTRING, wParam, lParam);
    case CB_FINDSTRINGEXACT: return SendMessage(st.list, LB_FINDSTRINGEXACT, wParam, lParam);
    case CB_SELECTSTRING: return SelectString(hwnd, st, wParam, lParam);
    case CB_SETITEMDATA: return SendMessage(st.list, LB_SETITEMDATA, wParam, lParam);
    case CB_GETITEMDATA: return SendMessage(st.list, LB_GETITEMDATA, wParam, lParam);
    case CB_SHOWDROPDOWN: return ShowDropDown(hwnd, st, wParam);
    case CB_GETDROPPEDSTATE: return st.dropped;
    case CB_GETDROPPEDCONTROLRECT: return GetDroppedControlRect(hwnd, st, lParam);
    case CB_SETITEMHEIGHT: return SetItemHeight(hwnd, st, wParam, lParam);
    case CB_GETITEMHEIGHT: return GetItemHeight(hwnd, st, wParam, lParam);
    case CB_LIMITTEXT: return LimitText(st, wParam);
    case CB_GETEDITSEL: return st.edit ? SendMessage(st.edit, EM_GETSEL, wParam, lParam) : CB_ERR;
    case CB_SETEDITSEL: return SetEditSel(st, lParam);
    case CB_SETEXTENDEDUI: st.extendedUI = wParam != 0; return CB_OKAY;
    case CB_GETEXTENDEDUI: return st.extendedUI;
    case CB_GETTOPINDEX: return SendMessage(st.list, LB_GETTOPINDEX, 0, 0);
    case CB_SETTOPINDEX: return SendMessage(st.list, LB_SETTOPINDEX, wParam, 0);
    case CB_SETDROPPEDWIDTH: st.droppedWidth = (int)wParam; return st.droppedWidth;
    case CB_GETDROPPEDWIDTH: return GetDroppedWidth(hwnd, st);
    case CB_SETHORIZONTALEXTENT: return SendMessage(st.list, LB_SETHORIZONTALEXTENT, wParam, 0);
    case CB_GETHORIZONTALEXTENT: return SendMessage(st.list, LB_GETHORIZONTALEXTENT, 0, 0);
    case CB_SETLOCALE: return SendMessage(st.list, LB_SETLOCALE, wParam, 0);
    case CB_GETLOCALE: return SendMessage(st.list, LB_GETLOCALE, 0, 0);
    case CB_INITSTORAGE: return SendMessage(st.list, LB_INITSTORAGE, wParam, lParam);
    case CB_DIR: return CB_ERR;
    }
    return ControlDefault(hwnd, msg, wParam, lParam);
}

}  // namespace

const WNDPROC ComboBoxProc = ControlWindow<ComboBoxState>::Procedure<Handle>;

namespace {

// Only a real combo box's state may be looked at through a list's creation parameter.
ComboBoxState* ComboData(HWND combo)
{
    char cls[16];
    if (!IsWindow(combo) || !GetClassName(combo, cls, sizeof(cls)) || lstrcmpi(cls, WC_COMBOBOX) != 0 ||
        (WNDPROC)GetClassLongPtr(combo, GCLP_WNDPROC) != ComboBoxProc)
        return nullptr;
    return Data(combo);
}

}  // namespace

void ComboListDismissed(HWND combo, bool ok)
{
    ComboBoxState* st = ComboData(combo);
    if (st)
        Close(combo, *st, ok);
}

bool ComboIsDropped(HWND combo)
{
    ComboBoxState* st = ComboData(combo);
    return st && st->dropped;
}

}  // namespace mivo
