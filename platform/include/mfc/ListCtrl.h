// CListCtrl: the "SysListView32" control.
#pragma once

#include "mfc/Wnd.h"
#include "mfc/String.h"
#include "mfc/ImageList.h"
#include "mfc/Size.h"
#include "mfc/Edit.h"
#include "mfc/HeaderCtrl.h"

class AFX_EXT_CLASS CListCtrl : public CWnd {
    DECLARE_DYNAMIC(CListCtrl)
public:
    CListCtrl() = default;
    ~CListCtrl() override;

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    COLORREF GetBkColor() const { return (COLORREF)Send(LVM_GETBKCOLOR); }
    BOOL SetBkColor(COLORREF cr) { return (BOOL)Send(LVM_SETBKCOLOR, 0, (LPARAM)cr); }
    COLORREF GetTextColor() const { return (COLORREF)Send(LVM_GETTEXTCOLOR); }
    BOOL SetTextColor(COLORREF cr) { return (BOOL)Send(LVM_SETTEXTCOLOR, 0, (LPARAM)cr); }
    COLORREF GetTextBkColor() const { return (COLORREF)Send(LVM_GETTEXTBKCOLOR); }
    BOOL SetTextBkColor(COLORREF cr) { return (BOOL)Send(LVM_SETTEXTBKCOLOR, 0, (LPARAM)cr); }
    CImageList* GetImageList(int nImageList) const
    {
        return CImageList::FromHandle((HIMAGELIST)Send(LVM_GETIMAGELIST, (WPARAM)nImageList));
    }
    CImageList* SetImageList(CImageList* pImageList, int nImageListType)
    {
        return CImageList::FromHandle(
            (HIMAGELIST)Send(LVM_SETIMAGELIST, (WPARAM)nImageListType, (LPARAM)pImageList->GetSafeHandle()));
    }
    int GetItemCount() const { return (int)Send(LVM_GETITEMCOUNT); }
    BOOL GetItem(LVITEM* pItem) const { return (BOOL)Send(LVM_GETITEM, 0, (LPARAM)pItem); }
    BOOL SetItem(const LVITEM* pItem) { return (BOOL)Send(LVM_SETITEM, 0, (LPARAM)pItem); }
    BOOL SetItem(int nItem, int nSubItem, UINT nMask, LPCSTR lpszItem, int nImage, UINT nState, UINT nStateMask,
                 LPARAM lParam);
    UINT GetItemState(int nItem, UINT nMask) const { return (UINT)Send(LVM_GETITEMSTATE, (WPARAM)nItem, (LPARAM)nMask); }
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    BOOL SetItemState(int nItem, LVITEM* pItem) { return (BOOL)Send(LVM_SETITEMSTATE, (WPARAM)nItem, (LPARAM)pItem); }
    CString GetItemText(int nItem, int nSubItem) const;
    int GetItemText(int nItem, int nSubItem, LPSTR lpszText, int nLen) const;
    BOOL SetItemText(int nItem, int nSubItem, LPCSTR lpszText);
    DWORD_PTR GetItemData(int nItem) const;
    BOOL SetItemData(int nItem, DWORD_PTR dwData) { return SetItem(nItem, 0, LVIF_PARAM, nullptr, 0, 0, 0, (LPARAM)dwData); }
    int InsertItem(const LVITEM* pItem) { return (int)Send(LVM_INSERTITEM, 0, (LPARAM)pItem); }
    int InsertItem(int nItem, LPCSTR lpszItem) { return InsertItem(LVIF_TEXT, nItem, lpszItem, 0, 0, 0, 0); }
    int InsertItem(int nItem, LPCSTR lpszItem, int nImage)
    {
        return InsertItem(LVIF_TEXT | LVIF_IMAGE, nItem, lpszItem, 0, 0, nImage, 0);
    }
    int InsertItem(UINT nMask, int nItem, LPCSTR lpszItem, UINT nState, UINT nStateMask, int nImage, LPARAM lParam);
    BOOL DeleteItem(int nItem) { return (BOOL)Send(LVM_DELETEITEM, (WPARAM)nItem); }
    BOOL DeleteAllItems() { return (BOOL)Send(LVM_DELETEALLITEMS); }
    int GetNextItem(int nItem, int nFlags) const { return (int)Send(LVM_GETNEXTITEM, (WPARAM)nItem, MAKELPARAM(nFlags, 0)); }
    POSITION GetFirstSelectedItemPosition() const;
    int GetNextSelectedItem(POSITION& pos) const;
    int FindItem(LVFINDINFO* pFindInfo, int nStart = -1) const { return (int)Send(LVM_FINDITEM, (WPARAM)nStart, (LPARAM)pFindInfo); }
    BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const;
    BOOL GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref);
    int HitTest(LVHITTESTINFO* pHitTestInfo) const { return (int)Send(LVM_HITTEST, 0, (LPARAM)pHitTestInfo); }
    int HitTest(CPoint pt, UINT* pFlags = nullptr) const;
    int SubItemHitTest(LPLVHITTESTINFO pInfo) { return (int)Send(LVM_SUBITEMHITTEST, 0, (LPARAM)pInfo); }
    BOOL EnsureVisible(int nItem, BOOL bPartialOK) { return (BOOL)Send(LVM_ENSUREVISIBLE, (WPARAM)nItem, bPartialOK); }
    BOOL Scroll(CSize size) { return (BOOL)Send(LVM_SCROLL, (WPARAM)size.cx, (LPARAM)size.cy); }
    BOOL RedrawItems(int nFirst, int nLast) { return (BOOL)Send(LVM_REDRAWITEMS, (WPARAM)nFirst, (LPARAM)nLast); }
    BOOL Update(int nItem) { return (BOOL)Send(LVM_UPDATE, (WPARAM)nItem); }
    CEdit* EditLabel(int nItem);
    CEdit* GetEditControl() const;
    BOOL GetColumn(int nCol, LVCOLUMN* pColumn) const { return (BOOL)Send(LVM_GETCOLUMN, (WPARAM)nCol, (LPARAM)pColumn); }
    BOOL SetColumn(int nCol, const LVCOLUMN* pColumn) { return (BOOL)Send(LVM_SETCOLUMN, (WPARAM)nCol, (LPARAM)pColumn); }
    int InsertColumn(int nCol, const LVCOLUMN* pColumn) { return (int)Send(LVM_INSERTCOLUMN, (WPARAM)nCol, (LPARAM)pColumn); }
    int InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1, int nSubItem = -1);
    BOOL DeleteColumn(int nCol) { return (BOOL)Send(LVM_DELETECOLUMN, (WPARAM)nCol); }
    int GetColumnWidth(int nCol) const { return (int)Send(LVM_GETCOLUMNWIDTH, (WPARAM)nCol); }
    BOOL SetColumnWidth(int nCol, int cx) { return (BOOL)Send(LVM_SETCOLUMNWIDTH, (WPARAM)nCol, MAKELPARAM(cx, 0)); }
    CHeaderCtrl* GetHeaderCtrl();
    int GetTopIndex() const { return (int)Send(LVM_GETTOPINDEX); }
    int GetCountPerPage() const { return (int)Send(LVM_GETCOUNTPERPAGE); }
    UINT GetSelectedCount() const { return (UINT)Send(LVM_GETSELECTEDCOUNT); }
    BOOL SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData) { return (BOOL)Send(LVM_SORTITEMS, (WPARAM)dwData, (LPARAM)pfnCompare); }
    DWORD SetExtendedStyle(DWORD dwNewStyle) { return (DWORD)Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, (LPARAM)dwNewStyle); }
    DWORD GetExtendedStyle() const { return (DWORD)Send(LVM_GETEXTENDEDLISTVIEWSTYLE); }
    BOOL GetCheck(int nItem) const { return ((GetItemState(nItem, LVIS_STATEIMAGEMASK) >> 12) - 1) != 0; }
    BOOL SetCheck(int nItem, BOOL fCheck = TRUE)
    {
        return SetItemState(nItem, INDEXTOSTATEIMAGEMASK(fCheck ? 2 : 1), LVIS_STATEIMAGEMASK);
    }
    int GetSelectionMark() const { return (int)Send(LVM_GETSELECTIONMARK); }
    int SetSelectionMark(int iIndex) { return (int)Send(LVM_SETSELECTIONMARK, 0, (LPARAM)iIndex); }
    BOOL GetColumnOrderArray(LPINT piArray, int iCount = -1);
    BOOL SetColumnOrderArray(int iCount, LPINT piArray) { return (BOOL)Send(LVM_SETCOLUMNORDERARRAY, (WPARAM)iCount, (LPARAM)piArray); }
    int GetStringWidth(LPCSTR lpsz) const { return (int)Send(LVM_GETSTRINGWIDTH, 0, (LPARAM)lpsz); }

protected:
    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const { return ::SendMessage(m_hWnd, msg, wParam, lParam); }

private:
    // Objects of the right class that only name the list's header and label
    // editor when no framework object is attached to them; never attached, never destroyed.
    CHeaderCtrl m_headerName;
    mutable CEdit m_editName;
};
