// Resampling, free rotation, quarter turns and flips.
#include <gtest/gtest.h>

#include "ImageOpsSupport.h"
#include "ImageTestSupport.h"
#include "image/ImageObject.h"

#include <cmath>

using namespace opstest;
using imgtest::FakeWindow;
using imgtest::NoticeRecorder;

namespace {

COLORREF Checker(int x, int y) { return (x + y) % 2 ? RGB(255, 255, 255) : RGB(0, 0, 0); }

}  // namespace

TEST(Resample, RefusesEmptyPicturesAndSizes)
{
    CImageObject empty;
    EXPECT_EQ(nullptr, empty.Resample(10, 10, 3));
    ImagePtr img = MakeUniform(8, 8, RGB(1, 2, 3));
    struct Size {
        long w, h;
    } sizes[] = {{0, 10}, {10, 0}, {-5, 10}, {10, -1}, {0, 0}};
    for (int mode = 1; mode <= 3; ++mode)
        for (const Size& s : sizes)
            EXPECT_EQ(nullptr, img->Resample(s.w, s.h, mode)) << s.w << "x" << s.h << " mode " << mode;
}

TEST(Resample, SameSizeIsASilentDuplicate)
{
    ImagePtr img = MakeImage(5, 4, Distinct, FakeWindow());
    for (int mode = 1; mode <= 3; ++mode) {
        NoticeRecorder rec;
        ImagePtr copy(img->Resample(5, 4, mode));
        ASSERT_TRUE(copy);
        EXPECT_NE(img->m_pImageBuf, copy->m_pImageBuf);
        EXPECT_EQ(Table(*img), Table(*copy));
        EXPECT_TRUE(rec.progress.empty());
    }
}

// Mode 3 averages areas when shrinking both ways and interpolates otherwise:
// a one-pixel checkerboard halved averages to grey, while the bilinear path
// at a whole step lands on the source pixels themselves.
TEST(Resample, ModeThreeChoosesItsPath)
{
    ImagePtr board = MakeImage(100, 100, Checker);
    ImagePtr halved(board->Resample(50, 50, 3));
    ASSERT_TRUE(halved);
    EXPECT_EQ("", FirstOtherThan(*halved, RGB(127, 127, 127)));

    ImagePtr tall(board->Resample(50, 200, 3));
    ASSERT_TRUE(tall);
    ASSERT_EQ(50, tall->m_nWidth);
    ASSERT_EQ(200, tall->m_nHeight);
    // Memory rows 2k fall on source row k, every second column on x = 2i.
    for (int k = 0; k < 100; k += 7) {
        for (int i = 0; i < 50; i += 5) {
            const BYTE* p = tall->m_pImageBuf + size_t(2 * k) * tall->m_nRowBytes + 3 * i;
            int expected = ((2 * i) + (99 - k)) % 2 ? 255 : 0;
            EXPECT_EQ(expected, p[0]) << "row " << k << " column " << i;
        }
    }
    // Mode 1 never averages.
    ImagePtr nearest(board->Resample(50, 50, 1));
    EXPECT_EQ("", FirstOtherThan(*nearest, RGB(0, 0, 0)));
}

TEST(Resample, UniformColoursSurviveOddRatios)
{
    const COLORREF colours[] = {RGB(255, 255, 255), RGB(0, 0, 0), RGB(128, 128, 128), RGB(10, 200, 77)};
    struct Case {
        int w, h, nw, nh;
    } cases[] = {
        {100, 100, 33, 33}, {13, 31, 7, 7},   {4000, 3, 146, 2}, {97, 101, 50, 13}, {100, 100, 99, 98},
        {7, 7, 31, 13},     {50, 37, 51, 36}, {3, 3, 146, 109},  {33, 17, 146, 109}, {640, 480, 146, 109},
    };
    for (COLORREF c : colours) {
        for (const Case& k : cases) {
            ImagePtr img = MakeUniform(k.w, k.h, c);
            for (int mode = 1; mode <= 3; ++mode) {
                ImagePtr out(img->Resample(k.nw, k.nh, mode));
                ASSERT_TRUE(out);
                EXPECT_EQ("", FirstOtherThan(*out, c)) << std::hex << c << std::dec << " " << k.w << "x" << k.h
                                                       << " -> " << k.nw << "x" << k.nh << " mode " << mode;
            }
        }
    }
}

TEST(Resample, AreaAverageOfBlocks)
{
    // 2 x 2 blocks of distinct colours halve into those colours exactly.
    ImagePtr img = MakeImage(8, 6, [](int x, int y) { return Distinct(x / 2, y / 2); });
    ImagePtr half(img->Resample(4, 3, 3));
    ASSERT_TRUE(half);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(Distinct(x, y), Pixel(*half, x, y)) << x << "," << y;
}

TEST(Resample, BilinearKeepsTheCorners)
{
    const COLORREF tl = RGB(255, 0, 0), tr = RGB(0, 255, 0), bl = RGB(0, 0, 255), br = RGB(200, 100, 50);
    ImagePtr img = MakeImage(2, 2, [&](int x, int y) { return y == 0 ? (x ? tr : tl) : (x ? br : bl); });
    ImagePtr big(img->Resample(4, 4, 3));
    ASSERT_TRUE(big);
    EXPECT_EQ(tl, Pixel(*big, 0, 0));
    EXPECT_EQ(tr, Pixel(*big, 3, 0));
    EXPECT_EQ(bl, Pixel(*big, 0, 3));
    EXPECT_EQ(br, Pixel(*big, 3, 3));
    // Half way between bottom-left and bottom-right, truncated.
    EXPECT_EQ(RGB(100, 50, 152), Pixel(*big, 1, 3));
}

TEST(Resample, BSplineKernelValues)
{
    struct Case {
        float x, value;
    } cases[] = {{0.0f, 4.0f / 6}, {1.0f, 1.0f / 6}, {-1.0f, 1.0f / 6}, {0.5f, 2.875f / 6},
                 {-0.5f, 2.875f / 6}, {2.0f, 0.0f}, {-2.0f, 0.0f}, {-7.0f, 0.0f}};
    for (const Case& c : cases)
        EXPECT_NEAR(c.value, CImageObject::b3spline(c.x), 1e-6) << c.x;
    for (float a = 0.0f; a < 1.0f; a += 0.125f) {
        float sum = 0;
        for (int m = -1; m < 3; ++m)
            sum += CImageObject::b3spline(float(m) - a);
        EXPECT_NEAR(1.0f, sum, 1e-5) << a;
    }
}

TEST(Resample, ProgressMessages)
{
    ImagePtr img = MakeImage(60, 60, Distinct, FakeWindow());
    {
        NoticeRecorder rec;
        ImagePtr out(img->Resample(30, 40, 1));
        EXPECT_TRUE(rec.progress.empty());
    }
    {
        NoticeRecorder rec;
        ImagePtr out(img->Resample(30, 40, 2));
        // 40 new rows: every second row, then the final 0.
        ASSERT_EQ(21u, rec.progress.size());
        EXPECT_EQ(0, rec.progress.front());
        EXPECT_EQ(95, rec.progress[19]);
        EXPECT_EQ(0, rec.progress.back());
    }
    {
        NoticeRecorder rec;
        ImagePtr out(img->Resample(30, 30, 3));  // area: over the 60 source rows
        ASSERT_EQ(21u, rec.progress.size());
        EXPECT_EQ(95, rec.progress[19]);
        EXPECT_EQ(0, rec.progress.back());
    }
    {
        int flag = 1;
        CImageObject quiet(FakeWindow(), &flag);
        ImagePtr src = MakeImage(60, 60, Distinct);
        quiet.SetImageBuf(src->m_pImageBuf);
        quiet.m_nWidth = 60;
        quiet.m_nHeight = 60;
        quiet.m_nRowBytes = src->m_nRowBytes;
        src->m_pImageBuf = nullptr;
        NoticeRecorder rec;
        ImagePtr out(quiet.Resample(30, 30, 3));
        EXPECT_TRUE(out);  // the flag silences but never stops
        EXPECT_TRUE(rec.progress.empty());
    }
}

TEST(RotateAngle, ZeroDegreesAddsAWhiteBorder)
{
    ImagePtr img = MakeImage(10, 6, Distinct);
    ImagePtr turned(img->RotateAngle(0));
    ASSERT_TRUE(turned);
    EXPECT_EQ(12, turned->m_nWidth);
    EXPECT_EQ(8, turned->m_nHeight);
    // Memory rows and columns map one to one; the rest stays white: the two
    // top rows and the two right columns.
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 12; ++x) {
            COLORREF expected = x < 10 && y >= 2 ? Distinct(x, y - 2) : RGB(255, 255, 255);
            EXPECT_EQ(expected, Pixel(*turned, x, y)) << x << "," << y;
        }
    }
}

TEST(RotateAngle, QuarterTurnSizeAndUniformInside)
{
    ImagePtr img = MakeUniform(40, 20, RGB(30, 60, 90), FakeWindow());
    NoticeRecorder rec;
    ImagePtr turned(img->RotateAngle(90));
    ASSERT_TRUE(turned);
    EXPECT_EQ(22, turned->m_nWidth);
    EXPECT_EQ(42, turned->m_nHeight);
    EXPECT_EQ(RGB(30, 60, 90), Pixel(*turned, 11, 21));
    EXPECT_EQ(FakeWindow(), turned->GetParent());
    ASSERT_FALSE(rec.progress.empty());
    EXPECT_EQ(0, rec.progress.back());

    ImagePtr slanted(img->RotateAngle(33.3));
    ASSERT_TRUE(slanted);
    EXPECT_EQ(RGB(30, 60, 90), Pixel(*slanted, slanted->m_nWidth / 2, slanted->m_nHeight / 2));
    EXPECT_EQ(RGB(255, 255, 255), Pixel(*slanted, 0, 0));

    CImageObject empty;
    EXPECT_EQ(nullptr, empty.RotateAngle(10));
    EXPECT_EQ(nullptr, img->RotateAngle(std::nan("")));
}

TEST(Rotate, QuarterTurnsAsPixelTables)
{
    // a b c
    // d e f
    const COLORREF a = Distinct(0, 0), b = Distinct(1, 0), c = Distinct(2, 0);
    const COLORREF d = Distinct(0, 1), e = Distinct(1, 1), f = Distinct(2, 1);
    using Rows = std::vector<std::vector<COLORREF>>;
    struct Case {
        int degrees;
        Rows expected;
    } cases[] = {
        {90, {{d, a}, {e, b}, {f, c}}},
        {180, {{f, e, d}, {c, b, a}}},
        {270, {{c, f}, {b, e}, {a, d}}},
        {45, {{a, b, c}, {d, e, f}}},
        {0, {{a, b, c}, {d, e, f}}},
    };
    for (const Case& k : cases) {
        ImagePtr img = MakeImage(3, 2, Distinct);
        EXPECT_EQ(1, img->Rotate(k.degrees));
        EXPECT_EQ(k.expected, Table(*img)) << k.degrees;
        EXPECT_EQ(imgtest::RowBytes(img->m_nWidth), img->m_nRowBytes);
    }
    CImageObject empty;
    EXPECT_EQ(0, empty.Rotate(90));
    EXPECT_EQ(0, empty.Rotate(180));
    EXPECT_EQ(0, empty.InvertVert());
    EXPECT_EQ(0, empty.ReverseHorz());
}

TEST(Rotate, FlipsOfOddSizes)
{
    ImagePtr img = MakeImage(3, 3, Distinct);
    ASSERT_EQ(1, img->InvertVert());
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(Distinct(x, 2 - y), Pixel(*img, x, y));
    ASSERT_EQ(1, img->ReverseHorz());
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(Distinct(2 - x, 2 - y), Pixel(*img, x, y));
}

// The rectangles follow the picture from their resolved sizes: a stored -1
// stands for the picture's size and must not enter the arithmetic.
TEST(Rotate, RectanglesFollowFromResolvedSizes)
{
    ImagePtr img = MakeImage(30, 20, Distinct);
    img->SetSrc_x(4);
    img->SetSrc_y(3);
    img->SetSrc_width(10);  // height stays -1 (20)
    img->SetDst_x(7);
    img->SetDst_y(8);
    img->SetDst_width(50);
    ASSERT_EQ(1, img->Rotate(90));
    EXPECT_EQ(20 - 3 - 20, img->GetSrc_x());
    EXPECT_EQ(4, img->GetSrc_y());
    EXPECT_EQ(20, img->GetSrc_width());
    EXPECT_EQ(10, img->GetSrc_height());
    EXPECT_EQ(0, img->GetDst_x());
    EXPECT_EQ(0, img->GetDst_y());
    EXPECT_EQ(-1, img->m_nDstWidth);  // the old -1 height: the new width
    EXPECT_EQ(20, img->GetDst_width());
    EXPECT_EQ(50, img->GetDst_height());

    ImagePtr other = MakeImage(30, 20, Distinct);
    other->SetSrc_x(4);
    other->SetSrc_y(3);
    other->SetSrc_height(5);  // width stays -1 (30)
    ASSERT_EQ(1, other->Rotate(270));
    EXPECT_EQ(3, other->GetSrc_x());
    EXPECT_EQ(30 - 4 - 30, other->GetSrc_y());
    EXPECT_EQ(5, other->GetSrc_width());
    EXPECT_EQ(30, other->GetSrc_height());

    ImagePtr flip = MakeImage(30, 20, Distinct);
    flip->SetSrc_x(2);
    flip->SetSrc_y(5);
    ASSERT_EQ(1, flip->InvertVert());
    EXPECT_EQ(20 - 5 - 20, flip->GetSrc_y());
    ASSERT_EQ(1, flip->ReverseHorz());
    EXPECT_EQ(30 - 2 - 30, flip->GetSrc_x());
}
