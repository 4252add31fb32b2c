#include "chart/2DScale.h"

#include "controls/MemDC.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <ctime>

namespace {

const double kPi = 3.14159265358979323846;
// More marks than any axis can show; stops steps that advance by almost nothing.
const int kMaxMarks = 10000;
// Pixels stay far inside int so that later sums cannot overflow.
const double kPixelLimit = 1.0e7;

// Calls `mark` at from, from + |step|, ... while <= to. A step that does not
// advance gives the first mark only; a range that is not finite gives none.
template <class F>
void ForEachMark(double from, double to, double step, F mark)
{
    if (!std::isfinite(from) || !std::isfinite(to))
        return;
    double s = std::fabs(step);
    int count = 0;
    for (double v = from; v <= to; ++count) {
        mark(v);
        double next = v + s;
        if (!(next > v) || count >= kMaxMarks)
            break;
        v = next;
    }
}

int ToPixel(double v)
{
    if (!std::isfinite(v))
        return 0;
    return (int)std::max(-kPixelLimit, std::min(kPixelLimit, v));
}

// True when `format` is safe to give one double: at most one conversion, and
// that one takes a double (a format without any shows as it is).
bool IsSafeNumberFormat(const char* format)
{
    int conversions = 0;
    for (const char* p = format; *p; ++p) {
        if (*p != '%')
            continue;
        ++p;
        if (*p == '%')
            continue;
        while (*p && std::strchr("-+ #0'", *p))
            ++p;
        while (*p >= '0' && *p <= '9')
            ++p;
        if (*p == '.') {
            ++p;
            while (*p >= '0' && *p <= '9')
                ++p;
        }
        if (*p == 'l')
            ++p;
        if (!*p || !std::strchr("eEfFgGaA", *p))
            return false;
        ++conversions;
    }
    return conversions <= 1;
}

bool IsDivisible(double second, int n)
{
    return std::fmod(second, (double)n) == 0.0;
}

}  // namespace

COLORREF DarkenColor(COLORREF c)
{
    auto lower = [](int v) { return v < 30 ? 0 : v - 30; };
    return RGB(lower(GetRValue(c)), lower(GetGValue(c)), lower(GetBValue(c)));
}

COLORREF HalfColor(COLORREF c)
{
    return (c >> 1) & 0x7F7F7F;
}

double RoundToScaleMark(double v, int down)
{
    if (!std::isfinite(v) || v == 0.0)
        return 0.0;
    if (v < 0) {
        int opposite = down == 0 ? 1 : (down == 1 ? 0 : down);
        return -RoundToScaleMark(-v, opposite);
    }
    double marks[11];
    for (int k = 1; k <= 10; ++k)
        marks[k] = k;
    // Values far from 1 need at most a few hundred passes; denormals never settle.
    for (int pass = 0; pass < 1000 && (v < marks[1] || v > marks[10]); ++pass) {
        double factor = v < marks[1] ? 0.1 : 10.0;
        for (int k = 1; k <= 10; ++k)
            marks[k] *= factor;
    }
    for (int k = 1; k <= 9; ++k) {
        if (marks[k] <= v && v <= marks[k + 1]) {
            if (down == 1)
                return marks[k];
            return down == 0 ? marks[k + 1] : 0.0;
        }
    }
    return 0.0;
}

C2DScale::C2DScale(int a, int b)
    : m_pVertFont(nullptr), m_pFont(nullptr), m_xFormat("%f"), m_yFormat("%f"), m_a(a), m_b(b), m_xMin(0.0),
      m_xMax(10.0), m_yMin(0.0), m_yMax(10.0), m_prevYMin(0.0), m_prevYMax(10.0), m_xOffset(0.0), m_yOffset(0.0),
      m_xMinor(1.0), m_xMajor(5.0), m_xLabelStep(5.0), m_yMinor(1.0), m_yMajor(5.0), m_yLabelStep(5.0),
      m_xStyle(0xB9), m_yStyle(0x4B9), m_chartStyle(0), m_pDC(nullptr), m_pRect(nullptr), m_entryRect(0, 0, 0, 0),
      m_lineColor(0xFFFFFF), m_fillColor(0x1000000), m_depth(30), m_horzRotation(30.0), m_vertRotation(30.0),
      m_removedMark(0), m_wx(0), m_hx(0), m_wy(0), m_hy(0), m_ty(0)
{
    m_pen.CreatePen(PS_SOLID, 1, m_lineColor);
}

C2DScale::~C2DScale()
{
    m_pen.DeleteObject();
}

void C2DScale::SetAxisScale(AXIS axis, double& min, double& max)
{
    if (axis != AXIS_X && axis != AXIS_Y)
        return;
    if (min == max) {
        min -= CHART_EPSILON;
        max += CHART_EPSILON;
    }
    if (axis == AXIS_X) {
        m_xOffset = min < 0 ? -min : 0.0;
        m_xMin = min + m_xOffset;
        m_xMax = max + m_xOffset;
        min = m_xMin;
        max = m_xMax;
    } else {
        m_prevYMin = m_yMin;
        m_prevYMax = m_yMax;
        m_yOffset = -min;
        m_yMin = min + m_yOffset;
        m_yMax = max + m_yOffset;
        min = m_yMin;
        max = m_yMax;
    }
}

void C2DScale::GetAxisScale(AXIS axis, double& min, double& max)
{
    if (axis == AXIS_X) {
        min = m_xMin;
        max = m_xMax;
    } else if (axis == AXIS_Y) {
        min = m_yMin;
        max = m_yMax;
    }
}

double C2DScale::GetAxisOffset(AXIS axis)
{
    return axis == AXIS_X ? m_xOffset : m_yOffset;
}

void C2DScale::SetScaleStep(AXIS axis, double minor, double major)
{
    if (axis == AXIS_X) {
        m_xMinor = minor;
        m_xMajor = major;
    } else if (axis == AXIS_Y) {
        m_yMinor = minor;
        m_yMajor = major;
    }
}

void C2DScale::GetScaleStep(AXIS axis, double& minor, double& major)
{
    if (axis == AXIS_X) {
        minor = m_xMinor;
        major = m_xMajor;
    } else if (axis == AXIS_Y) {
        minor = m_yMinor;
        major = m_yMajor;
    }
}

void C2DScale::SetStyle(DWORD style)
{
    if (style & AXIS_X)
        m_xStyle = style;
    if (style & AXIS_Y)
        m_yStyle = style;
    if (style & AXIS_CHART)
        m_chartStyle = style;
    if (m_chartStyle & CHART_STYLE_TIME_AXIS)
        m_xFormat = "%H:%M:%S";
}

void C2DScale::ClearStyle(DWORD bits)
{
    if (bits & AXIS_X)
        m_xStyle &= ~bits;
    if (bits & AXIS_Y)
        m_yStyle &= ~bits;
}

DWORD C2DScale::GetStyle(DWORD axis)
{
    switch (axis) {
    case AXIS_X:
        return m_xStyle;
    case AXIS_Y:
        return m_yStyle;
    case AXIS_CHART:
        return m_chartStyle;
    default:
        return 0;
    }
}

void C2DScale::SetAxisText(AXIS axis, CString* text)
{
    if (!text)
        return;
    if (axis == AXIS_X)
        m_xTitle = *text;
    else if (axis == AXIS_Y)
        m_yTitle = *text;
}

void C2DScale::SetAxisFormatString(AXIS axis, CString& format)
{
    if (axis == AXIS_X)
        m_xFormat = format;
    else if (axis == AXIS_Y)
        m_yFormat = format;
}

void C2DScale::SetLineColor(COLORREF colour)
{
    m_lineColor = colour;
    m_pen.DeleteObject();
    m_pen.CreatePen(PS_SOLID, 1, colour);
}

int C2DScale::HasVerticalScalingChanged()
{
    return (m_yMin != m_prevYMin || m_yMax != m_prevYMax) ? 1 : 0;
}

double C2DScale::DepthX() const
{
    return std::sin(m_horzRotation * (kPi / 4) / 45) * m_depth;
}

double C2DScale::DepthY() const
{
    return std::sin(m_vertRotation * (kPi / 4) / 45) * m_depth;
}

int C2DScale::_XValueToPixel(double v)
{
    if (!m_pRect)
        return 0;
    const CRect& p = *m_pRect;
    double span = m_xMax - m_xMin;
    if (span == 0.0 || !std::isfinite(span) || !std::isfinite(v))
        return p.left;
    return ToPixel(std::trunc((p.Width() - DepthX()) / span * (v - m_xMin))) + p.left;
}

int C2DScale::_YValueToPixel(double v)
{
    if (!m_pRect)
        return 0;
    const CRect& p = *m_pRect;
    double span = m_yMin - m_yMax;
    if (span == 0.0 || !std::isfinite(span) || !std::isfinite(v))
        return p.bottom;
    return ToPixel(std::trunc((p.Height() - DepthY()) / span * (v - m_yMin) + p.bottom));
}

int C2DScale::TimeLabelStep() const
{
    double n = std::ceil(m_xLabelStep / 5.0) * 5.0;
    if (!(n >= 5.0))
        return 5;
    return (int)std::min(n, 1.0e6);
}

CString C2DScale::XLabel(double x) const
{
    CString text;
    if (IsTimeAxis()) {
        if (!std::isfinite(x) || std::fabs(x) > 1.0e15)
            return text;
        time_t seconds = (time_t)std::trunc(x);
        struct tm local;
        char buffer[256];
        if (localtime_r(&seconds, &local) && std::strftime(buffer, sizeof(buffer), m_xFormat, &local) > 0)
            text = buffer;
        return text;
    }
    text.Format(IsSafeNumberFormat(m_xFormat) ? (const char*)m_xFormat : "%f", x - m_xOffset);
    return text;
}

CString C2DScale::YLabel(double y) const
{
    CString text;
    text.Format(IsSafeNumberFormat(m_yFormat) ? (const char*)m_yFormat : "%f", y - m_yOffset);
    return text;
}

CSize C2DScale::Measure(const CString& text)
{
    CRect r(0, 0, 0, 0);
    m_pDC->DrawText(text, -1, &r, DT_CALCRECT);
    return CSize(r.Width(), r.Height());
}

void C2DScale::Line(int x1, int y1, int x2, int y2)
{
    m_pDC->MoveTo(x1, y1);
    m_pDC->LineTo(x2, y2);
}

void C2DScale::DrawAxis(CMemDC* dc, CRect* rect)
{
    if (!dc)
        return;
    dc->SelectObject(&m_pen);
    if (m_pFont && m_pFont->GetSafeHandle())
        dc->SelectObject(m_pFont);
    dc->SetTextColor(m_lineColor);
    if (!rect || (rect->left == 0 && rect->top == 0 && rect->right == 0 && rect->bottom == 0))
        return;
    m_pRect = rect;
    m_entryRect = *rect;
    m_pDC = dc;
    if (!(m_chartStyle & CHART_STYLE_AXES))
        return;
    _SetDrawingArea();
    _DrawTickText();
    _DrawAxis();
    _DrawGraticules();
    _DrawTickMarks();
}

void C2DScale::_SetDrawingArea()
{
    CRect& p = *m_pRect;
    m_wx = m_hx = m_wy = m_hy = 0;
    ForEachMark(m_xMin, m_xMax, IsTimeAxis() ? 1.0 : m_xMajor, [&](double x) {
        CSize s = Measure(XLabel(x));
        m_wx = std::max(m_wx, (int)s.cx);
        m_hx = std::max(m_hx, (int)s.cy);
    });
    ForEachMark(m_yMin, m_yMax, m_yMajor, [&](double y) {
        CSize s = Measure(YLabel(y));
        m_wy = std::max(m_wy, (int)s.cx);
        m_hy = std::max(m_hy, (int)s.cy);
    });
    if (YLabels()) {
        if (YLeft()) {
            p.left += m_hy + m_wy;
            p.right -= m_wx / 2;
        } else {
            p.right -= m_hy + m_wy;
            p.left += m_wx / 2;
        }
    } else if (XLabels()) {
        p.left += m_wx / 2;
        p.right -= m_wx / 2;
    }
    _PrintAxisText();
    if (XLabels()) {
        int hy = YLabels() ? m_hy : 0;
        if (XBottom()) {
            p.bottom -= 2 * m_hx;
            p.top += hy;
        } else {
            p.top += 2 * m_hx;
            p.bottom -= hy;
        }
    }

    // Labels that would not fit are thinned by doubling their step.
    double xSpan = m_xMax - m_xMin;
    m_xLabelStep = IsTimeAxis() ? 1.0 : m_xMajor;
    auto count = [](double span, double step) {
        double n = std::trunc(span / step);
        return std::isfinite(n) ? n : 0.0;
    };
    double n = count(xSpan, m_xLabelStep);
    double usableWidth = std::trunc(p.Width() - DepthX());
    while (m_xLabelStep > 0 && (double)m_wx * n > usableWidth && n > 0) {
        m_xLabelStep *= 2;
        n = count(xSpan, m_xLabelStep);
    }
    double ySpan = m_yMax - m_yMin;
    m_yLabelStep = m_yMajor;
    double m = count(ySpan, m_yLabelStep);
    double usableHeight = std::trunc(p.Height() - DepthY());
    while (m_yLabelStep > 0 && usableHeight < 1.5 * m_hy * m && m > 0) {
        m_yLabelStep *= 2;
        m = count(ySpan, m_yLabelStep);
    }
}

void C2DScale::_PrintAxisText()
{
    CRect& p = *m_pRect;
    m_ty = 0;
    if (!m_yTitle.IsEmpty()) {
        if (m_pVertFont && m_pVertFont->GetSafeHandle())
            m_pDC->SelectObject(m_pVertFont);
        CSize s = Measure(m_yTitle);
        // Turned upright: as wide as the text is high, keeping the bottom-left corner.
        CRect box(0, s.cy - s.cx, s.cy, s.cy);
        box.OffsetRect(0, _YValueToPixel(m_yMax) - box.top);
        box.OffsetRect(0, (p.Height() - box.Height()) / 2);
        if (YLeft()) {
            box.OffsetRect(7, 0);
            p.left += 2 * box.Width() - 7;
        } else {
            p.right -= 2 * box.Width();
            box.OffsetRect(m_entryRect.Width() - box.Height() - 5, 0);
        }
        m_pDC->DrawText(m_yTitle, -1, &box, DT_SINGLELINE | DT_BOTTOM);
        if (m_pFont && m_pFont->GetSafeHandle())
            m_pDC->SelectObject(m_pFont);
        m_ty = 2 * box.Width();
    }
    if (!m_xTitle.IsEmpty()) {
        CSize s = Measure(m_xTitle);
        CRect box(0, 0, s.cx, s.cy);
        box.OffsetRect(_XValueToPixel(m_xMin), 0);
        box.OffsetRect((p.Width() - box.Width()) / 2, 0);
        if (XBottom()) {
            box.OffsetRect(0, p.Height() - box.Height());
            p.bottom -= 2 * box.Height();
        } else {
            box.OffsetRect(0, 10);
            p.top += 2 * box.Height();
        }
        m_pDC->DrawText(m_xTitle, -1, &box, DT_RIGHT | DT_VCENTER);
    }
}

void C2DScale::_PrintXAxisLabelText(CRect& box, double x, int shift, int y0)
{
    CString text = XLabel(x);
    CSize s = Measure(text);
    int centre = _XValueToPixel(x) + shift;
    CRect label(centre - s.cx / 2, y0, centre - s.cx / 2 + s.cx, y0 + s.cy);
    m_lastLabelWidth = label.Width();
    if (label.left > box.right + 10) {
        m_pDC->DrawText(text, -1, &label, DT_CENTER | DT_VCENTER);
        box = label;
    } else {
        box.SetRectEmpty();
    }
}

void C2DScale::_DrawTickText()
{
    CRect& p = *m_pRect;
    if (!XLabels() && !YLabels()) {
        if (m_xStyle & (AXIS_TICKS_INSIDE | AXIS_TICKS_OUTSIDE)) {
            if (XBottom())
                p.bottom -= 10;
            else
                p.top += 10;
        }
        return;
    }
    if (XLabels()) {
        int y0 = XBottom() ? p.bottom + m_hx / 2 + 3 : p.top - (3 * m_hx) / 2 - 3;
        int shift = XBottom() ? 0 : (int)DepthX();
        CRect box(0, 0, 0, 0);
        if (!IsTimeAxis())
            ForEachMark(m_xMin, m_xMax, m_xLabelStep,
                        [&](double x) { _PrintXAxisLabelText(box, x, shift, y0); });
        else
            _DrawTimeLabels(box, shift, y0);
    }
    if (YLabels()) {
        int x0 = YLeft() ? m_ty + m_hy / 2 - 2 : p.right + m_wy / 2 - 3;
        int shift = YLeft() ? 0 : (int)DepthY();
        ForEachMark(m_yMin, m_yMax, m_yLabelStep, [&](double y) {
            int top = _YValueToPixel(y) - shift - m_hy / 2;
            CRect label(x0, top, x0 + m_wy, top + m_hy);
            m_pDC->DrawText(YLabel(y), -1, &label, DT_RIGHT | DT_VCENTER);
        });
    }
}

void C2DScale::_DrawTimeLabels(CRect& box, int shift, int y0)
{
    if (!std::isfinite(m_xMin) || !std::isfinite(m_xMax))
        return;
    const int n = TimeLabelStep();
    double x = std::trunc(m_xMin);
    if (x < m_xMin)
        x += 1;
    int count = 0;
    if (m_removedMark) {
        while (!IsDivisible(x, n))
            x += 1;
        for (; x <= m_xMax + CHART_EPSILON && count < kMaxMarks; x += n, ++count)
            _PrintXAxisLabelText(box, x, shift, y0);
        return;
    }
    _PrintXAxisLabelText(box, m_xMin, shift, y0);
    CRect first = box;
    int firstWidth = m_lastLabelWidth;
    while (!IsDivisible(x, n))
        x += 1;
    if (first.right + firstWidth > _XValueToPixel(x) + shift - firstWidth / 2)
        x += n;
    int maxPixel = _XValueToPixel(m_xMax);
    for (; x <= m_xMax + CHART_EPSILON && count < kMaxMarks; x += n, ++count) {
        int w = m_lastLabelWidth;
        if (_XValueToPixel(x) + w - shift < maxPixel + shift - w / 2)
            _PrintXAxisLabelText(box, x, shift, y0);
    }
    if (m_xMin + CHART_EPSILON < m_xMax)
        _PrintXAxisLabelText(box, m_xMax, shift, y0);
}

void C2DScale::FillQuad(const POINT* quad, COLORREF colour)
{
    if (m_fillColor == 0x1000000)
        return;
    CRgn region;
    if (!region.CreatePolygonRgn(const_cast<POINT*>(quad), 4, ALTERNATE))
        return;
    CBrush brush(colour);
    m_pDC->FillRgn(&region, &brush);
}

void C2DScale::OutlineQuad(const POINT* quad)
{
    m_pDC->MoveTo(quad[0].x, quad[0].y);
    for (int i = 1; i < 4; ++i)
        m_pDC->LineTo(quad[i].x, quad[i].y);
}

void C2DScale::_DrawAxis()
{
    const CRect& p = *m_pRect;
    int dxi = (int)DepthX(), dyi = (int)DepthY();
    POINT backRight = {p.right, p.bottom}, backLeft = {p.left, p.bottom};
    if (dyi > 0 || XBottom()) {
        POINT floor[4] = {{p.left, p.bottom}, {p.right - dxi, p.bottom}, {p.right, p.bottom - dyi},
                          {p.left + dxi, p.bottom - dyi}};
        FillQuad(floor, DarkenColor(m_fillColor));
        OutlineQuad(floor);
        backRight = floor[2];
        backLeft = floor[3];
    } else {
        Line(p.left, p.top, p.right, p.top);
    }
    POINT backTopLeft = {p.left, p.top};
    if (dxi > 0 || YLeft()) {
        POINT wall[4] = {{p.left, p.bottom}, {p.left, p.top + dyi}, {p.left + dxi, p.top},
                         {p.left + dxi, p.bottom - dyi}};
        FillQuad(wall, DarkenColor(DarkenColor(m_fillColor)));
        OutlineQuad(wall);
        backTopLeft = wall[2];
    } else {
        Line(p.right, p.bottom, p.right, p.top);
    }
    POINT back[4] = {backTopLeft, {p.right, p.top}, backRight, backLeft};
    FillQuad(back, m_fillColor);
}

void C2DScale::_DrawGraticules()
{
    const CRect& p = *m_pRect;
    int dxi = (int)DepthX(), dyi = (int)DepthY();
    if (m_xStyle & (AXIS_MAJOR_GRID | AXIS_MINOR_GRID)) {
        double step = (m_xStyle & AXIS_MINOR_GRID) ? m_xMinor : m_xLabelStep;
        auto line = [&](double x) {
            int px = _XValueToPixel(x);
            m_pDC->MoveTo(px + dxi, p.top);
            m_pDC->LineTo(px + dxi, p.bottom - dyi);
            m_pDC->LineTo(px, p.bottom);
        };
        if (!IsTimeAxis()) {
            ForEachMark(m_xMin, m_xMax, step, line);
        } else if (std::isfinite(m_xMin) && std::isfinite(m_xMax)) {
            const int n = TimeLabelStep();
            double x = m_xMin;
            if (m_removedMark && XLabels())
                while (!IsDivisible(std::trunc(x), n))
                    x += 1;
            for (int count = 0; XLabels() && x <= m_xMax && count < kMaxMarks * n; ++count) {
                if (IsDivisible(std::trunc(x), n)) {
                    line(x);
                    x += n;
                } else {
                    x += 1;
                }
            }
        }
        int px = _XValueToPixel(m_xMax);
        Line(px + dxi, p.top, px + dxi, p.bottom - dyi);
    }
    if (m_yStyle & (AXIS_MAJOR_GRID | AXIS_MINOR_GRID)) {
        double step = (m_yStyle & AXIS_MINOR_GRID) ? m_yMinor : m_yLabelStep;
        auto line = [&](double y) {
            int py = _YValueToPixel(y);
            m_pDC->MoveTo(p.right, py - dyi);
            m_pDC->LineTo(p.left + dxi, py - dyi);
            m_pDC->LineTo(p.left, py);
        };
        double last = m_yMin;
        bool any = false;
        ForEachMark(m_yMin, m_yMax, step, [&](double y) {
            line(y);
            last = y;
            any = true;
        });
        if ((m_yStyle & AXIS_ZERO_LINE) && m_yMin - m_yOffset < 0)
            line(m_yOffset);
        if (!any || last != m_yMax) {
            int py = _YValueToPixel(m_yMax);
            Line(p.right, py - dyi, p.left + dxi, py - dyi);
        }
    }
}

void C2DScale::_DrawTickMarks()
{
    const CRect& p = *m_pRect;
    int dxi = (int)DepthX(), dyi = (int)DepthY();
    if (m_xStyle & (AXIS_TICKS_INSIDE | AXIS_TICKS_OUTSIDE)) {
        int edge = XBottom() ? p.bottom : p.top;
        int y0 = (m_xStyle & AXIS_TICKS_OUTSIDE) ? (XBottom() ? p.bottom + 5 : p.top - 5) : edge;
        int y1 = (m_xStyle & AXIS_TICKS_INSIDE) ? (XBottom() ? p.bottom - 5 : p.top + 5) : edge;
        int shift = XBottom() ? 0 : dxi;
        auto tick = [&](double x) {
            int px = _XValueToPixel(x) + shift;
            Line(px, y0, px, y1);
        };
        bool minor = (m_xStyle & AXIS_MINOR_TICKS) != 0;
        if (!IsTimeAxis()) {
            double step = minor ? m_xMinor : ((m_xStyle & AXIS_MAJOR_TICKS) ? m_xMajor : 0.0);
            ForEachMark(m_xMin, m_xMax, step, tick);
        } else if (std::isfinite(m_xMin) && std::isfinite(m_xMax) && XLabels()) {
            double x = m_xMin;
            if (m_removedMark && !minor)
                while (!IsDivisible(std::trunc(x), 5))
                    x += 1;
            tick(m_xMin);
            for (int count = 0; x <= m_xMax && count < kMaxMarks * 5; x += 1, ++count)
                if (minor || IsDivisible(std::trunc(x), 5))
                    tick(x);
            tick(m_xMax);
        }
    }
    if (m_yStyle & (AXIS_TICKS_INSIDE | AXIS_TICKS_OUTSIDE)) {
        int edge = YLeft() ? p.left : p.right;
        int x0 = (m_yStyle & AXIS_TICKS_OUTSIDE) ? (YLeft() ? p.left - 5 : p.right + 5) : edge;
        int x1 = (m_yStyle & AXIS_TICKS_INSIDE) ? (YLeft() ? p.left + 5 : p.right - 5) : edge;
        int shift = YLeft() ? 0 : dyi;
        bool minor = (m_yStyle & AXIS_MINOR_TICKS) != 0;
        double step = minor ? m_yMinor : ((m_yStyle & AXIS_MAJOR_TICKS) ? m_yMajor : 0.0);
        ForEachMark(m_yMin, m_yMax, step, [&](double y) {
            int py = _YValueToPixel(y) - shift;
            Line(x0, py, x1 + 1, py);
        });
    }
}
