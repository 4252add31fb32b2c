// CWnd members that hand out or take the GDI wrapper objects.
#include "afx/MfcState.h"
#include "mfc/GdiWrappers.h"

namespace {

// The handles inside the GDI wrappers.
HRGN RgnHandle(CRgn* rgn)
{
    return rgn ? (HRGN)rgn->m_hObject : nullptr;
}

HFONT FontHandle(CFont* font)
{
    return font ? (HFONT)font->m_hObject : nullptr;
}

HDC DcHandle(CDC* dc)
{
    return dc ? dc->m_hDC : nullptr;
}

}  // namespace

CDC* mivo::DCFromHandle(HDC hdc)
{
    return hdc ? CDC::FromHandle(hdc) : nullptr;
}

void CWnd::InvalidateRgn(CRgn* pRgn, BOOL bErase)
{
    ::InvalidateRgn(m_hWnd, RgnHandle(pRgn), bErase);
}

void CWnd::ValidateRgn(CRgn* pRgn)
{
    ::ValidateRgn(m_hWnd, RgnHandle(pRgn));
}

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, CRgn* prgnUpdate, UINT flags)
{
    return ::RedrawWindow(m_hWnd, lpRectUpdate, RgnHandle(prgnUpdate), flags);
}

int CWnd::GetUpdateRgn(CRgn* pRgn, BOOL bErase)
{
    return ::GetUpdateRgn(m_hWnd, RgnHandle(pRgn), bErase);
}

int CWnd::ScrollWindowEx(int dx, int dy, LPCRECT lpRectScroll, LPCRECT lpRectClip, CRgn* prgnUpdate,
                         LPRECT lpRectUpdate, UINT flags)
{
    return ::ScrollWindowEx(m_hWnd, dx, dy, lpRectScroll, lpRectClip, RgnHandle(prgnUpdate), lpRectUpdate, flags);
}

CDC* CWnd::GetDC()
{
    return mivo::DCFromHandle(::GetDC(m_hWnd));
}

CDC* CWnd::GetWindowDC()
{
    return mivo::DCFromHandle(::GetWindowDC(m_hWnd));
}

CDC* CWnd::GetDCEx(CRgn* prgnClip, DWORD flags)
{
    return mivo::DCFromHandle(::GetDCEx(m_hWnd, RgnHandle(prgnClip), flags));
}

int CWnd::ReleaseDC(CDC* pDC)
{
    return ::ReleaseDC(m_hWnd, DcHandle(pDC));
}

CDC* CWnd::BeginPaint(LPPAINTSTRUCT lpPaint)
{
    return mivo::DCFromHandle(::BeginPaint(m_hWnd, lpPaint));
}

void CWnd::EndPaint(LPPAINTSTRUCT lpPaint)
{
    ::EndPaint(m_hWnd, lpPaint);
}

void CWnd::Print(CDC* pDC, DWORD dwFlags) const
{
    SendMessage(WM_PRINT, (WPARAM)DcHandle(pDC), (LPARAM)dwFlags);
}

void CWnd::PrintClient(CDC* pDC, DWORD dwFlags) const
{
    SendMessage(WM_PRINTCLIENT, (WPARAM)DcHandle(pDC), (LPARAM)dwFlags);
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    SendMessage(WM_SETFONT, (WPARAM)FontHandle(pFont), bRedraw);
}

CFont* CWnd::GetFont() const
{
    HFONT font = (HFONT)SendMessage(WM_GETFONT);
    return font ? CFont::FromHandle(font) : nullptr;
}

BOOL CWnd::SetMenu(CMenu* pMenu)
{
    return ::SetMenu(m_hWnd, mivo::MenuHandle(pMenu));
}
