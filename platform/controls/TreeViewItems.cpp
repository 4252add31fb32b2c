// Tree items: insertion, deletion, texts, images, sorting and navigation.
#include "controls/TreeViewControl.h"
#include "controls/CommonNotify.h"
#include "controls/CommonPaint.h"

#include <algorithm>
#include <cstring>

namespace mivo {

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

}  // namespace mivo
