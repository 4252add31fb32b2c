#include "mfc.h"

#include <vector>

IMPLEMENT_DYNAMIC(CStatusBarCtrl, CWnd)

CStatusBarCtrl::~CStatusBarCtrl()
{
    DestroyWindow();
}

BOOL CStatusBarCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(STATUSCLASSNAME, nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CStatusBarCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::CreateEx(dwExStyle, STATUSCLASSNAME, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CStatusBarCtrl::GetText(LPSTR lpszText, int nPane, int* pType) const
{
    DWORD r = (DWORD)::SendMessage(m_hWnd, SB_GETTEXT, (WPARAM)nPane, (LPARAM)lpszText);
    if (pType)
        *pType = HIWORD(r);
    return LOWORD(r);
}

CString CStatusBarCtrl::GetText(int nPane, int* pType) const
{
    int length = GetTextLength(nPane, pType);
    std::vector<char> buffer((size_t)length + 1, '\0');
    GetText(buffer.data(), nPane, pType);
    return CString(buffer.data());
}

int CStatusBarCtrl::GetTextLength(int nPane, int* pType) const
{
    DWORD r = (DWORD)::SendMessage(m_hWnd, SB_GETTEXTLENGTH, (WPARAM)nPane, 0);
    if (pType)
        *pType = HIWORD(r);
    return LOWORD(r);
}

BOOL CStatusBarCtrl::GetBorders(int& nHorz, int& nVert, int& nSpacing) const
{
    int borders[3] = {0, 0, 0};
    BOOL ok = GetBorders(borders);
    nHorz = borders[0];
    nVert = borders[1];
    nSpacing = borders[2];
    return ok;
}

CString CStatusBarCtrl::GetTipText(int nPane) const
{
    char buffer[256] = {};
    ::SendMessage(m_hWnd, SB_GETTIPTEXT, MAKEWPARAM(nPane, sizeof(buffer)), (LPARAM)buffer);
    return CString(buffer);
}

void CStatusBarCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CStatusBarCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    DrawItem((LPDRAWITEMSTRUCT)lParam);
    if (pResult)
        *pResult = TRUE;
    return TRUE;
}
