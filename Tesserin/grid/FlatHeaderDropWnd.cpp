#include "grid/FlatHeaderDropWnd.h"

CFlatHeaderDropWnd::CFlatHeaderDropWnd(COLORREF colour) : m_crColour(colour)
{
    WNDCLASS wc = {};
    if (!::GetClassInfo(AfxGetInstanceHandle(), "VXFHDropWnd", &wc)) {
        wc.lpfnWndProc = ::DefWindowProc;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = "VXFHDropWnd";
        AfxRegisterClass(&wc);
    }
}

CFlatHeaderDropWnd::~CFlatHeaderDropWnd()
{
    if (m_hWnd)
        DestroyWindow();
}

void CFlatHeaderDropWnd::MakeRegion(CRgn& region)
{
    int h = m_iHeight;
    POINT down[] = {{8, 0}, {8, 4}, {11, 4}, {6, 9}, {1, 4}, {4, 4}, {4, 0}};
    POINT up[] = {{4, h}, {4, h - 4}, {0, h - 4}, {6, h - 10}, {12, h - 4}, {8, h - 4}, {8, h}};
    CRgn lower;
    region.CreatePolygonRgn(down, 7, WINDING);
    lower.CreatePolygonRgn(up, 7, WINDING);
    region.CombineRgn(&region, &lower, RGN_OR);
}

BOOL CFlatHeaderDropWnd::Create(int headerHeight)
{
    m_iHeight = headerHeight + 20;
    if (!CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "VXFHDropWnd", "", WS_POPUP | WS_DISABLED,
                  CRect(0, 0, 12, m_iHeight), nullptr, 0))
        return FALSE;
    CRgn shape;
    MakeRegion(shape);
    SetWindowRgn((HRGN)shape.Detach(), FALSE); // the window owns the region now
    return TRUE;
}

void CFlatHeaderDropWnd::SetAt(CPoint screen)
{
    SetWindowPos(&CWnd::wndTopMost, screen.x - 6, screen.y - m_iHeight / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void CFlatHeaderDropWnd::Paint()
{
    CPaintDC dc(this);
    CRgn shape;
    MakeRegion(shape);
    CBrush brush(m_crColour);
    dc.FillRgn(&shape, &brush);
}

LRESULT CFlatHeaderDropWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: Paint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
