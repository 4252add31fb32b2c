// CStatusBarCtrl: the "msctls_statusbar32" control.
#pragma once

#include "mfc/Wnd.h"
#include "mfc/String.h"

class AFX_EXT_CLASS CStatusBarCtrl : public CWnd {
    DECLARE_DYNAMIC(CStatusBarCtrl)
public:
    CStatusBarCtrl() = default;
    ~CStatusBarCtrl() override;

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    BOOL SetText(LPCSTR lpszText, int nPane, int nType)
    {
        return Msg(SB_SETTEXT, (WPARAM)(nPane | nType), (LPARAM)lpszText);
    }
    // The text's length; `pType` receives its drawing kind.
    int GetText(LPSTR lpszText, int nPane, int* pType = nullptr) const;
    CString GetText(int nPane, int* pType = nullptr) const;
    int GetTextLength(int nPane, int* pType = nullptr) const;
    BOOL SetParts(int nParts, int* pWidths) { return Msg(SB_SETPARTS, (WPARAM)nParts, (LPARAM)pWidths); }
    int GetParts(int nParts, int* pParts) const { return Msg(SB_GETPARTS, (WPARAM)nParts, (LPARAM)pParts); }
    BOOL GetBorders(int* pBorders) const { return Msg(SB_GETBORDERS, 0, (LPARAM)pBorders); }
    BOOL GetBorders(int& nHorz, int& nVert, int& nSpacing) const;
    void SetMinHeight(int nMin) { Msg(SB_SETMINHEIGHT, (WPARAM)nMin); }
    BOOL SetSimple(BOOL bSimple = TRUE)
    {
        Msg(SB_SIMPLE, (WPARAM)bSimple);
        return TRUE;
    }
    BOOL IsSimple() const { return Msg(SB_ISSIMPLE); }
    BOOL GetRect(int nPane, LPRECT lpRect) const { return Msg(SB_GETRECT, (WPARAM)nPane, (LPARAM)lpRect); }
    BOOL SetIcon(int nPane, HICON hIcon) { return Msg(SB_SETICON, (WPARAM)nPane, (LPARAM)hIcon); }
    HICON GetIcon(int nPane) const { return (HICON)::SendMessage(m_hWnd, SB_GETICON, (WPARAM)nPane, 0); }
    COLORREF SetBkColor(COLORREF cr) { return (COLORREF)Msg(SB_SETBKCOLOR, 0, (LPARAM)cr); }
    void SetTipText(int nPane, LPCSTR pszTipText) { Msg(SB_SETTIPTEXT, (WPARAM)nPane, (LPARAM)pszTipText); }
    CString GetTipText(int nPane) const;

    // SBT_OWNERDRAW parts draw here.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    int Msg(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return (int)::SendMessage(m_hWnd, msg, wParam, lParam);
    }
};
