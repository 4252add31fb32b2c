// Text output and measurement, text metrics and font enumeration.
#include "gdi/DeviceContext.h"
#include "mivo/Trace.h"
#include "gdi/FontEngine.h"
#include "gdi/RasterOps.h"
#include "gdi/Shapes.h"
#include "gdi/TextCodec.h"
#include "gdi/TextDraw.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>

namespace mivo {
namespace gdi {

std::shared_ptr<RealizedFont> DcFont(const DeviceContext& dc)
{
    LOGFONTA lf;
    if (dc.st.font)
        lf = dc.st.font->lf;
    else
        lf = Lookup<FontObject>(StockObject(SYSTEM_FONT))->lf;
    int height = 0;
    if (lf.lfHeight != 0) {
        int64_t h = MulDivRound(std::llabs((int64_t)lf.lfHeight), std::llabs((int64_t)dc.st.viewportExt.cy),
                                std::llabs((int64_t)dc.st.windowExt.cy));
        h = std::max<int64_t>(1, std::min<int64_t>(h, 1 << 16));
        height = lf.lfHeight < 0 ? -(int)h : (int)h;
    }
    int width = lf.lfWidth > 0 ? std::max(1, dc.ScaleX(lf.lfWidth)) : 0;
    return RealizeFont(lf, height, width);
}

TextRun LayoutRun(const DeviceContext& dc, const RealizedFont& font, const std::u16string& text)
{
    TextRun run;
    LayoutRunInto(dc, font, text, run);
    return run;
}

void LayoutRunInto(const DeviceContext& dc, const RealizedFont& font, const std::u16string& text, TextRun& run)
{
    run.text.assign(text);
    Advances(font, text, run.advances);
    int extra = dc.st.charExtra != 0 ? (int)MulDivRound(dc.st.charExtra, dc.st.viewportExt.cx, dc.st.windowExt.cx) : 0;
    run.positions.resize(text.size());
    int x = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        run.positions[i] = x;
        if (run.advances[i] > 0 || (text[i] >= 0x20 && !(text[i] >= 0xDC00 && text[i] < 0xE000)))
            run.advances[i] += extra;
        x += run.advances[i];
    }
    run.width = x;
}

TextRun LayoutRunWithDx(const DeviceContext& dc, const std::u16string& text, const std::vector<int>& logicalDx)
{
    TextRun run;
    run.text = text;
    run.advances.resize(text.size());
    run.positions.resize(text.size());
    int64_t logical = 0;
    int prev = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        run.positions[i] = prev;
        logical += i < logicalDx.size() ? logicalDx[i] : 0;
        int next = (int)MulDivRound(logical, dc.st.viewportExt.cx, dc.st.windowExt.cx);
        if ((dc.st.viewportExt.cx < 0) != (dc.st.windowExt.cx < 0))
            next = -next;
        run.advances[i] = next - prev;
        prev = next;
    }
    run.width = prev;
    return run;
}

namespace {

// Rotated text: the whole run rendered at once through the font engine.
void PaintTurnedRun(const DeviceContext& dc, DrawTarget& t, const RealizedFont& font, const TextRun& run,
                    const TextPaint& how)
{
    if (t.raster.row0 == nullptr)
        return;
    const FontMetricsInfo& m = MetricsOf(font);
    Region clip = t.clip;
    if (how.clip != nullptr)
        clip = clip.Intersect(*how.clip);
    if (clip.IsEmpty())
        return;
    DrawTarget view;  // the same pixels with the narrower clip
    view.raster = t.raster;
    view.clip = clip;
    view.origin = t.origin;

    const double angle = how.escapement / 10.0 * 3.14159265358979323846 / 180.0;
    const double ux = std::cos(angle), uy = -std::sin(angle);
    const double dx = std::sin(angle), dy = std::cos(angle);
    const POINT b = how.baseline;
    if (how.opaque && run.width > 0) {
        Pattern bk = SolidPattern(NativeColor(dc, t.raster, dc.st.bkColor));
        if (how.escapement % 3600 == 0) {
            PaintRect(view, RECT{b.x, b.y - m.ascent, b.x + run.width, b.y + m.descent}, 0xF0, bk);
        } else {
            auto corner = [&](double along, double down) {
                return PointF{b.x + along * ux + down * dx, b.y + along * uy + down * dy};
            };
            std::vector<std::vector<PointF>> cell = {{corner(0, -m.ascent), corner(run.width, -m.ascent),
                                                      corner(run.width, m.descent), corner(0, m.descent)}};
            PaintRegion(view, PolygonRegion(cell, WINDING), 0xF0, bk);
        }
    }

    GlyphMask mask = RenderText(font, run.text, run.positions, how.escapement);
    uint32_t fg = ResolveColor(dc, dc.st.textColor);
    uint32_t fgNative = t.raster.FromRgb(fg);
    bool blend = !t.raster.Indexed();
    std::vector<uint32_t> row;
    for (int my = 0; my < mask.height; ++my) {
        int y = b.y + mask.top + my;
        if (y < 0 || y >= t.raster.height)
            continue;
        const uint8_t* cov = mask.alpha.data() + (size_t)my * (size_t)mask.width;
        int x0 = b.x + mask.left;
        ForEachClipped(clip, y, x0, x0 + mask.width, [&](int a, int e) {
            int n = e - a;
            row.resize((size_t)n);
            t.raster.Read(a, y, n, row.data());
            bool changed = false;
            for (int k = 0; k < n; ++k) {
                uint32_t alpha = cov[a - x0 + k];
                if (alpha == 0)
                    continue;
                changed = true;
                if (!blend || alpha == 255) {
                    if (blend || alpha >= 128)
                        row[(size_t)k] = fgNative;
                    continue;
                }
                uint32_t d = t.raster.ToRgb(row[(size_t)k]);
                uint32_t out = 0;
                for (int shift = 0; shift <= 16; shift += 8) {
                    uint32_t dc8 = (d >> shift) & 0xFF, fc = (fg >> shift) & 0xFF;
                    out |= ((dc8 * (255 - alpha) + fc * alpha + 127) / 255) << shift;
                }
                row[(size_t)k] = t.raster.FromRgb(out);
            }
            if (changed)
                t.raster.Write(a, y, n, row.data());
        });
    }

    if (how.underline != nullptr && how.escapement % 3600 == 0) {
        Pattern line = SolidPattern(fgNative);
        int uy0 = b.y + std::max(1, std::min(2, m.descent / 2));
        for (size_t idx : *how.underline) {
            if (idx >= run.text.size())
                continue;
            int a = b.x + run.positions[idx];
            PaintSpan(view, uy0, a, a + run.advances[idx], 0xF0, line);
        }
    }
}

// Visits the parts of [x0, x1) on row y inside the target's clip and `extra`.
template <class F>
void ForEachVisible(const DrawTarget& t, const RECT* extra, int y, int x0, int x1, F&& visit)
{
    if (y < 0 || y >= t.raster.height)
        return;
    if (extra != nullptr) {
        if (y < extra->top || y >= extra->bottom)
            return;
        x0 = std::max<int>(x0, extra->left);
        x1 = std::min<int>(x1, extra->right);
    }
    ForEachClipped(t.clip, y, x0, x1, visit);
}

// Blends one cached glyph whose origin sits at `at` in the text colour.
void BlendGlyph(DrawTarget& t, const Glyph& g, POINT at, const RECT* extra, uint32_t fg, uint32_t fgNative,
                std::vector<uint32_t>& row)
{
    bool blend = !t.raster.Indexed();
    int x0 = at.x + g.left;
    for (int gy = 0; gy < g.height; ++gy) {
        int y = at.y + g.top + gy;
        const uint8_t* cov = g.alpha.data() + (size_t)gy * (size_t)g.width;
        ForEachVisible(t, extra, y, x0, x0 + g.width, [&](int a, int e) {
            int n = e - a;
            if (row.size() < (size_t)n)
                row.resize((size_t)n);
            t.raster.Read(a, y, n, row.data());
            bool changed = false;
            for (int k = 0; k < n; ++k) {
                uint32_t alpha = cov[a - x0 + k];
                if (alpha == 0)
                    continue;
                changed = true;
                if (!blend || alpha == 255) {
                    if (blend || alpha >= 128)
                        row[(size_t)k] = fgNative;
                    continue;
                }
                uint32_t d = t.raster.ToRgb(row[(size_t)k]);
                uint32_t out = 0;
                for (int shift = 0; shift <= 16; shift += 8) {
                    uint32_t dc8 = (d >> shift) & 0xFF, fc = (fg >> shift) & 0xFF;
                    out |= ((dc8 * (255 - alpha) + fc * alpha + 127) / 255) << shift;
                }
                row[(size_t)k] = t.raster.FromRgb(out);
            }
            if (changed)
                t.raster.Write(a, y, n, row.data());
        });
    }
}

}  // namespace

// Upright text goes glyph by glyph from the font's cache, clipped without
// building regions: a line of text costs no allocation once its glyphs are known.
void PaintRun(const DeviceContext& dc, DrawTarget& t, const RealizedFont& font, const TextRun& run,
              const TextPaint& how)
{
    if (t.raster.row0 == nullptr)
        return;
    if (how.escapement % 3600 != 0) {
        PaintTurnedRun(dc, t, font, run, how);
        return;
    }
    const FontMetricsInfo& m = MetricsOf(font);
    const POINT b = how.baseline;
    if (how.opaque && run.width > 0) {
        Pattern bk = SolidPattern(NativeColor(dc, t.raster, dc.st.bkColor));
        int top = b.y - m.ascent, bottom = b.y + m.descent;
        for (int y = top; y < bottom; ++y)
            ForEachVisible(t, how.clip, y, b.x, b.x + run.width, [&](int a, int e) { PaintSpan(t, y, a, e, 0xF0, bk); });
    }

    uint32_t fg = ResolveColor(dc, dc.st.textColor);
    uint32_t fgNative = t.raster.FromRgb(fg);
    thread_local std::vector<uint32_t> row;
    {
        std::lock_guard<std::recursive_mutex> guard(QtTextLock());
        const std::u16string& text = run.text;
        for (size_t i = 0; i < text.size(); ++i) {
            char32_t c = text[i];
            if (c < 0x20 || (c >= 0xDC00 && c < 0xE000))
                continue;
            if (c >= 0xD800 && c < 0xDC00) {
                if (i + 1 >= text.size())
                    continue;
                c = 0x10000 + ((c - 0xD800) << 10) + ((char32_t)text[i + 1] - 0xDC00);
            }
            const Glyph& g = GlyphOf(font, c);
            if (g.width > 0)
                BlendGlyph(t, g, POINT{b.x + (i < run.positions.size() ? run.positions[i] : 0), b.y}, how.clip, fg,
                           fgNative, row);
        }
    }

    if (m.underline && run.width > 0) {
        // Under the baseline and inside the descent, as thick as the font asks.
        Pattern line = SolidPattern(fgNative);
        int thickness = std::max(1, (m.emSize + 10) / 20);
        int offset = std::max(1, std::min(m.descent / 2, m.descent - thickness));
        for (int y = b.y + offset; y < b.y + offset + thickness; ++y)
            ForEachVisible(t, how.clip, y, b.x, b.x + run.width, [&](int x0, int x1) { PaintSpan(t, y, x0, x1, 0xF0, line); });
    }
    if (how.underline != nullptr) {
        Pattern line = SolidPattern(fgNative);
        int uy0 = b.y + std::max(1, std::min(2, m.descent / 2));
        for (size_t idx : *how.underline) {
            if (idx >= run.text.size())
                continue;
            int a = b.x + run.positions[idx];
            ForEachVisible(t, how.clip, uy0, a, a + run.advances[idx],
                           [&](int x0, int x1) { PaintSpan(t, uy0, x0, x1, 0xF0, line); });
        }
    }
}

}  // namespace gdi
}  // namespace mivo

using namespace mivo;
using namespace mivo::gdi;

namespace {

std::u16string Widen(LPCSTR s, int len)
{
    if (s == nullptr || len <= 0)
        return std::u16string();
    return AnsiToWide(s, (size_t)len);
}

std::u16string WideString(LPCWSTR s, int len)
{
    if (s == nullptr || len <= 0)
        return std::u16string();
    return std::u16string(reinterpret_cast<const char16_t*>(s), (size_t)len);
}

// Per-unit logical advances from ExtTextOut's per-byte lpDx.
std::vector<int> UnitDx(LPCSTR s, int len, const INT* lpDx)
{
    std::u16string wide;
    std::basic_string<unsigned char> bytes;
    AnsiCharBytes(s, (size_t)len, wide, bytes);
    std::vector<int> out;
    size_t pos = 0;
    for (unsigned char n : bytes) {
        int sum = 0;
        for (unsigned char k = 0; k < n; ++k)
            sum += lpDx[pos + k];
        out.push_back(sum);
        pos += n;
    }
    return out;
}

void OffsetRectBy(RECT& r, POINT d)
{
    r.left += d.x;
    r.right += d.x;
    r.top += d.y;
    r.bottom += d.y;
}

BOOL TextOutInternal(HDC hdc, int x, int y, UINT options, const RECT* lprect, const std::u16string& text,
                     const std::vector<int>* logicalDx)
{
    MIVO_TRACE(kTraceGdi, "TextOut(%p, %d, %d, %zu characters)", (void*)hdc, x, y, text.size());
    auto dc = LookupDC(hdc);
    if (!dc)
        return FALSE;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    DrawTarget t;
    bool drawable = dc->Acquire(t);
    if (!drawable && dc->dcKind == DcKind::Info)
        return FALSE;
    if (text.empty()) {
        // Only the opaque rectangle (FillSolidRect's way of filling).
        if (drawable && lprect != nullptr && (options & ETO_OPAQUE) != 0) {
            RECT r = dc->ToDeviceRect(*lprect);
            OffsetRectBy(r, t.origin);
            PaintRect(t, r, 0xF0, SolidPattern(NativeColor(*dc, t.raster, dc->st.bkColor)));
        }
        return TRUE;
    }
    std::shared_ptr<RealizedFont> font = DcFont(*dc);
    const FontMetricsInfo& m = MetricsOf(*font);
    TextRun run = logicalDx ? LayoutRunWithDx(*dc, text, *logicalDx) : LayoutRun(*dc, *font, text);

    UINT align = dc->st.textAlign;
    bool updateCp = (align & TA_UPDATECP) != 0;
    POINT ref = updateCp ? dc->st.position : POINT{x, y};
    int escapement = dc->st.font ? (int)dc->st.font->lf.lfEscapement : 0;

    if (drawable) {
        POINT d = dc->ToDevice(ref.x, ref.y);
        d.x += t.origin.x;
        d.y += t.origin.y;
        double angle = escapement / 10.0 * 3.14159265358979323846 / 180.0;
        double ux = std::cos(angle), uy = -std::sin(angle), vx = std::sin(angle), vy = std::cos(angle);
        double along = 0, down = 0;
        if ((align & TA_CENTER) == TA_CENTER)
            along = -run.width / 2.0;
        else if ((align & TA_CENTER) == TA_RIGHT)
            along = -run.width;
        if ((align & TA_BASELINE) == TA_BASELINE)
            down = 0;
        else if ((align & TA_BASELINE) == TA_BOTTOM)
            down = -m.descent;
        else
            down = m.ascent;
        TextPaint how;
        how.baseline = POINT{(LONG)std::lround(d.x + along * ux + down * vx), (LONG)std::lround(d.y + along * uy + down * vy)};
        how.escapement = escapement;
        how.opaque = dc->st.bkMode == OPAQUE;
        RECT rasterRect = {0, 0, 0, 0};
        if (lprect != nullptr && (options & (ETO_OPAQUE | ETO_CLIPPED)) != 0) {
            rasterRect = dc->ToDeviceRect(*lprect);
            rasterRect.left += t.origin.x;
            rasterRect.right += t.origin.x;
            rasterRect.top += t.origin.y;
            rasterRect.bottom += t.origin.y;
            if (options & ETO_OPAQUE)
                PaintRect(t, rasterRect, 0xF0, SolidPattern(NativeColor(*dc, t.raster, dc->st.bkColor)));
            if (options & ETO_CLIPPED)
                how.clip = &rasterRect;
        }
        PaintRun(*dc, t, *font, run, how);
    }
    if (updateCp) {
        double angle = escapement / 10.0 * 3.14159265358979323846 / 180.0;
        int lw = dc->ToLogicalLengthX(run.width);
        dc->st.position.x += (LONG)std::lround(lw * std::cos(angle));
        dc->st.position.y -= (LONG)std::lround(dc->ToLogicalLengthY(run.width) * std::sin(angle));
    }
    return TRUE;
}

BOOL ExtentInternal(HDC hdc, const std::u16string& text, LPSIZE psizl)
{
    auto dc = LookupDC(hdc);
    if (!dc || psizl == nullptr)
        return FALSE;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    std::shared_ptr<RealizedFont> font = DcFont(*dc);
    TextRun run = LayoutRun(*dc, *font, text);
    psizl->cx = dc->ToLogicalLengthX(run.width);
    psizl->cy = dc->ToLogicalLengthY(MetricsOf(*font).height);
    return TRUE;
}

}  // namespace

BOOL TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c)
{
    if (c < 0 || (lpString == nullptr && c > 0))
        return FALSE;
    return TextOutInternal(hdc, x, y, 0, nullptr, Widen(lpString, c), nullptr);
}

BOOL TextOut(HDC hdc, int x, int y, LPCSTR lpString, int c)
{
    return TextOutA(hdc, x, y, lpString, c);
}

BOOL TextOutW(HDC hdc, int x, int y, LPCWSTR lpString, int c)
{
    if (c < 0 || (lpString == nullptr && c > 0))
        return FALSE;
    return TextOutInternal(hdc, x, y, 0, nullptr, WideString(lpString, c), nullptr);
}

BOOL ExtTextOutA(HDC hdc, int x, int y, UINT options, const RECT* lprect, LPCSTR lpString, UINT c, const INT* lpDx)
{
    if (lpString == nullptr && c > 0)
        return FALSE;
    if (c > (1u << 24))
        return FALSE;
    std::u16string text = Widen(lpString, (int)c);
    if (lpDx != nullptr && c > 0) {
        std::vector<int> dx = UnitDx(lpString, (int)c, lpDx);
        return TextOutInternal(hdc, x, y, options, lprect, text, &dx);
    }
    return TextOutInternal(hdc, x, y, options, lprect, text, nullptr);
}

BOOL ExtTextOut(HDC hdc, int x, int y, UINT options, const RECT* lprect, LPCSTR lpString, UINT c, const INT* lpDx)
{
    return ExtTextOutA(hdc, x, y, options, lprect, lpString, c, lpDx);
}

BOOL ExtTextOutW(HDC hdc, int x, int y, UINT options, const RECT* lprect, LPCWSTR lpString, UINT c,
                 const INT* lpDx)
{
    if ((lpString == nullptr && c > 0) || c > (1u << 24))
        return FALSE;
    std::u16string text = WideString(lpString, (int)c);
    if (lpDx != nullptr && c > 0) {
        std::vector<int> dx(lpDx, lpDx + c);
        return TextOutInternal(hdc, x, y, options, lprect, text, &dx);
    }
    return TextOutInternal(hdc, x, y, options, lprect, text, nullptr);
}

BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR lpString, int c, LPSIZE psizl)
{
    if (c < 0 || (lpString == nullptr && c > 0))
        return FALSE;
    return ExtentInternal(hdc, Widen(lpString, c), psizl);
}

BOOL GetTextExtentPoint32(HDC hdc, LPCSTR lpString, int c, LPSIZE psizl)
{
    return GetTextExtentPoint32A(hdc, lpString, c, psizl);
}

BOOL GetTextExtentPoint32W(HDC hdc, LPCWSTR lpString, int c, LPSIZE psizl)
{
    if (c < 0 || (lpString == nullptr && c > 0))
        return FALSE;
    return ExtentInternal(hdc, WideString(lpString, c), psizl);
}

BOOL GetTextExtentPointA(HDC hdc, LPCSTR lpString, int c, LPSIZE lpsz)
{
    return GetTextExtentPoint32A(hdc, lpString, c, lpsz);
}

BOOL GetTextExtentPoint(HDC hdc, LPCSTR lpString, int c, LPSIZE lpsz)
{
    return GetTextExtentPoint32A(hdc, lpString, c, lpsz);
}

BOOL GetTextExtentExPointA(HDC hdc, LPCSTR lpszString, int cchString, int nMaxExtent, LPINT lpnFit, LPINT lpnDx,
                           LPSIZE lpSize)
{
    if (cchString < 0 || (lpszString == nullptr && cchString > 0) || lpSize == nullptr)
        return FALSE;
    auto dc = LookupDC(hdc);
    if (!dc)
        return FALSE;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    std::u16string wide;
    std::basic_string<unsigned char> bytes;
    AnsiCharBytes(lpszString, (size_t)cchString, wide, bytes);
    std::shared_ptr<RealizedFont> font = DcFont(*dc);
    TextRun run = LayoutRun(*dc, *font, wide);
    int fit = 0, byte = 0;
    bool fitting = true;
    int x = 0;
    for (size_t i = 0; i < wide.size(); ++i) {
        x += run.advances[i];
        int lx = dc->ToLogicalLengthX(x);
        if (fitting && lpnFit != nullptr && lx > nMaxExtent)
            fitting = false;
        for (unsigned char k = 0; k < bytes[i]; ++k) {
            if (lpnDx != nullptr)
                lpnDx[byte] = lx;
            ++byte;
        }
        if (fitting)
            fit = byte;
    }
    if (lpnFit != nullptr)
        *lpnFit = fit;
    lpSize->cx = dc->ToLogicalLengthX(run.width);
    lpSize->cy = dc->ToLogicalLengthY(MetricsOf(*font).height);
    return TRUE;
}

BOOL GetTextExtentExPoint(HDC hdc, LPCSTR lpszString, int cchString, int nMaxExtent, LPINT lpnFit, LPINT lpnDx,
                          LPSIZE lpSize)
{
    return GetTextExtentExPointA(hdc, lpszString, cchString, nMaxExtent, lpnFit, lpnDx, lpSize);
}

// ---------------------------------------------------------------- tabbed text

namespace {

LONG TabbedInternal(HDC hdc, int x, int y, LPCSTR lpString, int chCount, int nTabPositions,
                    const INT* lpnTabStopPositions, int nTabOrigin, bool draw)
{
    if (chCount < 0 || (lpString == nullptr && chCount > 0))
        return 0;
    auto dc = LookupDC(hdc);
    if (!dc)
        return 0;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    std::shared_ptr<RealizedFont> font = DcFont(*dc);
    const FontMetricsInfo& m = MetricsOf(*font);
    std::u16string text = Widen(lpString, chCount);
    int defaultStop = dc->ToLogicalLengthX(8 * m.aveCharWidth);
    if (nTabPositions == 1 && lpnTabStopPositions != nullptr && lpnTabStopPositions[0] != 0)
        defaultStop = std::abs(lpnTabStopPositions[0]);
    if (defaultStop <= 0)
        defaultStop = 1;
    int cursor = x;
    size_t start = 0;
    while (start <= text.size()) {
        size_t tab = text.find(u'\t', start);
        std::u16string piece = text.substr(start, tab == std::u16string::npos ? std::u16string::npos : tab - start);
        TextRun run = LayoutRun(*dc, *font, piece);
        int width = dc->ToLogicalLengthX(run.width);
        if (draw && !piece.empty()) {
            UINT align = dc->st.textAlign;
            dc->st.textAlign = align & ~TA_UPDATECP;
            TextOutInternal(hdc, cursor, y, 0, nullptr, piece, nullptr);
            dc->st.textAlign = align;
        }
        cursor += width;
        if (tab == std::u16string::npos)
            break;
        int rel = cursor - nTabOrigin;
        int next = -1;
        if (nTabPositions > 1 && lpnTabStopPositions != nullptr) {
            for (int i = 0; i < nTabPositions; ++i)
                if (std::abs(lpnTabStopPositions[i]) > rel) {
                    next = std::abs(lpnTabStopPositions[i]);
                    break;
                }
        }
        if (next < 0)
            next = (rel / defaultStop + 1) * defaultStop;
        cursor = nTabOrigin + next;
        start = tab + 1;
    }
    int height = dc->ToLogicalLengthY(m.height);
    return MAKELONG(cursor - x, height);
}

}  // namespace

LONG TabbedTextOutA(HDC hdc, int x, int y, LPCSTR lpString, int chCount, int nTabPositions,
                    const INT* lpnTabStopPositions, int nTabOrigin)
{
    return TabbedInternal(hdc, x, y, lpString, chCount, nTabPositions, lpnTabStopPositions, nTabOrigin, true);
}

LONG TabbedTextOut(HDC hdc, int x, int y, LPCSTR lpString, int chCount, int nTabPositions,
                   const INT* lpnTabStopPositions, int nTabOrigin)
{
    return TabbedTextOutA(hdc, x, y, lpString, chCount, nTabPositions, lpnTabStopPositions, nTabOrigin);
}

DWORD GetTabbedTextExtentA(HDC hdc, LPCSTR lpString, int chCount, int nTabPositions, const INT* lpnTabStopPositions)
{
    return (DWORD)TabbedInternal(hdc, 0, 0, lpString, chCount, nTabPositions, lpnTabStopPositions, 0, false);
}

DWORD GetTabbedTextExtent(HDC hdc, LPCSTR lpString, int chCount, int nTabPositions, const INT* lpnTabStopPositions)
{
    return GetTabbedTextExtentA(hdc, lpString, chCount, nTabPositions, lpnTabStopPositions);
}

// ---------------------------------------------------------------- metrics

BOOL GetTextMetricsA(HDC hdc, LPTEXTMETRICA lptm)
{
    auto dc = LookupDC(hdc);
    if (!dc || lptm == nullptr)
        return FALSE;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    std::shared_ptr<RealizedFont> font = DcFont(*dc);
    const FontMetricsInfo& m = MetricsOf(*font);
    LOGFONTA lf = dc->st.font ? dc->st.font->lf : LOGFONTA{};
    std::memset(lptm, 0, sizeof(*lptm));
    lptm->tmHeight = dc->ToLogicalLengthY(m.height);
    lptm->tmAscent = dc->ToLogicalLengthY(m.ascent);
    lptm->tmDescent = lptm->tmHeight - lptm->tmAscent;
    lptm->tmInternalLeading = dc->ToLogicalLengthY(m.internalLeading);
    lptm->tmExternalLeading = dc->ToLogicalLengthY(m.externalLeading);
    lptm->tmAveCharWidth = dc->ToLogicalLengthX(m.aveCharWidth);
    lptm->tmMaxCharWidth = dc->ToLogicalLengthX(m.maxCharWidth);
    lptm->tmWeight = lf.lfWeight <= 0 ? FW_NORMAL : lf.lfWeight;
    lptm->tmOverhang = 0;
    lptm->tmDigitizedAspectX = dc->caps.logPixelsX;
    lptm->tmDigitizedAspectY = dc->caps.logPixelsY;
    lptm->tmFirstChar = 0x20;
    lptm->tmLastChar = 0xFF;
    lptm->tmDefaultChar = 0x1F;
    lptm->tmBreakChar = 0x20;
    lptm->tmItalic = lf.lfItalic ? 255 : 0;
    lptm->tmUnderlined = lf.lfUnderline ? 255 : 0;
    lptm->tmStruckOut = lf.lfStrikeOut ? 255 : 0;
    // TMPF_FIXED_PITCH set means a variable-pitch font, as Windows has it.
    BYTE pitch = TMPF_TRUETYPE | TMPF_VECTOR | (m.fixedPitch ? 0 : TMPF_FIXED_PITCH);
    BYTE family = lf.lfPitchAndFamily & 0xF0;
    if (family == FF_DONTCARE)
        family = m.fixedPitch ? FF_MODERN : FF_SWISS;
    lptm->tmPitchAndFamily = pitch | family;
    lptm->tmCharSet = (lf.lfCharSet == DEFAULT_CHARSET || m.korean) ? HANGEUL_CHARSET : lf.lfCharSet;
    return TRUE;
}

BOOL GetTextMetrics(HDC hdc, LPTEXTMETRICA lptm)
{
    return GetTextMetricsA(hdc, lptm);
}

int GetTextFaceA(HDC hdc, int c, LPSTR lpName)
{
    auto dc = LookupDC(hdc);
    if (!dc)
        return 0;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    const char* face = dc->st.font ? dc->st.font->lf.lfFaceName : "System";
    int len = (int)strnlen(face, LF_FACESIZE);
    if (lpName == nullptr)
        return len + 1;
    if (c <= 0)
        return 0;
    int n = std::min(len, c - 1);
    std::memcpy(lpName, face, (size_t)n);
    lpName[n] = 0;
    return n + 1;
}

int GetTextFace(HDC hdc, int c, LPSTR lpName)
{
    return GetTextFaceA(hdc, c, lpName);
}

BOOL GetCharWidth32A(HDC hdc, UINT iFirst, UINT iLast, LPINT lpBuffer)
{
    if (lpBuffer == nullptr || iLast < iFirst || iLast - iFirst > 0xFFFF)
        return FALSE;
    auto dc = LookupDC(hdc);
    if (!dc)
        return FALSE;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    std::shared_ptr<RealizedFont> font = DcFont(*dc);
    std::vector<int> adv;
    for (UINT c = iFirst; c <= iLast; ++c) {
        char bytes[2];
        size_t n;
        if (c <= 0xFF) {
            bytes[0] = (char)c;
            n = 1;
        } else {
            bytes[0] = (char)(c >> 8);
            bytes[1] = (char)(c & 0xFF);
            n = 2;
        }
        std::u16string wide = AnsiToWide(bytes, n);
        if (wide.empty())
            wide.assign(1, u'?');
        Advances(*font, wide, adv);
        int sum = 0;
        for (int a : adv)
            sum += a;
        lpBuffer[c - iFirst] = dc->ToLogicalLengthX(sum);
    }
    return TRUE;
}

BOOL GetCharWidth32(HDC hdc, UINT iFirst, UINT iLast, LPINT lpBuffer)
{
    return GetCharWidth32A(hdc, iFirst, iLast, lpBuffer);
}

BOOL GetCharWidthA(HDC hdc, UINT iFirst, UINT iLast, LPINT lpBuffer)
{
    return GetCharWidth32A(hdc, iFirst, iLast, lpBuffer);
}

BOOL GetCharWidth(HDC hdc, UINT iFirst, UINT iLast, LPINT lpBuffer)
{
    return GetCharWidth32A(hdc, iFirst, iLast, lpBuffer);
}

DWORD GetFontLanguageInfo(HDC hdc)
{
    return LookupDC(hdc) ? 0x00000002 /* GCP_DBCS */ : GDI_ERROR;
}

int GetTextCharset(HDC hdc)
{
    TEXTMETRICA tm;
    if (!GetTextMetricsA(hdc, &tm))
        return DEFAULT_CHARSET;
    return tm.tmCharSet;
}

// ---------------------------------------------------------------- enumeration

namespace {

int EnumerateFamilies(HDC hdc, const std::string& only, FONTENUMPROCA proc, LPARAM lParam)
{
    if (proc == nullptr || !LookupDC(hdc))
        return 0;
    std::vector<std::string> names = FontFamilyNames();
    int result = 1;
    for (const std::string& name : names) {
        if (!only.empty() && !AnsiCompareFace(name, only))
            continue;
        bool korean = IsKoreanFamilyName(name);
        ENUMLOGFONTEXA elf;
        std::memset(&elf, 0, sizeof(elf));
        LOGFONTA& lf = elf.elfLogFont;
        lf.lfHeight = 16;
        lf.lfWeight = FW_NORMAL;
        lf.lfCharSet = korean ? HANGEUL_CHARSET : ANSI_CHARSET;
        lf.lfOutPrecision = OUT_STROKE_PRECIS;
        lf.lfClipPrecision = CLIP_STROKE_PRECIS;
        lf.lfQuality = DRAFT_QUALITY;
        lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
        std::strncpy(lf.lfFaceName, name.c_str(), LF_FACESIZE - 1);
        std::strncpy(reinterpret_cast<char*>(elf.elfFullName), name.c_str(), LF_FULLFACESIZE - 1);
        std::strncpy(reinterpret_cast<char*>(elf.elfStyle), "Regular", LF_FACESIZE - 1);
        std::strncpy(reinterpret_cast<char*>(elf.elfScript), korean ? "Hangul" : "Western", LF_FACESIZE - 1);
        NEWTEXTMETRICEXA ntm;
        std::memset(&ntm, 0, sizeof(ntm));
        NEWTEXTMETRICA& tm = ntm.ntmTm;
        tm.tmHeight = 16;
        tm.tmAscent = 13;
        tm.tmDescent = 3;
        tm.tmInternalLeading = 2;
        tm.tmAveCharWidth = 7;
        tm.tmMaxCharWidth = 16;
        tm.tmWeight = FW_NORMAL;
        tm.tmDigitizedAspectX = 96;
        tm.tmDigitizedAspectY = 96;
        tm.tmFirstChar = 0x20;
        tm.tmLastChar = 0xFF;
        tm.tmDefaultChar = 0x1F;
        tm.tmBreakChar = 0x20;
        tm.tmPitchAndFamily = TMPF_TRUETYPE | TMPF_VECTOR | TMPF_FIXED_PITCH | FF_SWISS;
        tm.tmCharSet = lf.lfCharSet;
        tm.ntmSizeEM = 2048;
        tm.ntmCellHeight = 2400;
        tm.ntmAvgWidth = 900;
        result = proc(&elf.elfLogFont, reinterpret_cast<const TEXTMETRICA*>(&ntm), TRUETYPE_FONTTYPE, lParam);
        if (result == 0)
            break;
    }
    return result;
}

}  // namespace

namespace mivo {
namespace gdi {

bool AnsiCompareFace(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = (unsigned char)a[i], y = (unsigned char)b[i];
        if (x >= 0x80 || y >= 0x80) {
            if (x != y)
                return false;
            if (i + 1 < a.size()) {
                ++i;
                if (a[i] != b[i])
                    return false;
            }
            continue;
        }
        if (std::tolower(x) != std::tolower(y))
            return false;
    }
    return true;
}

}  // namespace gdi
}  // namespace mivo

int EnumFontFamiliesA(HDC hdc, LPCSTR lpLogfont, FONTENUMPROCA lpProc, LPARAM lParam)
{
    return EnumerateFamilies(hdc, lpLogfont ? std::string(lpLogfont) : std::string(), lpProc, lParam);
}

int EnumFontFamilies(HDC hdc, LPCSTR lpLogfont, FONTENUMPROCA lpProc, LPARAM lParam)
{
    return EnumFontFamiliesA(hdc, lpLogfont, lpProc, lParam);
}

int EnumFontFamiliesExA(HDC hdc, LPLOGFONTA lpLogfont, FONTENUMPROCA lpProc, LPARAM lParam, DWORD)
{
    std::string only;
    if (lpLogfont != nullptr)
        only.assign(lpLogfont->lfFaceName, strnlen(lpLogfont->lfFaceName, LF_FACESIZE));
    return EnumerateFamilies(hdc, only, lpProc, lParam);
}

int EnumFontFamiliesEx(HDC hdc, LPLOGFONTA lpLogfont, FONTENUMPROCA lpProc, LPARAM lParam, DWORD dwFlags)
{
    return EnumFontFamiliesExA(hdc, lpLogfont, lpProc, lParam, dwFlags);
}

int EnumFonts(HDC hdc, LPCSTR lpLogfont, FONTENUMPROCA lpProc, LPARAM lParam)
{
    return EnumFontFamiliesA(hdc, lpLogfont, lpProc, lParam);
}

int AddFontResourceA(LPCSTR)
{
    return 0;
}

int AddFontResource(LPCSTR name)
{
    return AddFontResourceA(name);
}

BOOL RemoveFontResourceA(LPCSTR)
{
    return FALSE;
}

BOOL RemoveFontResource(LPCSTR name)
{
    return RemoveFontResourceA(name);
}
