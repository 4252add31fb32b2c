// CComboBox: the "ComboBox" control.
#pragma once

#include "mfc/Wnd.h"
#include "mfc/String.h"

class AFX_EXT_CLASS CComboBox : public CWnd {
    DECLARE_DYNAMIC(CComboBox)
public:
    CComboBox() = default;
    ~CComboBox() override;

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetCount() const { return Msg(CB_GETCOUNT); }
    int GetCurSel() const { return Msg(CB_GETCURSEL); }
    int SetCurSel(int nSelect) { return Msg(CB_SETCURSEL, (WPARAM)nSelect); }
    DWORD GetEditSel() const { return (DWORD)::SendMessage(m_hWnd, CB_GETEDITSEL, 0, 0); }
    BOOL LimitText(int nMaxChars) { return Msg(CB_LIMITTEXT, (WPARAM)nMaxChars); }
    BOOL SetEditSel(int nStartChar, int nEndChar)
    {
        return Msg(CB_SETEDITSEL, 0, MAKELPARAM(nStartChar, nEndChar));
    }
    DWORD_PTR GetItemData(int nIndex) const
    {
        return (DWORD_PTR)::SendMessage(m_hWnd, CB_GETITEMDATA, (WPARAM)nIndex, 0);
    }
    int SetItemData(int nIndex, DWORD_PTR dwItemData) { return Msg(CB_SETITEMDATA, (WPARAM)nIndex, (LPARAM)dwItemData); }
    void* GetItemDataPtr(int nIndex) const { return (void*)GetItemData(nIndex); }
    int SetItemDataPtr(int nIndex, void* pData) { return SetItemData(nIndex, (DWORD_PTR)pData); }
    int GetLBText(int nIndex, LPSTR lpszText) const { return Msg(CB_GETLBTEXT, (WPARAM)nIndex, (LPARAM)lpszText); }
    void GetLBText(int nIndex, CString& rString) const;
    int GetLBTextLen(int nIndex) const { return Msg(CB_GETLBTEXTLEN, (WPARAM)nIndex); }
    int SetItemHeight(int nIndex, UINT cyItemHeight)
    {
        return Msg(CB_SETITEMHEIGHT, (WPARAM)nIndex, MAKELPARAM(cyItemHeight, 0));
    }
    int GetItemHeight(int nIndex) const { return Msg(CB_GETITEMHEIGHT, (WPARAM)nIndex); }
    int FindStringExact(int nIndexStart, LPCSTR lpszFind) const
    {
        return Msg(CB_FINDSTRINGEXACT, (WPARAM)nIndexStart, (LPARAM)lpszFind);
    }
    int SetExtendedUI(BOOL bExtended = TRUE) { return Msg(CB_SETEXTENDEDUI, bExtended); }
    BOOL GetExtendedUI() const { return Msg(CB_GETEXTENDEDUI); }
    void GetDroppedControlRect(LPRECT lprect) const { Msg(CB_GETDROPPEDCONTROLRECT, 0, (LPARAM)lprect); }
    BOOL GetDroppedState() const { return Msg(CB_GETDROPPEDSTATE); }
    LCID GetLocale() const { return (LCID)Msg(CB_GETLOCALE); }
    LCID SetLocale(LCID nNewLocale) { return (LCID)Msg(CB_SETLOCALE, (WPARAM)nNewLocale); }
    int GetTopIndex() const { return Msg(CB_GETTOPINDEX); }
    int SetTopIndex(int nIndex) { return Msg(CB_SETTOPINDEX, (WPARAM)nIndex); }
    int InitStorage(int nItems, UINT nBytes) { return Msg(CB_INITSTORAGE, (WPARAM)nItems, (LPARAM)nBytes); }
    void SetHorizontalExtent(UINT nExtent) { Msg(CB_SETHORIZONTALEXTENT, nExtent); }
    UINT GetHorizontalExtent() const { return (UINT)Msg(CB_GETHORIZONTALEXTENT); }
    int SetDroppedWidth(UINT nWidth) { return Msg(CB_SETDROPPEDWIDTH, nWidth); }
    int GetDroppedWidth() const { return Msg(CB_GETDROPPEDWIDTH); }

    void ShowDropDown(BOOL bShowIt = TRUE) { Msg(CB_SHOWDROPDOWN, bShowIt); }
    int AddString(LPCSTR lpszString) { return Msg(CB_ADDSTRING, 0, (LPARAM)lpszString); }
    int DeleteString(UINT nIndex) { return Msg(CB_DELETESTRING, nIndex); }
    int InsertString(int nIndex, LPCSTR lpszString) { return Msg(CB_INSERTSTRING, (WPARAM)nIndex, (LPARAM)lpszString); }
    void ResetContent() { Msg(CB_RESETCONTENT); }
    int Dir(UINT attr, LPCSTR lpszWildCard) { return Msg(CB_DIR, attr, (LPARAM)lpszWildCard); }
    int FindString(int nStartAfter, LPCSTR lpszString) const
    {
        return Msg(CB_FINDSTRING, (WPARAM)nStartAfter, (LPARAM)lpszString);
    }
    int SelectString(int nStartAfter, LPCSTR lpszString)
    {
        return Msg(CB_SELECTSTRING, (WPARAM)nStartAfter, (LPARAM)lpszString);
    }
    void Clear() { Msg(WM_CLEAR); }
    void Copy() { Msg(WM_COPY); }
    void Cut() { Msg(WM_CUT); }
    void Paste() { Msg(WM_PASTE); }

    // Owner-drawn combo boxes draw, measure, compare and delete here.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    virtual int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct);
    virtual void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    int Msg(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return (int)::SendMessage(m_hWnd, msg, wParam, lParam);
    }
};
