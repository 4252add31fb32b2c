#include "browser/ThumbGrid.h"

int CThumbGrid::ColumnsFor(int width)
{
    return width >= ONE_COLUMN_BELOW ? width / CELL : 1;
}

CRect CThumbGrid::CellRect(int i) const
{
    int row = i / m_nCols, col = i % m_nCols;
    return CRect(col * m_nCellSize + m_nMargin + 2, row * m_nCellSize + 4, (col + 1) * m_nCellSize + m_nMargin - 2,
                 (row + 1) * m_nCellSize);
}

CRect CThumbGrid::ItemRect(int i, CPoint scroll) const
{
    int row = i / m_nCols, col = i % m_nCols;
    int left = col * m_nCellSize + m_nMargin - scroll.x + 2;
    int top = row * m_nCellSize - scroll.y + 2;
    return CRect(left, top, left + m_nCellSize, top + m_nCellSize);
}

CPoint CThumbGrid::PicturePos(int i, int w, int h, CPoint scroll) const
{
    int row = i / m_nCols, col = i % m_nCols;
    return CPoint(col * m_nCellSize + m_nMargin + 1 + (m_nCellSize - w) / 2 - scroll.x,
                  row * m_nCellSize + 4 + (3 * m_nCellSize / 4 - h) / 2 - scroll.y);
}

CRect CThumbGrid::PictureHitRect(int i, int w, int h, CPoint scroll) const
{
    int row = i / m_nCols, col = i % m_nCols;
    int x = col * m_nCellSize + (m_nCellSize - w) / 2 + m_nMargin - scroll.x + 2;
    int y = row * m_nCellSize + (3 * m_nCellSize / 4 - h) / 2 - scroll.y + 2;
    return CRect(x, y, x + w, y + h);
}

int CThumbGrid::HitTest(CPoint point, CPoint scroll, int count) const
{
    int x = scroll.x + (point.x - m_nMargin);
    int y = scroll.y + point.y;
    if (count <= 0 || x < 1 || y < 0)
        return -1;
    int col = x / m_nCellSize, row = y / m_nCellSize;
    if (col >= m_nCols || row > count / m_nCols)
        return -1;
    int item = row * m_nCols + col;
    return item < count ? item : -1;
}

int CThumbGrid::ContentHeight(int count) const
{
    return ((count - 1) / m_nCols + 1) * m_nCellSize;
}
