// CImageComposer: masks and frames.
#include <gtest/gtest.h>

#include "ImageOpsSupport.h"
#include "ImageTestSupport.h"
#include "image/ImageComposer.h"
#include "image/ImageObject.h"

using namespace opstest;
using imgtest::FakeWindow;
using imgtest::NoticeRecorder;

namespace {

COLORREF Grey(int v) { return RGB(v, v, v); }
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kWhite = RGB(255, 255, 255);

}  // namespace

TEST(ComposerMask, VeilsThroughTheMask)
{
    ImagePtr white = MakeUniform(3, 3, Grey(255));
    ImagePtr black = MakeUniform(3, 3, Grey(0));
    struct Case {
        CImageObject* mask;
        int offset;
        BOOL invert;
        COLORREF inside;
    } cases[] = {
        {white.get(), 0, FALSE, Grey(100)},   // 255 keeps the picture
        {white.get(), 0, TRUE, kRed},         // inverted: the colour
        {black.get(), 0, FALSE, kRed},
        {black.get(), 255, FALSE, Grey(100)},
        {white.get(), -300, FALSE, kRed},     // below 0 is 0, never wrapped
        {black.get(), 600, TRUE, Grey(100)},  // above 255 is 255
    };
    for (const Case& c : cases) {
        ImagePtr img = MakeUniform(6, 6, Grey(100));
        ASSERT_EQ(1, CImageComposer(img.get()).Mask(CRect(1, 1, 4, 4), c.mask, kRed, c.offset, c.invert));
        // The inclusive rectangle reaches column and row 4, one past the mask's.
        for (int y = 0; y < 6; ++y) {
            for (int x = 0; x < 6; ++x) {
                bool inside = x >= 1 && x <= 4 && y >= 1 && y <= 4;
                EXPECT_EQ(inside ? c.inside : Grey(100), Pixel(*img, x, y))
                    << x << "," << y << " offset " << c.offset << " invert " << c.invert;
            }
        }
    }
}

TEST(ComposerMask, GreyMixesAndEdgesUseTheLastMaskPixels)
{
    // Left half of the mask black, right half white, resampled 1:1 (4 x 3 for
    // the 5 x 4 inclusive rectangle).
    ImagePtr mask = MakeImage(4, 3, [](int x, int) { return x < 2 ? Grey(0) : Grey(255); });
    ImagePtr img = MakeUniform(5, 4, Grey(200));
    ASSERT_EQ(1, CImageComposer(img.get()).Mask(CRect(0, 0, 4, 3), mask.get(), Grey(0), 0, FALSE));
    for (int y = 0; y < 4; ++y) {
        EXPECT_EQ(Grey(0), Pixel(*img, 1, y)) << y;
        EXPECT_EQ(Grey(200), Pixel(*img, 3, y)) << y;
        EXPECT_EQ(Grey(200), Pixel(*img, 4, y)) << y;
    }
    ImagePtr mid = MakeUniform(2, 2, Grey(128));
    ImagePtr veiled = MakeUniform(3, 3, Grey(200));
    ASSERT_EQ(1, CImageComposer(veiled.get()).Mask(CRect(0, 0, 2, 2), mid.get(), Grey(50), 0, FALSE));
    EXPECT_EQ(Grey(200 * 128 / 255 + 50 * 127 / 255), Pixel(*veiled, 1, 1));
}

TEST(ComposerMask, RefusalsAndMessages)
{
    ImagePtr mask = MakeUniform(3, 3, Grey(0));
    ImagePtr img = MakeUniform(30, 30, Grey(100), FakeWindow());
    EXPECT_EQ(0, CImageComposer(img.get()).Mask(CRect(0, 0, 5, 5), nullptr, kRed, 0, FALSE));
    EXPECT_EQ(0, CImageComposer(img.get()).Mask(CRect(3, 3, 3, 8), mask.get(), kRed, 0, FALSE));
    EXPECT_EQ(0, CImageComposer(img.get()).Mask(CRect(3, 3, 8, 2), mask.get(), kRed, 0, FALSE));
    CImageObject empty;
    EXPECT_EQ(0, CImageComposer(&empty).Mask(CRect(0, 0, 5, 5), mask.get(), kRed, 0, FALSE));
    EXPECT_EQ(0, CImageComposer(img.get()).Mask(CRect(0, 0, 5, 5), &empty, kRed, 0, FALSE));
    EXPECT_EQ("", FirstOtherThan(*img, Grey(100)));

    NoticeRecorder rec;
    ASSERT_EQ(1, CImageComposer(img.get()).Mask(CRect(0, 0, 29, 29), mask.get(), kRed, 0, FALSE));
    EXPECT_EQ(std::vector<int>{0}, rec.done);
    ASSERT_FALSE(rec.progress.empty());
    EXPECT_EQ(0, rec.progress.front());
    EXPECT_NE(0, rec.progress.back());  // no final progress message: the done message ends it
}

// A corner tile with a red dot at its top-left and an edge tile with a red
// first column: the frame shows where each copy went.
class FrameTest : public ::testing::Test {
protected:
    ImagePtr Corner(int size) { return MakeImage(size, size, [](int x, int y) { return x == 0 && y == 0 ? kRed : kBlue; }); }
    ImagePtr Edge(int w, int h) { return MakeImage(w, h, [](int x, int) { return x == 0 ? kRed : kBlue; }); }
};

TEST_F(FrameTest, MirroredCorners)
{
    ImagePtr picture = MakeUniform(200, 100, Grey(90));
    ImagePtr corner = Corner(20), edge = Edge(20, 20);
    ImagePtr frame(CImageComposer(picture.get()).MakeFrame(corner.get(), edge.get(), CSize(200, 100), 20));
    ASSERT_TRUE(frame);
    EXPECT_EQ(240, frame->m_nWidth);
    EXPECT_EQ(140, frame->m_nHeight);
    for (CPoint p : {CPoint(0, 0), CPoint(239, 0), CPoint(0, 139), CPoint(239, 139)})
        EXPECT_EQ(kRed, Pixel(*frame, p.x, p.y)) << p.x << "," << p.y;
    for (CPoint p : {CPoint(19, 19), CPoint(220, 19), CPoint(1, 120), CPoint(238, 138)})
        EXPECT_EQ(kBlue, Pixel(*frame, p.x, p.y)) << p.x << "," << p.y;
    // The interior stays white.
    EXPECT_EQ(kWhite, Pixel(*frame, 20, 20));
    EXPECT_EQ(kWhite, Pixel(*frame, 219, 119));
    EXPECT_EQ(kBlue, Pixel(*frame, 219, 120));
}

TEST_F(FrameTest, EdgeTilesOverlapToFitTheSide)
{
    // 100 pixels with b = 30: 3 tiles of 33 and 1 left over, so tiles of 34
    // at 30, 63 and 96, the first two joints overlapping by one pixel.
    ImagePtr picture = MakeUniform(10, 10, Grey(90));
    ImagePtr corner = Corner(30), edge = Edge(34, 30);
    ImagePtr frame(CImageComposer(picture.get()).MakeFrame(corner.get(), edge.get(), CSize(100, 40), 30));
    ASSERT_TRUE(frame);
    ASSERT_EQ(160, frame->m_nWidth);
    ASSERT_EQ(100, frame->m_nHeight);
    for (int x = 30; x < 130; ++x) {
        COLORREF expected = x == 30 || x == 63 || x == 96 ? kRed : kBlue;
        EXPECT_EQ(expected, Pixel(*frame, x, 5)) << x;
        EXPECT_EQ(expected, Pixel(*frame, x, 95)) << x;
    }
    EXPECT_EQ(kWhite, Pixel(*frame, 30, 30));
}

TEST_F(FrameTest, MessagesInOrder)
{
    ImagePtr picture = MakeUniform(60, 40, Grey(90), FakeWindow());
    ImagePtr corner = Corner(10), edge = Edge(10, 10);
    NoticeRecorder rec;
    ImagePtr frame(CImageComposer(picture.get()).MakeFrame(corner.get(), edge.get(), CSize(60, 40), 10));
    ASSERT_TRUE(frame);
    EXPECT_EQ((std::vector<int>{10, 30, 50, 80, 100}), rec.progress);
    EXPECT_EQ(std::vector<int>{0}, rec.done);
    EXPECT_EQ(FakeWindow(), frame->GetParent());
}

TEST_F(FrameTest, PictureInsideItsFrame)
{
    ImagePtr picture = MakeImage(50, 30, Distinct);
    ImagePtr corner = Corner(25), edge = Edge(25, 25);
    ImagePtr framed(CImageComposer(picture.get()).MakeFrame(corner.get(), edge.get(), 20));
    ASSERT_TRUE(framed);
    EXPECT_EQ(90, framed->m_nWidth);
    EXPECT_EQ(70, framed->m_nHeight);
    EXPECT_EQ(Distinct(0, 0), Pixel(*framed, 20, 20));
    EXPECT_EQ(Distinct(49, 29), Pixel(*framed, 69, 49));

    // Border 0: the corner's own width is the border and the picture sits
    // inside it, not at (0, 0).
    ImagePtr own(CImageComposer(picture.get()).MakeFrame(corner.get(), edge.get(), 0));
    ASSERT_TRUE(own);
    EXPECT_EQ(100, own->m_nWidth);
    EXPECT_EQ(80, own->m_nHeight);
    EXPECT_EQ(kRed, Pixel(*own, 0, 0));
    EXPECT_EQ(Distinct(0, 0), Pixel(*own, 25, 25));
    EXPECT_EQ(Distinct(49, 29), Pixel(*own, 74, 54));
}

TEST_F(FrameTest, ShortSidesAndRefusals)
{
    ImagePtr picture = MakeUniform(10, 5, Grey(90));
    ImagePtr corner = Corner(20), edge = Edge(20, 20);
    // Sides shorter than the border still get one tile each.
    ImagePtr small(CImageComposer(picture.get()).MakeFrame(corner.get(), edge.get(), CSize(10, 5), 20));
    ASSERT_TRUE(small);
    EXPECT_EQ(50, small->m_nWidth);
    EXPECT_EQ(45, small->m_nHeight);
    EXPECT_EQ(kRed, Pixel(*small, 20, 0));
    ImagePtr flat(CImageComposer(picture.get()).MakeFrame(corner.get(), edge.get(), CSize(0, 0), 20));
    ASSERT_TRUE(flat);
    EXPECT_EQ(40, flat->m_nWidth);

    CImageObject empty;
    CImageComposer composer(picture.get());
    EXPECT_EQ(nullptr, composer.MakeFrame(nullptr, edge.get(), CSize(10, 5), 20));
    EXPECT_EQ(nullptr, composer.MakeFrame(corner.get(), nullptr, CSize(10, 5), 20));
    EXPECT_EQ(nullptr, composer.MakeFrame(&empty, edge.get(), CSize(10, 5), 0));
    EXPECT_EQ(nullptr, composer.MakeFrame(corner.get(), edge.get(), CSize(-1, 5), 20));
    EXPECT_EQ(nullptr, composer.MakeFrame(corner.get(), edge.get(), CSize(10, 5), -3));
    EXPECT_EQ(nullptr, CImageComposer(&empty).MakeFrame(corner.get(), edge.get(), 20));
}
