// Filters over an image object's pixels: neighbourhood filters, free
// convolution, negative, grey, histogram, brightness, colour balance,
// contrast, mean grey and two-colour threshold.
#pragma once

#include "mfc.h"

class CImageObject;
class CWnd;

class AFX_EXT_CLASS CImageFilter {
public:
    explicit CImageFilter(CImageObject* image);
    virtual ~CImageFilter();
    CImageFilter(const CImageFilter&) = default;
    CImageFilter& operator=(const CImageFilter&) = default;

    // Rectangles (x1, y1, x2, y2), inclusive, rows counted from the bottom
    // row; the 3 x 3 filters keep a two-pixel margin at the left and bottom
    // and a one-pixel margin at the right and top.
    int MedianFilter(int x1, int y1, int x2, int y2);
    // Nine weights, row above the centre first; NULL means all 1.
    int LowpassFilter(int x1, int y1, int x2, int y2, DWORD* kernel);
    int HighpassFilter(int x1, int y1, int x2, int y2);
    int EdgeEnhance(int x1, int y1, int x2, int y2);
    // size x size kernel over the whole picture; divisor 0 adds the sums up.
    int Filtering(int* kernel, int size, int divisor, int offset);

    // Top-down inclusive rectangles.
    int NegativeColors(CRect rc);
    int MakeGray(CRect rc);

    // 1028 ints the caller frees with delete[]: luminance, blue, green and
    // red tables of 256 scaled to 255, then the largest entry, a tenth of
    // it, and the first and last luminance reaching that tenth.
    int* CreateHistogram(int x1, int y1, int x2, int y2);
    int* GetHistogram(int x1, int y1, int x2, int y2);

    int ChangeBrightness(int delta, CRect rc);
    int ChangeRGBBalance(int dRed, int dGreen, int dBlue, CRect rc);
    // 100 changes nothing; more spreads each channel away from its mean.
    int ChangeContrast(int contrast, CRect rc);
    int MeanGrayValue();
    int MonotoneThreshold(int threshold, COLORREF below, COLORREF above);

protected:
    CImageObject* m_pImage;  // borrowed; its fields are read at each operation

private:
    bool Ready() const;
    int Width() const;
    int Height() const;
    int RowBytes() const;
    BYTE* Pixels() const;
    void RowProgress(int i, int n) const;
    void FinalProgress() const;
    bool MemoryRows(const CRect& rc, int* first, int* last) const;
    bool ClampColumns(const CRect& rc, int* first, int* last) const;
    bool NeighbourhoodRect(int* x1, int* y1, int* x2, int* y2) const;
    BYTE* CopyOfBlock() const;
    void Install(BYTE* block);
    template <typename Pixel>
    int EachPixel(const CRect& rc, Pixel pixel);
    template <typename Centre>
    int Neighbourhood(int x1, int y1, int x2, int y2, Centre centre);
};
