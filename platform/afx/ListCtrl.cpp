#include "mfc.h"

#include <string>

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

namespace {

// Longest text GetItemText(CString) reads back.
const int kMaxItemText = 64 * 1024;

}  // namespace

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

CListCtrl::~CListCtrl()
{
    m_headerName.m_hWnd = nullptr;
    m_editName.m_hWnd = nullptr;
    DestroyWindow();
}

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_LISTVIEW, nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CListCtrl::SetItem(int nItem, int nSubItem, UINT nMask, LPCSTR lpszItem, int nImage, UINT nState,
                        UINT nStateMask, LPARAM lParam)
{
    LVITEM item = {};
    item.mask = nMask;
    item.iItem = nItem;
    item.iSubItem = nSubItem;
    item.pszText = (LPSTR)lpszItem;
    item.iImage = nImage;
    item.state = nState;
    item.stateMask = nStateMask;
    item.lParam = lParam;
    return SetItem(&item);
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask)
{
    LVITEM item = {};
    item.state = nState;
    item.stateMask = nMask;
    return SetItemState(nItem, &item);
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    std::string buffer(256, '\0');
    for (;;) {
        LVITEM item = {};
        item.iSubItem = nSubItem;
        item.pszText = &buffer[0];
        item.cchTextMax = (int)buffer.size();
        int n = (int)Send(LVM_GETITEMTEXT, (WPARAM)nItem, (LPARAM)&item);
        if (n < (int)buffer.size() - 2 || (int)buffer.size() >= kMaxItemText)
            return CString(buffer.c_str());
        buffer.assign(buffer.size() * 4, '\0');
    }
}

int CListCtrl::GetItemText(int nItem, int nSubItem, LPSTR lpszText, int nLen) const
{
    LVITEM item = {};
    item.iSubItem = nSubItem;
    item.pszText = lpszText;
    item.cchTextMax = nLen;
    return (int)Send(LVM_GETITEMTEXT, (WPARAM)nItem, (LPARAM)&item);
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCSTR lpszText)
{
    LVITEM item = {};
    item.iSubItem = nSubItem;
    item.pszText = (LPSTR)lpszText;
    return (BOOL)Send(LVM_SETITEMTEXT, (WPARAM)nItem, (LPARAM)&item);
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const
{
    LVITEM item = {LVIF_PARAM};
    item.iItem = nItem;
    GetItem(&item);
    return (DWORD_PTR)item.lParam;
}

int CListCtrl::InsertItem(UINT nMask, int nItem, LPCSTR lpszItem, UINT nState, UINT nStateMask, int nImage,
                          LPARAM lParam)
{
    LVITEM item = {};
    item.mask = nMask;
    item.iItem = nItem;
    item.pszText = (LPSTR)lpszItem;
    item.state = nState;
    item.stateMask = nStateMask;
    item.iImage = nImage;
    item.lParam = lParam;
    return InsertItem(&item);
}

POSITION CListCtrl::GetFirstSelectedItemPosition() const
{
    return (POSITION)(INT_PTR)(1 + GetNextItem(-1, LVNI_SELECTED));
}

int CListCtrl::GetNextSelectedItem(POSITION& pos) const
{
    int index = (int)(INT_PTR)pos - 1;
    pos = (POSITION)(INT_PTR)(1 + GetNextItem(index, LVNI_SELECTED));
    return index;
}

BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const
{
    if (!lpRect)
        return FALSE;
    lpRect->left = (LONG)nCode;
    return (BOOL)Send(LVM_GETITEMRECT, (WPARAM)nItem, (LPARAM)lpRect);
}

BOOL CListCtrl::GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref)
{
    RECT rc = {nArea, iSubItem, 0, 0};
    BOOL ok = (BOOL)Send(LVM_GETSUBITEMRECT, (WPARAM)iItem, (LPARAM)&rc);
    if (ok)
        ref = rc;
    return ok;
}

int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    LVHITTESTINFO hit = {};
    hit.pt = pt;
    int index = HitTest(&hit);
    if (pFlags)
        *pFlags = hit.flags;
    return index;
}

CEdit* CListCtrl::EditLabel(int nItem)
{
    return NamedChild((HWND)Send(LVM_EDITLABEL, (WPARAM)nItem), m_editName);
}

CEdit* CListCtrl::GetEditControl() const
{
    return NamedChild((HWND)Send(LVM_GETEDITCONTROL), m_editName);
}

int CListCtrl::InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem)
{
    LVCOLUMN col = {};
    col.mask = LVCF_TEXT | LVCF_FMT;
    col.pszText = (LPSTR)lpszColumnHeading;
    col.fmt = nFormat;
    if (nWidth != -1) {
        col.mask |= LVCF_WIDTH;
        col.cx = nWidth;
    }
    if (nSubItem != -1) {
        col.mask |= LVCF_SUBITEM;
        col.iSubItem = nSubItem;
    }
    return InsertColumn(nCol, &col);
}

CHeaderCtrl* CListCtrl::GetHeaderCtrl()
{
    return NamedChild((HWND)Send(LVM_GETHEADER), m_headerName);
}

BOOL CListCtrl::GetColumnOrderArray(LPINT piArray, int iCount)
{
    if (iCount < 0) {
        HWND header = (HWND)Send(LVM_GETHEADER);
        iCount = (int)::SendMessage(header, HDM_GETITEMCOUNT, 0, 0);
    }
    return (BOOL)Send(LVM_GETCOLUMNORDERARRAY, (WPARAM)iCount, (LPARAM)piArray);
}
