#include "controls/Digit.h"

#include <cstdlib>
#include <cstring>

namespace {

// Bit n set: segment n (a..g) lit.
const BYTE kLit[10] = {
    0x3F,  // 0: a b c d e f
    0x06,  // 1: b c
    0x5B,  // 2: a b d e g
    0x4F,  // 3: a b c d g
    0x66,  // 4: b c f g
    0x6D,  // 5: a c d f g
    0x7D,  // 6: a c d e f g
    0x07,  // 7: a b c
    0x7F,  // 8: all
    0x6F,  // 9: a b c d f g
};

void Set(POINT* points, std::initializer_list<POINT> list)
{
    int i = 0;
    for (const POINT& p : list)
        points[i++] = p;
}

}  // namespace

CDigit::CDigit() : m_nThickness(0)
{
    std::memset(m_segments, 0, sizeof(m_segments));
    setDigitColor(RGB(0, 0, 0), RGB(0, 0, 0));
    setLineColor(RGB(0, 0, 0), RGB(0, 0, 0));
}

CDigit::CDigit(const RECT& rect, int thickness, COLORREF onBrush, COLORREF offBrush, COLORREF onPen,
               COLORREF offPen)
    : m_nThickness(thickness)
{
    setDigitColor(onBrush, offBrush);
    setLineColor(onPen, offPen);
    setParameters(rect, thickness);
}

void CDigit::setDigitColor(COLORREF on, COLORREF off)
{
    m_brOn.DeleteObject();
    m_brOff.DeleteObject();
    m_brOn.CreateSolidBrush(on);
    m_brOff.CreateSolidBrush(off);
}

void CDigit::setLineColor(COLORREF on, COLORREF off)
{
    m_penOn.DeleteObject();
    m_penOff.DeleteObject();
    m_penOn.CreatePen(PS_SOLID, 1, on);
    m_penOff.CreatePen(PS_SOLID, 1, off);
}

void CDigit::setParameters(const RECT& rect, int w)
{
    m_nThickness = w;
    const LONG L = rect.left, T = rect.top, R = rect.right, B = rect.bottom, mid = T + (B - T) / 2;
    Set(m_segments[SEG_A], {{L + w + 2, T + w}, {L + 2 * w + 2, T}, {R - 2 * w - 2, T}, {R - w - 2, T + w},
                            {R - 2 * w - 2, T + 2 * w}, {L + 2 * w + 2, T + 2 * w}});
    Set(m_segments[SEG_B], {{R - w, T + w + 2}, {R, T + 2 * w + 2}, {R, mid - w - 2}, {R - w, mid - 2},
                            {R - 2 * w, mid - w - 2}, {R - 2 * w, T + 2 * w + 2}});
    Set(m_segments[SEG_C], {{R - w, mid + 2}, {R, mid + w + 2}, {R, B - 2 * w - 2}, {R - w, B - w - 2},
                            {R - 2 * w, B - 2 * w - 2}, {R - 2 * w, mid + w + 2}});
    Set(m_segments[SEG_D], {{L + w + 2, B - w}, {L + 2 * w + 2, B - 2 * w}, {R - 2 * w - 2, B - 2 * w},
                            {R - w - 2, B - w}, {R - 2 * w - 2, B}, {L + 2 * w + 2, B}});
    Set(m_segments[SEG_E], {{L + w, mid + 2}, {L + 2 * w, mid + w + 2}, {L + 2 * w, B - 2 * w - 2},
                            {L + w, B - w - 2}, {L, B - 2 * w - 2}, {L, mid + w + 2}});
    Set(m_segments[SEG_F], {{L + w, T + w + 2}, {L + 2 * w, T + 2 * w + 2}, {L + 2 * w, mid - w - 2},
                            {L + w, mid - 2}, {L, mid - w - 2}, {L, T + 2 * w + 2}});
    Set(m_segments[SEG_G], {{L + w + 2, mid}, {L + 2 * w + 2, mid - w}, {R - 2 * w - 2, mid - w},
                            {R - w - 2, mid}, {R - 2 * w - 2, mid + w}, {L + 2 * w + 2, mid + w}});
}

void CDigit::drawSegment(HDC dc, DEType segment, bool on)
{
    HGDIOBJ oldBrush = ::SelectObject(dc, (on ? m_brOn : m_brOff).GetSafeHandle());
    HGDIOBJ oldPen = ::SelectObject(dc, (on ? m_penOn : m_penOff).GetSafeHandle());
    ::Polygon(dc, m_segments[segment], 6);
    ::SelectObject(dc, oldPen);
    ::SelectObject(dc, oldBrush);
}

void CDigit::drawDigit(HDC dc, int digit)
{
    if (digit < 0 || digit > 9)
        return;
    for (int s = 0; s < SEG_COUNT; ++s)
        drawSegment(dc, (DEType)s, (kLit[digit] >> s) & 1);
}

void CDigit::drawDigit(HDC dc, const char* digit)
{
    drawDigit(dc, digit ? std::atoi(digit) : -1);
}
