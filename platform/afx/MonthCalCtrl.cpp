#include "mfc.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CMonthCalCtrl, CWnd)

namespace {

SYSTEMTIME DateOnly(const SYSTEMTIME& st)
{
    SYSTEMTIME d = {};
    d.wYear = st.wYear;
    d.wMonth = st.wMonth;
    d.wDay = st.wDay;
    d.wDayOfWeek = st.wDayOfWeek;
    return d;
}

bool ToSystemTime(const COleDateTime& t, SYSTEMTIME* st)
{
    return t.GetStatus() == COleDateTime::valid && t.GetAsSystemTime(*st);
}

}  // namespace

CMonthCalCtrl::~CMonthCalCtrl()
{
    DestroyWindow();
}

BOOL CMonthCalCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(MONTHCAL_CLASS, nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CMonthCalCtrl::Create(DWORD dwStyle, const POINT& pt, CWnd* pParentWnd, UINT nID)
{
    RECT rect = {pt.x, pt.y, pt.x, pt.y};
    if (!Create(dwStyle, rect, pParentWnd, nID))
        return FALSE;
    return SizeMinReq();
}

BOOL CMonthCalCtrl::SizeMinReq(BOOL bRepaint)
{
    RECT rect;
    if (!GetMinReqRect(&rect))
        return FALSE;
    UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | (bRepaint ? 0 : SWP_NOREDRAW);
    return ::SetWindowPos(m_hWnd, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top, flags);
}

BOOL CMonthCalCtrl::SetFirstDayOfWeek(int iDay, int* lpnOld)
{
    DWORD r = (DWORD)::SendMessage(m_hWnd, MCM_SETFIRSTDAYOFWEEK, 0, (LPARAM)iDay);
    if (lpnOld)
        *lpnOld = (int)LOWORD(r);
    return TRUE;
}

int CMonthCalCtrl::GetFirstDayOfWeek(BOOL* pbLocal) const
{
    DWORD r = (DWORD)::SendMessage(m_hWnd, MCM_GETFIRSTDAYOFWEEK, 0, 0);
    if (pbLocal)
        *pbLocal = HIWORD(r) != 0;
    return (int)LOWORD(r);
}

BOOL CMonthCalCtrl::GetCurSel(COleDateTime& refDateTime) const
{
    SYSTEMTIME st;
    if (!GetCurSel(&st))
        return FALSE;
    refDateTime = COleDateTime(DateOnly(st));
    return TRUE;
}

BOOL CMonthCalCtrl::GetCurSel(CTime& refDateTime) const
{
    SYSTEMTIME st;
    if (!GetCurSel(&st))
        return FALSE;
    refDateTime = CTime(DateOnly(st));
    return TRUE;
}

BOOL CMonthCalCtrl::SetCurSel(const COleDateTime& refDateTime)
{
    SYSTEMTIME st;
    return ToSystemTime(refDateTime, &st) && SetCurSel(&st);
}

BOOL CMonthCalCtrl::SetCurSel(const CTime& refDateTime)
{
    SYSTEMTIME st;
    return refDateTime.GetAsSystemTime(st) && SetCurSel(&st);
}

BOOL CMonthCalCtrl::GetToday(COleDateTime& refDateTime) const
{
    SYSTEMTIME st;
    if (!GetToday(&st))
        return FALSE;
    refDateTime = COleDateTime(DateOnly(st));
    return TRUE;
}

BOOL CMonthCalCtrl::GetToday(CTime& refDateTime) const
{
    SYSTEMTIME st;
    if (!GetToday(&st))
        return FALSE;
    refDateTime = CTime(DateOnly(st));
    return TRUE;
}

void CMonthCalCtrl::SetToday(const COleDateTime& refDateTime)
{
    SYSTEMTIME st;
    if (ToSystemTime(refDateTime, &st))
        SetToday(&st);
}

void CMonthCalCtrl::SetToday(const CTime* pDateTime)
{
    SYSTEMTIME st;
    if (pDateTime && pDateTime->GetAsSystemTime(st))
        SetToday(&st);
}

BOOL CMonthCalCtrl::SetRange(const SYSTEMTIME* pMinRange, const SYSTEMTIME* pMaxRange)
{
    SYSTEMTIME range[2] = {};
    DWORD flags = 0;
    if (pMinRange) {
        range[0] = *pMinRange;
        flags |= GDTR_MIN;
    }
    if (pMaxRange) {
        range[1] = *pMaxRange;
        flags |= GDTR_MAX;
    }
    return Msg(MCM_SETRANGE, (WPARAM)flags, (LPARAM)range);
}

BOOL CMonthCalCtrl::SetRange(const COleDateTime* pMinRange, const COleDateTime* pMaxRange)
{
    SYSTEMTIME lo, hi;
    bool haveLo = pMinRange && ToSystemTime(*pMinRange, &lo);
    bool haveHi = pMaxRange && ToSystemTime(*pMaxRange, &hi);
    if ((pMinRange && !haveLo) || (pMaxRange && !haveHi))
        return FALSE;
    return SetRange(haveLo ? &lo : nullptr, haveHi ? &hi : nullptr);
}

DWORD CMonthCalCtrl::GetRange(SYSTEMTIME* pMinRange, SYSTEMTIME* pMaxRange) const
{
    SYSTEMTIME range[2] = {};
    DWORD flags = (DWORD)::SendMessage(m_hWnd, MCM_GETRANGE, 0, (LPARAM)range);
    if (pMinRange)
        *pMinRange = range[0];
    if (pMaxRange)
        *pMaxRange = range[1];
    return flags;
}

DWORD CMonthCalCtrl::GetRange(COleDateTime* pMinRange, COleDateTime* pMaxRange) const
{
    SYSTEMTIME lo, hi;
    DWORD flags = GetRange(&lo, &hi);
    if (pMinRange && (flags & GDTR_MIN))
        *pMinRange = COleDateTime(lo);
    if (pMaxRange && (flags & GDTR_MAX))
        *pMaxRange = COleDateTime(hi);
    return flags;
}

BOOL CMonthCalCtrl::GetSelRange(SYSTEMTIME* pMinRange, SYSTEMTIME* pMaxRange) const
{
    SYSTEMTIME range[2] = {};
    if (!::SendMessage(m_hWnd, MCM_GETSELRANGE, 0, (LPARAM)range))
        return FALSE;
    if (pMinRange)
        *pMinRange = range[0];
    if (pMaxRange)
        *pMaxRange = range[1];
    return TRUE;
}

BOOL CMonthCalCtrl::SetSelRange(const SYSTEMTIME* pMinRange, const SYSTEMTIME* pMaxRange)
{
    if (!pMinRange || !pMaxRange)
        return FALSE;
    SYSTEMTIME range[2] = {*pMinRange, *pMaxRange};
    return Msg(MCM_SETSELRANGE, 0, (LPARAM)range);
}

int CMonthCalCtrl::GetMonthRange(SYSTEMTIME* pMinRange, SYSTEMTIME* pMaxRange, DWORD dwFlags) const
{
    SYSTEMTIME range[2] = {};
    int n = Msg(MCM_GETMONTHRANGE, (WPARAM)dwFlags, (LPARAM)range);
    if (pMinRange)
        *pMinRange = range[0];
    if (pMaxRange)
        *pMaxRange = range[1];
    return n;
}
