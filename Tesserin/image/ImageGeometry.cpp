// Resampling, free rotation, quarter turns and flips of the image object.
// The resampling paths keep their single-precision and fixed-point arithmetic
// so pictures come out byte for byte as they always have.
#include "image/ImageObject.h"

#include "image/ImageNotifier.h"
#include "image/PixelBlock.h"
#include "image/RowBands.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

using namespace mivo::image;

namespace {

inline BYTE ClampToByte(float v)
{
    if (!(v > 0.0f))
        return 0;
    return v >= 255.0f ? 255 : BYTE(v);
}

inline BYTE ClampToByte(double v)
{
    if (!(v > 0.0))
        return 0;
    return v >= 255.0 ? 255 : BYTE(v);
}

inline BYTE ClampToByte(int64_t v) { return v < 0 ? 0 : v > 255 ? 255 : BYTE(v); }

// Interpolated sums truncate to a byte. Their weights add up to 1 only up to
// float rounding, which left a uniform 255 at 254.99997 and so at 254; a
// thousandth absorbs that and changes no value that is not already within a
// thousandth of the next integer.
inline BYTE TruncateInterpolated(float v) { return ClampToByte(v + 0.001f); }
inline BYTE TruncateInterpolated(double v) { return ClampToByte(v + 1e-6); }

inline long ClampIndex(long v, long last) { return v < 0 ? 0 : v > last ? last : v; }

// The source geometry every path reads from.
struct Source {
    const BYTE* pixels;
    long width;
    long height;
    long rowBytes;
    const BYTE* at(long x, long memoryRow) const { return pixels + memoryRow * rowBytes + 3 * x; }
};

struct Target {
    BYTE* pixels;
    long width;
    long height;
    long rowBytes;
    BYTE* row(long memoryRow) const { return pixels + memoryRow * rowBytes; }
};

void ResampleNearest(const Source& src, const Target& dst, float xScale, float yScale)
{
    std::vector<long> columns(size_t(dst.width));
    for (long x = 0; x < dst.width; ++x)
        columns[size_t(x)] = 3 * ClampIndex(long(float(x) * xScale), src.width - 1);
    for (long y = 0; y < dst.height; ++y) {
        long sy = ClampIndex(long(float(y) * yScale), src.height - 1);
        const BYTE* in = src.pixels + (src.height - 1 - sy) * src.rowBytes;
        BYTE* out = dst.row(dst.height - 1 - y);
        for (long x = 0; x < dst.width; ++x, out += 3) {
            const BYTE* p = in + columns[size_t(x)];
            out[0] = p[0];
            out[1] = p[1];
            out[2] = p[2];
        }
    }
}

// Cubic B-spline: the column weights depend on the column only, so they are
// worked out once; the sums keep their order, so the floats are unchanged.
void ResampleBSpline(const Source& src, const Target& dst, float xScale, float yScale, CWnd* wnd,
                     const int* interrupt)
{
    std::vector<long> colIndex(size_t(dst.width) * 4);
    std::vector<float> colWeight(size_t(dst.width) * 4);
    for (long x = 0; x < dst.width; ++x) {
        float fx = float(x) * xScale - 0.5f;
        long ix = long(std::floor(fx));
        float b = fx - std::floor(fx);
        for (int n = -1; n < 3; ++n) {
            colIndex[size_t(x) * 4 + size_t(n + 1)] = 3 * ClampIndex(ix + n, src.width - 1);
            colWeight[size_t(x) * 4 + size_t(n + 1)] = CImageObject::b3spline(b - float(n));
        }
    }
    for (long y = 0; y < dst.height; ++y) {
        SendRowProgress(wnd, interrupt, uint64_t(y), uint64_t(dst.height));
        float fy = float(y) * yScale - 0.5f;
        long iy = long(std::floor(fy));
        float a = fy - std::floor(fy);
        float rowWeight[4];
        const BYTE* rows[4];
        for (int m = -1; m < 3; ++m) {
            rowWeight[m + 1] = CImageObject::b3spline(float(m) - a);
            rows[m + 1] = src.pixels + ClampIndex(iy + m, src.height - 1) * src.rowBytes;
        }
        BYTE* out = dst.row(y);
        for (long x = 0; x < dst.width; ++x, out += 3) {
            const long* ci = &colIndex[size_t(x) * 4];
            const float* cw = &colWeight[size_t(x) * 4];
            float sb = 0.0f, sg = 0.0f, sr = 0.0f;
            for (int m = 0; m < 4; ++m) {
                float r1 = rowWeight[m];
                const BYTE* row = rows[m];
                for (int n = 0; n < 4; ++n) {
                    float r2 = r1 * cw[n];
                    const BYTE* p = row + ci[n];
                    sb += float(p[0]) * r2;
                    sg += float(p[1]) * r2;
                    sr += float(p[2]) * r2;
                }
            }
            out[0] = TruncateInterpolated(sb);
            out[1] = TruncateInterpolated(sg);
            out[2] = TruncateInterpolated(sr);
        }
    }
}

// Area averaging in fixed point. A source row lies wholly in one new row or
// is split between two; a source pixel likewise between two new columns.
// `accu` gathers the new row being built, `carry` the share of the next.
// Products of the two weights are kept whole (a whole source pixel weighs
// 1000 x 1000) and each new pixel is divided by the weight it actually
// gathered: a fixed scale with truncated shares turned a uniform 128 into
// 127 and white into 254.
struct AreaRow {
    std::vector<int64_t> sums;     // 3 per new pixel, plus one spare pixel
    std::vector<int64_t> weights;  // 1 per new pixel, plus one spare
    explicit AreaRow(long width) : sums(3 * size_t(width) + 3, 0), weights(size_t(width) + 1, 0) {}
    void ClearFirst()
    {
        sums[0] = sums[1] = sums[2] = 0;
        weights[0] = 0;
    }
    void Add(size_t u, const BYTE* px, int64_t weight)
    {
        if (u >= weights.size())
            return;
        weights[u] += weight;
        for (size_t k = 0; k < 3; ++k)
            sums[3 * u + k] += weight * px[k];
    }
    void Set(size_t u, const BYTE* px, int64_t weight)
    {
        if (u >= weights.size())
            return;
        weights[u] = weight;
        for (size_t k = 0; k < 3; ++k)
            sums[3 * u + k] = weight * px[k];
    }
    void Store(size_t u, BYTE* out) const
    {
        for (size_t k = 0; k < 3; ++k)
            out[3 * u + k] = weights[u] > 0 ? ClampToByte(sums[3 * u + k] / weights[u]) : 0;
    }
};

// Where the sweep over source rows stands: the running edges are summed in
// floats, so they are worked out once, in the order the sweep adds them,
// and every band starts from the very values a single sweep would reach.
// A column's share is -1 inside a new pixel, else the thousandths of it
// that go to the next one. Row v of the result is closed (stored) by source
// row closing[v] (src.height when the rows run out first) under the lower
// edge edges[v].
struct AreaPlan {
    std::vector<int64_t> columnShares;
    std::vector<long> closing;
    std::vector<float> edges;
};

const int64_t kAreaAccuracy = 1000;

AreaPlan PlanAreaAverage(const Source& src, const Target& dst, float xScale, float yScale)
{
    AreaPlan plan;
    plan.columnShares.assign(size_t(src.width), -1);
    float endX = xScale - 1.0f;
    for (long x = 0; x < src.width; ++x) {
        if (float(x) < endX)
            continue;
        plan.columnShares[size_t(x)] = int64_t((float(x) - endX) * float(kAreaAccuracy));
        endX += xScale;
    }
    plan.closing.assign(size_t(dst.height), src.height);
    plan.edges.assign(size_t(dst.height), 0.0f);
    float endY = yScale - 1.0f;
    long v = 0;
    for (long y = 0; y < src.height && v < dst.height; ++y) {
        if (float(y) < endY)
            continue;
        plan.closing[size_t(v)] = y;
        plan.edges[size_t(v)] = endY;
        ++v;
        endY += yScale;
    }
    return plan;
}

// Rows [first, last) of the result, every byte of them. A band after the
// first starts at the source row closing the row before it, only for the
// share that row carries over, exactly as the single sweep had it there.
void AreaAverageRows(const Source& src, const Target& dst, const AreaPlan& plan, float yScale, long first,
                     long last)
{
    const int64_t ACCURACY = kAreaAccuracy;
    long y = 0, v = 0;  // source row, new row being built
    float endY = yScale - 1.0f;
    if (first > 0) {
        y = plan.closing[size_t(first - 1)];
        v = first - 1;
        endY = plan.edges[size_t(first - 1)];
    }
    AreaRow rowA(dst.width), rowB(dst.width);
    AreaRow* accu = &rowA;
    AreaRow* carry = &rowB;
    const int64_t* shares = plan.columnShares.data();
    for (; y < src.height && v < last; ++y) {
        const BYTE* in = src.pixels + y * src.rowBytes;
        size_t u = 0;
        if (float(y) < endY) {
            for (long x = 0; x < src.width; ++x, in += 3) {
                const int64_t wx = shares[x];
                if (wx < 0) {
                    accu->Add(u, in, ACCURACY * ACCURACY);
                } else {
                    accu->Add(u, in, (ACCURACY - wx) * ACCURACY);
                    accu->Add(u + 1, in, wx * ACCURACY);
                    ++u;
                }
            }
            continue;
        }
        int64_t wy = int64_t((float(y) - endY) * float(ACCURACY));
        BYTE* out = v >= first ? dst.row(v) : nullptr;
        for (long x = 0; x < src.width; ++x, in += 3) {
            const int64_t wx = shares[x];
            if (wx < 0) {
                accu->Add(u, in, (ACCURACY - wy) * ACCURACY);
                carry->Add(u, in, wy * ACCURACY);
            } else {
                accu->Add(u, in, (ACCURACY - wy) * (ACCURACY - wx));
                if (out && long(u) < dst.width)
                    accu->Store(u, out);
                carry->Add(u, in, wy * (ACCURACY - wx));
                accu->Add(u + 1, in, (ACCURACY - wy) * wx);
                carry->Set(u + 1, in, wy * wx);
                ++u;
            }
        }
        if (out && long(u) < dst.width)
            accu->Store(u, out);
        if (out) {
            const long stored = std::min(long(u) + 1, dst.width);
            memset(out + 3 * stored, 0, size_t(dst.rowBytes - 3 * stored));
        }
        std::swap(accu, carry);
        carry->ClearFirst();
        ++v;
        endY += yScale;
    }
    // The source ran out before the last new row was closed: it keeps what
    // it gathered, and rows after it stay black.
    long written = v;
    if (y == src.height && v >= first && v < last) {
        BYTE* out = dst.row(v);
        for (long u = 0; u < dst.width; ++u)
            accu->Store(size_t(u), out);
        memset(out + 3 * dst.width, 0, size_t(dst.rowBytes - 3 * dst.width));
        written = v + 1;
    }
    for (long r = std::max(first, written); r < last; ++r)
        memset(dst.row(r), 0, size_t(dst.rowBytes));
}

// Bands of new rows on the image worker threads; progress still counts the
// source rows, in order, as a single sweep reported them.
void ResampleAreaAverage(const Source& src, const Target& dst, float xScale, float yScale, CWnd* wnd,
                         const int* interrupt)
{
    const AreaPlan plan = PlanAreaAverage(src, dst, xScale, yScale);
    const uint64_t last = uint64_t(dst.height) - 1;
    uint64_t reported = 0;
    ForEachRowBand(
        uint64_t(dst.height), uint64_t(dst.rowBytes) * uint64_t(dst.height),
        [&](uint64_t v) {
            const uint64_t upTo = v == last ? uint64_t(src.height) : uint64_t(plan.closing[size_t(v)]) + 1;
            for (; reported < upTo && reported < uint64_t(src.height); ++reported)
                SendRowProgress(wnd, interrupt, reported, uint64_t(src.height));
        },
        [&](uint64_t first, uint64_t end) { AreaAverageRows(src, dst, plan, yScale, long(first), long(end)); });
}

void ResampleBilinear(const Source& src, const Target& dst, float xScale, float yScale, CWnd* wnd,
                      const int* interrupt)
{
    std::vector<long> col0(size_t(dst.width)), col1(size_t(dst.width));
    std::vector<float> colFrac(size_t(dst.width));
    for (long x = 0; x < dst.width; ++x) {
        float fx = float(x) * xScale;
        long ix = ClampIndex(long(fx), src.width - 1);
        col0[size_t(x)] = 3 * ix;
        col1[size_t(x)] = 3 * min(src.width - 1, ix + 1);
        colFrac[size_t(x)] = fx - float(ix);
    }
    for (long y = 0; y < dst.height; ++y) {
        SendRowProgress(wnd, interrupt, uint64_t(y), uint64_t(dst.height));
        float fy = float(y) * yScale;
        long iy = ClampIndex(long(fy), src.height - 1);
        long iy1 = min(src.height - 1, iy + 1);
        float dy = fy - float(iy);
        const BYTE* row0 = src.pixels + iy * src.rowBytes;
        const BYTE* row1 = src.pixels + iy1 * src.rowBytes;
        BYTE* out = dst.row(y);
        for (long x = 0; x < dst.width; ++x, out += 3) {
            float dx = colFrac[size_t(x)];
            const BYTE* p00 = row0 + col0[size_t(x)];
            const BYTE* p10 = row0 + col1[size_t(x)];
            const BYTE* p01 = row1 + col0[size_t(x)];
            const BYTE* p11 = row1 + col1[size_t(x)];
            for (int k = 0; k < 3; ++k) {
                float v = dx * (dy * float(p11[k]) + (1 - dy) * float(p10[k])) +
                          (1 - dx) * (dy * float(p01[k]) + (1 - dy) * float(p00[k]));
                out[k] = TruncateInterpolated(v);
            }
        }
    }
}

// What a free rotation reads: the source picture and the turn.
struct RotationSource {
    const BYTE* pixels;
    long width, height, rowBytes;
    double cosT, sinT;
    long halfW, halfH, maxX, maxY;
};

// floor(v) for the positions of the turn; truncation where v is not negative.
inline double Floor(double v) { return v >= 0.0 && v < 9.0e15 ? double(int64_t(v)) : std::floor(v); }

// Where the processor has them, a variant with newer instructions chosen at
// run time (no fused multiply-add: the doubles stay the same).
#if defined(__x86_64__) && defined(__has_attribute)
#if __has_attribute(target_clones)
#define MIVO_ROTATE_CLONES __attribute__((target_clones("avx2", "default")))
#endif
#endif
#ifndef MIVO_ROTATE_CLONES
#define MIVO_ROTATE_CLONES
#endif

// One row of the turned picture. The arithmetic is the per-pixel formula
// of always, term for term (the row's terms taken out of the loop), so the
// bytes stay the same; pixels no source pixel maps to are white.
MIVO_ROTATE_CLONES void RotateRow(const RotationSource& s, long r, long newWidth, BYTE* out)
{
    static const BYTE white[3] = {255, 255, 255};
    const double yr = double(r - s.maxY);
    const double sinY = s.sinT * yr, cosY = s.cosT * yr;
    const double halfW = double(s.halfW), halfH = double(s.halfH);
    const double w = double(s.width), h = double(s.height);
    for (long c = 0; c < newWidth; ++c, out += 3) {
        const double xr = double(c - s.maxX);
        const double fx = s.cosT * xr - sinY + halfW;
        const double fy = s.sinT * xr + cosY + halfH;
        const double flx = Floor(fx), fly = Floor(fy);
        if (!(flx >= -1.0 && flx < w && fly >= -1.0 && fly < h)) {
            memcpy(out, white, 3);
            continue;
        }
        const long ix = long(flx), iy = long(fly);
        const double dx = fx - flx, dy = fy - fly;
        const bool left = ix >= 0, right = ix + 1 < s.width, low = iy >= 0, high = iy + 1 < s.height;
        const long at = iy * s.rowBytes + 3 * ix;  // of p00, which may lie outside
        const BYTE* p00 = left && low ? s.pixels + at : white;
        const BYTE* p10 = right && low ? s.pixels + (at + 3) : white;
        const BYTE* p01 = left && high ? s.pixels + (at + s.rowBytes) : white;
        const BYTE* p11 = right && high ? s.pixels + (at + s.rowBytes + 3) : white;
        for (int k = 0; k < 3; ++k) {
            double v = (1 - dy) * ((1 - dx) * p00[k] + dx * p10[k]) + dy * ((1 - dx) * p01[k] + dx * p11[k]);
            out[k] = TruncateInterpolated(v);
        }
    }
}

}  // namespace

float CImageObject::b3spline(float x)
{
    float a = x + 2.0f, b = x + 1.0f, c = x, d = x - 1.0f;
    a = a <= 0.0f ? 0.0f : float(std::pow(double(a), 3.0));
    b = b <= 0.0f ? 0.0f : float(std::pow(double(b), 3.0));
    c = c <= 0.0f ? 0.0f : float(std::pow(double(c), 3.0));
    d = d <= 0.0f ? 0.0f : float(std::pow(double(d), 3.0));
    return 0.16666667f * (a - 4.0f * b + 6.0f * c - 4.0f * d);
}

CImageObject* CImageObject::Resample(long newWidth, long newHeight, int mode)
{
    if (!m_pImageBuf || m_nWidth <= 0 || m_nHeight <= 0 || newWidth <= 0 || newHeight <= 0)
        return nullptr;
    if (newWidth == m_nWidth && newHeight == m_nHeight)
        return DuplicateImgObj();
    // Area averaging writes every byte; the other paths leave the row ends.
    const bool area = mode != 1 && mode != 2 && newWidth < m_nWidth && newHeight < m_nHeight;
    PixelBlock owned;
    owned.Replace(AllocPixelBlock(PixelBlockBytes(uint64_t(newWidth), uint64_t(newHeight)), !area));
    CImageObject* img = owned ? NewSibling() : nullptr;
    if (!img)
        return nullptr;
    BYTE* block = owned.Release();
    img->KeepDecoded(block, UINT(newWidth), UINT(newHeight));
    Source src{m_pImageBuf, m_nWidth, m_nHeight, m_nRowBytes};
    Target dst{block, newWidth, newHeight, img->m_nRowBytes};
    float xScale = float(m_nWidth) / float(newWidth);
    float yScale = float(m_nHeight) / float(newHeight);
    if (mode == 1) {
        ResampleNearest(src, dst, xScale, yScale);
        return img;
    }
    if (mode == 2)
        ResampleBSpline(src, dst, xScale, yScale, m_pProgressWnd, m_pInterrupt);
    else if (area)
        ResampleAreaAverage(src, dst, xScale, yScale, m_pProgressWnd, m_pInterrupt);
    else
        ResampleBilinear(src, dst, xScale, yScale, m_pProgressWnd, m_pInterrupt);
    SendProgress(m_pProgressWnd, m_pInterrupt, 0);
    return img;
}

CImageObject* CImageObject::RotateAngle(double degrees)
{
    if (!m_pImageBuf || m_nWidth <= 0 || m_nHeight <= 0 || !std::isfinite(degrees))
        return nullptr;
    const double theta = degrees * 0.017453292519444445;
    const double cosT = std::cos(theta), sinT = std::sin(theta);
    const long halfW = m_nWidth / 2, halfH = m_nHeight / 2;
    long maxX = -32767, maxY = -32767;
    const long corners[4][2] = {{-halfW, halfH}, {halfW, halfH}, {-halfW, -halfH}, {halfW, -halfH}};
    for (const auto& corner : corners) {
        double X = double(corner[0]), Y = double(corner[1]);
        maxX = max(maxX, long(cosT * X + sinT * Y));
        maxY = max(maxY, -long(sinT * X + cosT * Y));
    }
    const long newWidth = 2 * maxX + 2, newHeight = 2 * maxY + 2;
    // Every byte is written below: pixels, white where no source pixel maps,
    // and white fill bytes.
    PixelBlock owned;
    if (newWidth > 0 && newHeight > 0)
        owned.Replace(AllocPixelBlock(PixelBlockBytes(uint64_t(newWidth), uint64_t(newHeight)), false));
    CImageObject* img = owned ? NewSibling() : nullptr;
    if (!img)
        return nullptr;
    BYTE* block = owned.Release();
    img->KeepDecoded(block, UINT(newWidth), UINT(newHeight));
    const RotationSource src{m_pImageBuf, m_nWidth, m_nHeight, m_nRowBytes, cosT, sinT, halfW, halfH, maxX, maxY};
    const long rowBytes = img->m_nRowBytes;
    CWnd* wnd = m_pProgressWnd;
    const int* interrupt = m_pInterrupt;
    ForEachRowBand(
        uint64_t(newHeight), uint64_t(rowBytes) * uint64_t(newHeight),
        [&](uint64_t r) { SendRowProgress(wnd, interrupt, r, uint64_t(newHeight)); },
        [&](uint64_t first, uint64_t last) {
            for (uint64_t r = first; r < last; ++r) {
                BYTE* out = block + long(r) * rowBytes;
                RotateRow(src, long(r), newWidth, out);
                memset(out + 3 * newWidth, 0xFF, size_t(rowBytes - 3 * newWidth));
            }
        });
    SendProgress(m_pProgressWnd, m_pInterrupt, 0);
    return img;
}

int CImageObject::Rotate(int degrees)
{
    if (!m_pImageBuf || m_nWidth <= 0 || m_nHeight <= 0)
        return 0;
    if (degrees == 180)
        return InvertVert() ? ReverseHorz() : 0;
    if (degrees != 90 && degrees != 270)
        return 1;
    const long oldW = m_nWidth, oldH = m_nHeight;
    const long newW = oldH, newH = oldW;
    BYTE* block = AllocPixelBlock(PixelBlockBytes(uint64_t(newW), uint64_t(newH)), true);
    if (!block)
        return 0;
    const long newRowBytes = long(RowBytes24(uint64_t(newW)));
    // Top-down: 90 takes new (x, y) from old (y, oldH - 1 - x), 270 from old (oldW - 1 - y, x).
    for (long y = 0; y < newH; ++y) {
        BYTE* out = block + (newH - 1 - y) * newRowBytes;
        for (long x = 0; x < newW; ++x, out += 3) {
            long ox = degrees == 90 ? y : oldW - 1 - y;
            long oy = degrees == 90 ? oldH - 1 - x : x;
            const BYTE* in = m_pImageBuf + (oldH - 1 - oy) * m_nRowBytes + 3 * ox;
            out[0] = in[0];
            out[1] = in[1];
            out[2] = in[2];
        }
    }
    // The rectangles follow the picture, from their resolved sizes.
    const int srcX = m_nSrcX, srcY = m_nSrcY, srcW = GetSrc_width(), srcH = GetSrc_height();
    if (degrees == 90) {
        m_nSrcX = int(oldH) - srcY - srcH;
        m_nSrcY = srcX;
    } else {
        m_nSrcX = srcY;
        m_nSrcY = int(oldW) - srcX - srcW;
    }
    m_nSrcWidth = srcH;
    m_nSrcHeight = srcW;
    m_nDstX = m_nDstY = 0;
    std::swap(m_nDstWidth, m_nDstHeight);
    KeepDecoded(block, UINT(newW), UINT(newH));
    return 1;
}

int CImageObject::InvertVert()
{
    if (!m_pImageBuf || m_nWidth <= 0 || m_nHeight <= 0)
        return 0;
    std::unique_ptr<BYTE[]> scratch(new (std::nothrow) BYTE[size_t(m_nRowBytes)]);
    if (!scratch)
        return 0;
    m_nSrcY = m_nHeight - m_nSrcY - GetSrc_height();
    m_nDstX = m_nDstY = 0;
    const size_t rowBytes = size_t(m_nRowBytes);
    for (long i = 0; i < (m_nHeight + 1) / 2; ++i) {
        BYTE* a = m_pImageBuf + i * rowBytes;
        BYTE* b = m_pImageBuf + (m_nHeight - 1 - i) * rowBytes;
        memcpy(scratch.get(), a, rowBytes);
        memcpy(a, b, rowBytes);
        memcpy(b, scratch.get(), rowBytes);
    }
    return 1;
}

int CImageObject::ReverseHorz()
{
    if (!m_pImageBuf || m_nWidth <= 0 || m_nHeight <= 0)
        return 0;
    m_nSrcX = m_nWidth - m_nSrcX - GetSrc_width();
    m_nDstX = m_nDstY = 0;
    for (long y = 0; y < m_nHeight; ++y) {
        BYTE* row = m_pImageBuf + y * long(m_nRowBytes);
        for (long i = 0, j = m_nWidth - 1; i < j; ++i, --j) {
            for (int k = 0; k < 3; ++k)
                std::swap(row[3 * i + k], row[3 * j + k]);
        }
    }
    return 1;
}
