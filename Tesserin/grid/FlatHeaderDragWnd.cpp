#include "grid/FlatHeaderDragWnd.h"
#include "grid/FlatHeaderCtrl.h"

CFlatHeaderDragWnd::CFlatHeaderDragWnd()
{
    WNDCLASS wc = {};
    if (!::GetClassInfo(AfxGetInstanceHandle(), "VXFHDragWnd", &wc)) {
        wc.lpfnWndProc = ::DefWindowProc;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = "VXFHDragWnd";
        AfxRegisterClass(&wc);
    }
}

CFlatHeaderDragWnd::~CFlatHeaderDragWnd()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL CFlatHeaderDragWnd::Create(CRect rect, CFlatHeaderCtrl* header, int item)
{
    m_pHeader = header;
    m_iItem = item;
    return CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "VXFHDragWnd", "", WS_POPUP | WS_DISABLED, rect, nullptr, 0);
}

BOOL CFlatHeaderDragWnd::Create(CRect rect, CFlatHeaderCtrl* header, const HDITEM& item)
{
    m_bOwnItem = TRUE;
    m_hdiOwn = item;
    m_szOwnText[0] = 0;
    if ((item.mask & HDI_TEXT) && item.pszText)
        lstrcpyn(m_szOwnText, item.pszText, sizeof(m_szOwnText));
    m_hdiOwn.pszText = m_szOwnText;
    m_hdiOwn.cchTextMax = sizeof(m_szOwnText);
    m_pHeader = header;
    m_iItem = -1;
    return CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "VXFHDragWnd", "", WS_POPUP | WS_DISABLED, rect, nullptr, 0);
}

void CFlatHeaderDragWnd::MoveTo(CPoint screen)
{
    CRect rc;
    GetWindowRect(&rc);
    SetWindowPos(&CWnd::wndTopMost, screen.x - rc.Width() / 2, screen.y - rc.Height() / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void CFlatHeaderDragWnd::Paint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, ::GetSysColor(COLOR_3DFACE));
    dc.Draw3dRect(&client, ::GetSysColor(COLOR_3DHIGHLIGHT), ::GetSysColor(COLOR_3DSHADOW));
    if (!m_pHeader)
        return;
    char text[81] = "";
    HDITEM hdi = {HDI_WIDTH | HDI_TEXT | HDI_FORMAT | HDI_BITMAP | HDI_IMAGE};
    hdi.pszText = text;
    hdi.cchTextMax = sizeof(text);
    if (m_bOwnItem)
        hdi = m_hdiOwn;
    else if (!m_pHeader->GetItem(m_iItem, &hdi))
        return;
    HFONT font = (HFONT)m_pHeader->SendMessage(WM_GETFONT);
    HGDIOBJ old = font ? ::SelectObject(dc.GetSafeHdc(), font) : nullptr;
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    int spacing = m_pHeader->GetSpacing();
    CRect inner(client.left + spacing, client.top, client.right - spacing, client.bottom);
    BOOL ascending = FALSE;
    m_pHeader->DrawItem(&dc, inner, hdi, m_pHeader->GetSortColumn(&ascending) == m_iItem, ascending);
    if (old)
        ::SelectObject(dc.GetSafeHdc(), old);
}

LRESULT CFlatHeaderDragWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: Paint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
