// Tree items: depth-first searches by item data or text, and copying a branch elsewhere.
#include "framework/VXUtil.h"

#include <functional>

namespace {

using ItemTest = std::function<bool(HTREEITEM)>;

bool IsRoot(HTREEITEM item)
{
    return item == TVI_ROOT || item == nullptr;
}

HTREEITEM FirstChild(CTreeCtrl* tree, HTREEITEM item)
{
    return IsRoot(item) ? tree->GetRootItem() : tree->GetChildItem(item);
}

// Each child compared, then searched below, in order.
HTREEITEM SearchBelow(CTreeCtrl* tree, HTREEITEM item, const ItemTest& matches)
{
    for (HTREEITEM child = FirstChild(tree, item); child; child = tree->GetNextSiblingItem(child)) {
        if (matches(child))
            return child;
        if (HTREEITEM found = SearchBelow(tree, child, matches))
            return found;
    }
    return nullptr;
}

HTREEITEM Search(CTreeCtrl* tree, HTREEITEM start, const ItemTest& matches)
{
    if (!tree)
        return nullptr;
    if (HTREEITEM found = SearchBelow(tree, start, matches))
        return found;
    if (IsRoot(start))
        return nullptr;
    for (HTREEITEM sibling = tree->GetNextSiblingItem(start); sibling; sibling = tree->GetNextSiblingItem(sibling)) {
        if (matches(sibling))
            return sibling;
        if (HTREEITEM found = SearchBelow(tree, sibling, matches))
            return found;
    }
    return nullptr;
}

bool IsSameOrBelow(CTreeCtrl* tree, HTREEITEM item, HTREEITEM ancestor)
{
    for (HTREEITEM at = item; !IsRoot(at); at = tree->GetParentItem(at))
        if (at == ancestor)
            return true;
    return false;
}

HTREEITEM CopyItem(CTreeCtrl* tree, HTREEITEM item, HTREEITEM newParent)
{
    TVITEM source = {};
    source.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_STATE;
    source.hItem = item;
    source.stateMask = TVIS_STATEIMAGEMASK;
    if (!tree->GetItem(&source))
        return nullptr;
    CString text = tree->GetItemText(item);
    TVINSERTSTRUCT insert = {};
    insert.hParent = newParent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_STATE;
    insert.item.pszText = text.GetBuffer();
    insert.item.iImage = source.iImage;
    insert.item.iSelectedImage = source.iSelectedImage;
    insert.item.lParam = source.lParam;
    insert.item.state = source.state & TVIS_STATEIMAGEMASK;
    insert.item.stateMask = TVIS_STATEIMAGEMASK;
    HTREEITEM copy = tree->InsertItem(&insert);
    text.ReleaseBuffer();
    if (!copy)
        return nullptr;
    for (HTREEITEM child = tree->GetChildItem(item); child; child = tree->GetNextSiblingItem(child))
        CopyItem(tree, child, copy);
    return copy;
}

}  // namespace

HTREEITEM SearchTreeItemByData(CTreeCtrl* tree, HTREEITEM start, DWORD_PTR data)
{
    return Search(tree, start, [tree, data](HTREEITEM item) { return tree->GetItemData(item) == data; });
}

HTREEITEM SearchTreeItemByTitle(CTreeCtrl* tree, HTREEITEM start, CString title)
{
    return Search(tree, start, [tree, &title](HTREEITEM item) { return tree->GetItemText(item) == title; });
}

HTREEITEM CopyTreeBranch(CTreeCtrl* tree, HTREEITEM item, HTREEITEM newParent, BOOL deleteSource)
{
    // A branch copied into itself would grow while it is walked.
    if (!tree || IsRoot(item) || IsSameOrBelow(tree, newParent, item))
        return nullptr;
    HTREEITEM copy = CopyItem(tree, item, newParent);
    if (copy && deleteSource)
        tree->DeleteItem(item);
    return copy;
}
