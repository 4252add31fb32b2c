// CTabCtrl: the "SysTabControl32" control.
#pragma once

#include "mfc/Wnd.h"

class AFX_EXT_CLASS CTabCtrl : public CWnd {
    DECLARE_DYNAMIC(CTabCtrl)
public:
    CTabCtrl() = default;
    ~CTabCtrl() override;

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetItemCount() const { return Msg(TCM_GETITEMCOUNT); }
    BOOL GetItem(int nItem, TCITEM* pTabCtrlItem) const { return Msg(TCM_GETITEM, (WPARAM)nItem, (LPARAM)pTabCtrlItem); }
    BOOL SetItem(int nItem, TCITEM* pTabCtrlItem) { return Msg(TCM_SETITEM, (WPARAM)nItem, (LPARAM)pTabCtrlItem); }
    BOOL SetItemExtra(int nBytes) { return Msg(TCM_SETITEMEXTRA, (WPARAM)nBytes); }
    BOOL GetItemRect(int nItem, LPRECT lpRect) const { return Msg(TCM_GETITEMRECT, (WPARAM)nItem, (LPARAM)lpRect); }
    int GetCurSel() const { return Msg(TCM_GETCURSEL); }
    int SetCurSel(int nItem) { return Msg(TCM_SETCURSEL, (WPARAM)nItem); }
    void SetCurFocus(int nItem) { Msg(TCM_SETCURFOCUS, (WPARAM)nItem); }
    int GetCurFocus() const { return Msg(TCM_GETCURFOCUS); }
    CSize SetItemSize(CSize size)
    {
        DWORD old = (DWORD)::SendMessage(m_hWnd, TCM_SETITEMSIZE, 0, MAKELPARAM(size.cx, size.cy));
        return CSize(LOWORD(old), HIWORD(old));
    }
    void SetPadding(CSize size) { Msg(TCM_SETPADDING, 0, MAKELPARAM(size.cx, size.cy)); }
    int GetRowCount() const { return Msg(TCM_GETROWCOUNT); }
    int SetMinTabWidth(int cx) { return Msg(TCM_SETMINTABWIDTH, 0, (LPARAM)cx); }
    DWORD GetExtendedStyle() const { return (DWORD)Msg(TCM_GETEXTENDEDSTYLE); }
    DWORD SetExtendedStyle(DWORD dwNewStyle, DWORD dwExMask = 0)
    {
        return (DWORD)Msg(TCM_SETEXTENDEDSTYLE, (WPARAM)dwExMask, (LPARAM)dwNewStyle);
    }

    LONG InsertItem(int nItem, TCITEM* pTabCtrlItem) { return Msg(TCM_INSERTITEM, (WPARAM)nItem, (LPARAM)pTabCtrlItem); }
    LONG InsertItem(int nItem, LPCSTR lpszItem) { return InsertItem(TCIF_TEXT, nItem, lpszItem, 0, 0); }
    LONG InsertItem(int nItem, LPCSTR lpszItem, int nImage)
    {
        return InsertItem(TCIF_TEXT | TCIF_IMAGE, nItem, lpszItem, nImage, 0);
    }
    LONG InsertItem(UINT nMask, int nItem, LPCSTR lpszItem, int nImage, LPARAM lParam);
    BOOL DeleteItem(int nItem) { return Msg(TCM_DELETEITEM, (WPARAM)nItem); }
    BOOL DeleteAllItems() { return Msg(TCM_DELETEALLITEMS); }
    void AdjustRect(BOOL bLarger, LPRECT lpRect) { Msg(TCM_ADJUSTRECT, (WPARAM)bLarger, (LPARAM)lpRect); }
    void RemoveImage(int nImage) { Msg(TCM_REMOVEIMAGE, (WPARAM)nImage); }
    int HitTest(TCHITTESTINFO* pHitTestInfo) const { return Msg(TCM_HITTEST, 0, (LPARAM)pHitTestInfo); }
    void DeselectAll(BOOL fExcludeFocus) { Msg(TCM_DESELECTALL, (WPARAM)fExcludeFocus); }
    BOOL HighlightItem(int idItem, BOOL fHighlight = TRUE)
    {
        return Msg(TCM_HIGHLIGHTITEM, (WPARAM)idItem, MAKELPARAM(fHighlight, 0));
    }

    // TCS_OWNERDRAWFIXED tabs draw here.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    int Msg(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return (int)::SendMessage(m_hWnd, msg, wParam, lParam);
    }
};
