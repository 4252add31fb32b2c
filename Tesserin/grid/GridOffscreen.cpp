#include "grid/GridOffscreen.h"

void GridOffscreen::ExcludeFromCopy(const CRect& rect)
{
    if (!rect.IsRectEmpty())
        m_pTarget->ExcludeClipRect(&rect);
}
