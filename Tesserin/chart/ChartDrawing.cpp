// The drawing of CDataSeriesArray, one drawer per chart kind. Besides painting,
// every drawer leaves on each point the regions that hovering and double
// clicks test and that place the point's popup.
#include "chart/DataSeriesArray.h"

#include "chart/2DScale.h"
#include "controls/MemDC.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const double kDegree = 3.14159265358979323846 / 180.0;

void SetRegion(CRgn& region, const POINT* points, int count)
{
    region.DeleteObject();
    region.CreatePolygonRgn(const_cast<POINT*>(points), count, ALTERNATE);
}

void SetRegion(CRgn& region, const RECT& rect)
{
    region.DeleteObject();
    region.CreateRectRgnIndirect(&rect);
}

// Selects a pen and a brush for one shape and puts the old ones back.
class Tools {
public:
    Tools(CMemDC* dc, COLORREF pen, COLORREF brush) : m_dc(dc)
    {
        m_pen.CreatePen(PS_SOLID, 1, pen);
        m_brush.CreateSolidBrush(brush);
        m_oldPen = dc->SelectObject(&m_pen);
        m_oldBrush = dc->SelectObject(&m_brush);
    }
    ~Tools()
    {
        m_dc->SelectObject(m_oldPen);
        m_dc->SelectObject(m_oldBrush);
    }

private:
    CMemDC* m_dc;
    CPen m_pen;
    CBrush m_brush;
    CPen* m_oldPen;
    CBrush* m_oldBrush;
};

// Pie geometry: angles clockwise from 12 o'clock, in degrees.
struct PieGeometry {
    CRect box;
    POINT At(double angle) const
    {
        int cx = box.left + box.Width() / 2, cy = box.top + box.Height() / 2;
        double r = (90.0 - angle) * kDegree;
        return {cx + (int)std::trunc(std::cos(r) * box.Width() / 2),
                cy + (int)std::trunc(-std::sin(r) * box.Height() / 2)};
    }
    POINT Centre() const { return {box.left + box.Width() / 2, box.top + box.Height() / 2}; }
};

CRect SquareOf(const CRect& rect)
{
    CRect box = rect;
    int w = box.Width(), h = box.Height();
    if (w > h) {
        box.left += (w - h) / 2;
        box.right = box.left + h;
    } else if (h > w) {
        box.top += (h - w) / 2;
        box.bottom = box.top + w;
    }
    return box;
}

// The popup side is carried in the signs: negative when the anchor lies left
// of (or above) the centre.
void SetAnchor(CDataPoint* point, POINT vertex, POINT centre)
{
    int left = vertex.x > centre.x ? vertex.x : -vertex.x;
    int top = vertex.y > centre.y ? vertex.y : -vertex.y;
    SetRegion(point->m_AnchorRegion, CRect(left, top, left + 1, top + 1));
}

// The series' points from the smallest magnitude to the largest, the series left as it is.
std::vector<const CDataPoint*> SortedByMagnitude(CDataSeries* series, double& total)
{
    std::vector<const CDataPoint*> sorted;
    total = 0;
    for (int i = 0; i < series->GetCount(); ++i) {
        sorted.push_back(series->GetAt(i));
        total += std::fabs(series->GetAt(i)->m_dY);
    }
    std::stable_sort(sorted.begin(), sorted.end(), [](const CDataPoint* a, const CDataPoint* b) {
        return std::fabs(a->m_dY) < std::fabs(b->m_dY);
    });
    return sorted;
}

CDataPoint* WithSerial(CDataSeries* series, int serial)
{
    for (int i = 0; i < series->GetCount(); ++i)
        if (series->GetAt(i)->m_nSerial == serial)
            return series->GetAt(i);
    return nullptr;
}

}  // namespace

void CDataSeriesArray::DrawData(CMemDC* dc, C2DScale* axis)
{
    m_pDC = dc;
    m_pAxis = axis;
    if (!dc || !axis || !axis->GetRect())
        return;
    int dx = (int)std::trunc(std::sin(axis->GetHorzRotation() * kDegree) * axis->GetDepth());
    int dy = (int)std::trunc(std::sin(axis->GetVertRotation() * kDegree) * axis->GetDepth());
    switch (m_nChartType) {
    case CHART_LINE:
    case CHART_STRIP_LINE:
        _DrawLineChart(dx, dy);
        break;
    case CHART_BAR:
        _DrawBarChart(dx, dy);
        break;
    case CHART_XY:
    case CHART_XY_LINE:
        _DrawXYChart(dx, dy);
        break;
    case CHART_PIE:
        _DrawPieChart(dx, dy);
        break;
    case CHART_ROTATED_PIE:
        _DrawRotatedPieChart(dx, dy);
        break;
    case CHART_STRIP_AREA:
    case CHART_AREA:
        _DrawAreaChart(dx, dy);
        break;
    default:
        break;
    }
}

void CDataSeriesArray::DrawIcons(CMemDC* dc, C2DScale* axis)
{
    m_pDC = dc;
    m_pAxis = axis;
    if (!dc || !axis || !axis->GetRect())
        return;
    bool strip = m_nChartType == CHART_STRIP_LINE || m_nChartType == CHART_STRIP_AREA;
    bool scrolling = m_nChartType == CHART_STRIP_AREA && m_pScrollPending && *m_pScrollPending;
    for (int s = 0; s < GetCount(); ++s) {
        CDataSeries* series = m_series.GetAt(s);
        int n = series->GetCount();
        for (int i = scrolling ? std::max(0, n - 2) : 0; i < n; ++i) {
            CDataPoint* p = series->GetAt(i);
            if (!p->m_hIcon)
                continue;
            double v = strip ? p->m_dX + m_dXOffset : i;
            dc->DrawIcon(axis->_XValueToPixel(v), axis->_YValueToPixel(p->m_dY + m_dYOffset), p->m_hIcon);
        }
    }
}

void CDataSeriesArray::_DrawLineChart(int, int)
{
    for (int s = 0; s < GetCount(); ++s) {
        CDataSeries* series = m_series.GetAt(s);
        int n = series->GetCount();
        if (n == 0)
            continue;
        std::vector<POINT> points(n);
        for (int i = 0; i < n; ++i) {
            CDataPoint* p = series->GetAt(i);
            double v = m_nChartType == CHART_STRIP_LINE ? p->m_dX + m_dXOffset : i;
            points[i] = {m_pAxis->_XValueToPixel(v), m_pAxis->_YValueToPixel(p->m_dY + m_dYOffset)};
            if (m_nChartType == CHART_LINE) {
                CRect box(points[i].x - 5, points[i].y - 5, points[i].x + 5, points[i].y + 5);
                SetRegion(p->m_HitRegion, box);
                SetRegion(p->m_AnchorRegion, box);
            }
        }
        Tools tools(m_pDC, series->GetColor(), series->GetColor());
        m_pDC->Polyline(points.data(), n);
    }
}

void CDataSeriesArray::_DrawXYChart(int, int)
{
    for (int s = 0; s < GetCount(); ++s) {
        CDataSeries* series = m_series.GetAt(s);
        Tools tools(m_pDC, series->GetColor(), series->GetColor());
        for (int i = 0; i < series->GetCount(); ++i) {
            CDataPoint* p = series->GetAt(i);
            int px = m_pAxis->_XValueToPixel(p->m_dX + m_dXOffset);
            int py = m_pAxis->_YValueToPixel(p->m_dY + m_dYOffset);
            m_pDC->Ellipse(px - 2, py - 2, px + 3, py + 3);
            if (m_nChartType == CHART_XY_LINE) {
                if (i == 0)
                    m_pDC->MoveTo(px, py);
                else
                    m_pDC->LineTo(px, py);
            }
            CRect box(px - 2, py - 2, px + 3, py + 3);
            SetRegion(p->m_HitRegion, box);
            SetRegion(p->m_AnchorRegion, box);
        }
    }
}

void CDataSeriesArray::_DrawBarChart(int dx, int dy)
{
    int n = GetCount(), m = GetMaxInAllSeries();
    if (n == 0 || m == 0)
        return;
    int dataWidth = m_pAxis->GetRect()->Width();
    int w = (int)(((dataWidth / n) / m + 1) * 0.5);
    if (w <= 0)
        return;
    int s0 = m_pAxis->_XValueToPixel(1.0) - (w * n) / 2 - m_pAxis->_XValueToPixel(0.0);
    double storedMin = 0, storedMax = 0;
    m_pAxis->GetAxisScale(AXIS_Y, storedMin, storedMax);
    const double o = m_dYOffset;
    struct Label {
        int x, y, width;
        CString text;
    };
    std::vector<Label> labels;
    const bool withLabels = (m_wCustomStyle & 0x1000) != 0;
    for (int i = 0; i < m; ++i) {
        int s = s0;
        for (int k = 0; k < n; ++k) {
            CDataSeries* series = m_series.GetAt(k);
            if (i >= series->GetCount())
                continue;
            CDataPoint* p = series->GetAt(i);
            COLORREF c = n == 1 ? p->m_Color : series->GetColor();
            int left = m_pAxis->_XValueToPixel(i) + s, right = left + w;
            int base, top;
            if (p->m_dY <= 0) {
                base = m_pAxis->_YValueToPixel(p->m_dY + o);
                top = m_pAxis->_YValueToPixel(o);
            } else {
                base = m_pAxis->_YValueToPixel(storedMin + o);
                top = m_pAxis->_YValueToPixel(p->m_dY + o);
            }
            {
                Tools tools(m_pDC, HalfColor(c), DarkenColor(c));
                POINT front[4] = {{left, base}, {right, base}, {right, top}, {left, top}};
                m_pDC->Polygon(front, 4);
            }
            int anchorTop = top;
            for (int tries = 0; tries < 64; ++tries, --anchorTop) {
                POINT anchor[4] = {{left, anchorTop}, {left, base}, {right, base}, {right, anchorTop}};
                SetRegion(p->m_AnchorRegion, anchor, 4);
                CRect box;
                if (p->m_AnchorRegion.GetSafeHandle() && p->m_AnchorRegion.GetRgnBox(&box) != NULLREGION &&
                    !box.IsRectEmpty())
                    break;
            }
            {
                Tools tools(m_pDC, HalfColor(c), DarkenColor(DarkenColor(c)));
                POINT side[4] = {{right + dx, base - dy}, {right, base}, {right, top}, {right + dx, top - dy}};
                m_pDC->Polygon(side, 4);
            }
            {
                Tools tools(m_pDC, HalfColor(c), c);
                POINT upper[4] = {{left + dx, top - dy}, {left, top}, {right, top}, {right + dx, top - dy}};
                m_pDC->Polygon(upper, 4);
            }
            POINT hit[6] = {{left, top},           {left, base},     {right, base},
                            {right + dx, base - dy}, {right + dx, top - dy}, {left + dx, top - dy}};
            SetRegion(p->m_HitRegion, hit, 6);
            if (k == 0 && withLabels) {
                CSize size = m_pDC->GetTextExtent(p->m_sCaption, p->m_sCaption.GetLength());
                int x = left - ((int)size.cx - w) / 2;
                if (n > 1)
                    x += (int)(w * (n - 1) * 0.5);
                labels.push_back({x, m_pAxis->_YValueToPixel(0.0) + 10, (int)size.cx, p->m_sCaption});
            }
            s += w + 1;
        }
    }
    if (!withLabels)
        return;
    for (size_t i = 0; i + 1 < labels.size(); ++i)
        if (labels[i].x + labels[i].width + 5 > labels[i + 1].x)
            return;  // captions that would run into each other are left out
    for (const Label& label : labels)
        m_pDC->TextOut(label.x, label.y, label.text, label.text.GetLength());
}

void CDataSeriesArray::_DrawPieChart(int, int)
{
    CDataSeries* series = _GetDataSeries(0);
    if (!series || series->GetCount() == 0)
        return;
    double total = 0;
    std::vector<const CDataPoint*> sorted = SortedByMagnitude(series, total);
    if (!(total > 0) || !std::isfinite(total))
        return;  // nothing to share out
    PieGeometry pie{SquareOf(*m_pAxis->GetRect())};
    POINT previous = pie.At(350.0);
    double running = 0;
    int previousDegree = 0;
    for (const CDataPoint* point : sorted) {
        const CDataPoint& slice = *point;
        running += std::fabs(slice.m_dY) / total * 360.0;
        double end = running + CHART_EPSILON >= 359.9 ? running : running + 10.0;
        POINT to = pie.At(end);
        {
            Tools tools(m_pDC, HalfColor(slice.m_Color), slice.m_Color);
            m_pDC->Pie(pie.box.left, pie.box.top, pie.box.right, pie.box.bottom, to.x, to.y, previous.x,
                       previous.y);
        }
        previous = pie.At(running);
        int degree = (int)std::trunc(running);
        if (CDataPoint* own = WithSerial(series, slice.m_nSerial)) {
            std::vector<POINT> rim;
            for (int d = previousDegree; d <= degree; ++d)
                rim.push_back(pie.At(d));
            SetAnchor(own, rim[rim.size() / 2], pie.Centre());
            rim.push_back(pie.Centre());
            SetRegion(own->m_HitRegion, rim.data(), (int)rim.size());
        }
        previousDegree = degree;
    }
}

void CDataSeriesArray::_GenerateRegion(int pass, CDataPoint* point, int startAngle, int endAngle, int thickness,
                                       const CRect& box)
{
    if (pass == 1 || !point)
        return;
    PieGeometry lower{box};
    std::vector<POINT> outline;
    for (int d = startAngle; d <= endAngle; ++d) {
        POINT p = lower.At(d);
        int angle = ((d % 360) + 360) % 360;
        if (angle < 90 || angle > 270)
            p.y -= thickness + 1;
        outline.push_back(p);
    }
    POINT centre = lower.Centre();
    SetAnchor(point, outline[outline.size() / 2], centre);
    centre.y -= thickness + 1;
    outline.push_back(centre);
    SetRegion(point->m_HitRegion, outline.data(), (int)outline.size());
}

void CDataSeriesArray::_DrawRotatedPieChart(int, int)
{
    CDataSeries* series = _GetDataSeries(0);
    if (!series || series->GetCount() == 0)
        return;
    double total = 0;
    std::vector<const CDataPoint*> sorted = SortedByMagnitude(series, total);
    if (!(total > 0) || !std::isfinite(total))
        return;
    CRect box = SquareOf(*m_pAxis->GetRect());
    box.DeflateRect(10, 10);
    int t = (int)(box.Width() * m_dHeight * 0.00125);
    int squash = (int)(box.Height() * m_dElevation * 0.01);
    box.DeflateRect(0, squash);
    box.OffsetRect(0, t / 2);
    const CRect lowerBox = box;
    for (int pass = 0; pass < 3; ++pass) {
        PieGeometry pie{box};
        POINT previous = pie.At(350.0);
        double running = 0, startAngle = 0;
        for (const CDataPoint* point : sorted) {
            const CDataPoint& slice = *point;
            startAngle = running;
            running += std::fabs(slice.m_dY) / total * 360.0;
            if (pass == 1) {
                // The wall faces the viewer only between 3 and 9 o'clock.
                double from = std::max(startAngle, 90.0), to = std::min(running, 270.0);
                Tools tools(m_pDC, slice.m_Color, slice.m_Color);
                for (double a = from; a < to; a += 1.0) {
                    double b = std::min(a + 1.0, to);
                    POINT p = pie.At(a), q = pie.At(b);
                    POINT wall[4] = {p, q, {q.x, q.y - t}, {p.x, p.y - t}};
                    m_pDC->Polygon(wall, 4);
                }
                continue;
            }
            double end = running + CHART_EPSILON >= 359.9 ? running : running + 10.0;
            POINT to = pie.At(end);
            {
                Tools tools(m_pDC, HalfColor(slice.m_Color), slice.m_Color);
                m_pDC->Pie(pie.box.left, pie.box.top, pie.box.right, pie.box.bottom, to.x, to.y, previous.x,
                           previous.y);
            }
            if (pass == 2 && running + CHART_EPSILON > 90.0 && running + CHART_EPSILON < 270.0) {
                POINT start = startAngle == 0 ? pie.At(350.0) : pie.At(startAngle);
                Tools tools(m_pDC, HalfColor(slice.m_Color), slice.m_Color);
                m_pDC->MoveTo(start.x, start.y);
                m_pDC->LineTo(start.x, start.y + t + 1);
            }
            previous = pie.At(running);
            if (pass == 0)
                _GenerateRegion(pass, WithSerial(series, slice.m_nSerial), (int)std::trunc(startAngle),
                                (int)std::trunc(running), t, lowerBox);
        }
        if (pass == 1)
            box.OffsetRect(0, -t);
    }
}

void CDataSeriesArray::_DrawFullArea(CDataSeries* series, bool strip)
{
    int n = series->GetCount();
    const CRect& data = *m_pAxis->GetRect();
    int baseline = m_pAxis->_YValueToPixel(0.0) - 1;
    std::vector<POINT> polygon(n + 2);
    for (int k = 1; k <= n; ++k) {
        CDataPoint* p = series->GetAt(k - 1);
        double v = strip ? p->m_dX + m_dXOffset : k - 1;
        polygon[k] = {m_pAxis->_XValueToPixel(v), m_pAxis->_YValueToPixel(p->m_dY + m_dYOffset)};
    }
    polygon[0] = {polygon[1].x + 1, baseline};
    std::vector<POINT> line(polygon.begin() + 1, polygon.begin() + 1 + n);
    if (n >= 2) {
        polygon[n + 1] = {polygon[n].x - 1, baseline};
        polygon[1].x += 1;
        polygon[n].x -= 1;
    } else {
        polygon.resize(4);
        polygon[2] = {data.right - 1, polygon[1].y};
        polygon[3] = {data.right - 1, data.bottom};
    }
    {
        Tools tools(m_pDC, series->GetColor(), series->GetColor());
        m_pDC->Polygon(polygon.data(), (int)polygon.size());
    }
    {
        Tools tools(m_pDC, HalfColor(series->GetColor()), series->GetColor());
        m_pDC->Polyline(line.data(), (int)line.size());
    }
    if (!strip) {
        CDataPoint* first = series->GetAt(0);
        SetRegion(first->m_HitRegion, polygon.data(), (int)polygon.size());
        SetRegion(first->m_AnchorRegion, polygon.data(), (int)polygon.size());
    }
}

bool CDataSeriesArray::_ScrollStripArea()
{
    if (m_nChartType != CHART_STRIP_AREA || !m_pScrollPending || !*m_pScrollPending || !m_pFullRedraw ||
        *m_pFullRedraw || !m_pLastFrame || !m_pLastFrame->GetSafeHandle() || m_nFullDrawings < 2)
        return false;
    CDataSeries* first = _GetDataSeries(0);
    if (!first || first->GetCount() < 2)
        return false;
    const CRect& data = *m_pAxis->GetRect();
    int n = first->GetCount();
    int d = m_pAxis->_XValueToPixel(first->GetAt(n - 1)->m_dX + m_dXOffset) -
            m_pAxis->_XValueToPixel(first->GetAt(n - 2)->m_dX + m_dXOffset);
    if (d <= 0 || d >= data.Width() - 1)
        return false;
    BITMAP bm;
    if (!m_pLastFrame->GetBitmap(&bm) || bm.bmWidth != data.Width() || bm.bmHeight != data.Height())
        return false;  // the last frame belongs to another layout
    CDC frame;
    if (!frame.CreateCompatibleDC(m_pDC))
        return false;
    CBitmap* old = frame.SelectObject(m_pLastFrame);
    m_pDC->BitBlt(data.left + 1, data.top, data.Width() - d - 1, data.Height(), &frame, d + 1, 0, SRCCOPY);
    frame.SelectObject(old);
    int baseline = m_pAxis->_YValueToPixel(0.0) - 1;
    for (int s = 0; s < GetCount(); ++s) {
        CDataSeries* series = m_series.GetAt(s);
        int count = series->GetCount();
        if (count < 2)
            continue;
        CDataPoint* a = series->GetAt(count - 2);
        CDataPoint* b = series->GetAt(count - 1);
        int x = m_pAxis->_XValueToPixel(a->m_dX + m_dXOffset) - 1;
        POINT segment[4] = {{x, m_pAxis->_YValueToPixel(a->m_dY + m_dYOffset)},
                            {x + d, m_pAxis->_YValueToPixel(b->m_dY + m_dYOffset)},
                            {x + d, baseline},
                            {x, baseline}};
        {
            Tools tools(m_pDC, series->GetColor(), series->GetColor());
            m_pDC->Polygon(segment, 4);
        }
        Tools edge(m_pDC, HalfColor(series->GetColor()), series->GetColor());
        m_pDC->MoveTo(segment[0].x, segment[0].y);
        m_pDC->LineTo(segment[1].x, segment[1].y);
    }
    *m_pFullRedraw = 0;
    return true;
}

void CDataSeriesArray::_DrawAreaChart(int, int)
{
    if (_ScrollStripArea())
        return;
    bool strip = m_nChartType == CHART_STRIP_AREA;
    for (int s = 0; s < GetCount(); ++s)
        if (m_series.GetAt(s)->GetCount() > 0)
            _DrawFullArea(m_series.GetAt(s), strip);
    if (strip) {
        ++m_nFullDrawings;
        if (m_pFullRedraw)
            *m_pFullRedraw = 0;
    }
}

void CDataSeriesArray::_DrawRotatedLineChart(int, int) {}

void CDataSeriesArray::_DrawRotatedXYChart(int, int) {}
