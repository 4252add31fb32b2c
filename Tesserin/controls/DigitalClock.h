// CDigitalClock: HH:MM:SS in seven-segment digits. It keeps no clock: the
// owner pushes the time and whether the colons are lit.
#pragma once

#include "mfc.h"

#include "controls/Colon.h"
#include "controls/Digit.h"

struct _TIME_ {
    BYTE hour;
    BYTE minute;
    BYTE second;
};

class AFX_EXT_CLASS CDigitalClock : public CWnd {
public:
    CDigitalClock();
    ~CDigitalClock() override;

    void Init(const RECT& rect, int marginX, int marginY, int gap, int thickness);
    void SetTime(const _TIME_& time, int colonOn);
    void SetColour(COLORREF on, COLORREF off, COLORREF background);
    void SetBackgroundColor(COLORREF background);

protected:
    void InvalidateWindow(BOOL erase);
    void ShowTime(HDC dc, const _TIME_& time);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

    CDigit m_digits[6];
    CColon m_colons[2];
    CBrush m_brBackground;
    int m_nColon;
    COLORREF m_crOn;
    COLORREF m_crOff;
    _TIME_ m_time;
};
