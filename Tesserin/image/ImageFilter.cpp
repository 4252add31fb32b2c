#include "image/ImageFilter.h"

#include "image/Convolution.h"
#include "image/ImageAccess.h"
#include "image/ImageNotifier.h"
#include "image/ImageObject.h"
#include "image/PixelBlock.h"
#include "image/RowBands.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

using namespace mivo::image;

namespace {

inline int Luminance(const BYTE* p) { return (30 * p[2] + 59 * p[1] + 11 * p[0]) / 100; }

inline BYTE ClampByte(int64_t v) { return v < 0 ? 0 : v > 255 ? 255 : BYTE(v); }

const int kHistogramEntries = 1028;

}  // namespace

CImageFilter::CImageFilter(CImageObject* image) : m_pImage(image) {}

CImageFilter::~CImageFilter() {}

// The picture may have changed since the last operation (a new block from a
// filter, a load, a resize): every operation reads its current state.
bool CImageFilter::Ready() const { return HasPixels(m_pImage); }

int CImageFilter::Width() const { return m_pImage->m_nWidth; }

int CImageFilter::Height() const { return m_pImage->m_nHeight; }

int CImageFilter::RowBytes() const { return m_pImage->m_nRowBytes; }

BYTE* CImageFilter::Pixels() const { return m_pImage->m_pImageBuf; }

void CImageFilter::RowProgress(int i, int n) const
{
    if (n > 0)
        SendRowProgress(ProgressWindowOf(m_pImage), InterruptOf(m_pImage), uint64_t(i), uint64_t(n));
}

void CImageFilter::FinalProgress() const { SendProgress(ProgressWindowOf(m_pImage), InterruptOf(m_pImage), 0); }

// Memory rows of a top-down inclusive rectangle, clipped to the picture.
bool CImageFilter::MemoryRows(const CRect& rc, int* first, int* last) const
{
    int64_t f = int64_t(Height()) - rc.bottom - 1, l = int64_t(Height()) - rc.top - 1;
    f = max(f, int64_t(0));
    l = min(l, int64_t(Height()) - 1);
    *first = int(f);
    *last = int(l);
    return f <= l;
}

bool CImageFilter::ClampColumns(const CRect& rc, int* first, int* last) const
{
    *first = max(int(rc.left), 0);
    *last = min(int(rc.right), Width() - 1);
    return *first <= *last;
}

bool CImageFilter::NeighbourhoodRect(int* x1, int* y1, int* x2, int* y2) const
{
    *x1 = max(*x1, 2);
    *y1 = max(*y1, 2);
    *x2 = min(*x2, Width() - 2);
    *y2 = min(*y2, Height() - 2);
    return *x1 <= *x2 && *y1 <= *y2;
}

BYTE* CImageFilter::CopyOfBlock() const
{
    uint64_t bytes = uint64_t(RowBytes()) * uint64_t(Height());
    BYTE* block = AllocPixelBlock(bytes, false);
    if (block)
        memcpy(block, Pixels(), size_t(bytes));
    return block;
}

void CImageFilter::Install(BYTE* block) { m_pImage->m_pImageBuf.Replace(block); }

template <typename Pixel>
int CImageFilter::EachPixel(const CRect& rc, Pixel pixel)
{
    if (!Ready())
        return 0;
    int r1, r2, x1, x2;
    if (MemoryRows(rc, &r1, &r2) && ClampColumns(rc, &x1, &x2)) {
        for (int r = r1; r <= r2; ++r) {
            RowProgress(r - r1, r2 - r1);
            BYTE* p = Pixels() + int64_t(r) * RowBytes() + 3 * int64_t(x1);
            for (int x = x1; x <= x2; ++x, p += 3)
                pixel(p);
        }
    }
    FinalProgress();
    return 1;
}

// Each centre of the rectangle is worked out from the untouched old block
// into a copy, which then becomes the picture's block.
template <typename Centre>
int CImageFilter::Neighbourhood(int x1, int y1, int x2, int y2, Centre centre)
{
    if (!Ready())
        return 0;
    if (!NeighbourhoodRect(&x1, &y1, &x2, &y2)) {
        FinalProgress();
        return 1;
    }
    BYTE* block = CopyOfBlock();
    if (!block)
        return 0;
    const BYTE* old = Pixels();
    for (int y = y1; y <= y2; ++y) {
        RowProgress(y - y1, y2 - y1);
        for (int x = x1; x <= x2; ++x) {
            const BYTE* n[9];
            for (int r = 0; r < 3; ++r)
                for (int c = 0; c < 3; ++c)
                    n[3 * r + c] = old + int64_t(y - 1 + r) * RowBytes() + 3 * int64_t(x - 1 + c);
            centre(n, block + int64_t(y) * RowBytes() + 3 * int64_t(x));
        }
    }
    Install(block);
    FinalProgress();
    return 1;
}

int CImageFilter::MedianFilter(int x1, int y1, int x2, int y2)
{
    return Neighbourhood(x1, y1, x2, y2, [](const BYTE* const* n, BYTE* out) {
        const BYTE* order[9];
        int lum[9];
        for (int k = 0; k < 9; ++k) {
            int l = Luminance(n[k]);
            int j = k;
            while (j > 0 && lum[j - 1] > l) {
                lum[j] = lum[j - 1];
                order[j] = order[j - 1];
                --j;
            }
            lum[j] = l;
            order[j] = n[k];
        }
        memcpy(out, order[4], 3);
    });
}

int CImageFilter::LowpassFilter(int x1, int y1, int x2, int y2, DWORD* kernel)
{
    static const DWORD ones[9] = {1, 1, 1, 1, 1, 1, 1, 1, 1};
    const DWORD* w = kernel ? kernel : ones;
    int64_t total = 0;
    for (int k = 0; k < 9; ++k)
        total += w[k];
    if (total == 0)
        return 0;
    DWORD weights[9];
    memcpy(weights, w, sizeof weights);
    return Neighbourhood(x1, y1, x2, y2, [&weights, total](const BYTE* const* n, BYTE* out) {
        int64_t sum = 0;
        for (int k = 0; k < 9; ++k)
            sum += int64_t(weights[k]) * Luminance(n[k]);
        const int64_t m = sum / total;
        const int lc = Luminance(n[4]);
        for (int k = 0; k < 3; ++k)
            out[k] = lc > 0 ? ClampByte(int64_t(n[4][k]) * m / lc) : ClampByte(m / 2);
    });
}

int CImageFilter::HighpassFilter(int x1, int y1, int x2, int y2)
{
    DWORD kernel[9] = {1, 1, 1, 1, 16, 1, 1, 1, 1};
    return LowpassFilter(x1, y1, x2, y2, kernel);
}

int CImageFilter::EdgeEnhance(int x1, int y1, int x2, int y2)
{
    return Neighbourhood(x1, y1, x2, y2, [](const BYTE* const* n, BYTE* out) {
        int a[9];
        for (int k = 0; k < 9; ++k)
            a[k] = Luminance(n[k]);
        static const int pairs[4][6] = {
            {1, 2, 5, 3, 6, 7}, {0, 3, 6, 2, 4, 8}, {0, 1, 3, 5, 7, 8}, {0, 1, 2, 6, 7, 8}};
        int largest = 0;
        for (const auto& p : pairs) {
            int first = (a[p[0]] + a[p[1]] + a[p[2]]) / 3;
            int second = (a[p[3]] + a[p[4]] + a[p[5]]) / 3;
            largest = max(largest, first > second ? first - second : second - first);
        }
        for (int k = 0; k < 3; ++k)
            out[k] = largest > 20 ? ClampByte(n[4][k] * 12 / 10) : n[4][k];
    });
}

int CImageFilter::Filtering(int* kernel, int size, int divisor, int offset)
{
    if (!kernel || size <= 0 || !Ready())
        return 0;
    const int64_t w = Width(), h = Height(), rowBytes = RowBytes();
    // Every byte of the new block is written, fill bytes included.
    BYTE* block = AllocPixelBlock(uint64_t(rowBytes) * uint64_t(h), false);
    if (!block)
        return 0;
    const Convolution convolution(kernel, size, divisor, offset);
    const BYTE* pixels = Pixels();
    ForEachRowBand(
        uint64_t(h), uint64_t(rowBytes) * uint64_t(h), [this, h](uint64_t y) { RowProgress(int(y), int(h)); },
        [&](uint64_t first, uint64_t last) {
            convolution.Rows(pixels, w, h, rowBytes, block, int64_t(first), int64_t(last));
        });
    Install(block);
    FinalProgress();
    return 1;
}

int CImageFilter::NegativeColors(CRect rc)
{
    return EachPixel(rc, [](BYTE* p) {
        p[0] = BYTE(255 - p[0]);
        p[1] = BYTE(255 - p[1]);
        p[2] = BYTE(255 - p[2]);
    });
}

int CImageFilter::MakeGray(CRect rc)
{
    return EachPixel(rc, [](BYTE* p) { p[0] = p[1] = p[2] = BYTE(Luminance(p)); });
}

int* CImageFilter::CreateHistogram(int x1, int y1, int x2, int y2)
{
    if (!Ready())
        return nullptr;
    int* table = new (std::nothrow) int[kHistogramEntries];
    if (!table)
        return nullptr;
    std::vector<int64_t> counts(1024, 0);
    x1 = max(x1, 0);
    y1 = max(y1, 0);
    x2 = min(x2, Width() - 1);
    y2 = min(y2, Height() - 1);
    for (int y = y1; y <= y2 && x1 <= x2; ++y) {
        RowProgress(y - y1, y2 - y1);
        const BYTE* p = Pixels() + int64_t(y) * RowBytes() + 3 * int64_t(x1);
        for (int x = x1; x <= x2; ++x, p += 3) {
            ++counts[size_t(Luminance(p))];
            ++counts[256 + size_t(p[0])];
            ++counts[512 + size_t(p[1])];
            ++counts[768 + size_t(p[2])];
        }
    }
    counts[0] = counts[256] = counts[512] = counts[768] = 0;
    int64_t largest = 0;
    for (int64_t c : counts)
        largest = max(largest, c);
    // With nothing counted every entry stays 0 and no luminance range exists.
    int top = 0;
    for (int k = 0; k < 1024; ++k) {
        table[k] = largest ? int(counts[size_t(k)] * 255 / largest) : 0;
        top = max(top, table[k]);
    }
    table[1024] = top;
    table[1025] = top / 10;
    table[1026] = 255;
    table[1027] = 0;
    if (top > 0) {
        for (int v = 0; v < 256; ++v) {
            if (table[v] >= table[1025]) {
                table[1026] = min(table[1026], v);
                table[1027] = v;
            }
        }
    }
    FinalProgress();
    return table;
}

int* CImageFilter::GetHistogram(int x1, int y1, int x2, int y2) { return CreateHistogram(x1, y1, x2, y2); }

int CImageFilter::ChangeBrightness(int delta, CRect rc)
{
    return EachPixel(rc, [delta](BYTE* p) {
        for (int k = 0; k < 3; ++k)
            p[k] = ClampByte(int64_t(p[k]) + delta);
    });
}

int CImageFilter::ChangeRGBBalance(int dRed, int dGreen, int dBlue, CRect rc)
{
    if (!Ready())
        return 0;
    if (m_pImage->GetNumBits() == 1)
        return 0;
    if (dRed == 0 && dGreen == 0 && dBlue == 0)
        return 1;
    const int delta[3] = {dBlue, dGreen, dRed};
    return EachPixel(rc, [&delta](BYTE* p) {
        for (int k = 0; k < 3; ++k)
            if (delta[k])
                p[k] = ClampByte(int64_t(p[k]) + delta[k]);
    });
}

int CImageFilter::ChangeContrast(int contrast, CRect rc)
{
    if (contrast == 100)
        return 1;
    if (!Ready())
        return 0;
    std::unique_ptr<int[]> hist(
        CreateHistogram(rc.left, Height() - rc.bottom - 1, rc.right, Height() - rc.top - 1));
    if (!hist)
        return 0;
    if (hist[1026] >= 253 && hist[1027] <= 2)
        return 0;
    // Channel means over the scaled tables; a channel with no entries has no
    // mean and keeps its values.
    int mean[3];
    bool usable[3];
    for (int ch = 0; ch < 3; ++ch) {
        int64_t weighted = 0, total = 0;
        for (int v = 0; v < 256; ++v) {
            weighted += int64_t(v) * hist[256 * (ch + 1) + v];
            total += hist[256 * (ch + 1) + v];
        }
        usable[ch] = total > 0;
        mean[ch] = total > 0 ? int(weighted / total) : 0;
    }
    const float f = float(contrast) * 0.01f;
    return EachPixel(rc, [&](BYTE* p) {
        for (int k = 0; k < 3; ++k)
            if (usable[k])
                p[k] = ClampByte(int64_t(p[k]) + int64_t(float(int(p[k]) - mean[k]) * f));
    });
}

int CImageFilter::MeanGrayValue()
{
    if (!Ready())
        return 0;
    std::unique_ptr<CImageObject> grey(m_pImage->DuplicateImgObj());
    if (!grey)
        return 0;
    CImageFilter(grey.get()).MakeGray(CRect(0, 0, Width() - 1, Height() - 1));
    double sum = 0;
    for (int y = 0; y < Height(); ++y) {
        const BYTE* p = grey->m_pImageBuf + int64_t(y) * grey->m_nRowBytes;
        for (int x = 0; x < Width(); ++x, p += 3)
            sum += p[0];
    }
    return int(int64_t(sum) / Width() / Height());
}

int CImageFilter::MonotoneThreshold(int threshold, COLORREF below, COLORREF above)
{
    if (!Ready())
        return 0;
    const CRect whole(0, 0, Width() - 1, Height() - 1);
    MakeGray(whole);
    const BYTE low[3] = {GetBValue(below), GetGValue(below), GetRValue(below)};
    const BYTE high[3] = {GetBValue(above), GetGValue(above), GetRValue(above)};
    return EachPixel(whole, [&](BYTE* p) { memcpy(p, p[0] > threshold ? high : low, 3); });
}
