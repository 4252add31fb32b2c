// CSliderCtrl: the "msctls_trackbar32" control.
#pragma once

#include "mfc/Wnd.h"

class AFX_EXT_CLASS CSliderCtrl : public CWnd {
    DECLARE_DYNAMIC(CSliderCtrl)
public:
    CSliderCtrl() = default;
    ~CSliderCtrl() override;

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetLineSize() const { return Msg(TBM_GETLINESIZE); }
    int SetLineSize(int nSize) { return Msg(TBM_SETLINESIZE, 0, (LPARAM)nSize); }
    int GetPageSize() const { return Msg(TBM_GETPAGESIZE); }
    int SetPageSize(int nSize) { return Msg(TBM_SETPAGESIZE, 0, (LPARAM)nSize); }
    int GetRangeMax() const { return Msg(TBM_GETRANGEMAX); }
    int GetRangeMin() const { return Msg(TBM_GETRANGEMIN); }
    void GetRange(int& nMin, int& nMax) const
    {
        nMin = GetRangeMin();
        nMax = GetRangeMax();
    }
    void SetRangeMin(int nMin, BOOL bRedraw = FALSE) { Msg(TBM_SETRANGEMIN, (WPARAM)bRedraw, (LPARAM)nMin); }
    void SetRangeMax(int nMax, BOOL bRedraw = FALSE) { Msg(TBM_SETRANGEMAX, (WPARAM)bRedraw, (LPARAM)nMax); }
    void SetRange(int nMin, int nMax, BOOL bRedraw = FALSE)
    {
        SetRangeMin(nMin, FALSE);
        SetRangeMax(nMax, bRedraw);
    }
    void GetSelection(int& nMin, int& nMax) const
    {
        nMin = Msg(TBM_GETSELSTART);
        nMax = Msg(TBM_GETSELEND);
    }
    void SetSelection(int nMin, int nMax)
    {
        Msg(TBM_SETSELSTART, FALSE, (LPARAM)nMin);
        Msg(TBM_SETSELEND, TRUE, (LPARAM)nMax);
    }
    void GetChannelRect(LPRECT lprc) const { Msg(TBM_GETCHANNELRECT, 0, (LPARAM)lprc); }
    void GetThumbRect(LPRECT lprc) const { Msg(TBM_GETTHUMBRECT, 0, (LPARAM)lprc); }
    int GetPos() const { return Msg(TBM_GETPOS); }
    void SetPos(int nPos) { Msg(TBM_SETPOS, TRUE, (LPARAM)nPos); }
    UINT GetNumTics() const { return (UINT)Msg(TBM_GETNUMTICS); }
    DWORD* GetTicArray() const { return (DWORD*)::SendMessage(m_hWnd, TBM_GETPTICS, 0, 0); }
    int GetTic(int nTic) const { return Msg(TBM_GETTIC, (WPARAM)nTic); }
    int GetTicPos(int nTic) const { return Msg(TBM_GETTICPOS, (WPARAM)nTic); }
    BOOL SetTic(int nTic) { return Msg(TBM_SETTIC, 0, (LPARAM)nTic); }
    void SetTicFreq(int nFreq) { Msg(TBM_SETTICFREQ, (WPARAM)nFreq); }
    void ClearSel(BOOL bRedraw = FALSE) { Msg(TBM_CLEARSEL, (WPARAM)bRedraw); }
    void ClearTics(BOOL bRedraw = FALSE) { Msg(TBM_CLEARTICS, (WPARAM)bRedraw); }
    void VerifyPos() { SetPos(GetPos()); }
    CWnd* SetBuddy(CWnd* pWndBuddy, BOOL fLocation = TRUE)
    {
        return CWnd::FromHandle((HWND)::SendMessage(m_hWnd, TBM_SETBUDDY, (WPARAM)fLocation,
                                                    (LPARAM)(pWndBuddy ? pWndBuddy->m_hWnd : nullptr)));
    }
    CWnd* GetBuddy(BOOL fLocation = TRUE) const
    {
        return CWnd::FromHandle((HWND)::SendMessage(m_hWnd, TBM_GETBUDDY, (WPARAM)fLocation, 0));
    }
    void SetThumbLength(int nLength) { Msg(TBM_SETTHUMBLENGTH, (WPARAM)nLength); }
    int GetThumbLength() const { return Msg(TBM_GETTHUMBLENGTH); }
    int SetTipSide(int nLocation) { return Msg(TBM_SETTIPSIDE, (WPARAM)nLocation); }

private:
    int Msg(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return (int)::SendMessage(m_hWnd, msg, wParam, lParam);
    }
};
