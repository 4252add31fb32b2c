// GridOffscreen: the one place the grid and its header paint off-screen,
// through the bars' CVXGridMemDC (a bitmap of the clip box in the window's
// coordinates, copied back when it goes).
#pragma once

#include "controls/VXGridMemDC.h"
#include "mfc.h"

class GridOffscreen {
public:
    explicit GridOffscreen(CDC* target) : m_pTarget(target), m_dc(target) {}
    GridOffscreen(const GridOffscreen&) = delete;
    GridOffscreen& operator=(const GridOffscreen&) = delete;

    CDC* DC() { return &m_dc; }
    // Leaves a part of the target untouched by the copy back (an open editor).
    void ExcludeFromCopy(const CRect& rect);

private:
    CDC* m_pTarget;
    CVXGridMemDC m_dc;
};
