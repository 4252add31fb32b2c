// Tree view items, rows, painting and input.
#include "controls/TreeViewControl.h"
#include "controls/CommonNotify.h"

#include <algorithm>
#include <cstring>

namespace mivo {

namespace {

const UINT kEditTimer = 0x5456;
const int kButtonSize = 9;
const int kImageGap = 3;

void FillSolid(HDC hdc, const RECT& rc, COLORREF color)
{
    COLORREF old = SetBkColor(hdc, color);
    ExtTextOut(hdc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
    SetBkColor(hdc, old);
}

void FillItem(TVITEMA& out, TreeNode* node)
{
    out.mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM;
    out.hItem = reinterpret_cast<HTREEITEM>(node);
    out.state = node ? node->state : 0;
    out.stateMask = 0xFFFF;
    out.lParam = node ? node->data : 0;
}

}  // namespace

TreeViewControl::~TreeViewControl()
{
    while (root_.first)
        DeleteTree(root_.first);
}

void TreeViewControl::Create()
{
    font_ = (HFONT)GetStockObject(DEFAULT_GUI_FONT);
    itemHeight_ = std::max(16, FontLineHeight(hwnd_) + 2);
    hadCheckboxes_ = Checkboxes();
}

TreeNode* TreeViewControl::Node(HTREEITEM h) const
{
    auto* node = reinterpret_cast<TreeNode*>(h);
    return live_.count(node) ? node : nullptr;
}

// ---------------------------------------------------------------- items

std::string TreeViewControl::Text(TreeNode* node)
{
    if (!node->textCallback)
        return node->text;
    char buffer[260] = "";
    NMTVDISPINFOA di = {};
    di.item.mask = TVIF_TEXT;
    di.item.hItem = H(node);
    di.item.state = node->state;
    di.item.lParam = node->data;
    di.item.pszText = buffer;
    di.item.cchTextMax = (int)sizeof(buffer);
    SendNotify(hwnd_, TVN_GETDISPINFOA, &di.hdr);
    if (!di.item.pszText || di.item.pszText == LPSTR_TEXTCALLBACKA)
        return std::string();
    size_t limit = di.item.pszText == buffer ? sizeof(buffer) - 1 : 4096;
    std::string text(di.item.pszText, strnlen(di.item.pszText, limit));
    if ((di.item.mask & TVIF_DI_SETITEM) && live_.count(node)) {
        node->text = text;
        node->textCallback = false;
    }
    return text;
}

int TreeViewControl::Image(TreeNode* node, bool selected)
{
    int image = selected ? node->selectedImage : node->image;
    if (image != I_IMAGECALLBACK)
        return image;
    NMTVDISPINFOA di = {};
    di.item.mask = selected ? TVIF_SELECTEDIMAGE : TVIF_IMAGE;
    di.item.hItem = H(node);
    di.item.state = node->state;
    di.item.lParam = node->data;
    SendNotify(hwnd_, TVN_GETDISPINFOA, &di.hdr);
    return selected ? di.item.iSelectedImage : di.item.iImage;
}

bool TreeViewControl::HasButton(TreeNode* node)
{
    if (node->children == TreeNode::kChildrenUnset)
        return node->first != nullptr;
    if (node->children != I_CHILDRENCALLBACK)
        return node->children != 0;
    NMTVDISPINFOA di = {};
    di.item.mask = TVIF_CHILDREN;
    di.item.hItem = H(node);
    di.item.lParam = node->data;
    SendNotify(hwnd_, TVN_GETDISPINFOA, &di.hdr);
    return di.item.cChildren != 0;
}

int TreeViewControl::Level(const TreeNode* node) const
{
    int level = 0;
    for (const TreeNode* p = node->parent; p && p != &root_; p = p->parent)
        ++level;
    return level;
}

int TreeViewControl::Compare(TreeNode* a, TreeNode* b)
{
    return lstrcmpi(Text(a).c_str(), Text(b).c_str());
}

void TreeViewControl::Link(TreeNode* node, TreeNode* parent, TreeNode* after)
{
    node->parent = parent;
    if (!after) {
        node->next = parent->first;
        node->prev = nullptr;
        if (parent->first)
            parent->first->prev = node;
        parent->first = node;
    } else {
        node->prev = after;
        node->next = after->next;
        if (after->next)
            after->next->prev = node;
        after->next = node;
    }
}

void TreeViewControl::Unlink(TreeNode* node)
{
    if (node->prev)
        node->prev->next = node->next;
    else if (node->parent)
        node->parent->first = node->next;
    if (node->next)
        node->next->prev = node->prev;
    node->prev = node->next = nullptr;
}

HTREEITEM TreeViewControl::Insert(const TVINSERTSTRUCTA& ins)
{
    if ((int)live_.size() >= kMaxItems)
        return nullptr;
    TreeNode* parent = (ins.hParent == TVI_ROOT || !ins.hParent) ? &root_ : Node(ins.hParent);
    if (!parent || Level(parent) >= kMaxLevels)
        return nullptr;
    const TVITEMEXA& in = ins.itemex;
    auto node = std::make_unique<TreeNode>();
    if (in.mask & TVIF_TEXT) {
        node->textCallback = in.pszText == LPSTR_TEXTCALLBACKA;
        if (in.pszText && !node->textCallback)
            node->text = in.pszText;
    }
    if (in.mask & TVIF_IMAGE)
        node->image = in.iImage;
    if (in.mask & TVIF_SELECTEDIMAGE)
        node->selectedImage = in.iSelectedImage;
    if (in.mask & TVIF_PARAM)
        node->data = in.lParam;
    if (in.mask & TVIF_CHILDREN)
        node->children = in.cChildren;
    if (in.mask & TVIF_STATE)
        node->state = in.state & in.stateMask & ~(UINT)(TVIS_SELECTED | TVIS_EXPANDEDONCE);
    if (Checkboxes() && !(node->state & TVIS_STATEIMAGEMASK))
        node->state |= INDEXTOSTATEIMAGEMASK(1);
    TreeNode* raw = node.release();
    live_.insert(raw);
    TreeNode* after = nullptr;
    HTREEITEM where = ins.hInsertAfter;
    if (where == TVI_FIRST) {
        after = nullptr;
    } else if (where == TVI_SORT) {
        for (TreeNode* c = parent->first; c && Compare(c, raw) <= 0; c = c->next)
            after = c;
    } else {
        TreeNode* given = (where == TVI_LAST || !where) ? nullptr : Node(where);
        if (given && given->parent != parent)
            given = nullptr;
        if (!given)  // TVI_LAST, or an item that is no sibling: at the end
            for (TreeNode* c = parent->first; c; c = c->next)
                given = c;
        after = given;
    }
    Link(raw, parent, after);
    RowsChanged();
    return H(raw);
}

void TreeViewControl::DeleteTree(TreeNode* node)
{
    while (node->first)
        DeleteTree(node->first);
    if (IsWindow(hwnd_)) {
        NMTREEVIEWA nm = {};
        FillItem(nm.itemOld, node);
        SendNotify(hwnd_, TVN_DELETEITEMA, &nm.hdr);
    }
    if (caret_ == node)
        caret_ = nullptr;
    if (drop_ == node)
        drop_ = nullptr;
    if (pressed_ == node)
        pressed_ = nullptr;
    if (editCandidate_ == node)
        editCandidate_ = nullptr;
    if (editNode_ == node) {
        editNode_ = nullptr;
        editor_.End(true);
    }
    Unlink(node);
    live_.erase(node);
    delete node;
}

bool TreeViewControl::Delete(TreeNode* node)
{
    if (!node)
        return false;
    bool hadCaret = caret_ != nullptr;
    TreeNode* parent = node == &root_ ? nullptr : node->parent;
    if (node == &root_) {
        while (root_.first)
            DeleteTree(root_.first);
        top_ = scrollX_ = 0;
    } else {
        TreeNode* after = node->next ? node->next : node->prev ? node->prev : (parent != &root_ ? parent : nullptr);
        DeleteTree(node);
        // The selection moves to a neighbour when the selected item went.
        if (hadCaret && !caret_ && after)
            SelectCaret(after, TVC_UNKNOWN);
        if (parent && parent != &root_ && !parent->first)
            parent->state &= ~(UINT)TVIS_EXPANDED;
    }
    RowsChanged();
    return true;
}

bool TreeViewControl::SetItem(const TVITEMEXA& in)
{
    TreeNode* node = Node(in.hItem);
    if (!node)
        return false;
    if (in.mask & TVIF_TEXT) {
        node->textCallback = in.pszText == LPSTR_TEXTCALLBACKA;
        node->text = (in.pszText && !node->textCallback) ? in.pszText : "";
    }
    if (in.mask & TVIF_IMAGE)
        node->image = in.iImage;
    if (in.mask & TVIF_SELECTEDIMAGE)
        node->selectedImage = in.iSelectedImage;
    if (in.mask & TVIF_PARAM)
        node->data = in.lParam;
    if (in.mask & TVIF_CHILDREN)
        node->children = in.cChildren;
    if (in.mask & TVIF_STATE) {
        UINT mask = in.stateMask & ~(UINT)(TVIS_SELECTED | TVIS_EXPANDED | TVIS_DROPHILITED);
        node->state = (node->state & ~mask) | (in.state & mask);
        if (in.stateMask & TVIS_EXPANDED)
            Expand(node, (in.state & TVIS_EXPANDED) ? TVE_EXPAND : TVE_COLLAPSE, false);
        if (in.stateMask & TVIS_DROPHILITED)
            SetDropHilite((in.state & TVIS_DROPHILITED) ? node : (drop_ == node ? nullptr : drop_));
        if ((in.stateMask & TVIS_SELECTED) && (in.state & TVIS_SELECTED) != (node->state & TVIS_SELECTED))
            node->state ^= TVIS_SELECTED;
    }
    RowsChanged();
    return true;
}

bool TreeViewControl::GetItem(TVITEMEXA& out)
{
    TreeNode* node = Node(out.hItem);
    if (!node)
        return false;
    if (out.mask & TVIF_TEXT) {
        if (out.pszText && out.cchTextMax > 0) {
            std::string text = Text(node);
            if (!live_.count(node))
                return false;
            size_t n = CharStartAtOrBefore(text, std::min(text.size(), (size_t)out.cchTextMax - 1));
            memcpy(out.pszText, text.data(), n);
            out.pszText[n] = '\0';
        }
    }
    if (out.mask & TVIF_IMAGE)
        out.iImage = node->image;
    if (out.mask & TVIF_SELECTEDIMAGE)
        out.iSelectedImage = node->selectedImage;
    if (out.mask & TVIF_PARAM)
        out.lParam = node->data;
    if (out.mask & TVIF_STATE)
        out.state = node->state & out.stateMask;
    if (out.mask & TVIF_CHILDREN)
        out.cChildren = node->children == TreeNode::kChildrenUnset ? (node->first ? 1 : 0) : node->children;
    return true;
}

bool TreeViewControl::SortChildren(TreeNode* parent, PFNTVCOMPARE compare, LPARAM param, bool recurse)
{
    if (!parent)
        return false;
    std::vector<TreeNode*> kids;
    for (TreeNode* c = parent->first; c; c = c->next)
        kids.push_back(c);
    if (compare)
        std::stable_sort(kids.begin(), kids.end(),
                         [&](TreeNode* a, TreeNode* b) { return compare(a->data, b->data, param) < 0; });
    else
        std::stable_sort(kids.begin(), kids.end(), [&](TreeNode* a, TreeNode* b) { return Compare(a, b) < 0; });
    parent->first = nullptr;
    TreeNode* prev = nullptr;
    for (TreeNode* k : kids) {
        k->prev = prev;
        k->next = nullptr;
        if (prev)
            prev->next = k;
        else
            parent->first = k;
        prev = k;
    }
    if (recurse)
        for (TreeNode* k : kids)
            SortChildren(k, compare, param, true);
    RowsChanged();
    return true;
}

TreeNode* TreeViewControl::NextItem(TreeNode* node, UINT code)
{
    switch (code) {
    case TVGN_ROOT: return root_.first;
    case TVGN_CARET: return caret_;
    case TVGN_DROPHILITE: return drop_;
    case TVGN_FIRSTVISIBLE: {
        const auto& rows = Rows();
        return top_ < (int)rows.size() ? rows[(size_t)top_] : nullptr;
    }
    case TVGN_LASTVISIBLE: {
        const auto& rows = Rows();
        return rows.empty() ? nullptr : rows.back();
    }
    }
    if (!node)
        return nullptr;
    switch (code) {
    case TVGN_NEXT: return node->next;
    case TVGN_PREVIOUS: return node->prev;
    case TVGN_PARENT: return node->parent == &root_ ? nullptr : node->parent;
    case TVGN_CHILD: return node->first;
    case TVGN_NEXTVISIBLE:
    case TVGN_PREVIOUSVISIBLE: {
        int row = RowOf(node);
        if (row < 0)
            return nullptr;
        row += code == TVGN_NEXTVISIBLE ? 1 : -1;
        const auto& rows = Rows();
        return row >= 0 && row < (int)rows.size() ? rows[(size_t)row] : nullptr;
    }
    }
    return nullptr;
}

// ---------------------------------------------------------------- expansion and selection

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
    if (expand == expanded && !(action & TVE_COLLAPSERESET))
        return false;
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

// ---------------------------------------------------------------- rows and geometry

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
    si.nPage = (UINT)std::max(1, (int)client.right);
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
    SCROLLINFO si = {sizeof(si), SIF_ALL};
    GetScrollInfo(hwnd_, bar, &si);
    int pos = bar == SB_VERT ? top_ : scrollX_;
    int line = bar == SB_VERT ? 1 : 8, page = std::max(1, (int)si.nPage);
    switch (LOWORD(wParam)) {
    case SB_LINEUP: pos -= line; break;
    case SB_LINEDOWN: pos += line; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = si.nTrackPos; break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = si.nMax; break;
    default: return;
    }
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

// ---------------------------------------------------------------- painting

void TreeViewControl::DrawLines(HDC hdc, TreeNode* node, int y)
{
    COLORREF color = GetSysColor(COLOR_GRAYTEXT);
    int mid = y + itemHeight_ / 2;
    int x = ItemX(node) - indent_ / 2 - 1;
    bool rootLines = (Style() & TVS_LINESATROOT) != 0;
    auto dotH = [&](int x0, int x1, int yy) {
        for (int xx = x0; xx < x1; xx += 2)
            SetPixelV(hdc, xx, yy, color);
    };
    auto dotV = [&](int xx, int y0, int y1) {
        for (int yy = y0 + ((y0 + xx) & 1); yy < y1; yy += 2)
            SetPixelV(hdc, xx, yy, color);
    };
    if (Level(node) > 0 || rootLines) {
        dotH(x, x + indent_ / 2, mid);
        bool first = node->parent == &root_ && !node->prev;
        dotV(x, first ? mid : y, node->next ? y + itemHeight_ : mid);
    }
    // The ancestors' lines that pass this row.
    int ax = x;
    for (TreeNode* p = node->parent; p && p != &root_; p = p->parent) {
        ax -= indent_;
        if (p->next && (Level(p) > 0 || rootLines))
            dotV(ax, y, y + itemHeight_);
    }
}

void TreeViewControl::PaintRow(HDC hdc, TreeNode* node, int y)
{
    RECT client;
    GetClientRect(hwnd_, &client);
    COLORREF back = bk_ == CLR_NONE ? GetSysColor(COLOR_WINDOW) : bk_;
    RECT row = {0, y, client.right, y + itemHeight_};
    FillSolid(hdc, row, back);
    if (Style() & TVS_HASLINES)
        DrawLines(hdc, node, y);
    int x = ItemX(node);
    bool showButton = (Style() & TVS_HASBUTTONS) && (Level(node) > 0 || (Style() & TVS_LINESATROOT)) && HasButton(node);
    if (showButton) {
        int bx = x - indent_ / 2 - 1 - kButtonSize / 2, by = y + (itemHeight_ - kButtonSize) / 2;
        RECT box = {bx, by, bx + kButtonSize, by + kButtonSize};
        FillSolid(hdc, box, GetSysColor(COLOR_WINDOW));
        HGDIOBJ oldBrush = SelectObject(hdc, GetStockObject(NULL_BRUSH));
        HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_GRAYTEXT));
        HGDIOBJ oldPen = SelectObject(hdc, pen);
        Rectangle(hdc, box.left, box.top, box.right, box.bottom);
        SelectObject(hdc, oldPen);
        DeleteObject(pen);
        pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWTEXT));
        oldPen = SelectObject(hdc, pen);
        int cx = bx + kButtonSize / 2, cy = by + kButtonSize / 2;
        MoveToEx(hdc, bx + 2, cy, nullptr);
        LineTo(hdc, bx + kButtonSize - 2, cy);
        if (!(node->state & TVIS_EXPANDED)) {
            MoveToEx(hdc, cx, by + 2, nullptr);
            LineTo(hdc, cx, by + kButtonSize - 2);
        }
        SelectObject(hdc, oldPen);
        SelectObject(hdc, oldBrush);
        DeleteObject(pen);
    }
    int cx = 0, cy = 0;
    UINT stateImage = (node->state & TVIS_STATEIMAGEMASK) >> 12;
    if (stateImages_ && stateImage && ImageList_GetIconSize(stateImages_, &cx, &cy)) {
        ImageList_Draw(stateImages_, (int)stateImage, hdc, x, y + (itemHeight_ - cy) / 2, ILD_TRANSPARENT);
        x += cx;
    } else if (Checkboxes()) {
        RECT box = {x + 1, y + (itemHeight_ - 13) / 2, x + 14, y + (itemHeight_ - 13) / 2 + 13};
        DrawFrameControl(hdc, &box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | (stateImage == 2 ? DFCS_CHECKED : 0));
        x += kCheckWidth;
    }
    bool selected = node == caret_ && (focused_ || (Style() & TVS_SHOWSELALWAYS));
    bool hilite = node == drop_ || (selected && focused_ && !drop_);
    if (normal_ && ImageList_GetIconSize(normal_, &cx, &cy)) {
        int image = Image(node, node == caret_);
        if (!live_.count(node))
            return;
        ImageList_Draw(normal_, image, hdc, x, y + (itemHeight_ - cy) / 2,
                       ILD_TRANSPARENT | (node->state & TVIS_OVERLAYMASK) | ((node->state & TVIS_CUT) ? ILD_BLEND50 : 0));
        x += cx + kImageGap;
    }
    std::string text = Text(node);
    if (!live_.count(node))
        return;
    int w = TextWidth(hdc, text.c_str(), (int)text.size());
    RECT label = {x, y, x + w + 4, y + itemHeight_};
    widest_ = std::max(widest_, (int)label.right + scrollX_ + 2);
    COLORREF textColor = text_ == CLR_NONE ? GetSysColor(COLOR_WINDOWTEXT) : text_;
    if (hilite) {
        FillSolid(hdc, label, GetSysColor(COLOR_HIGHLIGHT));
        textColor = GetSysColor(COLOR_HIGHLIGHTTEXT);
    } else if (selected) {
        FillSolid(hdc, label, GetSysColor(COLOR_BTNFACE));
        textColor = GetSysColor(COLOR_BTNTEXT);
    }
    SetTextColor(hdc, textColor);
    SetBkMode(hdc, TRANSPARENT);
    HGDIOBJ oldFont = nullptr;
    HFONT bold = nullptr;
    if (node->state & TVIS_BOLD) {
        LOGFONTA lf = {};
        GetObject(font_, sizeof(lf), &lf);
        lf.lfWeight = FW_BOLD;
        bold = CreateFontIndirect(&lf);
        oldFont = SelectObject(hdc, bold);
    }
    RECT textRc = {label.left + 2, label.top, label.right + (bold ? 8 : 0), label.bottom};
    DrawText(hdc, text.c_str(), (int)text.size(), &textRc, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (bold) {
        SelectObject(hdc, oldFont);
        DeleteObject(bold);
    }
    if (node == caret_ && focused_)
        DrawFocusRect(hdc, &label);
}

void TreeViewControl::Paint(HDC hdc, const RECT& dirty)
{
    RECT client;
    GetClientRect(hwnd_, &client);
    HGDIOBJ oldFont = SelectObject(hdc, font_);
    const auto& rows = Rows();
    int first = top_ + std::max(0, (int)dirty.top / std::max(1, itemHeight_));
    int last = top_ + (int)dirty.bottom / std::max(1, itemHeight_);
    for (int i = first; i <= last && i < (int)rows.size(); ++i) {
        PaintRow(hdc, rows[(size_t)i], (i - top_) * itemHeight_);
        if (!rowsValid_)
            break;  // a callback changed the tree; a new paint follows
    }
    UpdateHorizontalBar();
    int used = std::max(0, (int)Rows().size() - top_) * itemHeight_;
    if (used < client.bottom) {
        RECT rest = {0, used, client.right, client.bottom};
        FillSolid(hdc, rest, bk_ == CLR_NONE ? GetSysColor(COLOR_WINDOW) : bk_);
    }
    SelectObject(hdc, oldFont);
}

HIMAGELIST TreeViewControl::CreateDragImage(TreeNode* node)
{
    if (!node)
        return nullptr;
    std::string text = Text(node);
    int cx = 0, cy = 0;
    bool hasImage = normal_ && ImageList_GetIconSize(normal_, &cx, &cy);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ oldFont = SelectObject(dc, font_);
    int textW = TextWidth(dc, text.c_str(), (int)text.size());
    int w = (hasImage ? cx + kImageGap : 0) + textW + 4, h = std::max(itemHeight_, cy);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ oldBmp = SelectObject(dc, bmp);
    const COLORREF key = RGB(255, 0, 255);
    RECT all = {0, 0, w, h};
    FillSolid(dc, all, key);
    int x = 0;
    if (hasImage) {
        ImageList_Draw(normal_, Image(node, false), dc, 0, (h - cy) / 2, ILD_TRANSPARENT);
        x = cx + kImageGap;
    }
    RECT label = {x, 0, w, h};
    FillSolid(dc, label, GetSysColor(COLOR_WINDOW));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkMode(dc, TRANSPARENT);
    RECT textRc = {x + 2, 0, w, h};
    DrawText(dc, text.c_str(), (int)text.size(), &textRc, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SelectObject(dc, oldBmp);
    SelectObject(dc, oldFont);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    HIMAGELIST list = ImageList_Create(w, h, ILC_COLOR24 | ILC_MASK, 1, 0);
    if (list && ImageList_AddMasked(list, bmp, key) < 0) {
        ImageList_Destroy(list);
        list = nullptr;
    }
    DeleteObject(bmp);
    return list;
}

// ---------------------------------------------------------------- input

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

// ---------------------------------------------------------------- messages

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
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
        PaintScope paint(hwnd_, wParam);
        if (paint.Dc())
            Paint(paint.Dc(), paint.Dirty());
        return 0;
    }
    case WM_PRINTCLIENT: {
        RECT client;
        GetClientRect(hwnd_, &client);
        Paint((HDC)wParam, client);
        return 0;
    }
    case WM_SETFOCUS:
        focused_ = true;
        InvalidateRect(hwnd_, nullptr, TRUE);
        SendNotify(hwnd_, NM_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        focused_ = false;
        InvalidateRect(hwnd_, nullptr, TRUE);
        SendNotify(hwnd_, NM_KILLFOCUS);
        return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_KEYDOWN: KeyDown(wParam); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        MouseDown({(short)LOWORD(lParam), (short)HIWORD(lParam)}, msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK,
                  msg == WM_RBUTTONDOWN || msg == WM_RBUTTONDBLCLK);
        return 0;
    case WM_MOUSEMOVE: MouseMove({(short)LOWORD(lParam), (short)HIWORD(lParam)}, (UINT)wParam); return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        MouseUp({(short)LOWORD(lParam), (short)HIWORD(lParam)}, msg == WM_RBUTTONUP);
        return 0;
    case WM_CAPTURECHANGED:
        if ((HWND)lParam != hwnd_)
            pressed_ = nullptr;
        return 0;
    case WM_VSCROLL: Scroll(SB_VERT, wParam); return 0;
    case WM_HSCROLL: Scroll(SB_HORZ, wParam); return 0;
    case WM_MOUSEWHEEL:
        ScrollTo(top_ - 3 * GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA, scrollX_);
        return 0;
    }
    return DefWindowProc(hwnd_, msg, wParam, lParam);
}

}  // namespace mivo
