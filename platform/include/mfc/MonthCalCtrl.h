// CMonthCalCtrl: the "SysMonthCal32" control.
#pragma once

#include "mfc/Wnd.h"
#include "mfc/DateTime.h"
#include "mfc/OleDateTime.h"

class AFX_EXT_CLASS CMonthCalCtrl : public CWnd {
    DECLARE_DYNAMIC(CMonthCalCtrl)
public:
    CMonthCalCtrl() = default;
    ~CMonthCalCtrl() override;

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    // At `pt`, in the smallest size that shows a month.
    virtual BOOL Create(DWORD dwStyle, const POINT& pt, CWnd* pParentWnd, UINT nID);

    BOOL GetMinReqRect(RECT* pRect) const { return Msg(MCM_GETMINREQRECT, 0, (LPARAM)pRect); }
    BOOL SizeMinReq(BOOL bRepaint = TRUE);
    int SetMonthDelta(int iDelta) { return Msg(MCM_SETMONTHDELTA, (WPARAM)iDelta); }
    int GetMonthDelta() const { return Msg(MCM_GETMONTHDELTA); }
    // iDay: 0 Monday .. 6 Sunday.
    BOOL SetFirstDayOfWeek(int iDay, int* lpnOld = nullptr);
    int GetFirstDayOfWeek(BOOL* pbLocal = nullptr) const;
    COLORREF GetColor(int nRegion) const { return (COLORREF)Msg(MCM_GETCOLOR, (WPARAM)nRegion); }
    COLORREF SetColor(int nRegion, COLORREF ref) { return (COLORREF)Msg(MCM_SETCOLOR, (WPARAM)nRegion, (LPARAM)ref); }

    BOOL GetCurSel(SYSTEMTIME* pDateTime) const { return Msg(MCM_GETCURSEL, 0, (LPARAM)pDateTime); }
    BOOL GetCurSel(COleDateTime& refDateTime) const;
    BOOL GetCurSel(CTime& refDateTime) const;
    BOOL SetCurSel(const SYSTEMTIME* pDateTime) { return Msg(MCM_SETCURSEL, 0, (LPARAM)pDateTime); }
    BOOL SetCurSel(const COleDateTime& refDateTime);
    BOOL SetCurSel(const CTime& refDateTime);
    BOOL GetToday(SYSTEMTIME* pDateTime) const { return Msg(MCM_GETTODAY, 0, (LPARAM)pDateTime); }
    BOOL GetToday(COleDateTime& refDateTime) const;
    BOOL GetToday(CTime& refDateTime) const;
    void SetToday(const SYSTEMTIME* pDateTime) { Msg(MCM_SETTODAY, 0, (LPARAM)pDateTime); }
    void SetToday(const COleDateTime& refDateTime);
    void SetToday(const CTime* pDateTime);

    BOOL SetDayState(int nMonths, LPMONTHDAYSTATE pStates) { return Msg(MCM_SETDAYSTATE, (WPARAM)nMonths, (LPARAM)pStates); }
    BOOL SetMaxSelCount(int nMax) { return Msg(MCM_SETMAXSELCOUNT, (WPARAM)nMax); }
    int GetMaxSelCount() const { return Msg(MCM_GETMAXSELCOUNT); }
    BOOL SetRange(const SYSTEMTIME* pMinRange, const SYSTEMTIME* pMaxRange);
    BOOL SetRange(const COleDateTime* pMinRange, const COleDateTime* pMaxRange);
    DWORD GetRange(SYSTEMTIME* pMinRange, SYSTEMTIME* pMaxRange) const;
    DWORD GetRange(COleDateTime* pMinRange, COleDateTime* pMaxRange) const;
    BOOL GetSelRange(SYSTEMTIME* pMinRange, SYSTEMTIME* pMaxRange) const;
    BOOL SetSelRange(const SYSTEMTIME* pMinRange, const SYSTEMTIME* pMaxRange);
    int GetMonthRange(SYSTEMTIME* pMinRange, SYSTEMTIME* pMaxRange, DWORD dwFlags) const;
    DWORD HitTest(PMCHITTESTINFO pMCHitTest) { return (DWORD)Msg(MCM_HITTEST, 0, (LPARAM)pMCHitTest); }

private:
    int Msg(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return (int)::SendMessage(m_hWnd, msg, wParam, lParam);
    }
};
