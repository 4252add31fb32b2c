// Turns nodes into folder-tree items: a node's children go below the current item (the node
// itself becomes a top item when there is none yet), each followed by its own filled children.
#pragma once

#include "mfc.h"

class CDirTreeCtrl;
class ITreeNode;

class AFX_EXT_CLASS TreeItemInserter {
public:
    explicit TreeItemInserter(CDirTreeCtrl* tree, HTREEITEM item = nullptr) : m_tree(tree), m_item(item) {}

    void Insert(ITreeNode* node);
    HTREEITEM GetItem() const { return m_item; }

private:
    HTREEITEM InsertOne(ITreeNode* node, HTREEITEM parent);
    void InsertChildren(ITreeNode* node, HTREEITEM parent);

    CDirTreeCtrl* m_tree;
    HTREEITEM m_item;
};
