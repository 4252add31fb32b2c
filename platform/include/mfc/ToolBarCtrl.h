// CToolBarCtrl: the "ToolbarWindow32" control.
#pragma once

#include "mfc/Wnd.h"
#include "mfc/Bitmap.h"
#include "mfc/String.h"

class AFX_EXT_CLASS CToolBarCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolBarCtrl)
public:
    CToolBarCtrl() = default;
    ~CToolBarCtrl() override;

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    BOOL EnableButton(int nID, BOOL bEnable = TRUE) { return Msg(TB_ENABLEBUTTON, (WPARAM)nID, MAKELPARAM(bEnable, 0)); }
    BOOL CheckButton(int nID, BOOL bCheck = TRUE) { return Msg(TB_CHECKBUTTON, (WPARAM)nID, MAKELPARAM(bCheck, 0)); }
    BOOL PressButton(int nID, BOOL bPress = TRUE) { return Msg(TB_PRESSBUTTON, (WPARAM)nID, MAKELPARAM(bPress, 0)); }
    BOOL HideButton(int nID, BOOL bHide = TRUE) { return Msg(TB_HIDEBUTTON, (WPARAM)nID, MAKELPARAM(bHide, 0)); }
    BOOL Indeterminate(int nID, BOOL bIndeterminate = TRUE)
    {
        return Msg(TB_INDETERMINATE, (WPARAM)nID, MAKELPARAM(bIndeterminate, 0));
    }
    BOOL MarkButton(int nID, BOOL bHighlight = TRUE) { return Msg(TB_MARKBUTTON, (WPARAM)nID, MAKELPARAM(bHighlight, 0)); }
    BOOL IsButtonEnabled(int nID) const { return Msg(TB_ISBUTTONENABLED, (WPARAM)nID) > 0; }
    BOOL IsButtonChecked(int nID) const { return Msg(TB_ISBUTTONCHECKED, (WPARAM)nID) > 0; }
    BOOL IsButtonPressed(int nID) const { return Msg(TB_ISBUTTONPRESSED, (WPARAM)nID) > 0; }
    BOOL IsButtonHidden(int nID) const { return Msg(TB_ISBUTTONHIDDEN, (WPARAM)nID) > 0; }
    BOOL IsButtonIndeterminate(int nID) const { return Msg(TB_ISBUTTONINDETERMINATE, (WPARAM)nID) > 0; }
    BOOL IsButtonHighlighted(int nID) const { return Msg(TB_ISBUTTONHIGHLIGHTED, (WPARAM)nID) > 0; }
    BOOL SetState(int nID, UINT nState) { return Msg(TB_SETSTATE, (WPARAM)nID, MAKELPARAM(nState, 0)); }
    int GetState(int nID) const { return Msg(TB_GETSTATE, (WPARAM)nID); }
    BOOL GetButton(int nIndex, LPTBBUTTON lpButton) const { return Msg(TB_GETBUTTON, (WPARAM)nIndex, (LPARAM)lpButton); }
    int GetButtonCount() const { return Msg(TB_BUTTONCOUNT); }
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const { return Msg(TB_GETITEMRECT, (WPARAM)nIndex, (LPARAM)lpRect); }
    BOOL GetRect(int nID, LPRECT lpRect) const { return Msg(TB_GETRECT, (WPARAM)nID, (LPARAM)lpRect); }
    void SetButtonStructSize(int nSize) { Msg(TB_BUTTONSTRUCTSIZE, (WPARAM)nSize); }
    BOOL SetButtonSize(CSize size) { return Msg(TB_SETBUTTONSIZE, 0, MAKELPARAM(size.cx, size.cy)); }
    BOOL SetBitmapSize(CSize size) { return Msg(TB_SETBITMAPSIZE, 0, MAKELPARAM(size.cx, size.cy)); }
    DWORD GetButtonSize() const { return (DWORD)Msg(TB_GETBUTTONSIZE); }
    void AutoSize() { Msg(TB_AUTOSIZE); }
    int AddBitmap(int nNumButtons, UINT nBitmapID);
    int AddBitmap(int nNumButtons, CBitmap* pBitmap);
    BOOL ReplaceBitmap(LPTBREPLACEBITMAP pReplaceBitmap) { return Msg(TB_REPLACEBITMAP, 0, (LPARAM)pReplaceBitmap); }
    BOOL AddButtons(int nNumButtons, LPTBBUTTON lpButtons)
    {
        return Msg(TB_ADDBUTTONS, (WPARAM)nNumButtons, (LPARAM)lpButtons);
    }
    BOOL InsertButton(int nIndex, LPTBBUTTON lpButton) { return Msg(TB_INSERTBUTTON, (WPARAM)nIndex, (LPARAM)lpButton); }
    BOOL DeleteButton(int nIndex) { return Msg(TB_DELETEBUTTON, (WPARAM)nIndex); }
    BOOL MoveButton(UINT nOldPos, UINT nNewPos) { return Msg(TB_MOVEBUTTON, (WPARAM)nOldPos, (LPARAM)nNewPos); }
    UINT CommandToIndex(UINT nID) const { return (UINT)Msg(TB_COMMANDTOINDEX, (WPARAM)nID); }
    int AddString(UINT nStringID);
    int AddStrings(LPCSTR lpszStrings) { return Msg(TB_ADDSTRING, 0, (LPARAM)lpszStrings); }
    void SetOwner(CWnd* pWnd) { Msg(TB_SETPARENT, (WPARAM)(pWnd ? pWnd->m_hWnd : nullptr)); }
    void SetRows(int nRows, BOOL bLarger, LPRECT lpRect)
    {
        Msg(TB_SETROWS, MAKEWPARAM(nRows, bLarger), (LPARAM)lpRect);
    }
    int GetRows() const { return Msg(TB_GETROWS); }
    BOOL SetCmdID(int nIndex, UINT nID) { return Msg(TB_SETCMDID, (WPARAM)nIndex, (LPARAM)nID); }
    BOOL ChangeBitmap(int idButton, int iBitmap) { return Msg(TB_CHANGEBITMAP, (WPARAM)idButton, MAKELPARAM(iBitmap, 0)); }
    int GetBitmap(int nID) const { return Msg(TB_GETBITMAP, (WPARAM)nID); }
    int GetButtonText(UINT nID, LPSTR lpszText) const { return Msg(TB_GETBUTTONTEXT, (WPARAM)nID, (LPARAM)lpszText); }
    CString GetButtonText(UINT nID) const;
    BOOL GetButtonInfo(int nID, TBBUTTONINFO* ptbbi) const { return Msg(TB_GETBUTTONINFO, (WPARAM)nID, (LPARAM)ptbbi) >= 0; }
    BOOL SetButtonInfo(int nID, TBBUTTONINFO* ptbbi) { return Msg(TB_SETBUTTONINFO, (WPARAM)nID, (LPARAM)ptbbi); }
    BOOL SetIndent(int iIndent) { return Msg(TB_SETINDENT, (WPARAM)iIndent); }
    BOOL SetMaxTextRows(int iMaxRows) { return Msg(TB_SETMAXTEXTROWS, (WPARAM)iMaxRows); }
    void SetStyle(DWORD dwStyle) { Msg(TB_SETSTYLE, 0, (LPARAM)dwStyle); }
    DWORD GetStyle() const { return (DWORD)Msg(TB_GETSTYLE); }
    DWORD SetExtendedStyle(DWORD dwExStyle) { return (DWORD)Msg(TB_SETEXTENDEDSTYLE, 0, (LPARAM)dwExStyle); }
    DWORD GetExtendedStyle() const { return (DWORD)Msg(TB_GETEXTENDEDSTYLE); }
    BOOL GetMaxSize(LPSIZE pSize) const { return Msg(TB_GETMAXSIZE, 0, (LPARAM)pSize); }
    int GetHotItem() const { return Msg(TB_GETHOTITEM); }
    int SetHotItem(int nHot) { return Msg(TB_SETHOTITEM, (WPARAM)nHot); }
    int HitTest(LPPOINT ppt) const { return Msg(TB_HITTEST, 0, (LPARAM)ppt); }
    DWORD SetDrawTextFlags(DWORD dwMask, DWORD dwDTFlags)
    {
        return (DWORD)Msg(TB_SETDRAWTEXTFLAGS, (WPARAM)dwMask, (LPARAM)dwDTFlags);
    }
    DWORD GetPadding() const { return (DWORD)Msg(TB_GETPADDING); }
    DWORD SetPadding(int cx, int cy) { return (DWORD)Msg(TB_SETPADDING, 0, MAKELPARAM(cx, cy)); }
    HIMAGELIST SetImageList(HIMAGELIST hList) { return (HIMAGELIST)::SendMessage(m_hWnd, TB_SETIMAGELIST, 0, (LPARAM)hList); }
    HIMAGELIST SetHotImageList(HIMAGELIST hList)
    {
        return (HIMAGELIST)::SendMessage(m_hWnd, TB_SETHOTIMAGELIST, 0, (LPARAM)hList);
    }
    HIMAGELIST SetDisabledImageList(HIMAGELIST hList)
    {
        return (HIMAGELIST)::SendMessage(m_hWnd, TB_SETDISABLEDIMAGELIST, 0, (LPARAM)hList);
    }

private:
    int Msg(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return (int)::SendMessage(m_hWnd, msg, wParam, lParam);
    }
};
