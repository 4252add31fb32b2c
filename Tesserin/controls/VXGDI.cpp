#include "controls/VXGDI.h"

namespace {

void Edge(CDC* dc, int x1, int y1, int x2, int y2)
{
    dc->MoveTo(x1, y1);
    dc->LineTo(x2, y2);
}

void Corners(CDC* dc, const CRect& r, COLORREF c)
{
    const POINT pixels[] = {
        {r.left + 1, r.top + 2},     {r.left + 1, r.top + 1},     {r.left + 2, r.top + 1},
        {r.right - 3, r.top + 1},    {r.right - 2, r.top + 1},    {r.right - 2, r.top + 2},
        {r.left + 1, r.bottom - 3},  {r.left + 1, r.bottom - 2},  {r.left + 2, r.bottom - 2},
        {r.right - 3, r.bottom - 2}, {r.right - 2, r.bottom - 2}, {r.right - 2, r.bottom - 3},
    };
    for (const POINT& p : pixels)
        dc->SetPixel(p.x, p.y, c);
}

}  // namespace

void CVXGDI::VXRoundRect(CDC* dc, CRect* rect, COLORREF border, COLORREF fill)
{
    if (!dc || !rect)
        return;
    const CRect r = *rect;
    CPen pen(PS_SOLID, 0, border);
    CPen* old = dc->SelectObject(&pen);
    if (fill != kNoFill) {
        CRect inside(r.left + 1, r.top + 1, r.right - 1, r.bottom - 1);
        dc->FillSolidRect(&inside, fill);
    }
    Edge(dc, r.left + 3, r.top, r.right - 3, r.top);
    Edge(dc, r.right - 1, r.top + 3, r.right - 1, r.bottom - 3);
    Edge(dc, r.left + 3, r.bottom - 1, r.right - 3, r.bottom - 1);
    Edge(dc, r.left, r.top + 3, r.left, r.bottom - 3);
    Corners(dc, r, border);
    dc->SelectObject(old);
}
