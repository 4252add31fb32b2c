// The printing dialog: building pages on its worker (one at a time, held requests,
// closing while a build runs), paging, the preview's slot under the mouse, and print
// jobs through the print dialog into PDF files read back with pdftoppm.
#include "PrintFixture.h"

#include "image/ImageObject.h"
#include "mivo/testing/printdlg.h"
#include "print/DlgImgPrint.h"
#include "print/DlgImgPrintOption.h"
#include "print/ImgPrintView.h"
#include "resource.h"
#include "support/MessageBoxCapture.h"
#include "support/MessageLoop.h"

#include <cstdio>
#include <fstream>
#include <sstream>

using namespace printtest;
using mivo::test::PumpUntilIdle;

namespace {

// A decoded page of a PDF (pdftoppm at 20 dots per inch).
struct Rendered {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
    COLORREF At(int x, int y) const
    {
        const unsigned char* p = &rgb[((size_t)y * width + x) * 3];
        return RGB(p[0], p[1], p[2]);
    }
};

bool Render(const std::string& pdf, int page, const std::string& prefix, Rendered& out)
{
    std::string cmd = "pdftoppm -r 20 -f " + std::to_string(page) + " -l " + std::to_string(page) + " -singlefile '" +
                      pdf + "' '" + prefix + "' 2>/dev/null";
    if (std::system(cmd.c_str()) != 0)
        return false;
    std::ifstream in(prefix + ".ppm", std::ios::binary);
    std::string magic;
    int maxval = 0;
    in >> magic >> out.width >> out.height >> maxval;
    in.get();
    out.rgb.resize((size_t)out.width * out.height * 3);
    in.read((char*)out.rgb.data(), (std::streamsize)out.rgb.size());
    return magic == "P6" && (bool)in;
}

int PdfPages(const std::string& pdf)
{
    std::string cmd = "pdfinfo '" + pdf + "' 2>/dev/null";
    FILE* pipe = ::popen(cmd.c_str(), "r");
    if (!pipe)
        return 0;
    char line[256];
    int pages = 0;
    while (std::fgets(line, sizeof(line), pipe))
        if (std::sscanf(line, "Pages: %d", &pages) == 1)
            break;
    ::pclose(pipe);
    return pages;
}

class PrintDialog : public TemplateDatabase {
protected:
    std::unique_ptr<CDlgImgPrint> dlg;

    void SetUp() override
    {
        TemplateDatabase::SetUp();
        dlg.reset(new CDlgImgPrint(nullptr));
    }
    void TearDown() override
    {
        if (dlg && dlg->GetSafeHwnd())
            dlg->DestroyWindow();
        dlg.reset();
        PumpUntilIdle();
        mivo::SetPrintDialogHook(nullptr);
    }
    void Open()
    {
        ASSERT_TRUE(dlg->Create(IDD_IMG_PRINT, nullptr));
        PumpUntilIdle();
    }
    // Waits for the running build and for what it leaves behind.
    void Settle()
    {
        dlg->WaitForBuild();
        PumpUntilIdle();
        dlg->WaitForBuild();
        PumpUntilIdle();
    }
    std::string Printed(const std::string& name, WORD from = 0, WORD to = 0)
    {
        std::string file = data.file(name);
        std::string windows = data.windowsPath() + name;
        mivo::SetPrintDialogHook([=](const PRINTDLGA&, mivo::PrintDialogAnswer& a) {
            a.fromPage = from;
            a.toPage = to;
            a.printQuality = 50;
            a.outputFile = windows;
        });
        dlg->OnPrint();
        return file;
    }
};

bool HavePdfTools()
{
    return std::system("command -v pdftoppm >/dev/null 2>&1 && command -v pdfinfo >/dev/null 2>&1") == 0;
}

}  // namespace

TEST_F(PrintDialog, PagingStaysWithinTheJob)
{
    for (int i = 0; i < 7; ++i)
        dlg->m_arrPaths.Add(Photo("p" + std::to_string(i) + ".jpg", 80, 60));
    Open();
    dlg->ChooseForm(2);
    Settle();
    ASSERT_EQ(4, dlg->GetPageCount());
    struct Step {
        void (CDlgImgPrint::*command)();
        int page;
    } steps[] = {{&CDlgImgPrint::OnPrevPage, 0},  {&CDlgImgPrint::OnFirstPage, 0}, {&CDlgImgPrint::OnLastPage, 3},
                 {&CDlgImgPrint::OnNextPage, 3},  {&CDlgImgPrint::OnPrevPage, 2},  {&CDlgImgPrint::OnFirstPage, 0},
                 {&CDlgImgPrint::OnNextPage, 1}};
    for (const Step& s : steps) {
        (dlg.get()->*s.command)();
        Settle();
        EXPECT_EQ(s.page, dlg->GetCurPage());
    }
    EXPECT_EQ("페이지 2 / 4", std::string(dlg->m_wndStatusBar.GetText(2)));
    ASSERT_TRUE(dlg->m_pPageImg);
    EXPECT_EQ(dlg->m_pPageImg.get(), dlg->m_pView->m_pImgObj);
}

TEST_F(PrintDialog, OneBuildAtATimeAndAFormChosenMeanwhileComesNext)
{
    dlg->m_arrPaths.Add(Photo("a.jpg", 640, 480));
    Open();
    // Nothing to build before a form is chosen.
    EXPECT_EQ(0, dlg->ShowPage(0));
    dlg->LoadPrForm(3);
    EXPECT_EQ(1, dlg->ShowPage(0));
    EXPECT_EQ(0, dlg->ShowPage(0));  // the second click while the first runs
    dlg->ChooseForm(5);              // held until the build ends
    dlg->m_pOptionDlg->m_bRealPreview = 0;
    dlg->RebuildCurrentPage();
    Settle();
    EXPECT_EQ(5, dlg->m_form.nFormNo);
    ASSERT_TRUE(dlg->m_pPageImg);
    EXPECT_EQ(1485, dlg->m_pPageImg->GetWidth());
    EXPECT_EQ(1050, dlg->m_pPageImg->GetHeight());
    EXPECT_EQ(0, g_bPrintPageBusy);
}

TEST_F(PrintDialog, ClosingWhileAPageIsBuiltStopsTheWorkerFirst)
{
    for (int i = 0; i < 4; ++i)
        dlg->m_arrPaths.Add(Photo("big" + std::to_string(i) + ".jpg", 1600, 1200));
    Open();
    dlg->LoadPrForm(3);
    ASSERT_EQ(1, dlg->ShowPage(0));
    // The worker waits on its first report until this thread handles messages: close now.
    dlg->OnCancel();
    EXPECT_EQ(0, g_bPrintPageBusy);
    dlg->DestroyWindow();
    dlg.reset();
    PumpUntilIdle();
}

TEST_F(PrintDialog, TheSlotUnderTheMouseOnlyOnAOnePageJob)
{
    dlg->m_arrPaths.Add(Photo("a.jpg", 100, 100));
    Open();
    dlg->m_form.nFormNo = 9;
    dlg->m_form.nPaperWidth = 2100;
    dlg->m_form.nPaperHeight = 2970;
    PrintFormItem note, slot;
    note.strDrawType = "text";
    slot.strDrawType = "img";
    UINT edges[4] = {200, 100, 600, 400};
    std::copy(edges, edges + 4, slot.nNum);
    std::copy(edges, edges + 4, note.nNum);
    dlg->m_form.items = {note, slot};
    dlg->m_form.nPageCount = 1;
    CImgPrintView& view = *dlg->m_pView;
    std::unique_ptr<CImageObject> page(QuarterPicture(1050, 1485));
    view.m_pImgObj = page.get();
    view.SetZoomRatio(500);
    view.RebuildScrollSizes();
    view.ScrollToPosition(CPoint(0, 0));
    view.m_nOffsetX = view.m_nOffsetY = 10;
    struct Case {
        CPoint at;
        int hit;
    } cases[] = {{CPoint(60, 35), 1}, {CPoint(159, 109), 1}, {CPoint(160, 60), -1}, {CPoint(100, 110), -1},
                 {CPoint(59, 50), -1}};
    for (const Case& c : cases)
        EXPECT_EQ(c.hit, view.HitTestSlot(c.at)) << c.at.x << "," << c.at.y;
    dlg->m_form.nPageCount = 2;
    EXPECT_EQ(-1, view.HitTestSlot(CPoint(100, 60)));
    view.m_pImgObj = nullptr;
}

TEST_F(PrintDialog, PrintingWithoutAFormAsksForOne)
{
    mivotest::MessageBoxCapture boxes;
    dlg->m_arrPaths.Add(Photo("a.jpg", 100, 100));
    Open();
    dlg->OnPrint();
    ASSERT_EQ(1u, boxes.shown().size());
    EXPECT_EQ("인쇄 포맷을 선택하세요.", boxes.shown()[0].text);
}

TEST_F(PrintDialog, PagesTwoToThreeOfACropJobPrintTheirOwnPictures)
{
    if (!HavePdfTools())
        GTEST_SKIP() << "pdftoppm and pdfinfo are needed";
    const COLORREF colours[6] = {RGB(200, 0, 0),   RGB(0, 160, 0),   RGB(0, 0, 200),
                                 RGB(200, 200, 0), RGB(0, 180, 180), RGB(180, 0, 180)};
    for (int i = 0; i < 6; ++i)
        dlg->m_arrPaths.Add(Photo("c" + std::to_string(i) + ".jpg", 160, 120, colours[i]));
    Open();
    dlg->ChooseForm(2);
    Settle();
    ASSERT_EQ(3, dlg->GetPageCount());
    std::string pdf = Printed("range.pdf", 2, 3);
    ASSERT_EQ(2, PdfPages(pdf));
    struct Probe {
        int page;
        COLORREF top, bottom;
    } probes[] = {{1, colours[2], colours[3]}, {2, colours[4], colours[5]}};
    for (const Probe& p : probes) {
        Rendered r;
        ASSERT_TRUE(Render(pdf, p.page, data.file("range"), r));
        EXPECT_LT(r.width, r.height);
        EXPECT_TRUE(Near(p.top, r.At(r.width / 2, r.height / 4))) << "page " << p.page;
        EXPECT_TRUE(Near(p.bottom, r.At(r.width / 2, r.height * 3 / 4))) << "page " << p.page;
        EXPECT_TRUE(Near(RGB(255, 255, 255), r.At(2, 2), 10));
    }
}

TEST_F(PrintDialog, ALandscapeFormPrintsLandscapePagesWithUprightPictures)
{
    if (!HavePdfTools())
        GTEST_SKIP() << "pdftoppm and pdfinfo are needed";
    dlg->m_arrPaths.Add(Photo("q.jpg", 400, 300));
    Open();
    dlg->ChooseForm(6);
    Settle();
    std::string pdf = Printed("landscape.pdf");
    ASSERT_EQ(1, PdfPages(pdf));
    Rendered r;
    ASSERT_TRUE(Render(pdf, 1, data.file("landscape"), r));
    // 297 x 210 mm at 20 dots per inch.
    EXPECT_NEAR(234, r.width, 2);
    EXPECT_NEAR(165, r.height, 2);
    // Slot 1 spans 10..143.5 mm across and 10..100 mm down: its quarters as in the photo.
    auto at = [&](double xMm, double yMm) { return r.At((int)(xMm * 20 / 25.4), (int)(yMm * 20 / 25.4)); };
    EXPECT_TRUE(Near(kTopLeft, at(25, 20)));
    EXPECT_TRUE(Near(kTopRight, at(130, 20)));
    EXPECT_TRUE(Near(kBottomLeft, at(25, 90)));
    EXPECT_TRUE(Near(kBottomRight, at(130, 90)));
}
