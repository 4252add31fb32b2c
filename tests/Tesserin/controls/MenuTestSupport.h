// Drawing and measuring CVXMenu items in memory for the menu tests.
#pragma once

#include "controls/VXMenu.h"

#include <vector>

namespace menutest {

// A 32-bit memory device of the given size, filled with `fill`.
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill = RGB(1, 2, 3));
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    HDC dc() const { return m_dc; }
    COLORREF At(int x, int y) const { return ::GetPixel(m_dc, x, y); }
    // Whether any pixel of `rect` has `colour`.
    bool Holds(const RECT& rect, COLORREF colour) const;
    // The rightmost column in `rect` holding a pixel of `colour`, -1 when none.
    int RightmostOf(const RECT& rect, COLORREF colour) const;
    // The rightmost column in `rect` holding anything but the colour of its right edge.
    int RightmostInk(const RECT& rect) const;

private:
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
};

// Draws item `position` of `menu` (a popup) with `state` into the canvas at `rect`.
void DrawMenuItem(CVXMenu& menu, int position, UINT state, Canvas& canvas, const RECT& rect);
MEASUREITEMSTRUCT MeasureMenuItem(CVXMenu& menu, int position);
// The width of wide text in the menu font.
int MenuTextWidth(const WCHAR* text);

// Puts the process-wide menu settings back to their defaults, with the given look.
void ResetMenuSettings(UINT drawMode);

}  // namespace menutest
