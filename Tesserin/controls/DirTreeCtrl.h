// CDirTreeCtrl: the shell namespace (desktop, My Computer, drives, folders, Network) as a tree
// filled on demand from shell nodes. Selects by path, list or special folder, lets a file item
// be dragged onto a folder item, and moves files dropped from the program's other windows.
#pragma once

#include "controls/DirTreeDropTarget.h"
#include "controls/ITreeNode.h"

#include <memory>

// Sent to the owner after each moved file: wParam and lParam point to CStrings holding the old
// and the new full path, alive for the duration of the call.
#define WM_TREE_ITEM_DROPPED 0x7E9

class AFX_EXT_CLASS CDirTreeCtrl : public CTreeCtrl {
public:
    CDirTreeCtrl();
    ~CDirTreeCtrl() override;

    void Initialize(int bRemoveRoot);
    void DisplayTree(UINT flags, const ITEMIDLIST* pidl, int bRemoveRoot);
    void DisplayTree(UINT flags, const char* path, int bRemoveRoot);
    void DisplayTree(UINT flags, int csidl, int bRemoveRoot);
    int DeleteAllItems(int bDeleteRoot);

    int SelectItem(HTREEITEM item);
    HTREEITEM SelectItem(const ITEMIDLIST* pidl, HTREEITEM start);
    HTREEITEM SelectItem(const char* path, HTREEITEM start);
    HTREEITEM SelectItem(int csidl, HTREEITEM start);
    HTREEITEM GetItemFrom(const ITEMIDLIST* pidl, HTREEITEM start);
    HTREEITEM GetItemFrom(const char* path, HTREEITEM start);
    HTREEITEM GetItemFrom(int csidl, HTREEITEM start);
    HTREEITEM SetPathByIDL(const ITEMIDLIST* pidl);
    HTREEITEM SetPathByCSIDL(int csidl);
    HTREEITEM SetPathByStr(CString path);
    HTREEITEM GetItemFromPath(CString path, HTREEITEM unused);

    CString GetFullPath(HTREEITEM item);
    int IsDir(HTREEITEM item);
    const char* GetSelectedPath();
    const char* GetSelectedName();
    const ITEMIDLIST* GetSelectedRelativeIDL();
    const ITEMIDLIST* GetSelectedFullIDL();
    // Copies the caller frees with the shell allocator.
    ITEMIDLIST* GetTreeSelectedFullIDL();
    ITEMIDLIST* GetTreeSelectedRelativeIDL();

    HTREEITEM FindItem(ITreeNode* node, HTREEITEM start);
    void SortIt(HTREEITEM parent);
    static int CALLBACK CompFunc(LPARAM a, LPARAM b, LPARAM sortParam);

    void SetParentWindow(CWnd* parent) { m_parentWindow = parent; }
    CWnd* GetParentWindow() const { return m_parentWindow; }
    void SetDebugView(bool debugView);
    bool GetDebugView() const { return m_debugView; }
    char* AddPool(const char* text);

    DirTreeDropTarget& GetDropTarget() { return m_dropTarget; }
    // The node an item stands for; null for items without one (those a move made).
    ITreeNode* NodeOf(HTREEITEM item) const;

protected:
    void InitDesktop(UINT flags, int bRemoveRoot);
    void LoadSystemImageList();

    afx_msg void OnItemExpanding(NMHDR* hdr, LRESULT* result);
    afx_msg void OnGetDispInfo(NMHDR* hdr, LRESULT* result);
    afx_msg void OnBeginDrag(NMHDR* hdr, LRESULT* result);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    // Shared by the SelectItem and GetItemFrom forms; `select` makes each step the selection.
    HTREEITEM WalkToIDL(const ITEMIDLIST* pidl, HTREEITEM start, bool select);
    HTREEITEM WalkToPath(const char* path, HTREEITEM start, bool select);
    void Step(HTREEITEM item, bool select);
    HTREEITEM StartItem(const char* path, bool select);
    void EndDragImage();
    void MoveDraggedFile();
    bool IsAncestor(HTREEITEM ancestor, HTREEITEM item) const;

    std::unique_ptr<CImageList> m_dragImage;
    int m_dragging = 0;
    HTREEITEM m_dragItem = nullptr;
    HTREEITEM m_dropItem = nullptr;
    CWnd* m_parentWindow = nullptr;
    std::unique_ptr<ITreeNode> m_root;
    bool m_debugView = false;
    CString m_pool[3];
    int m_poolIndex = -1;
    ITEMIDLIST* m_storedFull = nullptr;
    ITEMIDLIST* m_storedRelative = nullptr;
    DirTreeDropTarget m_dropTarget;
};
