// Placing pictures on print forms: the arithmetic as a table, then pictures prepared
// for slots (crop, fit, stretch) and how often a single picture is prepared.
#include "PrintFixture.h"

#include "print/PrintForm.h"
#include "print/PrintLayout.h"
#include "print/PrintPageBuilder.h"
#include "print/PrintPicture.h"

#include <memory>

using namespace printtest;

namespace {

PrintFormItem Slot(UINT l, UINT t, UINT r, UINT b, const char* type = "img")
{
    PrintFormItem item;
    item.strDrawType = type;
    item.nNum[0] = l;
    item.nNum[1] = t;
    item.nNum[2] = r;
    item.nNum[3] = b;
    return item;
}

}  // namespace

TEST(PrintLayout, PagesAndPictureIndexesFillTheLastPageFromTheFirstPictures)
{
    struct Case {
        int pictures, perPage, pages;
    } counts[] = {{3, 2, 2}, {4, 2, 2}, {1, 2, 1}, {5, 2, 3}, {0, 2, 0}, {3, 0, 3}, {3, -4, 3}};
    for (const Case& c : counts) {
        PrintForm form;
        form.nNumOfPics = c.perPage;
        form.CountPages(c.pictures);
        EXPECT_EQ(c.pages, form.nPageCount) << c.pictures << " on " << c.perPage;
    }
    // Five pictures on two slots: page 3 holds pictures 5 and 1.
    EXPECT_EQ(4, PrintLayout::PictureIndex(2, 2, 0, 5));
    EXPECT_EQ(0, PrintLayout::PictureIndex(2, 2, 1, 5));
    EXPECT_EQ(0, PrintLayout::PictureIndex(0, 4, 3, 1));  // one picture fills every slot
    EXPECT_EQ(2, PrintLayout::PictureIndex(1, 2, 0, 5));
}

TEST(PrintLayout, CentralCropKeepsTheSlotsProportionsInTheMiddle)
{
    struct Case {
        UINT w, h;
        int slotW, slotH;
        CRect kept;
    } cases[] = {
        {400, 300, 100, 100, CRect(50, 0, 349, 299)},   // 4:3 into a square: the central square
        {400, 300, 300, 400, CRect(87, 0, 312, 299)},   // into 3:4: a central band of full height
        {300, 400, 400, 300, CRect(0, 87, 299, 312)},   // the other way round
        {400, 300, 800, 600, CRect()},                  // same proportions: nothing cut
        {400, 300, 0, 100, CRect()},                    // no slot height or width: no division
        {400, 300, 100, 0, CRect()},
        {0, 300, 100, 100, CRect()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.kept, PrintLayout::CentralCrop(c.w, c.h, c.slotW, c.slotH)) << c.slotW << "x" << c.slotH;
}

TEST(PrintLayout, SlotsOffTheSheetOrWithoutSizeAreSkipped)
{
    struct Case {
        PrintFormItem item;
        bool shown;
    } cases[] = {
        {Slot(100, 100, 1000, 1435), true},
        {Slot((UINT)-50, 100, 1000, 1435), false},  // negative edge
        {Slot(100, 100, 100, 1435), false},         // no width
        {Slot(100, 1435, 1000, 100), false},        // upside down
        {Slot(2200, 100, 2300, 200), false},        // right of a 2100 sheet
        {Slot(100, 3000, 200, 3100), false},        // below a 2970 sheet
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.shown, PrintLayout::ItemOnSheet(c.item, 2100, 2970)) << c.item.nNum[0] << "," << c.item.nNum[1];
    EXPECT_EQ(CRect(50, 50, 500, 717), PrintLayout::PreviewSlot(Slot(100, 100, 1000, 1435)));
}

TEST(PrintLayout, FitCentresAndTheSheetIsCentredOnThePrintableArea)
{
    EXPECT_EQ(CPoint(100, 75), PrintLayout::CentredIn(CRect(100, 50, 300, 250), 200, 150));
    EXPECT_EQ(CPoint(125, 50), PrintLayout::CentredIn(CRect(100, 50, 300, 250), 150, 200));
    EXPECT_EQ(-50, PrintLayout::CentringOffset(200, 2100));
    EXPECT_EQ(0, PrintLayout::CentringOffset(297, 2970));
    EXPECT_EQ(PrintLayout::CROP, PrintLayout::ModeOf(1, 1));
    EXPECT_EQ(PrintLayout::STRETCH, PrintLayout::ModeOf(0, 1));
    EXPECT_EQ(PrintLayout::FIT, PrintLayout::ModeOf(0, 0));
}

// A 400 x 300 picture prepared for slots: the size it gets in each mode.
TEST(PrintPicture, EachModeGivesThePicturesSizeForTheSlot)
{
    std::unique_ptr<CImageObject> photo(QuarterPicture(400, 300));
    CStringArray one;
    one.Add("");
    struct Case {
        PrintLayout::FitMode mode;
        bool printing;
        int slotW, slotH;
        int w, h;
        bool borrowedItself;
    } cases[] = {
        {PrintLayout::CROP, false, 100, 100, 100, 100, false},
        {PrintLayout::CROP, false, 300, 400, 300, 400, false},
        {PrintLayout::STRETCH, false, 500, 100, 500, 100, false},
        {PrintLayout::FIT, false, 200, 200, 200, 150, false},
        {PrintLayout::FIT, false, 800, 800, 800, 600, false},  // enlarged to fit
        {PrintLayout::FIT, true, 200, 200, 400, 300, true},    // the printer scales it
        // The fit of a picture into its own size comes out one below 1000 (the height
        // check compares the width with the box's height).
        {PrintLayout::FIT, false, 400, 300, 399, 299, false},
    };
    for (const Case& c : cases) {
        CPrintPicture picture(photo.get(), one, c.mode, c.printing, nullptr, nullptr);
        CImageObject* p = picture.ForSlot(c.slotW, c.slotH, 0, nullptr);
        ASSERT_NE(nullptr, p);
        EXPECT_EQ(c.w, p->GetWidth()) << c.mode << " " << c.slotW << "x" << c.slotH;
        EXPECT_EQ(c.h, p->GetHeight()) << c.mode << " " << c.slotW << "x" << c.slotH;
        EXPECT_EQ(c.borrowedItself, p == photo.get());
    }
    // The crop into a square keeps the middle: the left edge is red, the right green.
    CPrintPicture square(photo.get(), one, PrintLayout::CROP, false, nullptr, nullptr);
    CImageObject* p = square.ForSlot(300, 300, 0, nullptr);
    EXPECT_EQ(kTopLeft, p->GetPixelColor(0, 0));
    EXPECT_EQ(kTopRight, p->GetPixelColor(299, 0));
    EXPECT_EQ(kBottomRight, p->GetPixelColor(299, 299));
}

TEST(PrintPicture, OnePictureOnFourEqualSlotsIsPreparedOnce)
{
    std::unique_ptr<CImageObject> photo(QuarterPicture(400, 300));
    CStringArray one;
    one.Add("");
    PrintForm form;
    form.nFormNo = 3;
    form.nPaperWidth = 2100;
    form.nPaperHeight = 2970;
    form.nNumOfPics = 4;
    form.items = {Slot(100, 100, 1000, 1400), Slot(1100, 100, 2000, 1400), Slot(100, 1500, 1000, 2800),
                  Slot(1100, 1500, 2000, 2800)};
    form.CountPages(1);
    PrintJobInput in;
    in.form = &form;
    in.borrowed = photo.get();
    in.paths = &one;
    CPrintPageBuilder builder(in);
    std::unique_ptr<CImageObject> page(builder.MakeBlankPage());
    ASSERT_TRUE(builder.FillPage(page.get(), 0));
    EXPECT_EQ(1, builder.PreparedCount());
    // Every slot shows it: the top-left quarter colour at each slot's corner.
    for (const PrintFormItem& item : form.items) {
        CRect slot = PrintLayout::PreviewSlot(item);
        EXPECT_EQ(kTopLeft, page->GetPixelColor(slot.left + 2, slot.top + 2));
    }
}
