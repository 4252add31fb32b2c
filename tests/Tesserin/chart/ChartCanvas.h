// A bitmap in a chart memory DC for drawing tests, with the font the chart
// uses, and a few ways to read what was drawn.
#pragma once

#include "controls/MemDC.h"

#include <string>
#include <vector>

namespace charttest {

class Canvas {
public:
    Canvas(int width, int height, COLORREF background = RGB(0, 0, 0));
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    CMemDC& dc() { return m_dc; }
    CFont& font() { return m_font; }
    CRect bounds() const { return m_rect; }
    COLORREF At(int x, int y) { return m_dc.GetPixel(x, y); }
    // Pixels inside `area` that differ from the background.
    int Ink(const CRect& area);
    int Count(const CRect& area, COLORREF colour);
    std::vector<COLORREF> Pixels();
    // Size of a text in the chart font, measured with this DC.
    CSize Measure(const char* text);

private:
    CClientDC m_screen{nullptr};
    CRect m_rect;
    COLORREF m_background;
    CBitmap m_bitmap;
    CMemDC m_dc;
    CFont m_font;
};

// Sets TZ for one test and puts the old value back.
class PinnedTimeZone {
public:
    explicit PinnedTimeZone(const char* zone);
    ~PinnedTimeZone();

private:
    bool m_had;
    std::string m_old;
};

}  // namespace charttest
