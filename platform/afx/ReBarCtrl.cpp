#include "mfc.h"

IMPLEMENT_DYNAMIC(CReBarCtrl, CWnd)

CReBarCtrl::~CReBarCtrl()
{
    DestroyWindow();
}

BOOL CReBarCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(REBARCLASSNAME, nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CReBarCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::CreateEx(dwExStyle, REBARCLASSNAME, nullptr, dwStyle, rect, pParentWnd, nID);
}
