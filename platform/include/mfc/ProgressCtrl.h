// CProgressCtrl: the "msctls_progress32" control.
#pragma once

#include "mfc/Wnd.h"

class AFX_EXT_CLASS CProgressCtrl : public CWnd {
    DECLARE_DYNAMIC(CProgressCtrl)
public:
    CProgressCtrl() = default;
    ~CProgressCtrl() override;

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    void SetRange(short nLower, short nUpper) { Msg(PBM_SETRANGE, 0, MAKELPARAM(nLower, nUpper)); }
    void SetRange32(int nLower, int nUpper) { Msg(PBM_SETRANGE32, (WPARAM)nLower, (LPARAM)nUpper); }
    void GetRange(int& nLower, int& nUpper) const
    {
        PBRANGE range = {0, 0};
        Msg(PBM_GETRANGE, FALSE, (LPARAM)&range);
        nLower = range.iLow;
        nUpper = range.iHigh;
    }
    int GetPos() const { return Msg(PBM_GETPOS); }
    int SetPos(int nPos) { return Msg(PBM_SETPOS, (WPARAM)nPos); }
    int OffsetPos(int nPos) { return Msg(PBM_DELTAPOS, (WPARAM)nPos); }
    int SetStep(int nStep) { return Msg(PBM_SETSTEP, (WPARAM)nStep); }
    int StepIt() { return Msg(PBM_STEPIT); }
    COLORREF SetBarColor(COLORREF clrBar) { return (COLORREF)Msg(PBM_SETBARCOLOR, 0, (LPARAM)clrBar); }
    COLORREF SetBkColor(COLORREF clrNew) { return (COLORREF)Msg(PBM_SETBKCOLOR, 0, (LPARAM)clrNew); }

private:
    int Msg(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return (int)::SendMessage(m_hWnd, msg, wParam, lParam);
    }
};
