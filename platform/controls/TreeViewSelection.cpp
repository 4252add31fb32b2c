// Tree expansion, selection, drop highlight and check boxes.
#include "controls/TreeViewControl.h"
#include "controls/CommonNotify.h"
#include "controls/CommonPaint.h"

#include <algorithm>
#include <cstring>

namespace mivo {

LRESULT TreeViewControl::TreeNotify(UINT code, UINT action, TreeNode* oldNode, TreeNode* newNode, POINT pt)
{
    NMTREEVIEWA nm = {};
    nm.action = action;
    FillItem(nm.itemOld, oldNode);
    FillItem(nm.itemNew, newNode);
    nm.ptDrag = pt;
    return SendNotify(hwnd_, code, &nm.hdr);
}

bool TreeViewControl::Expand(TreeNode* node, UINT action, bool notify)
{
    if (!node || node == &root_)
        return false;
    UINT kind = action & 3;
    bool expanded = (node->state & TVIS_EXPANDED) != 0;
    bool expand = kind == TVE_EXPAND || (kind == TVE_TOGGLE && !expanded);
    if (kind != TVE_EXPAND && kind != TVE_COLLAPSE && kind != TVE_TOGGLE)
        return false;
    // Already in the state asked for: nothing to do, and nothing failed.
    if (expand == expanded && !(action & TVE_COLLAPSERESET))
        return true;
    if (expand && !HasButton(node) && !node->first)
        return false;
    UINT act = expand ? TVE_EXPAND : TVE_COLLAPSE;
    if (notify && TreeNotify(TVN_ITEMEXPANDINGA, act, nullptr, node))
        return false;
    if (!live_.count(node))
        return false;
    if (expand) {
        node->state |= TVIS_EXPANDED | TVIS_EXPANDEDONCE;
        if (!node->first) {
            // Nothing came in while expanding: the button goes, as there is nothing to show.
            node->children = 0;
            node->state &= ~(UINT)TVIS_EXPANDED;
        }
    } else {
        node->state &= ~(UINT)TVIS_EXPANDED;
        if (action & TVE_COLLAPSERESET) {
            while (node->first)
                DeleteTree(node->first);
            node->state &= ~(UINT)TVIS_EXPANDEDONCE;
        }
        // A selection inside the collapsed branch moves up to it.
        for (TreeNode* p = caret_ ? caret_->parent : nullptr; p; p = p->parent)
            if (p == node) {
                SelectCaret(node, TVC_UNKNOWN);
                break;
            }
    }
    RowsChanged();
    if (notify && live_.count(node))
        TreeNotify(TVN_ITEMEXPANDEDA, act, nullptr, node);
    // An item that found nothing to show did not open.
    return !expand || (live_.count(node) && (node->state & TVIS_EXPANDED));
}

bool TreeViewControl::SelectCaret(TreeNode* node, UINT cause)
{
    if (node == caret_)
        return true;
    if (TreeNotify(TVN_SELCHANGINGA, cause, caret_, node))
        return false;
    if (node && !live_.count(node))
        return false;
    TreeNode* old = caret_;
    if (old && live_.count(old)) {
        old->state &= ~(UINT)TVIS_SELECTED;
        InvalidateNode(old);
    }
    caret_ = node;
    if (node) {
        node->state |= TVIS_SELECTED;
        for (TreeNode* p = node->parent; p && p != &root_; p = p->parent)
            if (!(p->state & TVIS_EXPANDED))
                Expand(p, TVE_EXPAND);
        EnsureVisible(node);
        InvalidateNode(node);
    }
    TreeNotify(TVN_SELCHANGEDA, cause, old && live_.count(old) ? old : nullptr, node);
    return true;
}

void TreeViewControl::SetDropHilite(TreeNode* node)
{
    if (drop_ == node)
        return;
    if (drop_) {
        drop_->state &= ~(UINT)TVIS_DROPHILITED;
        InvalidateNode(drop_);
    }
    drop_ = node;
    if (node) {
        node->state |= TVIS_DROPHILITED;
        InvalidateNode(node);
    }
}

bool TreeViewControl::Select(TreeNode* node, UINT code, UINT cause)
{
    switch (code) {
    case TVGN_CARET:
        return SelectCaret(node, cause);
    case TVGN_DROPHILITE:
        SetDropHilite(node);
        return true;
    case TVGN_FIRSTVISIBLE: {
        if (!node)
            return false;
        for (TreeNode* p = node->parent; p && p != &root_; p = p->parent)
            if (!(p->state & TVIS_EXPANDED))
                Expand(p, TVE_EXPAND);
        ScrollTo(RowOf(node), scrollX_);
        return true;
    }
    }
    return false;
}

void TreeViewControl::CheckboxesChanged()
{
    bool now = Checkboxes();
    if (now && !hadCheckboxes_)
        for (TreeNode* n : live_)
            if (!(n->state & TVIS_STATEIMAGEMASK))
                n->state |= INDEXTOSTATEIMAGEMASK(1);
    hadCheckboxes_ = now;
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void TreeViewControl::ToggleCheck(TreeNode* node)
{
    UINT image = (node->state & TVIS_STATEIMAGEMASK) >> 12;
    node->state = (node->state & ~(UINT)TVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(image == 2 ? 1 : 2);
    InvalidateNode(node);
}

}  // namespace mivo
