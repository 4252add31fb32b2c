#include "controls/Colon.h"

#include <cstring>

CColon::CColon() : m_nThickness(0)
{
    std::memset(m_dots, 0, sizeof(m_dots));
    setColonColor(RGB(0, 0, 0), RGB(0, 0, 0));
    setLineColor(RGB(0, 0, 0), RGB(0, 0, 0));
}

CColon::CColon(const RECT& rect, int thickness, COLORREF onBrush, COLORREF offBrush, COLORREF onPen,
               COLORREF offPen)
    : m_nThickness(thickness)
{
    setColonColor(onBrush, offBrush);
    setLineColor(onPen, offPen);
    setParameters(rect, thickness);
}

void CColon::setColonColor(COLORREF on, COLORREF off)
{
    m_brOn.DeleteObject();
    m_brOff.DeleteObject();
    m_brOn.CreateSolidBrush(on);
    m_brOff.CreateSolidBrush(off);
}

void CColon::setLineColor(COLORREF on, COLORREF off)
{
    m_penOn.DeleteObject();
    m_penOff.DeleteObject();
    m_penOn.CreatePen(PS_SOLID, 1, on);
    m_penOff.CreatePen(PS_SOLID, 1, off);
}

void CColon::setParameters(const RECT& rect, int w)
{
    m_nThickness = w;
    LONG cx = rect.left + (rect.right - rect.left) / 2;
    LONG h = (rect.bottom - rect.top) / 2;
    LONG centres[2] = {rect.top + h / 2, (rect.top + h) + (rect.bottom - (rect.top + h)) / 2};
    for (int i = 0; i < 2; ++i) {
        LONG q = centres[i];
        m_dots[i][0] = {cx - w, q - w};
        m_dots[i][1] = {cx + w, q - w};
        m_dots[i][2] = {cx + w, q + w};
        m_dots[i][3] = {cx - w, q + w};
    }
}

void CColon::drawColon(HDC dc, int on)
{
    HGDIOBJ oldBrush = ::SelectObject(dc, (on ? m_brOn : m_brOff).GetSafeHandle());
    HGDIOBJ oldPen = ::SelectObject(dc, (on ? m_penOn : m_penOff).GetSafeHandle());
    ::Polygon(dc, m_dots[0], 4);
    ::Polygon(dc, m_dots[1], 4);
    ::SelectObject(dc, oldPen);
    ::SelectObject(dc, oldBrush);
}
