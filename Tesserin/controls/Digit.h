// CDigit: one seven-segment digit of the digital clock, as seven hexagons
// filled in an "on" or "off" colour.
#pragma once

#include "mfc.h"

class AFX_EXT_CLASS CDigit {
public:
    enum DEType { SEG_A = 0, SEG_B, SEG_C, SEG_D, SEG_E, SEG_F, SEG_G, SEG_COUNT };

    CDigit();
    CDigit(const RECT& rect, int thickness, COLORREF onBrush, COLORREF offBrush, COLORREF onPen, COLORREF offPen);
    CDigit(const CDigit&) = delete;
    CDigit& operator=(const CDigit&) = delete;

    void setParameters(const RECT& rect, int thickness);
    // Digits outside 0..9 draw nothing.
    void drawDigit(HDC dc, int digit);
    void drawDigit(HDC dc, const char* digit);
    void setDigitColor(COLORREF on, COLORREF off);
    void setLineColor(COLORREF on, COLORREF off);

protected:
    void drawSegment(HDC dc, DEType segment, bool on);

    int m_nThickness;
    CBrush m_brOn;
    CBrush m_brOff;
    CPen m_penOn;
    CPen m_penOff;
    POINT m_segments[SEG_COUNT][6];
};
