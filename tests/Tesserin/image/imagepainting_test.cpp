// Painting into an image object and projecting pictures onto it.
#include <gtest/gtest.h>

#include "ImageOpsSupport.h"
#include "ImageTestSupport.h"
#include "image/ImageObject.h"

using namespace opstest;

namespace {

COLORREF Grey(int v) { return RGB(v, v, v); }
const COLORREF kRed = RGB(255, 0, 0);

// Which pixels differ from `background`, as a picture of '#' and '.'.
std::vector<std::string> Marks(const CImageObject& img, COLORREF background)
{
    std::vector<std::string> rows;
    for (int y = 0; y < img.m_nHeight; ++y) {
        std::string row;
        for (int x = 0; x < img.m_nWidth; ++x)
            row += Pixel(img, x, y) == background ? '.' : '#';
        rows.push_back(row);
    }
    return rows;
}

}  // namespace

TEST(Painting, PixelsAndReplacement)
{
    ImagePtr img = MakeImage(3, 2, Distinct);
    EXPECT_EQ(Distinct(2, 1), img->GetPixelColor(2, 1));
    EXPECT_EQ(1, img->SetPixelColor(1, 0, RGB(1, 2, 3)));
    EXPECT_EQ(RGB(1, 2, 3), Pixel(*img, 1, 0));
    EXPECT_EQ(0, img->SetPixelColor(3, 0, kRed));
    EXPECT_EQ(0, img->SetPixelColor(0, -1, kRed));
    EXPECT_EQ(0u, img->GetPixelColor(-1, 0));

    ImagePtr two = MakeImage(4, 4, [](int x, int) { return x % 2 ? kRed : Grey(9); });
    ASSERT_EQ(1, two->ReplacePixelColor(CRect(1, 1, 2, 3), kRed, Grey(1)));
    EXPECT_EQ(kRed, Pixel(*two, 1, 0));
    EXPECT_EQ(Grey(1), Pixel(*two, 1, 1));
    EXPECT_EQ(Grey(1), Pixel(*two, 1, 3));
    EXPECT_EQ(kRed, Pixel(*two, 3, 2));

    CImageObject empty;
    EXPECT_EQ(0, empty.SetPixelColor(0, 0, kRed));
    EXPECT_EQ(0, empty.DrawLine(CPoint(0, 0), CPoint(3, 0), kRed, 0, 1));
    EXPECT_EQ(0, empty.DrawRect(CRect(0, 0, 3, 3), kRed, TRUE, 0, 1, FALSE, 0));
    EXPECT_EQ(0, empty.DrawCircle(CPoint(2, 2), kRed, 2, TRUE, 0, 0, 1, FALSE));
    EXPECT_EQ(0, empty.BrushEffect(2, 2, kRed, 4, 1));
}

TEST(Painting, Lines)
{
    ImagePtr img = MakeUniform(6, 6, Grey(100));
    // Horizontal lines grow upward from their row.
    ASSERT_EQ(1, img->DrawLine(CPoint(4, 3), CPoint(1, 3), kRed, 0, 2));
    ASSERT_EQ(1, img->DrawLine(CPoint(5, 5), CPoint(5, 4), Grey(0), 50, 3));  // runs off the right edge
    std::vector<std::string> expected = {
        "......", "......", ".####.", ".####.", ".....#", ".....#",
    };
    EXPECT_EQ(expected, Marks(*img, Grey(100)));
    EXPECT_EQ(kRed, Pixel(*img, 1, 2));
    EXPECT_EQ(Grey(50), Pixel(*img, 5, 4));

    ImagePtr copy(img->DuplicateImgObj());
    EXPECT_EQ(0, img->DrawLine(CPoint(0, 0), CPoint(3, 3), kRed, 0, 1));
    EXPECT_EQ(Table(*copy), Table(*img));
}

TEST(Painting, Rectangles)
{
    ImagePtr img = MakeUniform(6, 5, Grey(100));
    ASSERT_EQ(1, img->DrawRect(CRect(0, 0, 5, 4), kRed, TRUE, 100, 1, FALSE, 0));
    EXPECT_EQ("", FirstOtherThan(*img, Grey(100)));
    ASSERT_EQ(1, img->DrawRect(CRect(1, 1, 3, 2), kRed, TRUE, 0, 1, FALSE, 0));
    EXPECT_EQ(kRed, Pixel(*img, 3, 2));
    EXPECT_EQ(Grey(100), Pixel(*img, 4, 2));

    ImagePtr outline = MakeUniform(6, 6, Grey(100));
    ASSERT_EQ(1, outline->DrawRect(CRect(1, 1, 4, 4), Grey(0), FALSE, 70, 1, FALSE, 0));
    std::vector<std::string> ring = {"......", ".####.", ".#..#.", ".#..#.", ".####.", "......"};
    EXPECT_EQ(ring, Marks(*outline, Grey(100)));
    EXPECT_EQ(Grey(0), Pixel(*outline, 1, 1));  // outlines are plain, never blended

    // Left and bottom edges beyond the picture are clamped to it.
    ImagePtr clamped = MakeUniform(4, 4, Grey(100));
    ASSERT_EQ(1, clamped->DrawRect(CRect(-3, 1, 2, 9), Grey(0), FALSE, 0, 1, FALSE, 0));
    std::vector<std::string> edge = {"....", "###.", "#.#.", "###."};
    EXPECT_EQ(edge, Marks(*clamped, Grey(100)));
}

TEST(Painting, GradientRectangles)
{
    struct Case {
        int direction;
        CPoint strongest, faintest;
    } cases[] = {
        {1, CPoint(0, 2), CPoint(4, 2)},
        {2, CPoint(4, 2), CPoint(0, 2)},
        {3, CPoint(2, 0), CPoint(2, 4)},
        {4, CPoint(2, 4), CPoint(2, 0)},
    };
    for (const Case& c : cases) {
        ImagePtr img = MakeUniform(5, 5, Grey(200));
        ASSERT_EQ(1, img->DrawRect(CRect(0, 0, 4, 4), Grey(0), TRUE, 0, 1, TRUE, c.direction));
        EXPECT_EQ(Grey(0), Pixel(*img, c.strongest.x, c.strongest.y)) << c.direction;
        EXPECT_EQ(Grey(200), Pixel(*img, c.faintest.x, c.faintest.y)) << c.direction;
        EXPECT_EQ(Grey(100), Pixel(*img, 2, 2)) << c.direction;
    }
    ImagePtr other = MakeUniform(5, 5, Grey(200));
    ASSERT_EQ(1, other->DrawRect(CRect(0, 0, 4, 4), Grey(0), TRUE, 0, 1, TRUE, 7));
    EXPECT_EQ("", FirstOtherThan(*other, Grey(200)));

    // One pixel across the gradient: the opacity as given.
    ImagePtr thin = MakeUniform(5, 5, Grey(200));
    ASSERT_EQ(1, thin->DrawRect(CRect(2, 0, 2, 4), Grey(0), TRUE, 25, 1, TRUE, 1));
    ASSERT_EQ(1, thin->DrawRect(CRect(0, 3, 4, 3), Grey(0), TRUE, 75, 1, TRUE, 3));
    EXPECT_EQ(Grey(50), Pixel(*thin, 2, 0));
    EXPECT_EQ(Grey(150), Pixel(*thin, 0, 3));
}

TEST(Painting, Circles)
{
    ImagePtr disc = MakeUniform(7, 7, Grey(100));
    // Distances are truncated: (3, 2) away counts as 3.
    ASSERT_EQ(1, disc->DrawCircle(CPoint(3, 3), Grey(0), 3, TRUE, 0, 0, 1, FALSE));
    std::vector<std::string> full = {".#####.", "#######", "#######", "#######", "#######", "#######", ".#####."};
    EXPECT_EQ(full, Marks(*disc, Grey(100)));

    ImagePtr quarter = MakeUniform(7, 7, Grey(100));
    ASSERT_EQ(1, quarter->DrawCircle(CPoint(3, 3), Grey(0), 3, TRUE, 1, 0, 1, FALSE));
    std::vector<std::string> upperRight = {"...###.", "...####", "...####", "...####", ".......", ".......", "......."};
    EXPECT_EQ(upperRight, Marks(*quarter, Grey(100)));

    ImagePtr ring = MakeUniform(7, 7, Grey(100));
    ASSERT_EQ(1, ring->DrawCircle(CPoint(3, 3), Grey(0), 3, FALSE, 0, 0, 1, FALSE));
    EXPECT_EQ(Grey(100), Pixel(*ring, 3, 3));
    EXPECT_EQ(Grey(0), Pixel(*ring, 0, 3));
    EXPECT_EQ(Grey(0), Pixel(*ring, 3, 6));

    // Gradient: strongest at the centre; radius 0 takes the opacity.
    ImagePtr soft = MakeUniform(9, 9, Grey(200));
    ASSERT_EQ(1, soft->DrawCircle(CPoint(4, 4), Grey(0), 4, TRUE, 0, 0, 1, TRUE));
    EXPECT_EQ(Grey(0), Pixel(*soft, 4, 4));
    EXPECT_EQ(Grey(100), Pixel(*soft, 6, 4));
    EXPECT_EQ(Grey(200), Pixel(*soft, 8, 4));
    ImagePtr dot = MakeUniform(3, 3, Grey(200));
    ASSERT_EQ(1, dot->DrawCircle(CPoint(1, 1), Grey(0), 0, TRUE, 0, 40, 1, TRUE));
    EXPECT_EQ(Grey(80), Pixel(*dot, 1, 1));
    EXPECT_EQ(Grey(200), Pixel(*dot, 0, 1));

    EXPECT_EQ(0, dot->DrawCircle(CPoint(1, 1), Grey(0), 1, TRUE, 5, 0, 1, FALSE));
    EXPECT_EQ(0, dot->DrawCircle(CPoint(1, 1), Grey(0), -1, TRUE, 0, 0, 1, FALSE));
}

TEST(Painting, DropShadowStrips)
{
    ImagePtr img = MakeUniform(8, 8, Grey(100));
    ASSERT_EQ(1, img->DropShadow(CRect(1, 1, 4, 4), Grey(0), 0, 2, FALSE));
    std::vector<std::string> expected = {
        "........", "........", "........", ".....##.", ".....##.", "...####.", "...####.", "........",
    };
    EXPECT_EQ(expected, Marks(*img, Grey(100)));
    ImagePtr soft = MakeUniform(12, 12, Grey(100));
    EXPECT_EQ(1, soft->DropShadow(CRect(1, 1, 6, 6), Grey(0), 0, 2, TRUE));
    EXPECT_NE(Grey(100), Pixel(*soft, 7, 7));
    EXPECT_EQ(Grey(100), Pixel(*soft, 3, 3));
}

TEST(Painting, PatternTiles)
{
    ImagePtr pattern = MakeImage(2, 2, [](int x, int y) { return x == 0 && y == 0 ? kRed : Grey(0); });
    ImagePtr img = MakeUniform(7, 7, Grey(100));
    ASSERT_EQ(1, img->FillPattern(CRect(1, 1, 3, 4), pattern.get(), 0));
    // Tiles start at rc's corner while their corner lies in rc; the last
    // ones reach past it.
    std::vector<std::string> expected = {
        ".......", ".####..", ".####..", ".####..", ".####..", ".......", ".......",
    };
    EXPECT_EQ(expected, Marks(*img, Grey(100)));
    for (CPoint p : {CPoint(1, 1), CPoint(3, 1), CPoint(1, 3), CPoint(3, 3)})
        EXPECT_EQ(kRed, Pixel(*img, p.x, p.y)) << p.x << "," << p.y;

    // Tiles wholly before the picture are stepped over, keeping the phase.
    ImagePtr shifted = MakeUniform(4, 4, Grey(100));
    ASSERT_EQ(1, shifted->FillPattern(CRect(-5, -5, 3, 3), pattern.get(), 0));
    EXPECT_EQ(kRed, Pixel(*shifted, 1, 1));
    EXPECT_EQ(Grey(0), Pixel(*shifted, 0, 0));

    // Transparency 100 leaves the picture.
    ImagePtr clear = MakeUniform(4, 4, Grey(100));
    ASSERT_EQ(1, clear->FillPattern(CRect(0, 0, 3, 3), pattern.get(), 100));
    EXPECT_EQ("", FirstOtherThan(*clear, Grey(100)));

    CImageObject emptyPattern;
    EXPECT_EQ(0, img->FillPattern(CRect(0, 0, 3, 3), nullptr, 0));
    EXPECT_EQ(0, img->FillPattern(CRect(0, 0, 3, 3), &emptyPattern, 0));
}

TEST(Projection, OpacityKeyAndPlacement)
{
    ImagePtr src = MakeImage(3, 3, [](int x, int y) { return x == 1 && y == 1 ? RGB(255, 255, 255) : Grey(0); });
    ImagePtr img = MakeUniform(5, 5, Grey(100));
    ASSERT_EQ(1, img->ImageProjection(CRect(1, 1, 10, 10), src.get(), 100, int(RGB(255, 255, 255))));
    std::vector<std::string> expected = {".....", ".###.", ".#.#.", ".###.", "....."};
    EXPECT_EQ(expected, Marks(*img, Grey(100)));

    // Opacity is the source's share; the rectangle limits the painted size.
    ImagePtr half = MakeUniform(5, 5, Grey(100));
    ASSERT_EQ(1, half->ImageProjection(CRect(0, 0, 1, 0), src.get(), 50, -1));
    std::vector<std::string> strip = {"##...", ".....", ".....", ".....", "....."};
    EXPECT_EQ(strip, Marks(*half, Grey(100)));
    EXPECT_EQ(Grey(50), Pixel(*half, 0, 0));

    // Off the top-left corner: the source's lower-right part lands at (0, 0).
    ImagePtr off = MakeUniform(5, 5, Grey(100));
    ImagePtr marked = MakeImage(3, 3, [](int x, int y) { return Distinct(x, y); });
    ASSERT_EQ(1, off->ImageProjection(CRect(-1, -2, 1, 0), marked.get(), 100, -1));
    EXPECT_EQ(Distinct(1, 2), Pixel(*off, 0, 0));
    EXPECT_EQ(Distinct(2, 2), Pixel(*off, 1, 0));
    EXPECT_EQ(Grey(100), Pixel(*off, 0, 1));

    EXPECT_EQ(0, img->ImageProjection(CRect(0, 0, 4, 4), nullptr, 100, -1));
}

TEST(Projection, ThroughGreyMasks)
{
    ImagePtr src = MakeUniform(4, 4, Grey(200));
    ImagePtr black = MakeUniform(2, 2, Grey(0));
    ImagePtr white = MakeUniform(2, 2, Grey(255));
    struct Case {
        CImageObject* mask;
        BOOL invert;
        int offset;
        COLORREF expected;
    } cases[] = {
        {black.get(), FALSE, -1, Grey(100)}, {white.get(), FALSE, -1, Grey(200)}, {black.get(), TRUE, -1, Grey(200)},
        {white.get(), TRUE, -1, Grey(100)},  {white.get(), FALSE, 255, Grey(100)}, {white.get(), FALSE, 400, Grey(100)},
        {white.get(), FALSE, -30, Grey(200)},
    };
    for (const Case& c : cases) {
        ImagePtr img = MakeUniform(6, 6, Grey(100));
        ASSERT_EQ(1, img->ImageProjection(CRect(1, 1, 4, 4), src.get(), c.mask, c.invert, c.offset));
        EXPECT_EQ(c.expected, Pixel(*img, 2, 3)) << c.invert << " " << c.offset;
        EXPECT_EQ(c.expected, Pixel(*img, 4, 4)) << c.invert << " " << c.offset;
        EXPECT_EQ(Grey(100), Pixel(*img, 5, 5));
    }
    // The mask object itself is never changed.
    EXPECT_EQ("", FirstOtherThan(*black, Grey(0)));
    ImagePtr img = MakeUniform(6, 6, Grey(100));
    EXPECT_EQ(0, img->ImageProjection(CRect(1, 1, 4, 4), src.get(), nullptr, FALSE, -1));
    EXPECT_EQ(0, img->ImageProjection(CRect(1, 1, 4, 4), nullptr, white.get(), FALSE, -1));
}

TEST(Painting, BrushAndSprayCells)
{
    struct Probe {
        int x, y, brush, spray;
    } probes[] = {
        {6, 6, 0, 75},     // d 0
        {8, 6, 0, 75},     // i 2, j 0: d 1
        {8, 4, 50, 87},    // i 2, j 2: d 2
        {9, 4, 75, 93},    // i 3, j 2: d 3
        {2, 6, 75, 93},    // i -4: d 4
        {2, 10, 100, 100}, // i -4, j -4: d 8
        {10, 6, 100, 100}, // i 4 is past the dab
    };
    ImagePtr brush = MakeUniform(12, 12, Grey(100));
    ImagePtr spray = MakeUniform(12, 12, Grey(100));
    ASSERT_EQ(1, brush->BrushEffect(6, 6, Grey(0), 4, 1));
    ASSERT_EQ(1, spray->SprayEffect(6, 6, Grey(0), 4, 1));
    for (const Probe& p : probes) {
        EXPECT_EQ(Grey(p.brush), Pixel(*brush, p.x, p.y)) << p.x << "," << p.y;
        EXPECT_EQ(Grey(p.spray), Pixel(*spray, p.x, p.y)) << p.x << "," << p.y;
    }
    // Cells of 2 x 2 pixels: the cell of i 0, j 0 covers columns 6..7 and
    // the rows 6 and 5 (it grows upward).
    ImagePtr cells = MakeUniform(12, 12, Grey(100));
    ASSERT_EQ(1, cells->BrushEffect(6, 6, Grey(0), 4, 2));
    EXPECT_EQ(Grey(0), Pixel(*cells, 7, 5));

    ImagePtr none = MakeUniform(6, 6, Grey(100));
    EXPECT_EQ(1, none->BrushEffect(3, 3, Grey(0), 1, 2));
    EXPECT_EQ("", FirstOtherThan(*none, Grey(100)));
    EXPECT_EQ(0, none->BrushEffect(3, 3, Grey(0), 4, 0));
    EXPECT_EQ(0, none->SprayEffect(3, 3, Grey(0), 4, 0));
    // A dab far larger than the picture only visits the cells over it.
    EXPECT_EQ(1, none->SprayEffect(3, 3, Grey(0), 2000000000, 1));
}
