// CColon: the two dots between the digital clock's digit pairs.
#pragma once

#include "mfc.h"

class AFX_EXT_CLASS CColon {
public:
    CColon();
    CColon(const RECT& rect, int thickness, COLORREF onBrush, COLORREF offBrush, COLORREF onPen, COLORREF offPen);
    CColon(const CColon&) = delete;
    CColon& operator=(const CColon&) = delete;

    void setParameters(const RECT& rect, int thickness);
    void drawColon(HDC dc, int on);
    void setColonColor(COLORREF on, COLORREF off);
    void setLineColor(COLORREF on, COLORREF off);

protected:
    int m_nThickness;
    CBrush m_brOn;
    CBrush m_brOff;
    CPen m_penOn;
    CPen m_penOff;
    POINT m_dots[2][4];
};
