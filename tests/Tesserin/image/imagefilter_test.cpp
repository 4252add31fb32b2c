// CImageFilter on small pictures.
#include <gtest/gtest.h>

#include "ImageOpsSupport.h"
#include "ImageTestSupport.h"
#include "image/ImageFilter.h"
#include "image/ImageObject.h"

#include <memory>
#include <thread>
#include <vector>

using namespace opstest;
using imgtest::FakeWindow;
using imgtest::NoticeRecorder;

namespace {

COLORREF Grey(int v) { return RGB(v, v, v); }

// Pixel at (x, memory row) of the picture.
COLORREF MemoryPixel(const CImageObject& img, int x, int row) { return Pixel(img, x, img.m_nHeight - 1 - row); }

std::unique_ptr<int[]> Histogram(CImageObject* img, int x1, int y1, int x2, int y2)
{
    return std::unique_ptr<int[]>(CImageFilter(img).CreateHistogram(x1, y1, x2, y2));
}

}  // namespace

TEST(ImageFilter, MedianRemovesSaltInsideItsMargins)
{
    // Salt inside, and on each margin the filter leaves alone (memory rows).
    const int w = 8, h = 8;
    auto salted = [&](int x, int row) {
        return (x == 4 && row == 4) || (x == 1 && row == 4) || (x == w - 1 && row == 3) || (x == 3 && row == 1) ||
               (x == 5 && row == h - 1);
    };
    ImagePtr img = MakeImage(w, h, [&](int x, int y) { return salted(x, h - 1 - y) ? Grey(255) : Grey(100); });
    BYTE* before = img->m_pImageBuf;
    ASSERT_EQ(1, CImageFilter(img.get()).MedianFilter(0, 0, w, h));
    EXPECT_NE(before, img->m_pImageBuf);  // a fresh block replaced the old one
    for (int row = 0; row < h; ++row)
        for (int x = 0; x < w; ++x)
            EXPECT_EQ(salted(x, row) && !(x == 4 && row == 4) ? Grey(255) : Grey(100), MemoryPixel(*img, x, row))
                << x << "," << row;
}

TEST(ImageFilter, EdgeEnhanceBrightensTheBrightSideOfAnEdge)
{
    ImagePtr img = MakeImage(10, 10, [](int x, int) { return x < 5 ? Grey(0) : Grey(200); });
    ASSERT_EQ(1, CImageFilter(img.get()).EdgeEnhance(0, 0, 9, 9));
    for (int row = 0; row < 10; ++row) {
        for (int x = 0; x < 10; ++x) {
            COLORREF expected = x < 5 ? Grey(0) : Grey(200);
            if (x == 5 && row >= 2 && row <= 8)
                expected = Grey(240);
            EXPECT_EQ(expected, MemoryPixel(*img, x, row)) << x << "," << row;
        }
    }
}

TEST(ImageFilter, LowpassAndHighpass)
{
    ImagePtr flat = MakeUniform(9, 9, RGB(90, 120, 30));
    ASSERT_EQ(1, CImageFilter(flat.get()).HighpassFilter(0, 0, 8, 8));
    EXPECT_EQ("", FirstOtherThan(*flat, RGB(90, 120, 30)));

    // A dark centre among grey neighbours is pulled toward them.
    ImagePtr spot = MakeImage(7, 7, [](int x, int y) { return x == 3 && y == 3 ? Grey(10) : Grey(100); });
    ASSERT_EQ(1, CImageFilter(spot.get()).LowpassFilter(0, 0, 6, 6, nullptr));
    // M = (10 + 8 x 100) / 9 = 90; each byte 10 x 90 / 10.
    EXPECT_EQ(Grey(90), Pixel(*spot, 3, 3));

    // Weights that add up to nothing are refused and change nothing.
    DWORD zero[9] = {0};
    ImagePtr kept = MakeImage(7, 7, Distinct);
    ImagePtr copy(kept->DuplicateImgObj());
    EXPECT_EQ(0, CImageFilter(kept.get()).LowpassFilter(0, 0, 6, 6, zero));
    EXPECT_EQ(Table(*copy), Table(*kept));
}

TEST(ImageFilter, FilteringBoxBlurAndEdges)
{
    // A 90 at the bottom-left pixel, 0 elsewhere. Outside neighbours count as
    // that bottom-left pixel.
    ImagePtr img = MakeImage(5, 5, [](int x, int y) { return x == 0 && y == 4 ? Grey(90) : Grey(0); });
    int box[9] = {1, 1, 1, 1, 1, 1, 1, 1, 1};
    ASSERT_EQ(1, CImageFilter(img.get()).Filtering(box, 3, 9, 0));
    EXPECT_EQ(Grey(60), MemoryPixel(*img, 0, 0));  // itself and 5 outside of 9
    EXPECT_EQ(Grey(40), MemoryPixel(*img, 1, 0));  // it and the 3 outside below
    EXPECT_EQ(Grey(10), MemoryPixel(*img, 1, 1));
    EXPECT_EQ(Grey(0), MemoryPixel(*img, 3, 3));
    EXPECT_EQ(Grey(50), MemoryPixel(*img, 4, 0));  // 5 outside below and right

    // Divisor 0 adds up and clamps; the offset is added and clamped too.
    ImagePtr grey = MakeUniform(4, 4, Grey(100));
    ASSERT_EQ(1, CImageFilter(grey.get()).Filtering(box, 3, 0, 0));
    EXPECT_EQ("", FirstOtherThan(*grey, Grey(255)));
    ImagePtr dark = MakeUniform(4, 4, Grey(100));
    int minus[1] = {-1};
    ASSERT_EQ(1, CImageFilter(dark.get()).Filtering(minus, 1, 1, 30));
    EXPECT_EQ("", FirstOtherThan(*dark, Grey(0)));

    EXPECT_EQ(0, CImageFilter(dark.get()).Filtering(nullptr, 3, 1, 0));
    EXPECT_EQ(0, CImageFilter(dark.get()).Filtering(box, 0, 1, 0));
}

TEST(ImageFilter, FilteringMatchesADirectConvolution)
{
    ImagePtr img = MakeImage(23, 17, [](int x, int y) { return RGB((x * 37 + y * 11) % 256, (x * y) % 256, 200 - x); });
    ImagePtr original(img->DuplicateImgObj());
    int gauss[25] = {1, 4, 6, 4, 1, 4, 16, 24, 16, 4, 6, 24, 36, 24, 6, 4, 16, 24, 16, 4, 1, 4, 6, 4, 1};
    ASSERT_EQ(1, CImageFilter(img.get()).Filtering(gauss, 5, 256, 3));
    const BYTE* first = original->m_pImageBuf;
    for (int row = 0; row < 17; ++row) {
        for (int x = 0; x < 23; ++x) {
            for (int k = 0; k < 3; ++k) {
                int sum = 0;
                for (int r = 0; r < 5; ++r) {
                    for (int c = 0; c < 5; ++c) {
                        int sy = row - 2 + r, sx = x - 2 + c;
                        const BYTE* p = sy < 0 || sy >= 17 || sx < 0 || sx >= 23
                                            ? first
                                            : original->m_pImageBuf + sy * original->m_nRowBytes + 3 * sx;
                        sum += gauss[r * 5 + c] * p[k];
                    }
                }
                int expected = min(255, max(0, sum / 256 + 3));
                ASSERT_EQ(expected, img->m_pImageBuf[row * img->m_nRowBytes + 3 * x + k]) << x << "," << row;
            }
        }
    }
}

TEST(ImageFilter, RectangleOperationsUseTopDownInclusiveRectangles)
{
    ImagePtr img = MakeUniform(4, 4, RGB(10, 20, 30));
    CImageFilter f(img.get());
    ASSERT_EQ(1, f.NegativeColors(CRect(1, 0, 2, 1)));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(x >= 1 && x <= 2 && y <= 1 ? RGB(245, 235, 225) : RGB(10, 20, 30), Pixel(*img, x, y));

    ImagePtr grey = MakeUniform(3, 3, RGB(200, 100, 50));
    ASSERT_EQ(1, CImageFilter(grey.get()).MakeGray(CRect(0, 2, 2, 2)));
    EXPECT_EQ(Grey((30 * 200 + 59 * 100 + 11 * 50) / 100), Pixel(*grey, 1, 2));
    EXPECT_EQ(RGB(200, 100, 50), Pixel(*grey, 1, 1));

    ImagePtr bright = MakeUniform(3, 3, RGB(250, 5, 100));
    ASSERT_EQ(1, CImageFilter(bright.get()).ChangeBrightness(10, CRect(0, 0, 2, 2)));
    EXPECT_EQ("", FirstOtherThan(*bright, RGB(255, 15, 110)));
    ASSERT_EQ(1, CImageFilter(bright.get()).ChangeBrightness(-20, CRect(0, 0, 2, 2)));
    EXPECT_EQ("", FirstOtherThan(*bright, RGB(235, 0, 90)));

    ImagePtr balance = MakeUniform(3, 3, RGB(100, 100, 100));
    ASSERT_EQ(1, CImageFilter(balance.get()).ChangeRGBBalance(200, 0, -150, CRect(0, 0, 2, 2)));
    EXPECT_EQ("", FirstOtherThan(*balance, RGB(255, 100, 0)));
    balance->SetNumBits(1);
    EXPECT_EQ(0, CImageFilter(balance.get()).ChangeRGBBalance(1, 1, 1, CRect(0, 0, 2, 2)));

    // An empty rectangle changes nothing and still reports 1.
    EXPECT_EQ(1, CImageFilter(img.get()).NegativeColors(CRect(0, 3, 3, 2)));
}

TEST(ImageFilter, HistogramEntries)
{
    // 50 pixels of 100, 25 of 50, 25 of 0: entry 0 is cleared, 50 is the
    // largest count.
    ImagePtr img = MakeImage(10, 10, [](int x, int y) {
        int i = y * 10 + x;
        return i < 50 ? Grey(100) : i < 75 ? Grey(50) : Grey(0);
    });
    auto hist = Histogram(img.get(), 0, 0, 9, 9);
    ASSERT_TRUE(hist);
    for (int table = 0; table < 4; ++table) {
        EXPECT_EQ(0, hist[256 * table]);
        EXPECT_EQ(255, hist[256 * table + 100]);
        EXPECT_EQ(127, hist[256 * table + 50]);
        EXPECT_EQ(0, hist[256 * table + 51]);
    }
    EXPECT_EQ(255, hist[1024]);
    EXPECT_EQ(25, hist[1025]);
    EXPECT_EQ(50, hist[1026]);
    EXPECT_EQ(100, hist[1027]);

    // Memory rows: rows 0..4 are the bottom half (the 0s and 50s).
    auto lower = Histogram(img.get(), 0, 0, 9, 4);
    EXPECT_EQ(0, lower[100]);
    EXPECT_EQ(255, lower[50]);

    // Nothing counted: no range, no division by zero.
    ImagePtr black = MakeUniform(4, 4, Grey(0));
    for (auto* h : {Histogram(black.get(), 0, 0, 3, 3).release(), Histogram(img.get(), 5, 0, 4, 9).release()}) {
        std::unique_ptr<int[]> owned(h);
        ASSERT_TRUE(owned);
        EXPECT_EQ(0, owned[1024]);
        EXPECT_EQ(0, owned[1025]);
        EXPECT_EQ(255, owned[1026]);
        EXPECT_EQ(0, owned[1027]);
    }
    CImageObject empty;
    EXPECT_EQ(nullptr, CImageFilter(&empty).CreateHistogram(0, 0, 3, 3));
}

TEST(ImageFilter, Contrast)
{
    ImagePtr img = MakeImage(4, 4, [](int x, int) { return x < 2 ? Grey(100) : Grey(200); }, FakeWindow());
    {
        NoticeRecorder rec;
        EXPECT_EQ(1, CImageFilter(img.get()).ChangeContrast(100, CRect(0, 0, 3, 3)));
        EXPECT_TRUE(rec.progress.empty());
        EXPECT_EQ(Grey(100), Pixel(*img, 0, 0));
    }
    img->SetParent(nullptr);
    // Mean 150, factor 2: 100 -> 0, 200 -> 300 clamped.
    ASSERT_EQ(1, CImageFilter(img.get()).ChangeContrast(200, CRect(0, 0, 3, 3)));
    EXPECT_EQ(Grey(0), Pixel(*img, 1, 2));
    EXPECT_EQ(Grey(255), Pixel(*img, 2, 2));

    // Each byte moves from the mean by half its distance again.
    ImagePtr soft = MakeImage(4, 4, [](int x, int) { return x < 2 ? Grey(100) : Grey(200); });
    ASSERT_EQ(1, CImageFilter(soft.get()).ChangeContrast(50, CRect(0, 0, 3, 3)));
    EXPECT_EQ(Grey(75), Pixel(*soft, 0, 0));
    EXPECT_EQ(Grey(225), Pixel(*soft, 3, 3));

    // No luminance range: 0 and untouched.
    ImagePtr black = MakeUniform(4, 4, Grey(0));
    EXPECT_EQ(0, CImageFilter(black.get()).ChangeContrast(150, CRect(0, 0, 3, 3)));

    // A channel that is 0 everywhere has no mean; it stays 0 and the others
    // still spread.
    ImagePtr red = MakeImage(4, 4, [](int x, int) { return x < 2 ? RGB(100, 0, 0) : RGB(200, 0, 0); });
    ASSERT_EQ(1, CImageFilter(red.get()).ChangeContrast(200, CRect(0, 0, 3, 3)));
    EXPECT_EQ(RGB(0, 0, 0), Pixel(*red, 0, 0));
    EXPECT_EQ(RGB(255, 0, 0), Pixel(*red, 3, 0));
}

TEST(ImageFilter, MeanGreyAndThreshold)
{
    ImagePtr img = MakeImage(4, 2, [](int x, int) { return x < 2 ? Grey(100) : Grey(51); });
    EXPECT_EQ(75, CImageFilter(img.get()).MeanGrayValue());
    EXPECT_EQ(Grey(100), Pixel(*img, 0, 0));  // measured on a copy
    CImageObject empty;
    EXPECT_EQ(0, CImageFilter(&empty).MeanGrayValue());
    EXPECT_EQ(0, CImageFilter(nullptr).MeanGrayValue());

    // Luminance 128 is not above 128.
    ImagePtr two = MakeImage(2, 1, [](int x, int) { return x ? Grey(129) : Grey(128); });
    ASSERT_EQ(1, CImageFilter(two.get()).MonotoneThreshold(128, RGB(0, 0, 0), RGB(255, 255, 255)));
    EXPECT_EQ(RGB(0, 0, 0), Pixel(*two, 0, 0));
    EXPECT_EQ(RGB(255, 255, 255), Pixel(*two, 1, 0));
}

// One filter object serves several operations: after a filter replaced the
// picture's block, the next operation works on the new one.
TEST(ImageFilter, FollowsTheBlockAfterAReplacement)
{
    ImagePtr img = MakeUniform(8, 8, Grey(100));
    CImageFilter f(img.get());
    ASSERT_EQ(1, f.MedianFilter(0, 0, 7, 7));
    ASSERT_EQ(1, f.NegativeColors(CRect(0, 0, 7, 7)));
    EXPECT_EQ("", FirstOtherThan(*img, Grey(155)));
    // Another owner of the object gives it a different picture.
    ImagePtr other = MakeUniform(3, 5, Grey(7));
    img->FreeImageBuf();
    img->m_pImageBuf = other->m_pImageBuf;
    img->m_nWidth = 3;
    img->m_nHeight = 5;
    img->m_nRowBytes = other->m_nRowBytes;
    other->m_pImageBuf = nullptr;
    ASSERT_EQ(1, f.ChangeBrightness(1, CRect(0, 0, 2, 4)));
    EXPECT_EQ("", FirstOtherThan(*img, Grey(8)));
    img->FreeImageBuf();
    EXPECT_EQ(0, f.MedianFilter(0, 0, 3, 3));
    EXPECT_EQ(0, f.NegativeColors(CRect(0, 0, 3, 3)));
}

TEST(ImageFilter, ProgressOverTheRectanglesRows)
{
    ImagePtr img = MakeUniform(50, 50, Grey(80), FakeWindow());
    NoticeRecorder rec;
    // Rows 0..40: N = 40, a message every 2 rows (0..40), then the final 0.
    ASSERT_EQ(1, CImageFilter(img.get()).MakeGray(CRect(0, 9, 49, 49)));
    ASSERT_EQ(22u, rec.progress.size());
    EXPECT_EQ(100, rec.progress[20]);
    EXPECT_EQ(0, rec.progress.back());
    rec.progress.clear();
    EXPECT_EQ(1, CImageFilter(img.get()).ChangeRGBBalance(0, 0, 0, CRect(0, 0, 49, 49)));
    EXPECT_TRUE(rec.progress.empty());
}

// Large pictures are worked out in bands on several cores; the progress
// still comes from the calling thread, every message in order.
TEST(ImageFilter, BandedWorkReportsInOrderFromTheCallingThread)
{
    ImagePtr img = MakeImage(301, 400, [](int x, int y) { return RGB(x % 256, y % 256, (x * y) % 256); }, FakeWindow());
    const std::thread::id caller = std::this_thread::get_id();
    NoticeRecorder rec;
    bool elsewhere = false;
    rec.onNotice = [&](const mivo::image::Notice&) { elsewhere = elsewhere || std::this_thread::get_id() != caller; };
    std::vector<int> expected;
    for (int i = 0; i < 400; i += 20)
        expected.push_back(i * 100 / 400);
    expected.push_back(0);
    int gauss[25] = {1, 4, 6, 4, 1, 4, 16, 24, 16, 4, 6, 24, 36, 24, 6, 4, 16, 24, 16, 4, 1, 4, 6, 4, 1};
    ASSERT_EQ(1, CImageFilter(img.get()).Filtering(gauss, 5, 256, 0));
    EXPECT_EQ(expected, rec.progress);
    rec.progress.clear();
    ImagePtr turned(img->RotateAngle(10));
    ASSERT_TRUE(turned);
    const int rows = turned->GetHeight();
    expected.clear();
    for (int i = 0; i < rows; i += rows / 20)
        expected.push_back(i * 100 / rows);
    expected.push_back(0);
    EXPECT_EQ(expected, rec.progress);
    EXPECT_FALSE(elsewhere);
}
