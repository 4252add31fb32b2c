#include "controls/DigitalClock.h"

BEGIN_MESSAGE_MAP(CDigitalClock, CWnd)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
END_MESSAGE_MAP()

CDigitalClock::CDigitalClock() : m_nColon(0), m_crOn(RGB(19, 220, 24)), m_crOff(RGB(96, 112, 96)), m_time{0, 0, 0}
{
    m_brBackground.CreateSolidBrush(RGB(96, 96, 96));
    SetColour(m_crOn, m_crOff, RGB(96, 96, 96));
}

CDigitalClock::~CDigitalClock() = default;

void CDigitalClock::Init(const RECT& rect, int marginX, int marginY, int gap, int thickness)
{
    LONG L = rect.left + marginX, T = rect.top + marginY, R = rect.right - marginX, B = rect.bottom - marginY;
    LONG d = (R - L - 9 * gap) / 6;
    LONG x = L;
    for (int pair = 0; pair < 3; ++pair) {
        m_digits[2 * pair].setParameters(CRect(x, T, x + d, B), thickness);
        x += d + gap;
        m_digits[2 * pair + 1].setParameters(CRect(x, T, x + d, B), thickness);
        x += d;
        if (pair < 2) {
            m_colons[pair].setParameters(CRect(x + gap, T, x + 2 * gap, B), thickness);
            x += 3 * gap;
        }
    }
}

void CDigitalClock::InvalidateWindow(BOOL erase)
{
    if (m_hWnd)
        InvalidateRect(nullptr, erase);
}

void CDigitalClock::SetTime(const _TIME_& time, int colonOn)
{
    m_time = time;
    m_nColon = colonOn;
    InvalidateWindow(FALSE);
}

void CDigitalClock::SetColour(COLORREF on, COLORREF off, COLORREF background)
{
    m_crOn = on;
    m_crOff = off;
    for (CDigit& digit : m_digits) {
        digit.setDigitColor(on, off);
        digit.setLineColor(on, off);
    }
    for (CColon& colon : m_colons) {
        colon.setColonColor(on, off);
        colon.setLineColor(on, off);
    }
    m_brBackground.DeleteObject();
    m_brBackground.CreateSolidBrush(background);
    InvalidateWindow(FALSE);
}

void CDigitalClock::SetBackgroundColor(COLORREF background)
{
    m_brBackground.DeleteObject();
    m_brBackground.CreateSolidBrush(background);
    InvalidateWindow(TRUE);
}

BOOL CDigitalClock::OnEraseBkgnd(CDC* pDC)
{
    if (m_hWnd) {
        CRect client;
        GetClientRect(&client);
        pDC->FillRect(&client, &m_brBackground);
    }
    return TRUE;
}

void CDigitalClock::ShowTime(HDC dc, const _TIME_& time)
{
    const int values[6] = {time.hour / 10, time.hour % 10, time.minute / 10,
                           time.minute % 10, time.second / 10, time.second % 10};
    for (int i = 0; i < 6; ++i)
        m_digits[i].drawDigit(dc, values[i]);
}

void CDigitalClock::OnPaint()
{
    CPaintDC dc(this);
    for (CColon& colon : m_colons)
        colon.drawColon(dc.GetSafeHdc(), m_nColon);
    ShowTime(dc.GetSafeHdc(), m_time);
}
