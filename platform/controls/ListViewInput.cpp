// Report list mouse and keys, label editing and what its header reports.
#include "controls/ListViewControl.h"
#include "controls/CommonNotify.h"
#include "controls/CommonPaint.h"

#include <algorithm>
#include <cstring>

namespace mivo {

LRESULT ListViewControl::ItemNotify(UINT code, int index, int subItem, POINT pt)
{
    NMITEMACTIVATE nm = {};
    nm.iItem = index;
    nm.iSubItem = subItem;
    nm.ptAction = pt;
    if (GetKeyState(VK_SHIFT) < 0)
        nm.uKeyFlags |= LVKF_SHIFT;
    if (GetKeyState(VK_CONTROL) < 0)
        nm.uKeyFlags |= LVKF_CONTROL;
    return SendNotify(hwnd_, code, &nm.hdr);
}

void ListViewControl::MoveFocus(int index, bool shift, bool ctrl)
{
    if (!Valid(index))
        return;
    bool single = (Style() & LVS_SINGLESEL) != 0;
    if (ctrl && !single) {
        ChangeState(index, LVIS_FOCUSED, LVIS_FOCUSED);
    } else if (shift && !single && Valid(mark_)) {
        int a = std::min(mark_, index), b = std::max(mark_, index);
        for (int i = 0; i < Count(); ++i)
            ChangeState(i, (i >= a && i <= b) ? LVIS_SELECTED : 0, LVIS_SELECTED);
        ChangeState(index, LVIS_FOCUSED, LVIS_FOCUSED);
    } else {
        SelectOnly(index);
        mark_ = index;
    }
    EnsureVisible(index, false);
}

void ListViewControl::MouseDown(POINT pt, UINT keys, bool doubleClick, bool right)
{
    editor_.End(false);
    KillTimer(hwnd_, kEditTimer);
    bool hadFocus = GetFocus() == hwnd_;
    if (!hadFocus)
        SetFocus(hwnd_);
    LVHITTESTINFO hit = {pt};
    int index = HitTest(hit, false);
    LVHITTESTINFO sub = {pt};
    HitTest(sub, true);
    if (doubleClick) {
        ItemNotify(right ? NM_RDBLCLK : NM_DBLCLK, index, sub.iSubItem, pt);
        return;
    }
    if (index < 0) {
        if (!(keys & (MK_SHIFT | MK_CONTROL)) && !right)
            SelectOnly(-1);
        pressed_ = -1;
        // A click beside the rows (or on a sub-item without full-row selection) is reported too.
        ItemNotify(right ? NM_RCLICK : NM_CLICK, -1, right ? 0 : sub.iSubItem, pt);
        return;
    }
    if (!right && (hit.flags & LVHT_ONITEMSTATEICON) && Checkboxes()) {
        ToggleCheck(index);
    } else {
        bool wasFocusedSelected = hadFocus && index == focus_ && (rows_[(size_t)index].state & LVIS_SELECTED);
        if (right) {
            if (!(rows_[(size_t)index].state & LVIS_SELECTED))
                MoveFocus(index, false, false);
        } else if ((keys & MK_CONTROL) && !(Style() & LVS_SINGLESEL)) {
            ChangeState(index, (rows_[(size_t)index].state & LVIS_SELECTED) ? 0 : LVIS_SELECTED, LVIS_SELECTED);
            ChangeState(index, LVIS_FOCUSED, LVIS_FOCUSED);
            mark_ = index;
        } else {
            MoveFocus(index, (keys & MK_SHIFT) != 0, false);
        }
        editCandidate_ = (!right && wasFocusedSelected && (Style() & LVS_EDITLABELS) &&
                          (hit.flags & LVHT_ONITEMLABEL) && !(keys & (MK_SHIFT | MK_CONTROL)))
                             ? index
                             : -1;
    }
    if (right) {
        ItemNotify(NM_RCLICK, index, sub.iSubItem, pt);
        return;
    }
    pressed_ = index;
    pressPoint_ = pt;
    dragStarted_ = false;
    SetCapture(hwnd_);
}

void ListViewControl::MouseMove(POINT pt, UINT keys)
{
    if (pressed_ < 0 || dragStarted_ || !(keys & MK_LBUTTON))
        return;
    if (abs(pt.x - pressPoint_.x) > GetSystemMetrics(SM_CXDRAG) ||
        abs(pt.y - pressPoint_.y) > GetSystemMetrics(SM_CYDRAG)) {
        dragStarted_ = true;
        editCandidate_ = -1;
        if (GetCapture() == hwnd_)
            ReleaseCapture();
        NMLISTVIEW nm = {};
        nm.iItem = pressed_;
        nm.ptAction = pressPoint_;
        nm.lParam = Valid(pressed_) ? rows_[(size_t)pressed_].data : 0;
        pressed_ = -1;
        SendNotify(hwnd_, LVN_BEGINDRAG, &nm.hdr);
    }
}

void ListViewControl::MouseUp(POINT pt, bool)
{
    int index = pressed_;
    pressed_ = -1;
    if (GetCapture() == hwnd_)
        ReleaseCapture();
    if (dragStarted_ || index < 0)
        return;
    LVHITTESTINFO sub = {pt};
    HitTest(sub, true);
    ItemNotify(NM_CLICK, index, sub.iSubItem, pt);
    if (editCandidate_ == index && IsWindow(hwnd_))
        SetTimer(hwnd_, kEditTimer, GetDoubleClickTime(), nullptr);
}

void ListViewControl::KeyDown(WPARAM vk)
{
    NMLVKEYDOWN kd = {};
    kd.wVKey = (WORD)vk;
    SendNotify(hwnd_, LVN_KEYDOWN, &kd.hdr);
    if (!IsWindow(hwnd_))
        return;
    bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0;
    int page = std::max(1, PerPage());
    int at = Valid(focus_) ? focus_ : -1;
    switch (vk) {
    case VK_UP: MoveFocus(std::max(0, at - 1), shift, ctrl); break;
    case VK_DOWN: MoveFocus(at < 0 ? 0 : std::min(Count() - 1, at + 1), shift, ctrl); break;
    case VK_HOME: MoveFocus(0, shift, ctrl); break;
    case VK_END: MoveFocus(Count() - 1, shift, ctrl); break;
    case VK_PRIOR: MoveFocus(std::max(0, at - page + 1), shift, ctrl); break;
    case VK_NEXT: MoveFocus(std::min(Count() - 1, at + page - 1), shift, ctrl); break;
    case VK_SPACE:
        if (Checkboxes() && Valid(at))
            ToggleCheck(at);
        else if (ctrl && Valid(at))
            ChangeState(at, (rows_[(size_t)at].state & LVIS_SELECTED) ? 0 : LVIS_SELECTED, LVIS_SELECTED);
        break;
    case VK_F2:
        if ((Style() & LVS_EDITLABELS) && Valid(at))
            EditLabel(at);
        break;
    case VK_RETURN:
        SendNotify(hwnd_, NM_RETURN);
        break;
    }
}

// ---------------------------------------------------------------- label editing

HWND ListViewControl::EditLabel(int index)
{
    editor_.End(false);
    if (!Valid(index))
        return nullptr;
    if (GetFocus() != hwnd_)
        SetFocus(hwnd_);
    EnsureVisible(index, false);
    NMLVDISPINFOA di = {};
    di.item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE;
    di.item.iItem = index;
    std::string text = Text(index, 0);
    di.item.pszText = &text[0];
    di.item.lParam = rows_[(size_t)index].data;
    di.item.state = rows_[(size_t)index].state;
    if (SendNotify(hwnd_, LVN_BEGINLABELEDITA, &di.hdr) || !Valid(index))
        return nullptr;
    RECT label;
    ItemRect(index, LVIR_LABEL, label);
    label.top -= 1;
    label.bottom += 1;
    editItem_ = index;
    return editor_.Start(hwnd_, label, text, font_, [this, index](const char* t) { EndEdit(index, t); });
}

void ListViewControl::EndEdit(int index, const char* text)
{
    editItem_ = -1;
    if (!Valid(index))
        return;
    std::string copy = text ? text : "";
    NMLVDISPINFOA di = {};
    di.item.mask = LVIF_TEXT | LVIF_PARAM;
    di.item.iItem = index;
    di.item.pszText = text ? &copy[0] : nullptr;
    di.item.cchTextMax = text ? (int)copy.size() + 1 : 0;
    di.item.lParam = rows_[(size_t)index].data;
    LRESULT keep = SendNotify(hwnd_, LVN_ENDLABELEDITA, &di.hdr);
    if (keep && text && Valid(index)) {
        StoreText(rows_[(size_t)index], 0, copy.c_str());
        InvalidateRow(index);
    }
}

// ---------------------------------------------------------------- header and messages

LRESULT ListViewControl::HeaderNotify(NMHDR* hdr)
{
    LRESULT answer = SendMessage(GetParent(hwnd_), WM_NOTIFY, hdr->idFrom, (LPARAM)hdr);
    switch (hdr->code) {
    case HDN_ITEMCLICKA: {
        auto* h = (NMHEADERA*)hdr;
        NMLISTVIEW nm = {};
        nm.iItem = -1;
        nm.iSubItem = h->iItem;
        SendNotify(hwnd_, LVN_COLUMNCLICK, &nm.hdr);
        break;
    }
    case HDN_ITEMCHANGEDA:
    case HDN_ENDDRAG:
    case HDN_TRACKA:
        editor_.End(false);
        UpdateScrollBars();
        InvalidateRect(hwnd_, nullptr, TRUE);
        break;
    case HDN_DIVIDERDBLCLICKA:
        SetColumnWidth(((NMHEADERA*)hdr)->iItem, LVSCW_AUTOSIZE);
        break;
    }
    return answer;
}

}  // namespace mivo
