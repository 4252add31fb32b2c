// Tree mode: nodes, their linking, expansion, deletion, navigation and search.
#include "grid/VXGridCtrl.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

bool IsReserved(_TREEITEM* handle, ULONG_PTR low)
{
    ULONG_PTR value = (ULONG_PTR)handle;
    // The tree view's constants are negative numbers; the grid's are 32-bit values.
    return value == (ULONG_PTR)0xFFFF0000u + low || value == (ULONG_PTR)(-0x10000 + (LONG_PTR)low);
}

} // namespace

structTREEITEM* CVXGridCtrl::ToNode(_TREEITEM* handle)
{
    return reinterpret_cast<structTREEITEM*>(handle);
}

_TREEITEM* CVXGridCtrl::ToHandle(structTREEITEM* node)
{
    return reinterpret_cast<_TREEITEM*>(node);
}

structTREEITEM* CVXGridCtrl::ResolveParent(_TREEITEM* handle)
{
    if (!handle || IsReserved(handle, 0))
        return &m_itemRoot;
    for (ULONG_PTR low = 1; low <= 3; low++)
        if (IsReserved(handle, low))
            return nullptr; // insert positions are no nodes
    return ToNode(handle);
}

_TREEITEM* CVXGridCtrl::InsertItem(LPRVITEM rvi, _TREEITEM* parent, _TREEITEM* after, int treeSubItem)
{
    if (!IsTreeModel() || !rvi)
        return nullptr;
    structTREEITEM* parentNode = ResolveParent(parent);
    if (!parentNode)
        return nullptr;
    structTREEITEM* focus = ToNode(GetTreeFocus());
    auto owned = std::make_unique<structTREEITEM>();
    _RVITEM record = *rvi;
    record.iItem = (int)m_arrayItems.size();
    record.iSubItem = 0;
    int item = InsertItemImpl(&record);
    if (item < 0) {
        SetTreeFocus(ToHandle(focus));
        return nullptr;
    }
    structTREEITEM* node = owned.release();  // the tree's links own their nodes
    node->iItem = item;
    node->iSubItem = treeSubItem;
    LinkNode(parentNode, node, after, 0, TRUE);
    m_arrayItems[(size_t)item].lpTreeItem = node;
    node->iDepth = parentNode == &m_itemRoot ? 1 : parentNode->iDepth + 1;
    node->pParent = parentNode;
    RebuildVisibleRows();
    SetTreeFocus(ToHandle(focus));
    return ToHandle(node);
}

_TREEITEM* CVXGridCtrl::InsertItem(LPCSTR text, int image, int check, int colour, _TREEITEM* parent,
                                   _TREEITEM* after, int treeSubItem)
{
    _RVITEM rvi;
    rvi.nMask = RVIM_TEXT;
    rvi.lpszText = const_cast<LPSTR>(text);
    if (colour >= 0)
        rvi.nMask |= RVIM_TEXTCOLOR, rvi.iTextColor = colour;
    if (image >= 0)
        rvi.nMask |= RVIM_IMAGE, rvi.iImage = image;
    if (check >= 0)
        rvi.nMask |= RVIM_CHECK, rvi.iCheck = check;
    return InsertItem(&rvi, parent, after, treeSubItem);
}

void CVXGridCtrl::LinkNode(structTREEITEM* parent, structTREEITEM* node, _TREEITEM* after, int subItem,
                           BOOL ascending)
{
    node->pParent = parent;
    node->pNext = nullptr;
    if (!parent->pFirstChild) {
        parent->pFirstChild = node;
        return;
    }
    if (IsReserved(after, 1)) {
        node->pNext = parent->pFirstChild;
        parent->pFirstChild = node;
        return;
    }
    if (IsReserved(after, 3)) {
        LinkSorted(parent, node, subItem, ascending);
        return;
    }
    structTREEITEM* last = parent->pFirstChild;
    while (last->pNext)
        last = last->pNext;
    // A node that is not one of the parent's children places like "last".
    for (structTREEITEM* sibling = parent->pFirstChild; sibling; sibling = sibling->pNext)
        if (ToHandle(sibling) == after)
            last = sibling;
    node->pNext = last->pNext;
    last->pNext = node;
}

void CVXGridCtrl::LinkSorted(structTREEITEM* parent, structTREEITEM* node, int subItem, BOOL ascending)
{
    structTREEITEM** link = &parent->pFirstChild;
    int nodeSub = node->iSubItem >= 0 ? node->iSubItem : subItem;
    while (*link) {
        structTREEITEM* sibling = *link;
        int siblingSub = sibling->iSubItem >= 0 ? sibling->iSubItem : subItem;
        int order = CompareItems(sibling->iItem, siblingSub, node->iItem, nodeSub);
        if (ascending ? order >= 0 : order <= 0)
            break;
        link = &sibling->pNext;
    }
    node->pNext = *link;
    *link = node;
}

void CVXGridCtrl::AppendVisible(structTREEITEM* node)
{
    for (; node; node = node->pNext) {
        m_arrayRows.push_back(node->iItem);
        structITEM& record = m_arrayItems[(size_t)node->iItem];
        record.nState &= ~(UINT)(RVIS_TREECLOSED | RVIS_TREEOPEN);
        record.iIndent = node->iDepth;
        if (node->pFirstChild)
            record.nState |= node->bExpanded ? RVIS_TREEOPEN : RVIS_TREECLOSED;
        if (node->bExpanded)
            AppendVisible(node->pFirstChild);
    }
}

void CVXGridCtrl::RebuildVisibleRows()
{
    m_arrayRows.clear();
    AppendVisible(m_itemRoot.pFirstChild);
    m_iVirtualHeight = (int)m_arrayRows.size();
    m_bRowMapDirty = TRUE;
    if (m_hWnd && m_bRedraw)
        Invalidate();
}

void CVXGridCtrl::DeselectDescendants(structTREEITEM* node)
{
    for (structTREEITEM* child = node->pFirstChild; child; child = child->pNext) {
        structITEM& record = m_arrayItems[(size_t)child->iItem];
        if (record.nState & RVIS_SELECTED) {
            record.nState &= ~(UINT)RVIS_SELECTED;
            RemoveSelected(child->iItem);
        }
        DeselectDescendants(child);
    }
}

BOOL CVXGridCtrl::Expand(_TREEITEM* handle, int code)
{
    if (!IsTree() || code < 0 || code > 2)
        return FALSE;
    structTREEITEM* node = ResolveParent(handle);
    if (!node)
        return FALSE;
    node->bExpanded = code == 2 ? !node->bExpanded : code;
    int focusItem = -2;
    if (m_iFocusRow >= 0 && m_iFocusRow < (int)m_arrayRows.size()) {
        focusItem = m_arrayRows[(size_t)m_iFocusRow];
        m_arrayItems[(size_t)focusItem].nState &= ~(UINT)RVIS_FOCUSED;
    }
    RebuildVisibleRows();
    if (focusItem >= 0) {
        structTREEITEM* visible = ToNode(GetVisibleAncestor(ToHandle(m_arrayItems[(size_t)focusItem].lpTreeItem)));
        if (visible && visible != &m_itemRoot) {
            m_iFocusRow = GetRowFromItem(visible->iItem);
            m_arrayItems[(size_t)visible->iItem].nState |= RVIS_FOCUSED;
            DeselectDescendants(visible);
        }
    }
    ClampScrollY();
    if (m_hWnd && m_iFocusRow >= 0)
        EnsureVisible(GetItemFromRow(m_iFocusRow));
    return TRUE;
}

BOOL CVXGridCtrl::ExpandWalk(structTREEITEM* node, int code, int depth, int limit)
{
    if (limit >= 0 && depth > limit)
        return TRUE;
    for (structTREEITEM* child = node->pFirstChild; child; child = child->pNext) {
        Expand(ToHandle(child), code);
        ExpandWalk(child, code, depth + 1, limit);
    }
    return TRUE;
}

BOOL CVXGridCtrl::ExpandAll(_TREEITEM* handle, int code, int depthLimit)
{
    if (!IsTree())
        return FALSE;
    structTREEITEM* node = ResolveParent(handle);
    if (!node)
        return FALSE;
    if (node != &m_itemRoot)
        Expand(handle, code);
    return ExpandWalk(node, code, 1, depthLimit);
}

_TREEITEM* CVXGridCtrl::GetNextItem(_TREEITEM* handle, int code)
{
    structTREEITEM* node = ResolveParent(handle);
    if (!node)
        return nullptr;
    switch (code) {
    case 0:
        if (node == &m_itemRoot)
            return nullptr;
        while (node->pParent && node->pParent != &m_itemRoot)
            node = node->pParent;
        return ToHandle(node);
    case 1: return ToHandle(node->pNext);
    case 2: {
        if (!node->pParent || node->pParent->pFirstChild == node)
            return nullptr;
        structTREEITEM* previous = node->pParent->pFirstChild;
        while (previous && previous->pNext != node)
            previous = previous->pNext;
        return ToHandle(previous);
    }
    case 3: return node->pParent && node->pParent != &m_itemRoot ? ToHandle(node->pParent) : nullptr;
    case 4: return ToHandle(node->pFirstChild);
    case 5:
        if (m_iFocusRow < 0 || m_iFocusRow >= (int)m_arrayRows.size())
            return nullptr;
        return ToHandle(m_arrayItems[(size_t)m_arrayRows[(size_t)m_iFocusRow]].lpTreeItem);
    default: return nullptr;
    }
}

int CVXGridCtrl::CountNodes(structTREEITEM* node, BOOL recursive)
{
    int count = 0;
    for (structTREEITEM* child = node->pFirstChild; child; child = child->pNext)
        count += 1 + (recursive ? CountNodes(child, TRUE) : 0);
    return count;
}

int CVXGridCtrl::GetItemCount(_TREEITEM* handle, BOOL recursive)
{
    structTREEITEM* node = ResolveParent(handle);
    return node ? CountNodes(node, recursive) : 0;
}

BOOL CVXGridCtrl::HasChildren(_TREEITEM* handle)
{
    structTREEITEM* node = ResolveParent(handle);
    return node && node->pFirstChild;
}

BOOL CVXGridCtrl::IsChild(_TREEITEM* parent, _TREEITEM* handle)
{
    structTREEITEM* node = ResolveParent(handle);
    return node && node != &m_itemRoot && node->pParent == ResolveParent(parent);
}

BOOL CVXGridCtrl::IsDescendent(_TREEITEM* ancestor, _TREEITEM* handle)
{
    structTREEITEM* top = ResolveParent(ancestor);
    structTREEITEM* node = ResolveParent(handle);
    for (node = node ? node->pParent : nullptr; node; node = node->pParent)
        if (node == top)
            return TRUE;
    return FALSE;
}

int CVXGridCtrl::GetItemIndex(_TREEITEM* handle)
{
    structTREEITEM* node = ResolveParent(handle);
    return node ? node->iItem : -2;
}

void CVXGridCtrl::SetTreeSubItem(_TREEITEM* handle, int subItem)
{
    structTREEITEM* node = ResolveParent(handle);
    if (node && node != &m_itemRoot)
        node->iSubItem = subItem;
}

void CVXGridCtrl::FreeNodes(structTREEITEM* node)
{
    structTREEITEM* child = node->pFirstChild;
    while (child) {
        std::unique_ptr<structTREEITEM> owned(child);
        child = child->pNext;
        FreeNodes(owned.get());
    }
    node->pFirstChild = nullptr;
}

void CVXGridCtrl::DeleteNode(structTREEITEM* node)
{
    while (node->pFirstChild)
        DeleteNode(node->pFirstChild);
    if (node->iItem >= 0 && node->iItem < (int)m_arrayItems.size())
        DeleteItemImpl(node->iItem);
    structTREEITEM** link = &node->pParent->pFirstChild;
    while (*link && *link != node)
        link = &(*link)->pNext;
    if (*link)
        *link = node->pNext;
    std::unique_ptr<structTREEITEM> owned(node);
}

BOOL CVXGridCtrl::DeleteItem(_TREEITEM* handle)
{
    if (!IsTreeModel() || !handle)
        return FALSE;
    for (ULONG_PTR low = 0; low <= 3; low++)
        if (IsReserved(handle, low))
            return FALSE; // the root and the insert positions are no deletable nodes
    structTREEITEM* node = ToNode(handle);
    structTREEITEM* focus = ToNode(GetTreeFocus());
    if (focus && (focus == node || IsDescendent(handle, ToHandle(focus))))
        focus = node->pNext ? node->pNext : (node->pParent != &m_itemRoot ? node->pParent : nullptr);
    DeleteNode(node);
    RebuildVisibleRows();
    SetTreeFocus(ToHandle(focus));
    return TRUE;
}

structTREEITEM* CVXGridCtrl::SearchByData(structTREEITEM* start, DWORD_PTR data)
{
    for (structTREEITEM* node = start->pFirstChild; node; node = node->pNext) {
        if (m_arrayItems[(size_t)node->iItem].lParam == data)
            return node;
        if (structTREEITEM* found = SearchByData(node, data))
            return found;
    }
    return nullptr;
}

_TREEITEM* CVXGridCtrl::SearchTreeItemByData(_TREEITEM* start, DWORD_PTR data)
{
    structTREEITEM* node = ResolveParent(start);
    if (!node)
        return nullptr;
    if (structTREEITEM* found = SearchByData(node, data))
        return ToHandle(found);
    for (structTREEITEM* next = node->pNext; next; next = next->pNext) {
        if (m_arrayItems[(size_t)next->iItem].lParam == data)
            return ToHandle(next);
        if (structTREEITEM* found = SearchByData(next, data))
            return ToHandle(found);
    }
    return nullptr;
}

structTREEITEM* CVXGridCtrl::SearchByTitle(structTREEITEM* start, LPCSTR title)
{
    for (structTREEITEM* node = start->pFirstChild; node; node = node->pNext) {
        if (GetItemText(node->iItem, 0) == title)
            return node;
        if (structTREEITEM* found = SearchByTitle(node, title))
            return found;
    }
    return nullptr;
}

_TREEITEM* CVXGridCtrl::SearchTreeItemByTitle(_TREEITEM* start, LPCSTR title)
{
    structTREEITEM* node = ResolveParent(start);
    if (!node || !title)
        return nullptr;
    if (structTREEITEM* found = SearchByTitle(node, title))
        return ToHandle(found);
    for (structTREEITEM* next = node->pNext; next; next = next->pNext) {
        if (GetItemText(next->iItem, 0) == title)
            return ToHandle(next);
        if (structTREEITEM* found = SearchByTitle(next, title))
            return ToHandle(found);
    }
    return nullptr;
}

_TREEITEM* CVXGridCtrl::GetTreeFocus()
{
    if (m_iFocusRow < 0 || m_iFocusRow >= (int)m_arrayRows.size())
        return nullptr;
    structITEM& record = m_arrayItems[(size_t)m_arrayRows[(size_t)m_iFocusRow]];
    record.nState &= ~(UINT)RVIS_FOCUSED;
    m_iFocusRow = -2;
    return ToHandle(record.lpTreeItem);
}

void CVXGridCtrl::SetTreeFocus(_TREEITEM* handle)
{
    structTREEITEM* node = handle ? ToNode(handle) : nullptr;
    if (!node || node->iItem < 0) {
        m_iFocusRow = -1;
        return;
    }
    int row = GetRowFromItem(node->iItem);
    m_iFocusRow = row >= 0 ? row : -1;
    if (row >= 0) {
        m_arrayItems[(size_t)node->iItem].nState |= RVIS_FOCUSED;
        if (m_hWnd)
            EnsureVisible(node->iItem);
    } else if (m_hWnd) {
        m_iScrollY = 0;
    }
}

_TREEITEM* CVXGridCtrl::GetVisibleAncestor(_TREEITEM* handle)
{
    structTREEITEM* node = ResolveParent(handle);
    structTREEITEM* visible = node;
    for (structTREEITEM* up = node ? node->pParent : nullptr; up; up = up->pParent)
        if (!up->bExpanded)
            visible = up;
    return ToHandle(visible);
}
