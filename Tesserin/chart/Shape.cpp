#include "chart/Shape.h"

#include "controls/MemDC.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CShape, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CShape::CShape()
    : m_itemColor(0), m_borderColor(0), m_lineColor(0), m_backgroundColor(0), m_itemStyle(0), m_lineStyle(5),
      m_pPrintDC(nullptr)
{
}

CShape::~CShape() {}

COLORREF CShape::SetBorderColor(COLORREF colour)
{
    COLORREF old = m_borderColor;
    m_borderColor = colour;
    return old;
}

COLORREF CShape::SetLineColor(COLORREF colour)
{
    COLORREF old = m_lineColor;
    m_lineColor = colour;
    return old;
}

COLORREF CShape::SetBackgroundColor(COLORREF colour)
{
    COLORREF old = m_backgroundColor;
    m_backgroundColor = colour;
    return old;
}

COLORREF CShape::SetItemColor(COLORREF colour)
{
    COLORREF old = m_itemColor;
    m_itemColor = colour;
    return old;
}

void CShape::Draw(CMemDC* dc)
{
    if (!dc)
        return;
    CRect client(0, 0, 0, 0);
    if (GetSafeHwnd())
        GetClientRect(&client);
    dc->FillSolidRect(&client, m_backgroundColor);
    DrawLine(dc, client.Width(), client.Height());
    DrawMarker(dc, client.Width(), client.Height());
}

void CShape::DrawLine(CMemDC* dc, int width, int height)
{
    if (m_lineStyle == 5)
        return;
    static const struct {
        BYTE style;
        int pen;
    } kPens[] = {{6, PS_SOLID}, {7, PS_DASH}, {8, PS_DOT}, {9, PS_DASHDOT}, {10, PS_DASHDOTDOT}};
    CPen pen;
    for (const auto& p : kPens)
        if (p.style == m_lineStyle)
            pen.CreatePen(p.pen, 1, m_borderColor);
    CPen* old = pen.GetSafeHandle() ? dc->SelectObject(&pen) : nullptr;
    COLORREF oldBk = dc->SetBkColor(m_backgroundColor);
    dc->MoveTo(0, height / 2);
    dc->LineTo(width - 1, height / 2);
    dc->SetBkColor(oldBk);
    if (old)
        dc->SelectObject(old);
}

void CShape::DrawMarker(CMemDC* dc, int width, int height)
{
    const int s = std::min(width, height);
    const int x0 = width > s ? (width - s) / 2 : 0;
    CPen pen(PS_SOLID, 1, m_borderColor);
    CBrush brush(m_itemColor);
    CPen* oldPen = dc->SelectObject(&pen);
    CBrush* oldBrush = dc->SelectObject(&brush);
    switch (m_itemStyle) {
    case 0: {
        POINT square[4] = {{x0, 0}, {x0, s - 1}, {x0 + s - 1, s - 1}, {x0 + s - 1, 0}};
        dc->Polygon(square, 4);
        break;
    }
    case 1:
        dc->Ellipse(x0, 0, x0 + s, s);
        break;
    case 2: {
        POINT triangle[3] = {{x0 + s / 2 - 1, 0}, {x0, s - 1}, {x0 + s - 2, s - 1}};
        dc->Polygon(triangle, 3);
        break;
    }
    case 3: {
        POINT diamond[4] = {{x0 + s / 2 - 1, 1}, {x0, s / 2}, {x0 + s / 2 - 1, s - 1}, {x0 + s - 2, s / 2}};
        dc->Polygon(diamond, 4);
        break;
    }
    case 4: {
        const int a = (s - 1) / 3, b = (2 * s - 2) / 3;
        POINT plus[12] = {{x0 + a, 0},     {x0 + a, a},         {x0, a},         {x0, b},
                          {x0 + a, b},     {x0 + a, s - 1},     {x0 + b, s - 1}, {x0 + b, b},
                          {x0 + s - 1, b}, {x0 + s - 1, a},     {x0 + b, a},     {x0 + b, 0}};
        dc->Polygon(plus, 12);
        break;
    }
    default:
        break;
    }
    dc->SelectObject(oldPen);
    dc->SelectObject(oldBrush);
}

void CShape::OnPaint()
{
    CPaintDC dc(this);
    if (m_pPrintDC)
        return;
    CRect client;
    GetClientRect(&client);
    if (client.IsRectEmpty())
        return;
    CBitmap bitmap;
    CMemDC memory(&dc, &client, &bitmap);
    Draw(&memory);
    dc.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
}

BOOL CShape::OnEraseBkgnd(CDC*)
{
    return TRUE;
}
