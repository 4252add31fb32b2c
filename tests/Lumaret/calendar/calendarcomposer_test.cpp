// Pixels of a calendar page on generated fixtures: the grid's segments, the weekday colours and
// the faint neighbour days, and the user's picture stretched, cropped or fitted into its box.
#include <gtest/gtest.h>

#include "calendar/CalendarComposer.h"
#include "calendar/CalendarPainter.h"
#include "calendar/MonthLayout.h"
#include "image/ImageObject.h"

#include <cstring>
#include <memory>

namespace {

const COLORREF kPaper = RGB(250, 250, 250);

std::unique_ptr<CImageObject> Plain(int w, int h, COLORREF colour = kPaper)
{
    CImageObject base;
    return std::unique_ptr<CImageObject>(base.MakeBlankImageObject(colour, w, h));
}

// A picture of four coloured quadrants: red, green / blue, yellow.
std::unique_ptr<CImageObject> Quadrants(int w, int h)
{
    std::unique_ptr<CImageObject> image = Plain(w, h, RGB(255, 0, 0));
    image->DrawRect(CRect(w / 2, 0, w - 1, h / 2 - 1), RGB(0, 255, 0), TRUE, 0, 1, FALSE, 0);
    image->DrawRect(CRect(0, h / 2, w / 2 - 1, h - 1), RGB(0, 0, 255), TRUE, 0, 1, FALSE, 0);
    image->DrawRect(CRect(w / 2, h / 2, w - 1, h - 1), RGB(255, 255, 0), TRUE, 0, 1, FALSE, 0);
    return image;
}

CalendarForm GridForm(int lines)
{
    CalendarForm form;
    form[CAL_DAYS_X] = 10;
    form[CAL_DAYS_Y] = 20;
    form[CAL_DAYS_WIDTH] = 700;  // cells of 100 x 60, insets 4 and 2
    form[CAL_DAYS_HEIGHT] = 360;
    form[CAL_DAYS_LINE_DRAW] = lines;
    form[CAL_DAYS_LINE_COLOR] = RGB(0, 128, 0);
    return form;
}

bool IsRed(COLORREF c) { return GetRValue(c) > 150 && GetGValue(c) < 100 && GetBValue(c) < 100; }
bool IsBlue(COLORREF c) { return GetBValue(c) > 150 && GetRValue(c) < 100 && GetGValue(c) < 100; }

// Whether any pixel of the rectangle satisfies the test.
template <class Test>
bool Any(CImageObject& image, CRect r, Test test)
{
    for (int y = r.top; y <= r.bottom; ++y)
        for (int x = r.left; x <= r.right; ++x)
            if (test(image.GetPixelColor(x, y)))
                return true;
    return false;
}

}  // namespace

TEST(CalendarGrid, SegmentsStopAnInsetShortOfEveryCorner)
{
    std::unique_ptr<CImageObject> page = Plain(720, 400);
    CalendarForm form = GridForm(1);
    CCalendarPainter::DrawGridLines(*page, form);
    const COLORREF green = RGB(0, 128, 0);
    struct Probe {
        int x, y;
        bool line;
    } probes[] = {
        {14, 20, true},   {13, 20, false},  {106, 20, true},  {107, 20, false},  // row 0, cell 0 ends
        {114, 20, true},  {14, 18, true},   {14, 17, false},                   // width 3 grows upwards
        {10, 22, true},   {10, 21, false},  {12, 22, true},   {13, 22, false},   // column 0 grows right
        {10, 78, true},   {10, 79, false},  {710, 30, true},  {14, 380, true},   // last line and column
    };
    for (const Probe& p : probes)
        EXPECT_EQ(p.line, page->GetPixelColor(p.x, p.y) == green) << p.x << "," << p.y;
}

TEST(CalendarGrid, DigitsAreRedOnSundaysBlueOnSaturdaysAndFaintOutsideTheMonth)
{
    for (int lines : {0, 1}) {
        SCOPED_TRACE(lines);
        std::unique_ptr<CImageObject> page = Plain(720, 400);
        CalendarForm form = GridForm(lines);
        CMonthLayout layout;
        layout.Make(2026, 8);  // cells 0..5 are July
        CCalendarPainter::DrawDayGrid(*page, form, layout, "돋움", 24, nullptr);
        EXPECT_EQ(lines == 1, Any(*page, CRect(0, 18, 719, 20), [](COLORREF c) { return c == RGB(0, 128, 0); }));
        // Cell 6 (1 August, a Saturday) is blue; cell 7 (a Sunday, row 1) is red; cell 0 (26 July,
        // Sunday) only a fifth red.
        auto cell = [&](int i) {
            return CRect(10 + (i % 7) * 100 + 4, 20 + (i / 7) * 60 + 3, 10 + (i % 7) * 100 + 60, 20 + (i / 7) * 60 + 40);
        };
        EXPECT_TRUE(Any(*page, cell(6), IsBlue));
        EXPECT_TRUE(Any(*page, cell(7), IsRed));
        EXPECT_TRUE(Any(*page, cell(8), [](COLORREF c) { return GetRValue(c) < 60 && GetBValue(c) < 60; }));
        EXPECT_FALSE(Any(*page, cell(0), IsRed));
        EXPECT_TRUE(Any(*page, cell(0), [](COLORREF c) { return GetGValue(c) < 235 && GetRValue(c) > 235; }));
        EXPECT_FALSE(Any(*page, cell(0), [](COLORREF c) { return GetGValue(c) < 180; }));
    }
}

namespace {

struct Placement {
    const char* name;
    int pictureW, pictureH;
    int boxW, boxH;
    BOOL stretch, crop;
    CRect covered;  // the picture's pixels, inclusive, relative to the box corner
};

}  // namespace

TEST(CalendarPicture, EachFitModePlacesThePictureInItsBox)
{
    const int x0 = 50, y0 = 40;
    const Placement cases[] = {
        // Stretch fills the whole box.
        {"stretch", 40, 20, 100, 80, TRUE, FALSE, CRect(0, 0, 99, 79)},
        // Fit keeps the shape: touches left and right, centred in height; small pictures grow.
        {"fit wide", 40, 20, 100, 80, FALSE, FALSE, CRect(0, 15, 98, 63)},
        {"fit tall", 20, 40, 100, 80, FALSE, FALSE, CRect(30, 0, 68, 78)},
        // Crop fills the whole box, as stretch does.
        {"crop wide", 80, 20, 100, 80, FALSE, TRUE, CRect(0, 0, 99, 79)},
    };
    for (const Placement& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<CImageObject> page = Plain(300, 200);
        std::unique_ptr<CImageObject> picture = Quadrants(c.pictureW, c.pictureH);
        CalendarForm form;
        form[CAL_USER_X] = x0;
        form[CAL_USER_Y] = y0;
        form[CAL_USER_WIDTH] = c.boxW;
        form[CAL_USER_HEIGHT] = c.boxH;
        CCalendarComposer::PlacePicture(*page, *picture, form, 0, c.stretch, c.crop);
        CRect found(1000, 1000, -1, -1);
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 300; ++x)
                if (page->GetPixelColor(x, y) != kPaper) {
                    found.left = std::min<int>(found.left, x - x0);
                    found.top = std::min<int>(found.top, y - y0);
                    found.right = std::max<int>(found.right, x - x0);
                    found.bottom = std::max<int>(found.bottom, y - y0);
                }
        EXPECT_EQ(c.covered, found) << found.left << "," << found.top << "," << found.right << "," << found.bottom;
    }
}

TEST(CalendarPicture, CropTrimsEqualSidesOfAWidePicture)
{
    // 80 x 20 into a square box: the middle 20 columns (red 30..39, green 40..49) remain, so the
    // left half of the box is red and the right half green, no blue or yellow corner lost.
    std::unique_ptr<CImageObject> page = Plain(200, 200);
    std::unique_ptr<CImageObject> picture = Quadrants(80, 20);
    CalendarForm form;
    form[CAL_USER_WIDTH] = 101;
    form[CAL_USER_HEIGHT] = 101;
    CCalendarComposer::PlacePicture(*page, *picture, form, 0, FALSE, TRUE);
    EXPECT_TRUE(IsRed(page->GetPixelColor(10, 10)));
    EXPECT_EQ(RGB(0, 255, 0), page->GetPixelColor(90, 10) & 0xFFFFFF);
    EXPECT_EQ(RGB(0, 0, 255), page->GetPixelColor(10, 90));
}

TEST(CalendarPicture, TransparencyHalvesThePictureAndATinyBoxPlacesNothing)
{
    std::unique_ptr<CImageObject> page = Plain(100, 100, RGB(200, 200, 200));
    std::unique_ptr<CImageObject> picture = Plain(10, 10, RGB(0, 0, 0));
    CalendarForm form;
    form[CAL_USER_WIDTH] = 20;
    form[CAL_USER_HEIGHT] = 20;
    CCalendarComposer::PlacePicture(*page, *picture, form, 50, TRUE, FALSE);
    EXPECT_EQ(RGB(100, 100, 100), page->GetPixelColor(5, 5));
    for (CSize box : {CSize(0, 0), CSize(1, 50), CSize(50, 1)}) {
        std::unique_ptr<CImageObject> clean = Plain(100, 100);
        form[CAL_USER_WIDTH] = box.cx;
        form[CAL_USER_HEIGHT] = box.cy;
        for (BOOL crop : {FALSE, TRUE}) {
            CCalendarComposer::PlacePicture(*clean, *picture, form, 0, FALSE, crop);
            EXPECT_FALSE(Any(*clean, CRect(0, 0, 99, 99), [](COLORREF c) { return c != kPaper; }));
        }
    }
}

TEST(CalendarPicture, AComposedPageCarriesTextsAndAStopLeavesNoPage)
{
    std::unique_ptr<CImageObject> back = Plain(400, 300);
    CalendarComposeInput in;
    in.form = GridForm(0);
    in.form[CAL_DAYS_WIDTH] = 350;
    in.form[CAL_DAYS_HEIGHT] = 180;
    in.form[CAL_YEAR_X] = 300;
    in.form[CAL_YEAR_Y] = 250;
    in.form[CAL_YEAR_COLOR] = RGB(255, 0, 0);
    in.strYear = "2026";
    in.strMonth = "8";
    in.nYearSize = 30;
    in.strYearFace = in.strDayFace = "돋움";
    std::unique_ptr<CImageObject> page(CCalendarComposer::Compose(*back, nullptr, in, nullptr, nullptr));
    ASSERT_TRUE(page);
    EXPECT_TRUE(Any(*page, CRect(300, 250, 399, 299), IsRed));
    EXPECT_EQ(kPaper, back->GetPixelColor(310, 260));  // the background stays as it was
    int stop = 1;
    EXPECT_EQ(nullptr, CCalendarComposer::Compose(*back, nullptr, in, nullptr, &stop));
}

TEST(CalendarGrid, FaceNamesAreCutToThirtyOneBytesOnACharacterBoundary)
{
    struct Case {
        const char* face;
        size_t bytes;
    } cases[] = {{"돋움", 4}, {"가나다라마바사아자차카타파하가나다", 30}, {"a가나다라마바사아자차카타파하가", 31}};
    for (const Case& c : cases) {
        LOGFONT font = CCalendarPainter::MakeFont(c.face, 20);
        EXPECT_EQ(c.bytes, std::strlen(font.lfFaceName)) << c.face;
        EXPECT_EQ(0, std::strncmp(c.face, font.lfFaceName, c.bytes));
        EXPECT_EQ(400, font.lfWeight);
        EXPECT_EQ(1, font.lfCharSet);
        EXPECT_EQ(0x31, font.lfPitchAndFamily);
    }
}
