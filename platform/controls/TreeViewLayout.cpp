// Tree rows and geometry: visible rows, hit tests and scrolling.
#include "controls/TreeViewControl.h"
#include "controls/CommonInput.h"
#include "controls/CommonNotify.h"
#include "controls/CommonPaint.h"

#include <algorithm>
#include <cstring>

namespace mivo {

const std::vector<TreeNode*>& TreeViewControl::Rows()
{
    if (rowsValid_)
        return rows_;
    rows_.clear();
    // Depth-first over expanded items, without recursion so deep trees cannot exhaust the stack.
    TreeNode* n = root_.first;
    while (n) {
        rows_.push_back(n);
        if ((n->state & TVIS_EXPANDED) && n->first) {
            n = n->first;
            continue;
        }
        while (n && !n->next) {
            n = n->parent;
            if (n == &root_)
                n = nullptr;
        }
        if (n)
            n = n->next;
    }
    rowsValid_ = true;
    return rows_;
}

void TreeViewControl::RowsChanged()
{
    rowsValid_ = false;
    int count = (int)Rows().size();
    top_ = std::max(0, std::min(top_, count - PerPage()));
    UpdateScrollBars();
    InvalidateRect(hwnd_, nullptr, TRUE);
}

int TreeViewControl::RowOf(TreeNode* node)
{
    const auto& rows = Rows();
    auto it = std::find(rows.begin(), rows.end(), node);
    return it == rows.end() ? -1 : (int)(it - rows.begin());
}

int TreeViewControl::PerPage() const
{
    RECT client;
    GetClientRect(hwnd_, &client);
    return std::max(0, (int)client.bottom / std::max(1, itemHeight_));
}

int TreeViewControl::ItemX(TreeNode* node) const
{
    int level = Level(node) + ((Style() & TVS_LINESATROOT) ? 1 : 0);
    return level * indent_ - scrollX_ + 3;
}

bool TreeViewControl::ItemRect(TreeNode* node, bool textOnly, RECT& rc)
{
    int row = RowOf(node);
    if (row < 0)
        return false;
    RECT client;
    GetClientRect(hwnd_, &client);
    int y = (row - top_) * itemHeight_;
    if (!textOnly) {
        rc = {0, y, client.right, y + itemHeight_};
        return true;
    }
    int x = ItemX(node);
    int cx = 0, cy = 0;
    if (Checkboxes() || (stateImages_ && (node->state & TVIS_STATEIMAGEMASK)))
        x += ImageList_GetIconSize(stateImages_, &cx, &cy) ? cx : kCheckWidth;
    if (normal_ && ImageList_GetIconSize(normal_, &cx, &cy))
        x += cx + kImageGap;
    HDC dc = GetDC(hwnd_);
    HGDIOBJ old = SelectObject(dc, font_);
    std::string text = Text(node);
    int w = TextWidth(dc, text.c_str(), (int)text.size());
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    rc = {x, y, x + w + 4, y + itemHeight_};
    return true;
}

TreeNode* TreeViewControl::HitTest(TVHITTESTINFO& info)
{
    RECT client;
    GetClientRect(hwnd_, &client);
    info.hItem = nullptr;
    info.flags = 0;
    POINT pt = info.pt;
    if (pt.y < 0)
        info.flags |= TVHT_ABOVE;
    if (pt.y >= client.bottom)
        info.flags |= TVHT_BELOW;
    if (pt.x < 0)
        info.flags |= TVHT_TOLEFT;
    if (pt.x >= client.right)
        info.flags |= TVHT_TORIGHT;
    if (info.flags)
        return nullptr;
    const auto& rows = Rows();
    int row = top_ + pt.y / std::max(1, itemHeight_);
    if (row < 0 || row >= (int)rows.size()) {
        info.flags = TVHT_NOWHERE;
        return nullptr;
    }
    TreeNode* node = rows[(size_t)row];
    RECT text;
    ItemRect(node, true, text);
    int x = ItemX(node);
    int stateW = 0, iconW = 0, cx = 0, cy = 0;
    if (Checkboxes() || (stateImages_ && (node->state & TVIS_STATEIMAGEMASK)))
        stateW = ImageList_GetIconSize(stateImages_, &cx, &cy) ? cx : kCheckWidth;
    if (normal_ && ImageList_GetIconSize(normal_, &cx, &cy))
        iconW = cx + kImageGap;
    if (pt.x < x) {
        bool button = pt.x >= x - indent_ && HasButton(node) && (Style() & TVS_HASBUTTONS) &&
                      (Level(node) > 0 || (Style() & TVS_LINESATROOT));
        info.flags = button ? TVHT_ONITEMBUTTON : TVHT_ONITEMINDENT;
    } else if (pt.x < x + stateW) {
        info.flags = TVHT_ONITEMSTATEICON;
    } else if (pt.x < x + stateW + iconW) {
        info.flags = TVHT_ONITEMICON;
    } else if (pt.x < text.right) {
        info.flags = TVHT_ONITEMLABEL;
    } else {
        info.flags = TVHT_ONITEMRIGHT;
    }
    info.hItem = H(node);
    return node;
}

bool TreeViewControl::EnsureVisible(TreeNode* node)
{
    if (!node)
        return false;
    for (TreeNode* p = node->parent; p && p != &root_; p = p->parent)
        if (!(p->state & TVIS_EXPANDED))
            Expand(p, TVE_EXPAND);
    int row = RowOf(node);
    if (row < 0)
        return false;
    int page = std::max(1, PerPage());
    if (row < top_)
        ScrollTo(row, scrollX_);
    else if (row >= top_ + page)
        ScrollTo(row - page + 1, scrollX_);
    return true;
}

void TreeViewControl::UpdateScrollBars()
{
    if (Style() & TVS_NOSCROLL)
        return;
    SCROLLINFO si = {sizeof(si)};
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMax = std::max(0, (int)Rows().size() - 1);
    si.nPage = (UINT)std::max(1, PerPage());
    si.nPos = top_;
    SetScrollInfo(hwnd_, SB_VERT, &si, TRUE);
}

void TreeViewControl::UpdateHorizontalBar()
{
    // Only labels that were painted are known to be wide: measuring every item
    // (and asking the parent for callback texts) on each change would cost too much.
    if (Style() & (TVS_NOSCROLL | TVS_NOHSCROLL))
        return;
    RECT client;
    GetClientRect(hwnd_, &client);
    SCROLLINFO si = {sizeof(si)};
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMax = std::max(0, widest_ - 1);
    // The page is held to the range, as SetScrollInfo keeps it, or every paint would set it again.
    si.nPage = (UINT)std::max(1, std::min((int)client.right, si.nMax + 1));
    si.nPos = scrollX_;
    SCROLLINFO now = {sizeof(now), SIF_ALL};
    GetScrollInfo(hwnd_, SB_HORZ, &now);
    if (now.nMax != si.nMax || now.nPage != si.nPage || now.nPos != si.nPos)
        SetScrollInfo(hwnd_, SB_HORZ, &si, TRUE);
}

void TreeViewControl::ScrollTo(int top, int x)
{
    int count = (int)Rows().size();
    top = std::max(0, std::min(top, count - PerPage()));
    RECT client;
    GetClientRect(hwnd_, &client);
    x = std::max(0, std::min(x, widest_ - (int)client.right));
    if (top == top_ && x == scrollX_)
        return;
    editor_.End(false);
    top_ = top;
    scrollX_ = x;
    UpdateScrollBars();
    UpdateHorizontalBar();
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void TreeViewControl::Scroll(int bar, WPARAM wParam)
{
    int pos = bar == SB_VERT ? top_ : scrollX_;
    if (!ScrollBarTarget(hwnd_, bar, wParam, bar == SB_VERT ? 1 : 8, pos))
        return;
    if (bar == SB_VERT)
        ScrollTo(pos, scrollX_);
    else
        ScrollTo(top_, pos);
}

void TreeViewControl::InvalidateNode(TreeNode* node)
{
    if (!rowsValid_) {
        InvalidateRect(hwnd_, nullptr, TRUE);
        return;
    }
    RECT rc;
    if (ItemRect(node, false, rc))
        InvalidateRect(hwnd_, &rc, TRUE);
}

}  // namespace mivo
