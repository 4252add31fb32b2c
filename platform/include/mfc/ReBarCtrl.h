// CReBarCtrl: the "ReBarWindow32" control.
#pragma once

#include "mfc/Wnd.h"

class AFX_EXT_CLASS CReBarCtrl : public CWnd {
    DECLARE_DYNAMIC(CReBarCtrl)
public:
    CReBarCtrl() = default;
    ~CReBarCtrl() override;

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    UINT GetBandCount() const { return (UINT)Msg(RB_GETBANDCOUNT); }
    BOOL GetBandInfo(UINT uBand, REBARBANDINFO* prbbi) const { return Msg(RB_GETBANDINFO, (WPARAM)uBand, (LPARAM)prbbi); }
    BOOL SetBandInfo(UINT uBand, REBARBANDINFO* prbbi) { return Msg(RB_SETBANDINFO, (WPARAM)uBand, (LPARAM)prbbi); }
    BOOL InsertBand(UINT uIndex, REBARBANDINFO* prbbi) { return Msg(RB_INSERTBAND, (WPARAM)uIndex, (LPARAM)prbbi); }
    BOOL DeleteBand(UINT uBand) { return Msg(RB_DELETEBAND, (WPARAM)uBand); }
    UINT GetBarHeight() const { return (UINT)Msg(RB_GETBARHEIGHT); }
    BOOL GetBarInfo(REBARINFO* prbi) const { return Msg(RB_GETBARINFO, 0, (LPARAM)prbi); }
    BOOL SetBarInfo(REBARINFO* prbi) { return Msg(RB_SETBARINFO, 0, (LPARAM)prbi); }
    COLORREF GetBkColor() const { return (COLORREF)Msg(RB_GETBKCOLOR); }
    COLORREF SetBkColor(COLORREF clr) { return (COLORREF)Msg(RB_SETBKCOLOR, 0, (LPARAM)clr); }
    COLORREF GetTextColor() const { return (COLORREF)Msg(RB_GETTEXTCOLOR); }
    COLORREF SetTextColor(COLORREF clr) { return (COLORREF)Msg(RB_SETTEXTCOLOR, 0, (LPARAM)clr); }
    BOOL GetRect(UINT uBand, LPRECT prc) const { return Msg(RB_GETRECT, (WPARAM)uBand, (LPARAM)prc); }
    UINT GetRowCount() const { return (UINT)Msg(RB_GETROWCOUNT); }
    UINT GetRowHeight(UINT uRow) const { return (UINT)Msg(RB_GETROWHEIGHT, (WPARAM)uRow); }
    int IDToIndex(UINT uBandID) const { return Msg(RB_IDTOINDEX, (WPARAM)uBandID); }
    CWnd* SetOwner(CWnd* pWnd)
    {
        return CWnd::FromHandle((HWND)::SendMessage(m_hWnd, RB_SETPARENT, (WPARAM)(pWnd ? pWnd->m_hWnd : nullptr), 0));
    }
    void GetBandBorders(int nBand, LPRECT prc) const { Msg(RB_GETBANDBORDERS, (WPARAM)nBand, (LPARAM)prc); }
    int HitTest(RBHITTESTINFO* prbht) { return Msg(RB_HITTEST, 0, (LPARAM)prbht); }
    void MaximizeBand(UINT uBand) { Msg(RB_MAXIMIZEBAND, (WPARAM)uBand); }
    void MinimizeBand(UINT uBand) { Msg(RB_MINIMIZEBAND, (WPARAM)uBand); }
    BOOL ShowBand(UINT uBand, BOOL fShow = TRUE) { return Msg(RB_SHOWBAND, (WPARAM)uBand, (LPARAM)fShow); }
    BOOL SizeToRect(CRect& rect) { return Msg(RB_SIZETORECT, 0, (LPARAM)(LPRECT)&rect); }
    BOOL MoveBand(UINT uFrom, UINT uTo) { return Msg(RB_MOVEBAND, (WPARAM)uFrom, (LPARAM)uTo); }
    void PushChevron(UINT uBand, LPARAM lAppValue) { Msg(RB_PUSHCHEVRON, (WPARAM)uBand, lAppValue); }
    void BeginDrag(UINT uBand, DWORD dwPos = (DWORD)-1) { Msg(RB_BEGINDRAG, (WPARAM)uBand, (LPARAM)dwPos); }
    void EndDrag() { Msg(RB_ENDDRAG); }
    void DragMove(DWORD dwPos = (DWORD)-1) { Msg(RB_DRAGMOVE, 0, (LPARAM)dwPos); }

private:
    int Msg(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return (int)::SendMessage(m_hWnd, msg, wParam, lParam);
    }
};
