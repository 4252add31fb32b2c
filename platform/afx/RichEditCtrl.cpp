#include "mfc.h"

#include <vector>

IMPLEMENT_DYNAMIC(CRichEditCtrl, CWnd)

CRichEditCtrl::~CRichEditCtrl()
{
    DestroyWindow();
}

BOOL CRichEditCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(RICHEDIT_CLASS, nullptr, dwStyle, rect, pParentWnd, nID);
}

void CRichEditCtrl::GetSel(long& nStartChar, long& nEndChar) const
{
    CHARRANGE cr = {0, 0};
    GetSel(cr);
    nStartChar = cr.cpMin;
    nEndChar = cr.cpMax;
}

void CRichEditCtrl::SetSel(long nStartChar, long nEndChar)
{
    CHARRANGE cr = {(LONG)nStartChar, (LONG)nEndChar};
    SetSel(cr);
}

CString CRichEditCtrl::GetSelText() const
{
    CHARRANGE cr = {0, 0};
    GetSel(cr);
    std::vector<char> text((size_t)std::max<LONG>(0, cr.cpMax - cr.cpMin) + 1, 0);
    ::SendMessage(m_hWnd, EM_GETSELTEXT, 0, (LPARAM)text.data());
    return CString(text.data());
}

long CRichEditCtrl::GetTextRange(int nFirst, int nLast, CString& refString) const
{
    long length = GetTextLength();
    if (nLast < 0 || nLast > length)
        nLast = (int)length;
    if (nFirst < 0 || nFirst > nLast) {
        refString.Empty();
        return 0;
    }
    std::vector<char> text((size_t)(nLast - nFirst) + 1, 0);
    TEXTRANGEA range = {{nFirst, nLast}, text.data()};
    long n = (long)::SendMessage(m_hWnd, EM_GETTEXTRANGE, 0, (LPARAM)&range);
    refString = text.data();
    return n;
}

DWORD CRichEditCtrl::GetDefaultCharFormat(CHARFORMAT& cf) const
{
    cf.cbSize = sizeof(cf);
    return (DWORD)::SendMessage(m_hWnd, EM_GETCHARFORMAT, SCF_DEFAULT, (LPARAM)&cf);
}

DWORD CRichEditCtrl::GetSelectionCharFormat(CHARFORMAT& cf) const
{
    cf.cbSize = sizeof(cf);
    return (DWORD)::SendMessage(m_hWnd, EM_GETCHARFORMAT, SCF_SELECTION, (LPARAM)&cf);
}

BOOL CRichEditCtrl::SetDefaultCharFormat(CHARFORMAT& cf)
{
    cf.cbSize = sizeof(cf);
    return (BOOL)::SendMessage(m_hWnd, EM_SETCHARFORMAT, SCF_DEFAULT, (LPARAM)&cf);
}

BOOL CRichEditCtrl::SetSelectionCharFormat(CHARFORMAT& cf)
{
    cf.cbSize = sizeof(cf);
    return (BOOL)::SendMessage(m_hWnd, EM_SETCHARFORMAT, SCF_SELECTION, (LPARAM)&cf);
}

BOOL CRichEditCtrl::SetWordCharFormat(CHARFORMAT& cf)
{
    cf.cbSize = sizeof(cf);
    return (BOOL)::SendMessage(m_hWnd, EM_SETCHARFORMAT, SCF_SELECTION | SCF_WORD, (LPARAM)&cf);
}

DWORD CRichEditCtrl::GetParaFormat(PARAFORMAT& pf) const
{
    pf.cbSize = sizeof(pf);
    return (DWORD)::SendMessage(m_hWnd, EM_GETPARAFORMAT, 0, (LPARAM)&pf);
}

BOOL CRichEditCtrl::SetParaFormat(PARAFORMAT& pf)
{
    pf.cbSize = sizeof(pf);
    return (BOOL)::SendMessage(m_hWnd, EM_SETPARAFORMAT, 0, (LPARAM)&pf);
}
