// CThumbGrid: the arithmetic of a grid of thumbnail cells (160 pixels square, a left margin,
// thumbnails of at most 146 x 109 centred in a cell's upper three quarters). The thumbnail view
// and the slide show's strip place, hit-test and scroll their cells with it.
#pragma once

#include "mfc.h"

class CThumbGrid {
public:
    enum { CELL = 160, MARGIN = 3, THUMB_WIDTH = 146, THUMB_HEIGHT = 109, ONE_COLUMN_BELOW = 179 };
    // Cells drawn for an empty list.
    enum { PLACEHOLDERS = 32 };

    int m_nCols = 1;
    int m_nMargin = 0;
    int m_nCellSize = CELL;

    // Columns for a client width: width / cell, one below ONE_COLUMN_BELOW.
    static int ColumnsFor(int width);

    // The frame of item i in content coordinates.
    CRect CellRect(int i) const;
    // The box used for invalidation and scrolling, in client coordinates.
    CRect ItemRect(int i, CPoint scroll) const;
    // Top-left of a picture of w x h centred in the cell's upper three quarters, in client coordinates.
    CPoint PicturePos(int i, int w, int h, CPoint scroll) const;
    // The picture's rectangle as the mouse sees it (client coordinates).
    CRect PictureHitRect(int i, int w, int h, CPoint scroll) const;
    // The item under a client point, -1 for none.
    int HitTest(CPoint point, CPoint scroll, int count) const;
    // Height of the rows holding count items (one row for an empty list).
    int ContentHeight(int count) const;
    // Columns and rows of a band's edges (content coordinates, y already scrolled).
    int ColumnAt(int x) const { return (x - m_nMargin - 2) / m_nCellSize; }
    int RowAt(int y) const { return y / m_nCellSize; }
};
