// CRichEditCtrl: the "RichEdit20A" control.
#pragma once

#include "mfc/Wnd.h"
#include "win32/richedit.h"

class AFX_EXT_CLASS CRichEditCtrl : public CWnd {
    DECLARE_DYNAMIC(CRichEditCtrl)
public:
    CRichEditCtrl() = default;
    ~CRichEditCtrl() override;

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    long GetTextLength() const { return (long)::SendMessage(m_hWnd, WM_GETTEXTLENGTH, 0, 0); }
    int GetLineCount() const { return (int)::SendMessage(m_hWnd, EM_GETLINECOUNT, 0, 0); }
    BOOL GetModify() const { return (BOOL)::SendMessage(m_hWnd, EM_GETMODIFY, 0, 0); }
    void SetModify(BOOL bModified = TRUE) { ::SendMessage(m_hWnd, EM_SETMODIFY, bModified, 0); }
    long LineFromChar(long nIndex) const { return (long)::SendMessage(m_hWnd, EM_EXLINEFROMCHAR, 0, nIndex); }
    int LineIndex(int nLine = -1) const { return (int)::SendMessage(m_hWnd, EM_LINEINDEX, (WPARAM)nLine, 0); }
    void LimitText(long nChars = 0) { ::SendMessage(m_hWnd, EM_EXLIMITTEXT, 0, nChars); }
    long GetLimitText() const { return (long)::SendMessage(m_hWnd, EM_GETLIMITTEXT, 0, 0); }
    BOOL SetReadOnly(BOOL bReadOnly = TRUE) { return (BOOL)::SendMessage(m_hWnd, EM_SETREADONLY, bReadOnly, 0); }
    DWORD GetEventMask() const { return (DWORD)::SendMessage(m_hWnd, EM_GETEVENTMASK, 0, 0); }
    DWORD SetEventMask(DWORD dwEventMask) { return (DWORD)::SendMessage(m_hWnd, EM_SETEVENTMASK, 0, dwEventMask); }
    COLORREF SetBackgroundColor(BOOL bSysColor, COLORREF cr)
    {
        return (COLORREF)::SendMessage(m_hWnd, EM_SETBKGNDCOLOR, bSysColor, cr);
    }
    BOOL SetTargetDevice(HDC hDC, long lLineWidth)
    {
        return (BOOL)::SendMessage(m_hWnd, EM_SETTARGETDEVICE, (WPARAM)hDC, lLineWidth);
    }
    void HideSelection(BOOL bHide, BOOL bPerm) { ::SendMessage(m_hWnd, EM_HIDESELECTION, bHide, bPerm); }

    // The selection.
    void GetSel(CHARRANGE& cr) const { ::SendMessage(m_hWnd, EM_EXGETSEL, 0, (LPARAM)&cr); }
    void GetSel(long& nStartChar, long& nEndChar) const;
    void SetSel(CHARRANGE& cr) { ::SendMessage(m_hWnd, EM_EXSETSEL, 0, (LPARAM)&cr); }
    void SetSel(long nStartChar, long nEndChar);
    void ReplaceSel(LPCSTR lpszNewText, BOOL bCanUndo = FALSE)
    {
        ::SendMessage(m_hWnd, EM_REPLACESEL, bCanUndo, (LPARAM)lpszNewText);
    }
    CString GetSelText() const;
    long GetTextRange(int nFirst, int nLast, CString& refString) const;

    // Formats: the getters fill cbSize and answer the mask of what the whole selection shares.
    DWORD GetDefaultCharFormat(CHARFORMAT& cf) const;
    DWORD GetSelectionCharFormat(CHARFORMAT& cf) const;
    BOOL SetDefaultCharFormat(CHARFORMAT& cf);
    BOOL SetSelectionCharFormat(CHARFORMAT& cf);
    BOOL SetWordCharFormat(CHARFORMAT& cf);
    DWORD GetParaFormat(PARAFORMAT& pf) const;
    BOOL SetParaFormat(PARAFORMAT& pf);

    // Streams and printing.
    long StreamIn(int nFormat, EDITSTREAM& es) { return (long)::SendMessage(m_hWnd, EM_STREAMIN, nFormat, (LPARAM)&es); }
    long StreamOut(int nFormat, EDITSTREAM& es)
    {
        return (long)::SendMessage(m_hWnd, EM_STREAMOUT, nFormat, (LPARAM)&es);
    }
    long FormatRange(FORMATRANGE* pfr, BOOL bDisplay = TRUE)
    {
        return (long)::SendMessage(m_hWnd, EM_FORMATRANGE, bDisplay, (LPARAM)pfr);
    }
    BOOL DisplayBand(LPRECT pDisplayRect) { return (BOOL)::SendMessage(m_hWnd, EM_DISPLAYBAND, 0, (LPARAM)pDisplayRect); }

    // Editing.
    BOOL CanUndo() const { return (BOOL)::SendMessage(m_hWnd, EM_CANUNDO, 0, 0); }
    BOOL Undo() { return (BOOL)::SendMessage(m_hWnd, EM_UNDO, 0, 0); }
    void EmptyUndoBuffer() { ::SendMessage(m_hWnd, EM_EMPTYUNDOBUFFER, 0, 0); }
    void Clear() { ::SendMessage(m_hWnd, WM_CLEAR, 0, 0); }
    void Copy() { ::SendMessage(m_hWnd, WM_COPY, 0, 0); }
    void Cut() { ::SendMessage(m_hWnd, WM_CUT, 0, 0); }
    void Paste() { ::SendMessage(m_hWnd, WM_PASTE, 0, 0); }
};
