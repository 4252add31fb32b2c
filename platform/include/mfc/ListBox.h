// CListBox: the "ListBox" control.
#pragma once

#include "mfc/Wnd.h"
#include "mfc/String.h"

class AFX_EXT_CLASS CListBox : public CWnd {
    DECLARE_DYNAMIC(CListBox)
public:
    CListBox() = default;
    ~CListBox() override;

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetCount() const { return Msg(LB_GETCOUNT); }
    int GetHorizontalExtent() const { return Msg(LB_GETHORIZONTALEXTENT); }
    void SetHorizontalExtent(int cxExtent) { Msg(LB_SETHORIZONTALEXTENT, (WPARAM)cxExtent); }
    int GetTopIndex() const { return Msg(LB_GETTOPINDEX); }
    int SetTopIndex(int nIndex) { return Msg(LB_SETTOPINDEX, (WPARAM)nIndex); }
    DWORD_PTR GetItemData(int nIndex) const
    {
        return (DWORD_PTR)::SendMessage(m_hWnd, LB_GETITEMDATA, (WPARAM)nIndex, 0);
    }
    void* GetItemDataPtr(int nIndex) const { return (void*)GetItemData(nIndex); }
    int SetItemData(int nIndex, DWORD_PTR dwItemData) { return Msg(LB_SETITEMDATA, (WPARAM)nIndex, (LPARAM)dwItemData); }
    int SetItemDataPtr(int nIndex, void* pData) { return SetItemData(nIndex, (DWORD_PTR)pData); }
    int GetItemRect(int nIndex, LPRECT lpRect) const { return Msg(LB_GETITEMRECT, (WPARAM)nIndex, (LPARAM)lpRect); }
    int GetSel(int nIndex) const { return Msg(LB_GETSEL, (WPARAM)nIndex); }
    int GetText(int nIndex, LPSTR lpszBuffer) const { return Msg(LB_GETTEXT, (WPARAM)nIndex, (LPARAM)lpszBuffer); }
    void GetText(int nIndex, CString& rString) const;
    int GetTextLen(int nIndex) const { return Msg(LB_GETTEXTLEN, (WPARAM)nIndex); }
    void SetColumnWidth(int cxWidth) { Msg(LB_SETCOLUMNWIDTH, (WPARAM)cxWidth); }
    BOOL SetTabStops(int nTabStops, LPINT rgTabStops) { return Msg(LB_SETTABSTOPS, (WPARAM)nTabStops, (LPARAM)rgTabStops); }
    void SetTabStops() { Msg(LB_SETTABSTOPS); }
    BOOL SetTabStops(const int& cxEachStop) { return Msg(LB_SETTABSTOPS, 1, (LPARAM)(LPINT)&cxEachStop); }
    int SetItemHeight(int nIndex, UINT cyItemHeight)
    {
        return Msg(LB_SETITEMHEIGHT, (WPARAM)nIndex, MAKELPARAM(cyItemHeight, 0));
    }
    int GetItemHeight(int nIndex) const { return Msg(LB_GETITEMHEIGHT, (WPARAM)nIndex); }
    UINT ItemFromPoint(CPoint pt, BOOL& bOutside) const;
    int GetCaretIndex() const { return Msg(LB_GETCARETINDEX); }
    int SetCaretIndex(int nIndex, BOOL bScroll = TRUE) { return Msg(LB_SETCARETINDEX, (WPARAM)nIndex, bScroll); }
    LCID GetLocale() const { return (LCID)Msg(LB_GETLOCALE); }
    LCID SetLocale(LCID nNewLocale) { return (LCID)Msg(LB_SETLOCALE, (WPARAM)nNewLocale); }
    int InitStorage(int nItems, UINT nBytes) { return Msg(LB_INITSTORAGE, (WPARAM)nItems, (LPARAM)nBytes); }

    // Single selection.
    int GetCurSel() const { return Msg(LB_GETCURSEL); }
    int SetCurSel(int nSelect) { return Msg(LB_SETCURSEL, (WPARAM)nSelect); }
    // Multiple selection.
    int SetSel(int nIndex, BOOL bSelect = TRUE) { return Msg(LB_SETSEL, bSelect, (LPARAM)nIndex); }
    int GetSelCount() const { return Msg(LB_GETSELCOUNT); }
    int GetSelItems(int nMaxItems, LPINT rgIndex) const { return Msg(LB_GETSELITEMS, (WPARAM)nMaxItems, (LPARAM)rgIndex); }
    int SelItemRange(BOOL bSelect, int nFirstItem, int nLastItem);
    void SetAnchorIndex(int nIndex) { Msg(LB_SETANCHORINDEX, (WPARAM)nIndex); }
    int GetAnchorIndex() const { return Msg(LB_GETANCHORINDEX); }

    int AddString(LPCSTR lpszItem) { return Msg(LB_ADDSTRING, 0, (LPARAM)lpszItem); }
    int DeleteString(UINT nIndex) { return Msg(LB_DELETESTRING, nIndex); }
    int InsertString(int nIndex, LPCSTR lpszItem) { return Msg(LB_INSERTSTRING, (WPARAM)nIndex, (LPARAM)lpszItem); }
    void ResetContent() { Msg(LB_RESETCONTENT); }
    int Dir(UINT attr, LPCSTR lpszWildCard) { return Msg(LB_DIR, attr, (LPARAM)lpszWildCard); }
    int FindString(int nStartAfter, LPCSTR lpszItem) const
    {
        return Msg(LB_FINDSTRING, (WPARAM)nStartAfter, (LPARAM)lpszItem);
    }
    int SelectString(int nStartAfter, LPCSTR lpszItem)
    {
        return Msg(LB_SELECTSTRING, (WPARAM)nStartAfter, (LPARAM)lpszItem);
    }
    int FindStringExact(int nIndexStart, LPCSTR lpszFind) const
    {
        return Msg(LB_FINDSTRINGEXACT, (WPARAM)nIndexStart, (LPARAM)lpszFind);
    }

    // Owner-drawn lists draw, measure, compare and delete here.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    virtual int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct);
    virtual void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct);
    virtual int VKeyToItem(UINT nKey, UINT nIndex);
    virtual int CharToItem(UINT nKey, UINT nIndex);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    int Msg(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return (int)::SendMessage(m_hWnd, msg, wParam, lParam);
    }
};
