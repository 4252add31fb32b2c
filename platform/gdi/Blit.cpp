// Block transfers: PatBlt, BitBlt, StretchBlt, the DIB transfers,
// TransparentBlt, AlphaBlend, MaskBlt and GradientFill.
#include "gdi/DeviceContext.h"
#include "mivo/Trace.h"
#include "gdi/Dib.h"
#include "gdi/RasterOps.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

using namespace mivo;
using namespace mivo::gdi;

namespace {

// Source natives to destination natives, by the monochrome rules.
class Converter {
public:
    Converter(const Raster& src, uint32_t srcBkNative, const Raster& dst, uint32_t dstText, uint32_t dstBk)
        : src_(src), dst_(dst), srcBk_(srcBkNative), dstText_(dstText), dstBk_(dstBk)
    {
        if (src.monoDevice && dst.monoDevice)
            mode_ = Mode::Copy;
        else if (src.monoDevice)
            mode_ = Mode::MonoToColor;
        else if (dst.monoDevice)
            mode_ = Mode::ColorToMono;
        else if (src.Indexed() && dst.Indexed() && src.bpp == dst.bpp && src.numColors == dst.numColors &&
                 src.colors != nullptr && dst.colors != nullptr &&
                 std::memcmp(src.colors, dst.colors, sizeof(RGBQUAD) * (size_t)src.numColors) == 0)
            mode_ = Mode::Copy;
        else if (!src.Indexed() && (dst.bpp == 24 || dst.bpp == 32) && dst.FromRgb(0x123456) == 0x123456)
            mode_ = Mode::Copy;
        else
            mode_ = Mode::General;
    }

    uint32_t operator()(uint32_t v) const
    {
        switch (mode_) {
        case Mode::Copy:
            return v;
        case Mode::MonoToColor:
            return (v & 1) ? dstBk_ : dstText_;
        case Mode::ColorToMono:
            return v == srcBk_ ? 1u : 0u;
        default:
            return dst_.FromRgb(src_.ToRgb(v));
        }
    }
    // An averaged colour (HALFTONE) as a destination native.
    uint32_t FromRgb(uint32_t rgb) const { return dst_.FromRgb(rgb); }

private:
    enum class Mode { Copy, MonoToColor, ColorToMono, General };
    const Raster& src_;
    const Raster& dst_;
    uint32_t srcBk_, dstText_, dstBk_;
    Mode mode_ = Mode::General;
};

// Destination pixel i of dLen maps to this source position.
inline int MapCoord(int i, int dLen, int start, int sLen)
{
    int64_t off = ((2 * (int64_t)i + 1) * std::llabs((int64_t)sLen)) / (2 * (int64_t)dLen);
    return sLen > 0 ? (int)(start + off) : (int)(start - 1 - off);
}

// The source span [lo, hi) covered by destination pixel i.
inline void MapBox(int i, int dLen, int start, int sLen, int& lo, int& hi)
{
    int64_t s = std::llabs((int64_t)sLen);
    int64_t a = (int64_t)i * s / dLen, b = ((int64_t)i + 1) * s / dLen;
    if (b <= a)
        b = a + 1;
    if (sLen > 0) {
        lo = (int)(start + a);
        hi = (int)(start + b);
    } else {
        lo = (int)(start - b);
        hi = (int)(start - a);
    }
}

struct BlitParams {
    int dx0 = 0, dy0 = 0, dw = 0, dh = 0;  // destination, raster coordinates
    int sx0 = 0, sy0 = 0, sw = 0, sh = 0;  // source start and signed extents
    uint8_t rop = 0xCC;
    int stretchMode = COLORONCOLOR;
    // TransparentBlt: source pixels equal to this native are skipped.
    bool keyed = false;
    uint32_t keyNative = 0;
};

struct RowCache {
    std::vector<uint32_t> data;
    int y = INT32_MIN;
    int x0 = 0;
};

void ReadSourceRow(const Raster& src, int y, int x0, int x1, RowCache& cache)
{
    if (cache.y == y && cache.x0 == x0 && (int)cache.data.size() == x1 - x0)
        return;
    cache.data.resize((size_t)(x1 - x0));
    src.Read(x0, y, x1 - x0, cache.data.data());
    cache.y = y;
    cache.x0 = x0;
}

// Runs a (possibly stretching) transfer into a locked target.
void RunBlit(DrawTarget& t, const Raster* src, const Converter* conv, const BlitParams& p, const Pattern& pat)
{
    if (p.dw <= 0 || p.dh <= 0 || t.raster.row0 == nullptr)
        return;
    const uint32_t mask = t.raster.NativeMask();
    const bool needSrc = src != nullptr;
    const int absW = std::abs(p.sw), absH = std::abs(p.sh);
    const bool scaling = needSrc && (absW != p.dw || absH != p.dh);
    const bool halftone = scaling && p.stretchMode == HALFTONE && !t.raster.monoDevice && !p.keyed;
    const bool combine = scaling && !halftone && (p.stretchMode == BLACKONWHITE || p.stretchMode == WHITEONBLACK) &&
                         (absW > p.dw || absH > p.dh) && !p.keyed;

    // Source columns for each destination column, and the range they span.
    std::vector<int> sxLo((size_t)p.dw), sxHi((size_t)p.dw);
    int minSx = INT32_MAX, maxSx = INT32_MIN;
    if (needSrc) {
        for (int i = 0; i < p.dw; ++i) {
            int lo, hi;
            if (halftone || combine) {
                MapBox(i, p.dw, p.sx0, p.sw, lo, hi);
            } else {
                lo = MapCoord(i, p.dw, p.sx0, p.sw);
                hi = lo + 1;
            }
            lo = std::max(lo, 0);
            hi = std::min(hi, src->width);
            sxLo[(size_t)i] = lo;
            sxHi[(size_t)i] = hi;
            if (lo < hi) {
                minSx = std::min(minSx, lo);
                maxSx = std::max(maxSx, hi);
            }
        }
        if (minSx >= maxSx)
            return;
    }
    // Pixels left alone (no source under them, a key colour, a transparent
    // hatch) need the destination read back even for a plain copy.
    bool gaps = false;
    for (int i = 0; needSrc && i < p.dw && !gaps; ++i)
        gaps = sxLo[(size_t)i] >= sxHi[(size_t)i];
    const bool needDest = RopNeedsDest(p.rop) || pat.hasSkip || p.keyed || gaps;

    std::vector<uint32_t> D, P, S, orig;
    std::vector<uint8_t> skip, patSkip;
    std::vector<RowCache> rows;
    std::vector<uint64_t> sums;
    for (int j = 0; j < p.dh; ++j) {
        int y = p.dy0 + j;
        if (y < 0 || y >= t.raster.height)
            continue;
        int syLo = 0, syHi = 0;
        if (needSrc) {
            if (halftone || combine) {
                MapBox(j, p.dh, p.sy0, p.sh, syLo, syHi);
            } else {
                syLo = MapCoord(j, p.dh, p.sy0, p.sh);
                syHi = syLo + 1;
            }
            syLo = std::max(syLo, 0);
            syHi = std::min(syHi, src->height);
            if (syLo >= syHi)
                continue;
            if ((int)rows.size() < syHi - syLo)
                rows.resize((size_t)(syHi - syLo));
            for (int sy = syLo; sy < syHi; ++sy)
                ReadSourceRow(*src, sy, minSx, maxSx, rows[(size_t)(sy - syLo)]);
        }
        ForEachClipped(t.clip, y, p.dx0, p.dx0 + p.dw, [&](int a, int b) {
            int n = b - a;
            D.resize((size_t)n);
            P.resize((size_t)n);
            S.resize((size_t)n);
            skip.assign((size_t)n, 0);
            patSkip.resize((size_t)n);
            if (needDest)
                t.raster.Read(a, y, n, D.data());
            orig.assign(D.begin(), D.end());
            pat.Row(a, y, n, P.data(), pat.hasSkip ? patSkip.data() : nullptr);
            if (pat.hasSkip)
                for (int k = 0; k < n; ++k)
                    skip[(size_t)k] |= patSkip[(size_t)k];
            if (needSrc) {
                for (int k = 0; k < n; ++k) {
                    int i = a - p.dx0 + k;
                    int lo = sxLo[(size_t)i], hi = sxHi[(size_t)i];
                    if (lo >= hi) {
                        skip[(size_t)k] = 1;
                        continue;
                    }
                    if (halftone) {
                        uint64_t r = 0, g = 0, bl = 0, count = 0;
                        for (int sy = syLo; sy < syHi; ++sy) {
                            const RowCache& rc = rows[(size_t)(sy - syLo)];
                            for (int sx = lo; sx < hi; ++sx) {
                                uint32_t rgb = src->ToRgb(rc.data[(size_t)(sx - minSx)]);
                                r += (rgb >> 16) & 0xFF;
                                g += (rgb >> 8) & 0xFF;
                                bl += rgb & 0xFF;
                                ++count;
                            }
                        }
                        uint32_t avg = (uint32_t)(((r + count / 2) / count) << 16 | ((g + count / 2) / count) << 8 |
                                                  ((bl + count / 2) / count));
                        S[(size_t)k] = conv->FromRgb(avg);
                    } else if (combine) {
                        bool andMode = p.stretchMode == BLACKONWHITE;
                        uint32_t acc = andMode ? 0xFFFFFFFFu : 0u;
                        for (int sy = syLo; sy < syHi; ++sy) {
                            const RowCache& rc = rows[(size_t)(sy - syLo)];
                            for (int sx = lo; sx < hi; ++sx) {
                                uint32_t v = (*conv)(rc.data[(size_t)(sx - minSx)]);
                                acc = andMode ? (acc & v) : (acc | v);
                            }
                        }
                        S[(size_t)k] = acc & mask;
                    } else {
                        uint32_t v = rows[0].data[(size_t)(lo - minSx)];
                        if (p.keyed && v == p.keyNative) {
                            skip[(size_t)k] = 1;
                            continue;
                        }
                        S[(size_t)k] = (*conv)(v);
                    }
                }
            }
            ApplyRop(p.rop, P.data(), needSrc ? S.data() : nullptr, D.data(), n, mask);
            for (int k = 0; k < n; ++k)
                if (skip[(size_t)k])
                    D[(size_t)k] = orig[(size_t)k];
            t.raster.Write(a, y, n, D.data());
        });
    }
}

// Destination and source rectangles in device pixels from logical ones.
void DeviceSpan(const DeviceContext& dc, int x, int y, int w, int h, POINT& p0, POINT& p1)
{
    p0 = dc.ToDevice(x, y);
    p1 = dc.ToDevice(x + w, y + h);
}

// Fills the destination part of BlitParams from the device corners (normalized),
// flipping the source direction for a mirrored destination.
void SetDestination(BlitParams& p, const DrawTarget& t, POINT p0, POINT p1)
{
    int w = p1.x - p0.x, h = p1.y - p0.y;
    if (w < 0) {
        p.dx0 = p1.x;
        p.dw = -w;
        p.sx0 += p.sw;
        p.sw = -p.sw;
    } else {
        p.dx0 = p0.x;
        p.dw = w;
    }
    if (h < 0) {
        p.dy0 = p1.y;
        p.dh = -h;
        p.sy0 += p.sh;
        p.sh = -p.sh;
    } else {
        p.dy0 = p0.y;
        p.dh = h;
    }
    p.dx0 += t.origin.x;
    p.dy0 += t.origin.y;
}

// Copies the rows a transfer reads when source and destination share pixels.
struct Snapshot {
    std::unique_ptr<uint8_t[]> bytes;
    Raster raster;
    bool Take(const Raster& src)
    {
        int64_t rowBytes = src.stride < 0 ? -src.stride : src.stride;
        int64_t total = rowBytes * src.height;
        bytes.reset(new (std::nothrow) uint8_t[(size_t)total]);
        if (!bytes)
            return false;
        for (int y = 0; y < src.height; ++y)
            std::memcpy(bytes.get() + (int64_t)y * rowBytes, src.Row(y), (size_t)rowBytes);
        raster = src;
        raster.row0 = bytes.get();
        raster.stride = rowBytes;
        return true;
    }
};

class DcPairLock {
public:
    DcPairLock(DeviceContext& a, DeviceContext* b)
    {
        if (b == nullptr || b == &a) {
            first_ = std::unique_lock<std::recursive_mutex>(a.mutex);
        } else {
            first_ = std::unique_lock<std::recursive_mutex>(a.mutex, std::defer_lock);
            second_ = std::unique_lock<std::recursive_mutex>(b->mutex, std::defer_lock);
            std::lock(first_, second_);
        }
    }

private:
    std::unique_lock<std::recursive_mutex> first_, second_;
};

std::recursive_mutex* PixelMutex(DeviceContext& dc)
{
    switch (dc.dcKind) {
    case DcKind::Memory:
        return dc.st.bitmap ? &dc.st.bitmap->lock : nullptr;
    case DcKind::Surface:
    case DcKind::Display:
        return dc.surface ? &dc.surface->lock : nullptr;
    default:
        return nullptr;
    }
}

// Locks the pixels of two DCs in a deadlock-free order, then acquires both.
bool AcquirePair(DeviceContext& dst, DrawTarget& td, DeviceContext& src, DrawTarget& ts)
{
    std::recursive_mutex* a = PixelMutex(dst);
    std::recursive_mutex* b = PixelMutex(src);
    std::unique_lock<std::recursive_mutex> la, lb;
    if (a != nullptr && b != nullptr && a != b) {
        la = std::unique_lock<std::recursive_mutex>(*a, std::defer_lock);
        lb = std::unique_lock<std::recursive_mutex>(*b, std::defer_lock);
        std::lock(la, lb);
    }
    return dst.Acquire(td) && src.Acquire(ts);
}

BOOL StretchBetween(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc, int wSrc,
                    int hSrc, DWORD rop, bool forceCopyMode, bool keyed, UINT keyColor)
{
    auto dst = LookupDC(hdcDest);
    if (!dst)
        return FALSE;
    uint8_t code = RopByte(rop);
    bool needSrc = RopNeedsSource(code) || keyed;
    std::shared_ptr<DeviceContext> src;
    if (needSrc) {
        src = LookupDC(hdcSrc);
        if (!src)
            return FALSE;
    }
    DcPairLock dcLock(*dst, src.get());
    POINT d0, d1;
    DeviceSpan(*dst, xDest, yDest, wDest, hDest, d0, d1);
    if (d0.x == d1.x || d0.y == d1.y)
        return TRUE;

    BlitParams p;
    p.rop = code;
    p.stretchMode = forceCopyMode ? COLORONCOLOR : dst->st.stretchMode;
    DrawTarget td, ts;
    if (needSrc) {
        POINT s0, s1;
        DeviceSpan(*src, xSrc, ySrc, wSrc, hSrc, s0, s1);
        if (s0.x == s1.x || s0.y == s1.y)
            return FALSE;
        if (!AcquirePair(*dst, td, *src, ts))
            return src->dcKind == DcKind::Info || dst->dcKind == DcKind::Info ? FALSE : TRUE;
        p.sx0 = s0.x + ts.origin.x;
        p.sy0 = s0.y + ts.origin.y;
        p.sw = s1.x - s0.x;
        p.sh = s1.y - s0.y;
    } else {
        if (!dst->Acquire(td))
            return dst->dcKind == DcKind::Info ? FALSE : TRUE;
    }
    SetDestination(p, td, d0, d1);

    Pattern pat = SolidPattern(0);
    if (RopNeedsPattern(code)) {
        pat = CurrentBrushPattern(*dst, td);
        if (pat.empty)
            return TRUE;
    }
    if (!needSrc) {
        RunBlit(td, nullptr, nullptr, p, pat);
        return TRUE;
    }
    const Raster* srcRaster = &ts.raster;
    Snapshot snap;
    if (ts.raster.row0 != nullptr && ts.raster.row0 == td.raster.row0) {
        if (!snap.Take(ts.raster))
            return FALSE;
        srcRaster = &snap.raster;
    }
    uint32_t srcBk = srcRaster->FromRgb(ResolveColor(*src, src->st.bkColor));
    Converter conv(*srcRaster, srcBk, td.raster, NativeColor(*dst, td.raster, dst->st.textColor),
                   NativeColor(*dst, td.raster, dst->st.bkColor));
    if (keyed) {
        p.keyed = true;
        uint32_t rgb = RgbFromColorref(keyColor & 0x00FFFFFF);
        p.keyNative = srcRaster->FromRgb(rgb);
    }
    RunBlit(td, srcRaster, &conv, p, pat);
    return TRUE;
}

}  // namespace

BOOL PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop)
{
    MIVO_TRACE(kTraceGdi, "PatBlt(%p, %d, %d, %d, %d, %08lx)", (void*)hdc, x, y, w, h, (unsigned long)rop);
    if (RopNeedsSource(RopByte(rop)))
        return FALSE;
    return StretchBetween(hdc, x, y, w, h, nullptr, 0, 0, 0, 0, rop, false, false, 0);
}

BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop)
{
    MIVO_TRACE(kTraceGdi, "BitBlt(%p, %d, %d, %d, %d, %p, %d, %d, %08lx)", (void*)hdc, x, y, cx, cy, (void*)hdcSrc, x1, y1, (unsigned long)rop);
    return StretchBetween(hdc, x, y, cx, cy, hdcSrc, x1, y1, cx, cy, rop, true, false, 0);
}

BOOL StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc, int wSrc,
                int hSrc, DWORD rop)
{
    MIVO_TRACE(kTraceGdi, "StretchBlt(%p, %d, %d, %d, %d, %p, %d, %d, %d, %d, %08lx)", (void*)hdcDest, xDest, yDest, wDest, hDest, (void*)hdcSrc, xSrc, ySrc, wSrc, hSrc, (unsigned long)rop);
    return StretchBetween(hdcDest, xDest, yDest, wDest, hDest, hdcSrc, xSrc, ySrc, wSrc, hSrc, rop, false, false, 0);
}

BOOL TransparentBlt(HDC hdcDest, int xoriginDest, int yoriginDest, int wDest, int hDest, HDC hdcSrc, int xoriginSrc,
                    int yoriginSrc, int wSrc, int hSrc, UINT crTransparent)
{
    MIVO_TRACE(kTraceGdi, "TransparentBlt(%p, %d, %d, %d, %d, %p)", (void*)hdcDest, xoriginDest, yoriginDest, wDest, hDest, (void*)hdcSrc);
    if (wDest <= 0 || hDest <= 0 || wSrc <= 0 || hSrc <= 0)
        return FALSE;
    return StretchBetween(hdcDest, xoriginDest, yoriginDest, wDest, hDest, hdcSrc, xoriginSrc, yoriginSrc, wSrc, hSrc,
                          SRCCOPY, true, true, crTransparent);
}

BOOL MaskBlt(HDC hdcDest, int xDest, int yDest, int width, int height, HDC hdcSrc, int xSrc, int ySrc,
             HBITMAP hbmMask, int xMask, int yMask, DWORD rop)
{
    MIVO_TRACE(kTraceGdi, "MaskBlt(%p, %d, %d, %d, %d, %p)", (void*)hdcDest, xDest, yDest, width, height, (void*)hdcSrc);
    DWORD fore = rop & 0x00FFFFFF;
    DWORD back = (rop >> 8) & 0x00FF0000;
    if (hbmMask == nullptr)
        return BitBlt(hdcDest, xDest, yDest, width, height, hdcSrc, xSrc, ySrc, fore);
    auto mask = Lookup<BitmapObject>((HANDLE)hbmMask);
    if (!mask || !mask->monoDevice)
        return FALSE;
    // Draw the background operation everywhere, then the foreground one
    // through the mask: a scratch copy of the destination keeps it exact.
    HDC memDst = CreateCompatibleDC(hdcDest);
    HBITMAP scratch = CreateCompatibleBitmap(hdcDest, width, height);
    HGDIOBJ oldBmp = SelectObject(memDst, scratch);
    HGDIOBJ brush = GetCurrentObject(hdcDest, OBJ_BRUSH);
    HGDIOBJ oldBrush = SelectObject(memDst, brush);
    BitBlt(memDst, 0, 0, width, height, hdcDest, xDest, yDest, SRCCOPY);
    BitBlt(memDst, 0, 0, width, height, hdcSrc, xSrc, ySrc, back);
    HDC memFore = CreateCompatibleDC(hdcDest);
    HBITMAP foreBmp = CreateCompatibleBitmap(hdcDest, width, height);
    HGDIOBJ oldFore = SelectObject(memFore, foreBmp);
    SelectObject(memFore, brush);
    BitBlt(memFore, 0, 0, width, height, hdcDest, xDest, yDest, SRCCOPY);
    BitBlt(memFore, 0, 0, width, height, hdcSrc, xSrc, ySrc, fore);
    // Where the mask is 1 take the foreground result: D = mask ? fore : back.
    HDC memMask = CreateCompatibleDC(hdcDest);
    HGDIOBJ oldMask = SelectObject(memMask, hbmMask);
    SetBkColor(memFore, RGB(255, 255, 255));
    SetTextColor(memFore, RGB(0, 0, 0));
    SetBkColor(memDst, RGB(255, 255, 255));
    SetTextColor(memDst, RGB(0, 0, 0));
    BitBlt(memFore, 0, 0, width, height, memMask, xMask, yMask, SRCAND);
    BitBlt(memDst, 0, 0, width, height, memMask, xMask, yMask, 0x00220326);  // DSna
    BitBlt(memDst, 0, 0, width, height, memFore, 0, 0, SRCPAINT);
    BOOL ok = BitBlt(hdcDest, xDest, yDest, width, height, memDst, 0, 0, SRCCOPY);
    SelectObject(memMask, oldMask);
    SelectObject(memFore, oldFore);
    SelectObject(memDst, oldBmp);
    SelectObject(memDst, oldBrush);
    DeleteDC(memMask);
    DeleteDC(memFore);
    DeleteDC(memDst);
    DeleteObject(foreBmp);
    DeleteObject(scratch);
    return ok;
}

// ---------------------------------------------------------------- DIB transfers

namespace {

// StretchDIBits gives a logical destination size; SetDIBitsToDevice a size in device pixels.
int DibTransfer(HDC hdc, int xDest, int yDest, int wDest, int hDest, bool deviceSize, const Raster& src, int sx0,
                int sy0, int sw, int sh, DWORD rop, bool useStretchMode)
{
    auto dc = LookupDC(hdc);
    if (!dc)
        return 0;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    POINT d0, d1;
    if (deviceSize) {
        d0 = dc->ToDevice(xDest, yDest);
        d1 = POINT{d0.x + wDest, d0.y + hDest};
    } else {
        DeviceSpan(*dc, xDest, yDest, wDest, hDest, d0, d1);
    }
    if (d0.x == d1.x || d0.y == d1.y || sw == 0 || sh == 0)
        return 1;
    DrawTarget t;
    if (!dc->Acquire(t))
        return dc->dcKind == DcKind::Info ? 0 : 1;
    BlitParams p;
    p.rop = RopByte(rop);
    p.stretchMode = useStretchMode ? dc->st.stretchMode : COLORONCOLOR;
    p.sx0 = sx0;
    p.sy0 = sy0;
    p.sw = sw;
    p.sh = sh;
    SetDestination(p, t, d0, d1);
    Pattern pat = SolidPattern(0);
    if (RopNeedsPattern(p.rop)) {
        pat = CurrentBrushPattern(*dc, t);
        if (pat.empty)
            return 1;
    }
    if (!RopNeedsSource(p.rop)) {
        RunBlit(t, nullptr, nullptr, p, pat);
        return 1;
    }
    Converter conv(src, 0, t.raster, NativeColor(*dc, t.raster, dc->st.textColor),
                   NativeColor(*dc, t.raster, dc->st.bkColor));
    RunBlit(t, &src, &conv, p, pat);
    return 1;
}

std::shared_ptr<PaletteObject> PaletteOf(HDC hdc)
{
    auto dc = LookupDC(hdc);
    if (!dc)
        return nullptr;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    return dc->st.palette.shared();
}

}  // namespace

int StretchDIBits(HDC hdc, int xDest, int yDest, int DestWidth, int DestHeight, int xSrc, int ySrc, int SrcWidth,
                  int SrcHeight, const void* lpBits, const BITMAPINFO* lpbmi, UINT iUsage, DWORD rop)
{
    MIVO_TRACE(kTraceGdi, "StretchDIBits(%p, %d, %d, %d, %d)", (void*)hdc, xDest, yDest, DestWidth, DestHeight);
    if (lpbmi == nullptr || (lpBits == nullptr && RopNeedsSource(RopByte(rop))))
        return 0;
    DibInfo info;
    auto pal = PaletteOf(hdc);
    if (!pal || !ParseDibHeader(lpbmi, iUsage, pal.get(), info))
        return 0;
    Raster src = DibRaster(info, lpBits);
    // Bottom-up DIBs count source rows from the bottom.
    int sy0 = info.bottomUp ? info.height - ySrc - SrcHeight : ySrc;
    if (DibTransfer(hdc, xDest, yDest, DestWidth, DestHeight, false, src, xSrc, sy0, SrcWidth, SrcHeight, rop, true) ==
        0)
        return 0;
    return info.height;
}

int SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD w, DWORD h, int xSrc, int ySrc, UINT StartScan,
                      UINT cLines, const void* lpvBits, const BITMAPINFO* lpbmi, UINT ColorUse)
{
    if (lpbmi == nullptr || lpvBits == nullptr || w > INT32_MAX || h > INT32_MAX)
        return 0;
    DibInfo info;
    auto pal = PaletteOf(hdc);
    if (!pal || !ParseDibHeader(lpbmi, ColorUse, pal.get(), info))
        return 0;
    if (StartScan >= (UINT)info.height || cLines == 0)
        return 0;
    UINT lines = std::min<UINT>(cLines, (UINT)info.height - StartScan);
    // The bits hold `lines` scan lines starting at StartScan.
    Raster band = DibRaster(info, lpvBits);
    band.height = (int)lines;
    int sy0;
    if (info.bottomUp) {
        band.row0 = static_cast<uint8_t*>(const_cast<void*>(lpvBits)) + (int64_t)(lines - 1) * info.stride;
        sy0 = (int)(StartScan + lines) - (ySrc + (int)h);
    } else {
        sy0 = ySrc - (int)StartScan;
    }
    // Device pixels map one to one: the destination size is the source size.
    if (DibTransfer(hdc, xDest, yDest, (int)w, (int)h, true, band, xSrc, sy0, (int)w, (int)h, SRCCOPY, false) == 0)
        return 0;
    return (int)lines;
}

// ---------------------------------------------------------------- AlphaBlend

BOOL AlphaBlend(HDC hdcDest, int xoriginDest, int yoriginDest, int wDest, int hDest, HDC hdcSrc, int xoriginSrc,
                int yoriginSrc, int wSrc, int hSrc, BLENDFUNCTION ftn)
{
    MIVO_TRACE(kTraceGdi, "AlphaBlend(%p, %d, %d, %d, %d, %p)", (void*)hdcDest, xoriginDest, yoriginDest, wDest, hDest, (void*)hdcSrc);
    if (wDest < 0 || hDest < 0 || wSrc < 0 || hSrc < 0 || ftn.BlendOp != AC_SRC_OVER)
        return FALSE;
    auto dst = LookupDC(hdcDest);
    auto src = LookupDC(hdcSrc);
    if (!dst || !src)
        return FALSE;
    DcPairLock dcLock(*dst, src.get());
    DrawTarget td, ts;
    if (!AcquirePair(*dst, td, *src, ts))
        return FALSE;
    POINT d0, d1, s0, s1;
    DeviceSpan(*dst, xoriginDest, yoriginDest, wDest, hDest, d0, d1);
    DeviceSpan(*src, xoriginSrc, yoriginSrc, wSrc, hSrc, s0, s1);
    RECT sr = {std::min(s0.x, s1.x) + ts.origin.x, std::min(s0.y, s1.y) + ts.origin.y,
               std::max(s0.x, s1.x) + ts.origin.x, std::max(s0.y, s1.y) + ts.origin.y};
    // The source rectangle must lie inside the source surface.
    if (sr.left < 0 || sr.top < 0 || sr.right > ts.raster.width || sr.bottom > ts.raster.height)
        return FALSE;
    RECT dr = {std::min(d0.x, d1.x) + td.origin.x, std::min(d0.y, d1.y) + td.origin.y,
               std::max(d0.x, d1.x) + td.origin.x, std::max(d0.y, d1.y) + td.origin.y};
    int dw = dr.right - dr.left, dh = dr.bottom - dr.top;
    int sw = sr.right - sr.left, sh = sr.bottom - sr.top;
    if (dw == 0 || dh == 0 || sw == 0 || sh == 0)
        return TRUE;
    const Raster* srcRaster = &ts.raster;
    Snapshot snap;
    if (ts.raster.row0 == td.raster.row0) {
        if (!snap.Take(ts.raster))
            return FALSE;
        srcRaster = &snap.raster;
    }
    const bool perPixel = (ftn.AlphaFormat & AC_SRC_ALPHA) != 0;
    const uint32_t sca = ftn.SourceConstantAlpha;
    std::vector<uint32_t> srow((size_t)sw), drow;
    std::vector<uint8_t> arow((size_t)sw);
    for (int j = 0; j < dh; ++j) {
        int y = dr.top + j;
        if (y < 0 || y >= td.raster.height)
            continue;
        int sy = sr.top + MapCoord(j, dh, 0, sh);
        srcRaster->Read(sr.left, sy, sw, srow.data());
        srcRaster->ReadAlpha(sr.left, sy, sw, arow.data());
        ForEachClipped(td.clip, y, dr.left, dr.right, [&](int a, int b) {
            int n = b - a;
            drow.resize((size_t)n);
            td.raster.Read(a, y, n, drow.data());
            for (int k = 0; k < n; ++k) {
                int i = MapCoord(a - dr.left + k, dw, 0, sw);
                uint32_t s = srcRaster->ToRgb(srow[(size_t)i]);
                uint32_t d = td.raster.ToRgb(drow[(size_t)k]);
                uint32_t alpha = perPixel ? arow[(size_t)i] : 255u;
                uint32_t out = 0;
                for (int shift = 0; shift <= 16; shift += 8) {
                    uint32_t sc = (s >> shift) & 0xFF, dcv = (d >> shift) & 0xFF;
                    uint32_t scaled = (sc * sca + 127) / 255;
                    uint32_t keep = 255 - (alpha * sca + 127) / 255;
                    uint32_t v = scaled + (dcv * keep + 127) / 255;
                    out |= std::min<uint32_t>(v, 255) << shift;
                }
                drow[(size_t)k] = td.raster.FromRgb(out);
            }
            td.raster.Write(a, y, n, drow.data());
        });
    }
    return TRUE;
}

// ---------------------------------------------------------------- GradientFill

namespace {

uint32_t VertexRgb(const TRIVERTEX& v)
{
    return ((uint32_t)(v.Red >> 8) << 16) | ((uint32_t)(v.Green >> 8) << 8) | (uint32_t)(v.Blue >> 8);
}

uint32_t Lerp(uint32_t a, uint32_t b, int64_t num, int64_t den)
{
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        int64_t ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
        int64_t v = den == 0 ? ca : ca + ((cb - ca) * num + den / 2) / den;
        out |= (uint32_t)std::max<int64_t>(0, std::min<int64_t>(255, v)) << shift;
    }
    return out;
}

}  // namespace

BOOL GradientFill(HDC hdc, PTRIVERTEX pVertex, ULONG nVertex, PVOID pMesh, ULONG nMesh, ULONG ulMode)
{
    if (pVertex == nullptr || pMesh == nullptr || nVertex == 0 || ulMode > GRADIENT_FILL_TRIANGLE)
        return FALSE;
    auto dc = LookupDC(hdc);
    if (!dc)
        return FALSE;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    DrawTarget t;
    if (!dc->Acquire(t))
        return dc->dcKind == DcKind::Info ? FALSE : TRUE;
    std::vector<POINT> pts(nVertex);
    for (ULONG i = 0; i < nVertex; ++i) {
        POINT p = dc->ToDevice(pVertex[i].x, pVertex[i].y);
        pts[i] = POINT{p.x + t.origin.x, p.y + t.origin.y};
    }
    if (ulMode != GRADIENT_FILL_TRIANGLE) {
        const GRADIENT_RECT* rects = static_cast<const GRADIENT_RECT*>(pMesh);
        for (ULONG m = 0; m < nMesh; ++m) {
            ULONG a = rects[m].UpperLeft, b = rects[m].LowerRight;
            if (a >= nVertex || b >= nVertex)
                return FALSE;
            POINT pa = pts[a], pb = pts[b];
            uint32_t ca = VertexRgb(pVertex[a]), cb = VertexRgb(pVertex[b]);
            if (pa.x > pb.x) {
                std::swap(pa.x, pb.x);
                if (ulMode == GRADIENT_FILL_RECT_H)
                    std::swap(ca, cb);
            }
            if (pa.y > pb.y) {
                std::swap(pa.y, pb.y);
                if (ulMode == GRADIENT_FILL_RECT_V)
                    std::swap(ca, cb);
            }
            if (ulMode == GRADIENT_FILL_RECT_H) {
                int64_t span = pb.x - pa.x;
                for (int x = pa.x; x < pb.x; ++x) {
                    Pattern pat = SolidPattern(t.raster.FromRgb(Lerp(ca, cb, x - pa.x, span)));
                    PaintRect(t, RECT{x, pa.y, x + 1, pb.y}, 0xF0, pat);
                }
            } else {
                int64_t span = pb.y - pa.y;
                for (int y = pa.y; y < pb.y; ++y) {
                    Pattern pat = SolidPattern(t.raster.FromRgb(Lerp(ca, cb, y - pa.y, span)));
                    PaintSpan(t, y, pa.x, pb.x, 0xF0, pat);
                }
            }
        }
        return TRUE;
    }
    const GRADIENT_TRIANGLE* tris = static_cast<const GRADIENT_TRIANGLE*>(pMesh);
    for (ULONG m = 0; m < nMesh; ++m) {
        ULONG ia = tris[m].Vertex1, ib = tris[m].Vertex2, ic = tris[m].Vertex3;
        if (ia >= nVertex || ib >= nVertex || ic >= nVertex)
            return FALSE;
        POINT a = pts[ia], b = pts[ib], c = pts[ic];
        int64_t area = (int64_t)(b.x - a.x) * (c.y - a.y) - (int64_t)(c.x - a.x) * (b.y - a.y);
        if (area == 0)
            continue;
        int minX = std::min({a.x, b.x, c.x}), maxX = std::max({a.x, b.x, c.x});
        int minY = std::max<int>(std::min({a.y, b.y, c.y}), 0), maxY = std::min<int>(std::max({a.y, b.y, c.y}), t.raster.height);
        for (int y = minY; y < maxY; ++y) {
            for (int x = minX; x < maxX; ++x) {
                // Pixel centres, doubled to stay in integers.
                int64_t px = 2 * (int64_t)x + 1, py = 2 * (int64_t)y + 1;
                int64_t w0 = (2 * (int64_t)b.x - px) * (2 * (int64_t)c.y - py) - (2 * (int64_t)c.x - px) * (2 * (int64_t)b.y - py);
                int64_t w1 = (2 * (int64_t)c.x - px) * (2 * (int64_t)a.y - py) - (2 * (int64_t)a.x - px) * (2 * (int64_t)c.y - py);
                int64_t w2 = (2 * (int64_t)a.x - px) * (2 * (int64_t)b.y - py) - (2 * (int64_t)b.x - px) * (2 * (int64_t)a.y - py);
                bool inside = area > 0 ? (w0 >= 0 && w1 >= 0 && w2 >= 0) : (w0 <= 0 && w1 <= 0 && w2 <= 0);
                if (!inside)
                    continue;
                int64_t sum = w0 + w1 + w2;
                uint32_t rgb = 0;
                for (int shift = 0; shift <= 16; shift += 8) {
                    int64_t v = (((VertexRgb(pVertex[ia]) >> shift) & 0xFF) * w0 +
                                 ((VertexRgb(pVertex[ib]) >> shift) & 0xFF) * w1 +
                                 ((VertexRgb(pVertex[ic]) >> shift) & 0xFF) * w2) /
                                sum;
                    rgb |= (uint32_t)std::max<int64_t>(0, std::min<int64_t>(255, v)) << shift;
                }
                PaintSpan(t, y, x, x + 1, 0xF0, SolidPattern(t.raster.FromRgb(rgb)));
            }
        }
    }
    return TRUE;
}
