#include "mfc.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)

namespace {

// The framework object attached to a child, or `name` pointed at it.
template <typename T>
T* NamedChild(HWND hwnd, T& name)
{
    if (!hwnd)
        return nullptr;
    if (T* attached = dynamic_cast<T*>(CWnd::FromHandlePermanent(hwnd)))
        return attached;
    name.m_hWnd = hwnd;
    return &name;
}

}  // namespace

CTreeCtrl::~CTreeCtrl()
{
    m_editName.m_hWnd = nullptr;
    DestroyWindow();
}

BOOL CTreeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_TREEVIEW, nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM hItem) const
{
    TVITEM item = {TVIF_CHILDREN | TVIF_HANDLE};
    item.hItem = hItem;
    return GetItem(&item) && item.cChildren != 0;
}

BOOL CTreeCtrl::SetItem(HTREEITEM hItem, UINT nMask, LPCSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                        UINT nStateMask, LPARAM lParam)
{
    TVITEM item = {};
    item.mask = nMask | TVIF_HANDLE;
    item.hItem = hItem;
    item.pszText = (LPSTR)lpszItem;
    item.iImage = nImage;
    item.iSelectedImage = nSelectedImage;
    item.state = nState;
    item.stateMask = nStateMask;
    item.lParam = lParam;
    return SetItem(&item);
}

CString CTreeCtrl::GetItemText(HTREEITEM hItem) const
{
    char buffer[1024] = "";
    TVITEM item = {TVIF_TEXT | TVIF_HANDLE};
    item.hItem = hItem;
    item.pszText = buffer;
    item.cchTextMax = (int)sizeof(buffer);
    GetItem(&item);
    return CString(buffer);
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const
{
    TVITEM item = {TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE};
    item.hItem = hItem;
    if (!GetItem(&item))
        return FALSE;
    nImage = item.iImage;
    nSelectedImage = item.iSelectedImage;
    return TRUE;
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM hItem) const
{
    TVITEM item = {TVIF_PARAM | TVIF_HANDLE};
    item.hItem = hItem;
    GetItem(&item);
    return (DWORD_PTR)item.lParam;
}

BOOL CTreeCtrl::GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const
{
    if (!lpRect)
        return FALSE;
    memcpy(lpRect, &hItem, sizeof(hItem));  // the item travels in the rectangle
    return (BOOL)Send(TVM_GETITEMRECT, bTextOnly, (LPARAM)lpRect);
}

CEdit* CTreeCtrl::GetEditControl() const
{
    return NamedChild((HWND)Send(TVM_GETEDITCONTROL), m_editName);
}

HTREEITEM CTreeCtrl::InsertItem(UINT nMask, LPCSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                                UINT nStateMask, LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    TVINSERTSTRUCT tvis = {};
    tvis.hParent = hParent;
    tvis.hInsertAfter = hInsertAfter;
    tvis.item.mask = nMask;
    tvis.item.pszText = (LPSTR)lpszItem;
    tvis.item.iImage = nImage;
    tvis.item.iSelectedImage = nSelectedImage;
    tvis.item.state = nState;
    tvis.item.stateMask = nStateMask;
    tvis.item.lParam = lParam;
    return InsertItem(&tvis);
}

CEdit* CTreeCtrl::EditLabel(HTREEITEM hItem)
{
    return NamedChild((HWND)Send(TVM_EDITLABEL, 0, (LPARAM)hItem), m_editName);
}

HTREEITEM CTreeCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    TVHITTESTINFO hit = {};
    hit.pt = pt;
    HTREEITEM item = HitTest(&hit);
    if (pFlags)
        *pFlags = hit.flags;
    return item;
}

CImageList* CTreeCtrl::CreateDragImage(HTREEITEM hItem)
{
    HIMAGELIST handle = (HIMAGELIST)Send(TVM_CREATEDRAGIMAGE, 0, (LPARAM)hItem);
    if (!handle)
        return nullptr;
    auto* list = new CImageList;
    list->Attach(handle);
    return list;
}
