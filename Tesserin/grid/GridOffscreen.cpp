#include "grid/GridOffscreen.h"

GridOffscreen::GridOffscreen(CDC* target, const CRect& area) : m_pTarget(target), m_area(area)
{
    if (area.IsRectEmpty() || !m_dc.CreateCompatibleDC(target))
        return;
    if (!m_bitmap.CreateCompatibleBitmap(target, area.Width(), area.Height()))
        return;
    m_pOldBitmap = m_dc.SelectObject(&m_bitmap);
    m_dc.SetWindowOrg(area.left, area.top);
    m_bActive = TRUE;
}

void GridOffscreen::ExcludeFromCopy(const CRect& rect)
{
    if (m_bActive && !rect.IsRectEmpty())
        m_pTarget->ExcludeClipRect(&rect);
}

GridOffscreen::~GridOffscreen()
{
    if (!m_bActive)
        return;
    m_pTarget->BitBlt(m_area.left, m_area.top, m_area.Width(), m_area.Height(), &m_dc, m_area.left, m_area.top,
                      SRCCOPY);
    m_dc.SelectObject(m_pOldBitmap);
}
