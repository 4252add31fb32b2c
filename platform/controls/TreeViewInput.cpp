// Tree mouse and keys, and label editing.
#include "controls/TreeViewControl.h"
#include "controls/CommonNotify.h"
#include "controls/CommonPaint.h"

#include <algorithm>
#include <cstring>

namespace mivo {

void TreeViewControl::MouseDown(POINT pt, bool doubleClick, bool right)
{
    editor_.End(false);
    KillTimer(hwnd_, kEditTimer);
    bool hadFocus = GetFocus() == hwnd_;
    if (!hadFocus)
        SetFocus(hwnd_);
    TVHITTESTINFO hit = {pt};
    TreeNode* node = HitTest(hit);
    if (doubleClick) {
        if (!SendNotify(hwnd_, right ? NM_RDBLCLK : NM_DBLCLK) && node && !right &&
            (hit.flags & (TVHT_ONITEM | TVHT_ONITEMBUTTON)) && !(hit.flags & TVHT_ONITEMSTATEICON) && live_.count(node))
            Expand(node, TVE_TOGGLE);
        return;
    }
    if (node && !right && (hit.flags & TVHT_ONITEMBUTTON)) {
        Expand(node, TVE_TOGGLE);
        return;
    }
    pressed_ = node && (hit.flags & (TVHT_ONITEM | TVHT_ONITEMRIGHT)) ? node : nullptr;
    pressFlags_ = hit.flags;
    pressPoint_ = pt;
    pressRight_ = right;
    dragStarted_ = false;
    editCandidate_ = nullptr;
    if (pressed_ && !right && !(hit.flags & TVHT_ONITEMSTATEICON)) {
        if (hadFocus && pressed_ == caret_ && (Style() & TVS_EDITLABELS) && (hit.flags & TVHT_ONITEMLABEL))
            editCandidate_ = pressed_;
        SelectCaret(pressed_, TVC_BYMOUSE);
    }
    if (right && pressed_)
        SetDropHilite(pressed_);
    SetCapture(hwnd_);
}

void TreeViewControl::MouseMove(POINT pt, UINT keys)
{
    if (!pressed_ || dragStarted_ || !(keys & (pressRight_ ? MK_RBUTTON : MK_LBUTTON)))
        return;
    if (abs(pt.x - pressPoint_.x) <= GetSystemMetrics(SM_CXDRAG) &&
        abs(pt.y - pressPoint_.y) <= GetSystemMetrics(SM_CYDRAG))
        return;
    dragStarted_ = true;
    editCandidate_ = nullptr;
    TreeNode* node = pressed_;
    pressed_ = nullptr;
    if (GetCapture() == hwnd_)
        ReleaseCapture();
    if (pressRight_)
        SetDropHilite(nullptr);
    if (!(Style() & TVS_DISABLEDRAGDROP) && live_.count(node))
        TreeNotify(pressRight_ ? TVN_BEGINRDRAGA : TVN_BEGINDRAGA, 0, nullptr, node, pressPoint_);
}

void TreeViewControl::MouseUp(POINT, bool right)
{
    TreeNode* node = pressed_;
    UINT flags = pressFlags_;
    pressed_ = nullptr;
    if (GetCapture() == hwnd_)
        ReleaseCapture();
    if (dragStarted_)
        return;
    if (right) {
        SendNotify(hwnd_, NM_RCLICK);
        if (drop_ && live_.count(drop_))
            SetDropHilite(nullptr);
        return;
    }
    // NM_CLICK comes first: its handler sees the box as it was before the click.
    LRESULT handled = SendNotify(hwnd_, NM_CLICK);
    if (!handled && node && live_.count(node) && (flags & TVHT_ONITEMSTATEICON) && Checkboxes())
        ToggleCheck(node);
    if (editCandidate_ && editCandidate_ == node && IsWindow(hwnd_))
        SetTimer(hwnd_, kEditTimer, GetDoubleClickTime(), nullptr);
}

void TreeViewControl::KeyDown(WPARAM vk)
{
    NMTVKEYDOWN kd = {};
    kd.wVKey = (WORD)vk;
    // The answer only matters for typed characters (incremental search), not for these keys.
    SendNotify(hwnd_, TVN_KEYDOWN, &kd.hdr);
    if (!IsWindow(hwnd_))
        return;
    TreeNode* at = caret_;
    const auto& rows = Rows();
    if (rows.empty())
        return;
    int row = at ? RowOf(at) : -1;
    int page = std::max(1, PerPage());
    auto go = [&](int r) {
        const auto& rs = Rows();
        if (!rs.empty())
            SelectCaret(rs[(size_t)std::max(0, std::min(r, (int)rs.size() - 1))], TVC_BYKEYBOARD);
    };
    switch (vk) {
    case VK_UP: go(row - 1); break;
    case VK_DOWN: go(row + 1); break;
    case VK_HOME: go(0); break;
    case VK_END: go((int)rows.size() - 1); break;
    case VK_PRIOR: go(row - page + 1); break;
    case VK_NEXT: go(row + page - 1); break;
    case VK_LEFT:
        if (at && (at->state & TVIS_EXPANDED))
            Expand(at, TVE_COLLAPSE);
        else if (at && at->parent != &root_)
            SelectCaret(at->parent, TVC_BYKEYBOARD);
        break;
    case VK_RIGHT:
        if (at && !(at->state & TVIS_EXPANDED) && HasButton(at))
            Expand(at, TVE_EXPAND);
        else if (at && at->first && live_.count(at))
            SelectCaret(at->first, TVC_BYKEYBOARD);
        break;
    case VK_ADD:
        if (at)
            Expand(at, TVE_EXPAND);
        break;
    case VK_SUBTRACT:
        if (at)
            Expand(at, TVE_COLLAPSE);
        break;
    case VK_SPACE:
        if (at && Checkboxes())
            ToggleCheck(at);
        break;
    case VK_F2:
        if (at && (Style() & TVS_EDITLABELS))
            EditLabel(at);
        break;
    case VK_RETURN:
        SendNotify(hwnd_, NM_RETURN);
        break;
    }
}

HWND TreeViewControl::EditLabel(TreeNode* node)
{
    editor_.End(false);
    if (!node)
        return nullptr;
    if (GetFocus() != hwnd_)
        SetFocus(hwnd_);
    SelectCaret(node, TVC_UNKNOWN);
    EnsureVisible(node);
    std::string text = Text(node);
    NMTVDISPINFOA di = {};
    di.item.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_PARAM | TVIF_STATE;
    di.item.hItem = H(node);
    di.item.pszText = &text[0];
    di.item.lParam = node->data;
    di.item.state = node->state;
    if (SendNotify(hwnd_, TVN_BEGINLABELEDITA, &di.hdr) || !live_.count(node))
        return nullptr;
    RECT rc;
    ItemRect(node, true, rc);
    RECT client;
    GetClientRect(hwnd_, &client);
    rc.right = std::max((int)rc.right + 40, std::min((int)client.right, (int)rc.left + 120));
    rc.top -= 1;
    rc.bottom += 1;
    editNode_ = node;
    return editor_.Start(hwnd_, rc, text, font_, [this, node](const char* t) { EndEdit(node, t); });
}

void TreeViewControl::EndEdit(TreeNode* node, const char* text)
{
    editNode_ = nullptr;
    if (!live_.count(node))
        return;
    std::string copy = text ? text : "";
    NMTVDISPINFOA di = {};
    di.item.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_PARAM;
    di.item.hItem = H(node);
    di.item.pszText = text ? &copy[0] : nullptr;
    di.item.cchTextMax = text ? (int)copy.size() + 1 : 0;
    di.item.lParam = node->data;
    LRESULT keep = SendNotify(hwnd_, TVN_ENDLABELEDITA, &di.hdr);
    if (keep && text && live_.count(node)) {
        node->text = copy;
        node->textCallback = false;
        InvalidateNode(node);
    }
}

}  // namespace mivo
