// Preview pages built from photographs on disk: what each mode puts where, the
// blue-grey slots of the plain preview, slots left out of a one-page job, and pictures
// that cannot be loaded.
#include "PrintFixture.h"

#include "print/PrintForm.h"
#include "print/PrintLayout.h"
#include "print/PrintPageBuilder.h"

#include <memory>

using namespace printtest;

namespace {

class PageBuild : public TemplateDatabase {
protected:
    PrintForm form;
    CStringArray paths;

    std::unique_ptr<CImageObject> Build(int formNo, PrintLayout::FitMode mode, BOOL real = TRUE, int page = 0)
    {
        form.Load(formNo, (int)paths.GetSize());
        PrintJobInput in;
        in.form = &form;
        in.paths = &paths;
        in.mode = mode;
        in.realPreview = real;
        CPrintPageBuilder builder(in);
        std::unique_ptr<CImageObject> out(builder.MakeBlankPage());
        if (out)
            builder.FillPage(out.get(), page);
        return out;
    }
};

}  // namespace

// Form 2 (A4 upright, two slots of 950 x 667 page pixels) with a 400 x 300 photograph.
TEST_F(PageBuild, EachModePlacesTheQuartersItsOwnWay)
{
    paths.Add(Photo("wide.jpg", 400, 300));
    const CRect slot(50, 50, 1000, 717);
    struct Probe {
        PrintLayout::FitMode mode;
        CPoint at;
        COLORREF colour;
    } probes[] = {
        // Crop fills the slot: corners carry the quarter colours.
        {PrintLayout::CROP, CPoint(slot.left + 3, slot.top + 3), kTopLeft},
        {PrintLayout::CROP, CPoint(slot.right - 4, slot.bottom - 4), kBottomRight},
        // Stretch fills it too.
        {PrintLayout::STRETCH, CPoint(slot.right - 4, slot.top + 3), kTopRight},
        {PrintLayout::STRETCH, CPoint(slot.left + 3, slot.bottom - 4), kBottomLeft},
        // Fit keeps 4:3 at full height, centred: white bands left and right.
        {PrintLayout::FIT, CPoint(slot.left + 3, slot.top + 300), RGB(255, 255, 255)},
        {PrintLayout::FIT, CPoint(slot.CenterPoint().x - 20, slot.top + 3), kTopLeft},
        {PrintLayout::FIT, CPoint(slot.CenterPoint().x + 20, slot.bottom - 4), kBottomRight},
    };
    for (const Probe& p : probes) {
        std::unique_ptr<CImageObject> page = Build(2, p.mode);
        ASSERT_TRUE(page);
        EXPECT_EQ(1050, page->GetWidth());
        EXPECT_EQ(1485, page->GetHeight());
        EXPECT_TRUE(Near(p.colour, page->GetPixelColor(p.at.x, p.at.y)))
            << "mode " << p.mode << " at " << p.at.x << "," << p.at.y << ": " << std::hex
            << page->GetPixelColor(p.at.x, p.at.y);
    }
}

TEST_F(PageBuild, PlainPreviewShowsBlueGreySlotsAndLoadsNothing)
{
    paths.Add(CString(data.windowsPath().c_str()) + "missing.jpg");
    std::unique_ptr<CImageObject> page = Build(3, PrintLayout::CROP, FALSE);
    ASSERT_TRUE(page);
    EXPECT_EQ(CPrintPageBuilder::kSlotColour, page->GetPixelColor(60, 60));
    EXPECT_EQ(CPrintPageBuilder::kSlotColour, page->GetPixelColor(990, 1400));
    EXPECT_EQ(RGB(255, 255, 255), page->GetPixelColor(20, 20));  // the margin
}

TEST_F(PageBuild, OnAOnePageJobAnExcludedSlotStaysWhite)
{
    paths.Add(Photo("red.jpg", 200, 200, kTopLeft));
    form.Load(3, 1);
    ASSERT_EQ(1, form.nPageCount);
    form.items[1].nPrintFlag = 0;
    PrintJobInput in;
    in.form = &form;
    in.paths = &paths;
    CPrintPageBuilder builder(in);
    std::unique_ptr<CImageObject> page(builder.MakeBlankPage());
    builder.FillPage(page.get(), 0);
    EXPECT_TRUE(Near(kTopLeft, page->GetPixelColor(100, 100)));
    EXPECT_EQ(RGB(255, 255, 255), page->GetPixelColor(700, 100));
    // With two pages the flags do not count.
    paths.Add(paths[0]);
    paths.Add(paths[0]);
    paths.Add(paths[0]);
    paths.Add(paths[0]);
    form.CountPages((int)paths.GetSize());
    builder.FillPage(page.get(), 0);
    EXPECT_TRUE(Near(kTopLeft, page->GetPixelColor(700, 100)));
}

TEST_F(PageBuild, APictureThatCannotBeLoadedLeavesItsSlotWhite)
{
    paths.Add(Photo("first.jpg", 300, 300, kTopRight));
    paths.Add(CString(data.windowsPath().c_str()) + "gone.jpg");
    std::unique_ptr<CImageObject> page = Build(2, PrintLayout::CROP);
    ASSERT_TRUE(page);
    EXPECT_TRUE(Near(kTopRight, page->GetPixelColor(500, 300)));
    EXPECT_EQ(RGB(255, 255, 255), page->GetPixelColor(500, 1100));
}

TEST_F(PageBuild, AFormWithoutPaperGivesNoPage)
{
    ASSERT_TRUE(tmpl.exec("update PrFormMaster set PaperWidth = 0 where PrFormNo = 1"));
    paths.Add(Photo("a.jpg", 100, 100));
    EXPECT_FALSE(Build(1, PrintLayout::CROP));
}
