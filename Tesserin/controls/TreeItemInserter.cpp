#include "controls/TreeItemInserter.h"
#include "controls/DirTreeCtrl.h"
#include "controls/ITreeNode.h"

void TreeItemInserter::Insert(ITreeNode* node)
{
    if (!node)
        return;
    if (!m_item)
        m_item = InsertOne(node, TVI_ROOT);
    if (!m_item)
        return;
    if (node->GetChildCount() == 0) {
        TVITEM item = {};
        item.mask = TVIF_CHILDREN;
        item.hItem = m_item;
        if (m_tree->GetItem(&item) && item.cChildren != 0) {
            item.cChildren = 0;
            m_tree->SetItem(&item);
        }
        return;
    }
    InsertChildren(node, m_item);
    m_tree->SortIt(m_item);
}

void TreeItemInserter::InsertChildren(ITreeNode* node, HTREEITEM parent)
{
    for (int i = 0; i < node->GetChildCount(); ++i) {
        ITreeNode* child = node->GetChild(i);
        HTREEITEM item = InsertOne(child, parent);
        if (item)
            InsertChildren(child, item);
    }
}

HTREEITEM TreeItemInserter::InsertOne(ITreeNode* node, HTREEITEM parent)
{
    TVINSERTSTRUCT insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_SORT;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_CHILDREN;
    insert.item.pszText = LPSTR_TEXTCALLBACK;
    insert.item.iImage = I_IMAGECALLBACK;
    insert.item.iSelectedImage = I_IMAGECALLBACK;
    insert.item.cChildren = node->HasChildren() ? 1 : 0;
    insert.item.lParam = (LPARAM)node;
    return m_tree->InsertItem(&insert);
}
