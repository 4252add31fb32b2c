// GridOffscreen: the one place the grid and its header paint off-screen.
// Draws into a bitmap of the clip box's size with the window's coordinates and
// copies it back when it goes; a DC without room draws straight through.
#pragma once

#include "mfc.h"

class GridOffscreen {
public:
    GridOffscreen(CDC* target, const CRect& area);
    ~GridOffscreen();
    GridOffscreen(const GridOffscreen&) = delete;
    GridOffscreen& operator=(const GridOffscreen&) = delete;

    CDC* DC() { return m_bActive ? &m_dc : m_pTarget; }
    // Leaves a part of the target untouched by the copy back (an open editor).
    void ExcludeFromCopy(const CRect& rect);

private:
    CDC* m_pTarget;
    CRect m_area;
    CDC m_dc;
    CBitmap m_bitmap;
    CBitmap* m_pOldBitmap = nullptr;
    BOOL m_bActive = FALSE;
};
