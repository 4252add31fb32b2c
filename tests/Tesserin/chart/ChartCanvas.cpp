#include "ChartCanvas.h"

#include <cstdlib>
#include <ctime>

namespace charttest {

Canvas::Canvas(int width, int height, COLORREF background)
    : m_rect(0, 0, width, height), m_background(background), m_dc(&m_screen, &m_rect, &m_bitmap)
{
    m_dc.FillSolidRect(&m_rect, background);
    m_font.CreatePointFont(100, "Arial");
    m_dc.SelectObject(&m_font);
}

int Canvas::Ink(const CRect& area)
{
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (m_dc.GetPixel(x, y) != m_background)
                ++n;
    return n;
}

int Canvas::Count(const CRect& area, COLORREF colour)
{
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (m_dc.GetPixel(x, y) == colour)
                ++n;
    return n;
}

std::vector<COLORREF> Canvas::Pixels()
{
    std::vector<COLORREF> all;
    for (int y = m_rect.top; y < m_rect.bottom; ++y)
        for (int x = m_rect.left; x < m_rect.right; ++x)
            all.push_back(m_dc.GetPixel(x, y));
    return all;
}

CSize Canvas::Measure(const char* text)
{
    CRect r(0, 0, 0, 0);
    m_dc.DrawText(text, -1, &r, DT_CALCRECT);
    return CSize(r.Width(), r.Height());
}

PinnedTimeZone::PinnedTimeZone(const char* zone) : m_had(std::getenv("TZ") != nullptr)
{
    if (m_had)
        m_old = std::getenv("TZ");
    setenv("TZ", zone, 1);
    tzset();
}

PinnedTimeZone::~PinnedTimeZone()
{
    if (m_had)
        setenv("TZ", m_old.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

}  // namespace charttest
