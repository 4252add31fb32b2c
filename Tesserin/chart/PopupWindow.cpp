#include "chart/PopupWindow.h"

#include "chart/2DScale.h"

BEGIN_MESSAGE_MAP(CPopupWindow, ChartWndBase)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CPopupWindow::CPopupWindow() {}

CPopupWindow::~CPopupWindow() {}

void CPopupWindow::SetWindowTextA(CString& text)
{
    CClientDC dc(GetSafeHwnd() ? this : nullptr);
    CFont* old = (m_pFont && m_pFont->GetSafeHandle()) ? dc.SelectObject(m_pFont.get()) : nullptr;
    CRect box(0, 0, 0, 0);
    dc.DrawText(text, &box, DT_CALCRECT);
    if (old)
        dc.SelectObject(old);
    box.InflateRect(4, 2);
    if (GetSafeHwnd()) {
        SetWindowPos(nullptr, 0, 0, box.Width(), box.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        SetWindowText(text);
    }
}

void CPopupWindow::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    const int l = client.left, t = client.top, r = client.right, b = client.bottom;
    COLORREF oldText = dc.GetTextColor(), oldBk = dc.GetBkColor();
    CFont* oldFont = (m_pFont && m_pFont->GetSafeHandle()) ? dc.SelectObject(m_pFont.get()) : nullptr;
    dc.FillSolidRect(&client, m_windowColor);
    CString text;
    GetWindowText(text);
    dc.SetTextColor(m_textColor);
    dc.SetBkColor(m_windowColor);
    CRect textRect = client;
    textRect.OffsetRect(0, 1);
    dc.DrawText(text, &textRect, DT_CENTER);
    CPen black(PS_SOLID, 1, RGB(0, 0, 0)), shade(PS_SOLID, 1, DarkenColor(m_windowColor)),
        white(PS_SOLID, 1, RGB(255, 255, 255));
    CPen* oldPen = dc.SelectObject(&black);
    dc.MoveTo(l, b - 1);
    dc.LineTo(r - 1, b - 1);
    dc.LineTo(r - 1, t - 1);
    dc.SelectObject(&shade);
    dc.MoveTo(r - 2, t + 1);
    dc.LineTo(r - 2, b - 2);
    dc.LineTo(l, b - 2);
    dc.SelectObject(&white);
    dc.MoveTo(l + 1, b - 3);
    dc.LineTo(l + 1, t + 1);
    dc.LineTo(r - 2, t + 1);
    dc.SelectObject(oldPen);
    if (oldFont)
        dc.SelectObject(oldFont);
    dc.SetTextColor(oldText);
    dc.SetBkColor(oldBk);
}
