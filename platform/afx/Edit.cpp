#include "mfc.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CEdit, CWnd)

CEdit::~CEdit()
{
    DestroyWindow();
}

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_EDIT, nullptr, dwStyle, rect, pParentWnd, nID);
}

void CEdit::GetSel(int& nStartChar, int& nEndChar) const
{
    DWORD start = 0, end = 0;
    ::SendMessage(m_hWnd, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
    nStartChar = (int)start;
    nEndChar = (int)end;
}

int CEdit::GetLine(int nIndex, LPSTR lpszBuffer, int nMaxLength) const
{
    if (!lpszBuffer || nMaxLength < 2)
        return 0;
    WORD max = (WORD)(nMaxLength > 0xFFFF ? 0xFFFF : nMaxLength);
    std::memcpy(lpszBuffer, &max, sizeof(max));
    return (int)::SendMessage(m_hWnd, EM_GETLINE, (WPARAM)nIndex, (LPARAM)lpszBuffer);
}

void CEdit::SetSel(DWORD dwSelection, BOOL bNoScroll)
{
    SetSel((int)(short)LOWORD(dwSelection), (int)(short)HIWORD(dwSelection), bNoScroll);
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll)
{
    ::SendMessage(m_hWnd, EM_SETSEL, (WPARAM)nStartChar, (LPARAM)nEndChar);
    if (!bNoScroll)
        ::SendMessage(m_hWnd, EM_SCROLLCARET, 0, 0);
}

CPoint CEdit::PosFromChar(UINT nChar) const
{
    LRESULT pos = ::SendMessage(m_hWnd, EM_POSFROMCHAR, nChar, 0);
    return CPoint((short)LOWORD(pos), (short)HIWORD(pos));
}
