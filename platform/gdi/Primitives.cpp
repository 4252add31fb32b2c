// Lines, curves, filled shapes, pixels and flood fills.
#include "gdi/DeviceContext.h"
#include "gdi/RasterOps.h"
#include "mivo/Trace.h"
#include "gdi/Primitives.h"
#include "gdi/Shapes.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace mivo {
namespace gdi {

PenInfo RealizePen(const DeviceContext& dc, const DrawTarget& t)
{
    PenInfo info;
    const PenObject* pen = dc.st.pen.get();
    info.rop = Rop2ToRop3(dc.st.rop2);
    if (pen == nullptr || pen->Style() == PS_NULL) {
        info.null = true;
        return info;
    }
    COLORREF color = pen->dcPen ? dc.st.dcPenColor : pen->color;
    info.native = NativeColor(dc, t.raster, color);
    info.style = pen->Style();
    info.insideFrame = info.style == PS_INSIDEFRAME;
    int width = pen->width <= 1 ? 1 : dc.ScaleX(pen->width);
    if (pen->extended && !pen->Geometric())
        width = 1;
    info.width = std::max(width, 1);
    info.flatCaps = (pen->style & PS_ENDCAP_MASK) == PS_ENDCAP_FLAT;
    if (info.width == 1) {
        switch (info.style) {
        case PS_DASH:
            info.dashes = {18, 6};
            break;
        case PS_DOT:
            info.dashes = {3, 3};
            break;
        case PS_DASHDOT:
            info.dashes = {9, 6, 3, 6};
            break;
        case PS_DASHDOTDOT:
            info.dashes = {9, 3, 3, 3, 3, 3};
            break;
        case PS_ALTERNATE:
            info.dashes = {1, 1};
            break;
        case PS_USERSTYLE:
            for (DWORD d : pen->userStyle)
                info.dashes.push_back((int)std::min<DWORD>(std::max<DWORD>(d, 1), 1 << 16));
            if (info.dashes.size() % 2 == 1)
                info.dashes.push_back(info.dashes.back());
            break;
        default:
            break;
        }
        if (!info.dashes.empty() && dc.st.bkMode == OPAQUE) {
            info.opaqueGaps = true;
            info.gapNative = NativeColor(dc, t.raster, dc.st.bkColor);
        }
    }
    return info;
}

LinePainter::LinePainter(DrawTarget& t, const PenInfo& pen) : t_(t), pen_(pen)
{
    if (!pen_.dashes.empty())
        dashLeft_ = pen_.dashes[0];
}

LinePainter::~LinePainter()
{
    Flush();
}

void LinePainter::Flush()
{
    if (runLen_ > 0)
        PaintSpan(t_, runY_, runX_, runX_ + runLen_, pen_.rop, SolidPattern(pen_.native));
    runLen_ = 0;
}

void LinePainter::Plot(int x, int y)
{
    if (pen_.dashes.empty()) {
        if (runLen_ > 0 && y == runY_ && x == runX_ + runLen_) {
            ++runLen_;
            return;
        }
        if (runLen_ > 0 && y == runY_ && x == runX_ - 1) {
            --runX_;
            ++runLen_;
            return;
        }
        Flush();
        runX_ = x;
        runY_ = y;
        runLen_ = 1;
        return;
    }
    bool on = (dashIndex_ % 2) == 0;
    if (on)
        PaintSpan(t_, y, x, x + 1, pen_.rop, SolidPattern(pen_.native));
    else if (pen_.opaqueGaps)
        PaintSpan(t_, y, x, x + 1, pen_.rop, SolidPattern(pen_.gapNative));
    if (--dashLeft_ <= 0) {
        dashIndex_ = (dashIndex_ + 1) % (int)pen_.dashes.size();
        dashLeft_ = pen_.dashes[(size_t)dashIndex_];
    }
}

void LinePainter::Segment(POINT a, POINT b, bool lastPixel)
{
    int64_t dx = std::llabs((int64_t)b.x - a.x), dy = std::llabs((int64_t)b.y - a.y);
    int sx = b.x >= a.x ? 1 : -1, sy = b.y >= a.y ? 1 : -1;
    // Far-away lines are clipped to a generous box first so loops stay short.
    const int64_t limit = 1 << 24;
    if (dx > limit || dy > limit)
        return;
    int x = a.x, y = a.y;
    if (dx >= dy) {
        int64_t err = 2 * dy - dx;
        for (int64_t i = 0; i < dx; ++i) {
            Plot(x, y);
            if (err > 0) {
                y += sy;
                err -= 2 * dx;
            }
            err += 2 * dy;
            x += sx;
        }
    } else {
        int64_t err = 2 * dx - dy;
        for (int64_t i = 0; i < dy; ++i) {
            Plot(x, y);
            if (err > 0) {
                x += sx;
                err -= 2 * dy;
            }
            err += 2 * dx;
            y += sy;
        }
    }
    if (lastPixel)
        Plot(b.x, b.y);
}

void StrokePolyline(DrawTarget& t, const PenInfo& pen, const std::vector<POINT>& pts, bool closed, bool lastPixel)
{
    if (pen.null || pts.empty())
        return;
    if (pen.width > 1) {
        Region stroke = StrokeRegion(pts, closed, pen.width, pen.flatCaps);
        PaintRegion(t, stroke, pen.rop, SolidPattern(pen.native));
        return;
    }
    LinePainter painter(t, pen);
    size_t n = pts.size();
    if (n == 1) {
        if (lastPixel)
            painter.Segment(pts[0], pts[0], true);
        return;
    }
    for (size_t i = 0; i + 1 < n; ++i)
        painter.Segment(pts[i], pts[i + 1], lastPixel && !closed && i + 2 == n);
    if (closed)
        painter.Segment(pts[n - 1], pts[0], false);
}

}  // namespace gdi
}  // namespace mivo

using namespace mivo;
using namespace mivo::gdi;

namespace {

// Runs a drawing call with its DC locked and its target acquired.
template <class F>
BOOL Draw(HDC hdc, F&& body)
{
    auto dc = LookupDC(hdc);
    if (!dc)
        return FALSE;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    DrawTarget t;
    if (!dc->Acquire(t))
        return dc->dcKind == DcKind::Info ? FALSE : TRUE;
    return body(*dc, t);
}

POINT ToRaster(const DeviceContext& dc, const DrawTarget& t, LONG x, LONG y)
{
    POINT p = dc.ToDevice(x, y);
    p.x += t.origin.x;
    p.y += t.origin.y;
    return p;
}

RECT ToRasterRect(const DeviceContext& dc, const DrawTarget& t, int l, int tp, int r, int b)
{
    RECT d = dc.ToDeviceRect(RECT{l, tp, r, b});
    d.left += t.origin.x;
    d.right += t.origin.x;
    d.top += t.origin.y;
    d.bottom += t.origin.y;
    return d;
}

std::vector<POINT> ToRasterPoints(const DeviceContext& dc, const DrawTarget& t, const POINT* pts, size_t n)
{
    std::vector<POINT> out(n);
    for (size_t i = 0; i < n; ++i)
        out[i] = ToRaster(dc, t, pts[i].x, pts[i].y);
    return out;
}

RECT Inflate(RECT r, int d)
{
    return RECT{r.left - d, r.top - d, r.right + d, r.bottom + d};
}

// Fills a closed shape and frames it, as Rectangle, Ellipse and RoundRect do.
// `shape(box)` gives the filled pixels of the shape in a box [l, r) x [t, b).
template <class Shape>
void FilledShape(const DeviceContext& dc, DrawTarget& t, RECT box, Shape shape)
{
    PenInfo pen = RealizePen(dc, t);
    Pattern brush = CurrentBrushPattern(dc, t);
    uint8_t rop = Rop2ToRop3(dc.st.rop2);
    if (pen.null) {
        // Without a pen the shape is one pixel smaller in width and height.
        PaintRegion(t, shape(RECT{box.left, box.top, box.right - 1, box.bottom - 1}), rop, brush);
        return;
    }
    if (pen.width <= 1) {
        Region all = shape(box);
        Region edge = Outline(all);
        PaintRegion(t, Region::Combine(all, edge, RGN_DIFF), rop, brush);
        PaintRegion(t, edge, pen.rop, SolidPattern(pen.native));
        return;
    }
    int w = pen.width;
    RECT outer = pen.insideFrame ? box : Inflate(box, w / 2);
    RECT inner = pen.insideFrame ? Inflate(box, -w) : Inflate(box, -(w - w / 2));
    Region innerShape = (inner.right > inner.left && inner.bottom > inner.top) ? shape(inner) : Region();
    PaintRegion(t, innerShape, rop, brush);
    PaintRegion(t, Region::Combine(shape(outer), innerShape, RGN_DIFF), pen.rop, SolidPattern(pen.native));
}

}  // namespace

// ---------------------------------------------------------------- lines

BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    return ExchangeDcState(hdc, &DcState::position, POINT{x, y}, lppt);
}

BOOL GetCurrentPositionEx(HDC hdc, LPPOINT lppt)
{
    return ReadDcState(hdc, &DcState::position, lppt);
}

BOOL LineTo(HDC hdc, int x, int y)
{
    MIVO_TRACE(kTraceGdi, "LineTo(%p, %d, %d)", (void*)hdc, x, y);
    auto dc = LookupDC(hdc);
    if (!dc)
        return FALSE;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    POINT from = dc->st.position;
    dc->st.position = POINT{x, y};
    DrawTarget t;
    if (!dc->Acquire(t))
        return dc->dcKind == DcKind::Info ? FALSE : TRUE;
    std::vector<POINT> pts = {ToRaster(*dc, t, from.x, from.y), ToRaster(*dc, t, x, y)};
    StrokePolyline(t, RealizePen(*dc, t), pts, false, false);
    return TRUE;
}

BOOL Polyline(HDC hdc, const POINT* apt, int cpt)
{
    if (apt == nullptr || cpt < 2)
        return FALSE;
    return Draw(hdc, [&](DeviceContext& dc, DrawTarget& t) {
        StrokePolyline(t, RealizePen(dc, t), ToRasterPoints(dc, t, apt, (size_t)cpt), false, false);
        return TRUE;
    });
}

BOOL PolylineTo(HDC hdc, const POINT* apt, DWORD cpt)
{
    if (apt == nullptr || cpt == 0)
        return FALSE;
    return Draw(hdc, [&](DeviceContext& dc, DrawTarget& t) {
        std::vector<POINT> pts;
        pts.push_back(ToRaster(dc, t, dc.st.position.x, dc.st.position.y));
        for (DWORD i = 0; i < cpt; ++i)
            pts.push_back(ToRaster(dc, t, apt[i].x, apt[i].y));
        StrokePolyline(t, RealizePen(dc, t), pts, false, false);
        dc.st.position = apt[cpt - 1];
        return TRUE;
    });
}

BOOL PolyPolyline(HDC hdc, const POINT* apt, const DWORD* asz, DWORD csz)
{
    if (apt == nullptr || asz == nullptr || csz == 0)
        return FALSE;
    for (DWORD i = 0; i < csz; ++i)
        if (asz[i] < 2)
            return FALSE;
    return Draw(hdc, [&](DeviceContext& dc, DrawTarget& t) {
        PenInfo pen = RealizePen(dc, t);
        const POINT* p = apt;
        for (DWORD i = 0; i < csz; ++i) {
            StrokePolyline(t, pen, ToRasterPoints(dc, t, p, asz[i]), false, false);
            p += asz[i];
        }
        return TRUE;
    });
}

BOOL PolyBezier(HDC hdc, const POINT* apt, DWORD cpt)
{
    if (apt == nullptr || cpt < 4 || (cpt - 1) % 3 != 0)
        return FALSE;
    return Draw(hdc, [&](DeviceContext& dc, DrawTarget& t) {
        std::vector<POINT> raster = ToRasterPoints(dc, t, apt, cpt);
        StrokePolyline(t, RealizePen(dc, t), FlattenBezier(raster.data(), raster.size()), false, true);
        return TRUE;
    });
}

BOOL PolyBezierTo(HDC hdc, const POINT* apt, DWORD cpt)
{
    if (apt == nullptr || cpt < 3 || cpt % 3 != 0)
        return FALSE;
    return Draw(hdc, [&](DeviceContext& dc, DrawTarget& t) {
        std::vector<POINT> raster;
        raster.push_back(ToRaster(dc, t, dc.st.position.x, dc.st.position.y));
        for (DWORD i = 0; i < cpt; ++i)
            raster.push_back(ToRaster(dc, t, apt[i].x, apt[i].y));
        StrokePolyline(t, RealizePen(dc, t), FlattenBezier(raster.data(), raster.size()), false, true);
        dc.st.position = apt[cpt - 1];
        return TRUE;
    });
}

// ---------------------------------------------------------------- filled shapes

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom)
{
    MIVO_TRACE(kTraceGdi, "Rectangle(%p, %d, %d, %d, %d)", (void*)hdc, left, top, right, bottom);
    return Draw(hdc, [&](DeviceContext& dc, DrawTarget& t) {
        RECT box = ToRasterRect(dc, t, left, top, right, bottom);
        if (box.right <= box.left || box.bottom <= box.top)
            return TRUE;
        PenInfo pen = RealizePen(dc, t);
        if (pen.width <= 1 && !pen.null && !pen.dashes.empty()) {
            // A styled frame follows the outline like a closed polyline.
            Pattern brush = CurrentBrushPattern(dc, t);
            PaintRect(t, RECT{box.left + 1, box.top + 1, box.right - 1, box.bottom - 1},
                      Rop2ToRop3(dc.st.rop2), brush);
            std::vector<POINT> frame = {{box.left, box.top},
                                        {box.right - 1, box.top},
                                        {box.right - 1, box.bottom - 1},
                                        {box.left, box.bottom - 1}};
            StrokePolyline(t, pen, frame, true, false);
            return TRUE;
        }
        FilledShape(dc, t, box, [](RECT r) { return Region(r); });
        return TRUE;
    });
}

BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom)
{
    MIVO_TRACE(kTraceGdi, "Ellipse(%p, %d, %d, %d, %d)", (void*)hdc, left, top, right, bottom);
    return Draw(hdc, [&](DeviceContext& dc, DrawTarget& t) {
        RECT box = ToRasterRect(dc, t, left, top, right, bottom);
        if (box.right <= box.left || box.bottom <= box.top)
            return TRUE;
        FilledShape(dc, t, box, [](RECT r) { return EllipseRegion(r.left, r.top, r.right, r.bottom); });
        return TRUE;
    });
}

BOOL RoundRect(HDC hdc, int left, int top, int right, int bottom, int width, int height)
{
    return Draw(hdc, [&](DeviceContext& dc, DrawTarget& t) {
        RECT box = ToRasterRect(dc, t, left, top, right, bottom);
        if (box.right <= box.left || box.bottom <= box.top)
            return TRUE;
        int ew = dc.ScaleX(width), eh = dc.ScaleY(height);
        int bw = box.right - box.left, bh = box.bottom - box.top;
        FilledShape(dc, t, box, [&](RECT r) {
            // Keep the corners' proportion when the box grows or shrinks for the pen.
            int cw = std::max(0, ew + (r.right - r.left) - bw), ch = std::max(0, eh + (r.bottom - r.top) - bh);
            return RoundRectRegion(r.left, r.top, r.right, r.bottom, cw, ch);
        });
        return TRUE;
    });
}

namespace {

BOOL FillAndFrame(HDC hdc, const std::vector<std::vector<POINT>>& logical)
{
    return Draw(hdc, [&](DeviceContext& dc, DrawTarget& t) {
        std::vector<std::vector<POINT>> contours;
        for (const auto& c : logical)
            contours.push_back(ToRasterPoints(dc, t, c.data(), c.size()));
        uint8_t rop = Rop2ToRop3(dc.st.rop2);
        PaintRegion(t, PolygonRegion(contours, dc.st.polyFillMode), rop, CurrentBrushPattern(dc, t));
        PenInfo pen = RealizePen(dc, t);
        for (const auto& c : contours)
            StrokePolyline(t, pen, c, true, false);
        return TRUE;
    });
}

}  // namespace

BOOL Polygon(HDC hdc, const POINT* apt, int cpt)
{
    MIVO_TRACE(kTraceGdi, "Polygon(%p, %d points)", (void*)hdc, cpt);
    if (apt == nullptr || cpt < 2)
        return FALSE;
    return FillAndFrame(hdc, {std::vector<POINT>(apt, apt + cpt)});
}

BOOL PolyPolygon(HDC hdc, const POINT* apt, const INT* asz, int csz)
{
    if (apt == nullptr || asz == nullptr || csz <= 0)
        return FALSE;
    std::vector<std::vector<POINT>> contours;
    const POINT* p = apt;
    for (int i = 0; i < csz; ++i) {
        if (asz[i] < 2)
            return FALSE;
        contours.emplace_back(p, p + asz[i]);
        p += asz[i];
    }
    return FillAndFrame(hdc, contours);
}

// ---------------------------------------------------------------- arcs

namespace {

enum class ArcKind { Arc, Pie, Chord };

BOOL DrawArc(HDC hdc, ArcKind kind, int l, int tp, int r, int b, int xs, int ys, int xe, int ye, bool moveTo)
{
    return Draw(hdc, [&](DeviceContext& dc, DrawTarget& t) {
        RECT box = ToRasterRect(dc, t, l, tp, r, b);
        POINT s = ToRaster(dc, t, xs, ys), e = ToRaster(dc, t, xe, ye);
        // Direction is seen on the device; a flipped y axis reverses it.
        bool flipped = (dc.st.viewportExt.cy < 0) != (dc.st.windowExt.cy < 0);
        bool clockwise = (dc.st.arcDirection == AD_CLOCKWISE) != flipped;
        std::vector<POINT> arc = ArcPoints(box.left, box.top, box.right, box.bottom, s.x, s.y, e.x, e.y, clockwise);
        if (arc.empty())
            return TRUE;
        PenInfo pen = RealizePen(dc, t);
        if (kind == ArcKind::Arc) {
            if (moveTo) {
                POINT from = ToRaster(dc, t, dc.st.position.x, dc.st.position.y);
                StrokePolyline(t, pen, {from, arc.front()}, false, false);
                POINT last = arc.back();
                POINT lp = dc.ToLogical(last.x - t.origin.x, last.y - t.origin.y);
                dc.st.position = lp;
            }
            StrokePolyline(t, pen, arc, false, true);
            return TRUE;
        }
        std::vector<POINT> outline = arc;
        if (kind == ArcKind::Pie)
            outline.push_back(POINT{(box.left + box.right - 1) / 2, (box.top + box.bottom - 1) / 2});
        uint8_t rop = Rop2ToRop3(dc.st.rop2);
        PaintRegion(t, PolygonRegion(std::vector<std::vector<POINT>>{outline}, ALTERNATE), rop,
                    CurrentBrushPattern(dc, t));
        StrokePolyline(t, pen, outline, true, false);
        return TRUE;
    });
}

}  // namespace

BOOL Arc(HDC hdc, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    return DrawArc(hdc, ArcKind::Arc, x1, y1, x2, y2, x3, y3, x4, y4, false);
}

BOOL ArcTo(HDC hdc, int left, int top, int right, int bottom, int xr1, int yr1, int xr2, int yr2)
{
    return DrawArc(hdc, ArcKind::Arc, left, top, right, bottom, xr1, yr1, xr2, yr2, true);
}

BOOL Pie(HDC hdc, int left, int top, int right, int bottom, int xr1, int yr1, int xr2, int yr2)
{
    return DrawArc(hdc, ArcKind::Pie, left, top, right, bottom, xr1, yr1, xr2, yr2, false);
}

BOOL Chord(HDC hdc, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    return DrawArc(hdc, ArcKind::Chord, x1, y1, x2, y2, x3, y3, x4, y4, false);
}

BOOL AngleArc(HDC hdc, int x, int y, DWORD r, FLOAT StartAngle, FLOAT SweepAngle)
{
    if (r > 0x7FFFFFF)
        return FALSE;
    const double rad = 3.14159265358979323846 / 180.0;
    double a0 = StartAngle * rad, a1 = (StartAngle + SweepAngle) * rad;
    int xs = x + (int)std::lround(r * std::cos(a0)), ys = y - (int)std::lround(r * std::sin(a0));
    int xe = x + (int)std::lround(r * std::cos(a1)), ye = y - (int)std::lround(r * std::sin(a1));
    int ri = (int)r;
    int oldDir = SetArcDirection(hdc, SweepAngle >= 0 ? AD_COUNTERCLOCKWISE : AD_CLOCKWISE);
    BOOL ok = ArcTo(hdc, x - ri, y - ri, x + ri + 1, y + ri + 1, xs, ys, xe, ye);
    SetArcDirection(hdc, oldDir);
    return ok;
}

// ---------------------------------------------------------------- pixels

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color)
{
    MIVO_TRACE(kTraceGdi, "SetPixel(%p, %d, %d, %06lx)", (void*)hdc, x, y, (unsigned long)color);
    auto dc = LookupDC(hdc);
    if (!dc)
        return CLR_INVALID;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    DrawTarget t;
    if (!dc->Acquire(t))
        return CLR_INVALID;
    POINT p = ToRaster(*dc, t, x, y);
    if (!t.clip.Contains(p.x, p.y))
        return CLR_INVALID;
    uint32_t native = NativeColor(*dc, t.raster, color);
    t.raster.WriteOne(p.x, p.y, native);
    return ColorrefFromRgb(t.raster.ToRgb(native));
}

BOOL SetPixelV(HDC hdc, int x, int y, COLORREF color)
{
    return SetPixel(hdc, x, y, color) != CLR_INVALID ? TRUE : FALSE;
}

COLORREF GetPixel(HDC hdc, int x, int y)
{
    auto dc = LookupDC(hdc);
    if (!dc)
        return CLR_INVALID;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    DrawTarget t;
    if (!dc->Acquire(t))
        return CLR_INVALID;
    t.surface = nullptr;  // reading changes nothing
    POINT p = ToRaster(*dc, t, x, y);
    if (!t.clip.Contains(p.x, p.y))
        return CLR_INVALID;
    return ColorrefFromRgb(t.raster.ToRgb(t.raster.ReadOne(p.x, p.y)));
}

BOOL ExtFloodFill(HDC hdc, int x, int y, COLORREF color, UINT type)
{
    if (type != FLOODFILLBORDER && type != FLOODFILLSURFACE)
        return FALSE;
    auto dc = LookupDC(hdc);
    if (!dc)
        return FALSE;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    DrawTarget t;
    if (!dc->Acquire(t))
        return FALSE;
    POINT p = ToRaster(*dc, t, x, y);
    if (!t.clip.Contains(p.x, p.y))
        return FALSE;
    const Raster& r = t.raster;
    uint32_t key = NativeColor(*dc, r, color);
    auto fillable = [&](uint32_t v) { return type == FLOODFILLSURFACE ? v == key : v != key; };
    if (!fillable(r.ReadOne(p.x, p.y)))
        return FALSE;
    RECT bounds = t.clip.Bounds();
    int bw = bounds.right - bounds.left, bh = bounds.bottom - bounds.top;
    std::vector<uint8_t> seen((size_t)bw * (size_t)bh, 0);
    std::vector<uint32_t> row((size_t)bw);
    SpanBuilder area;
    std::vector<POINT> stack = {p};
    while (!stack.empty()) {
        POINT s = stack.back();
        stack.pop_back();
        size_t base = (size_t)(s.y - bounds.top) * (size_t)bw;
        if (seen[base + (size_t)(s.x - bounds.left)])
            continue;
        r.Read(bounds.left, s.y, bw, row.data());
        auto ok = [&](int px) {
            return px >= bounds.left && px < bounds.right && !seen[base + (size_t)(px - bounds.left)] &&
                   t.clip.Contains(px, s.y) && fillable(row[(size_t)(px - bounds.left)]);
        };
        int x0 = s.x, x1 = s.x + 1;
        while (ok(x0 - 1))
            --x0;
        while (ok(x1))
            ++x1;
        for (int px = x0; px < x1; ++px)
            seen[base + (size_t)(px - bounds.left)] = 1;
        area.Add(s.y, x0, x1);
        for (int ny : {s.y - 1, s.y + 1}) {
            if (ny < bounds.top || ny >= bounds.bottom)
                continue;
            std::vector<uint32_t> other((size_t)(x1 - x0));
            r.Read(x0, ny, x1 - x0, other.data());
            size_t nbase = (size_t)(ny - bounds.top) * (size_t)bw;
            bool inRun = false;
            for (int px = x0; px < x1; ++px) {
                bool can = !seen[nbase + (size_t)(px - bounds.left)] && t.clip.Contains(px, ny) &&
                           fillable(other[(size_t)(px - x0)]);
                if (can && !inRun)
                    stack.push_back(POINT{px, ny});
                inRun = can;
            }
        }
    }
    PaintRegion(t, area.Build(), 0xF0, CurrentBrushPattern(*dc, t));
    return TRUE;
}

BOOL FloodFill(HDC hdc, int x, int y, COLORREF color)
{
    return ExtFloodFill(hdc, x, y, color, FLOODFILLBORDER);
}
