// The batch resize dialog: the size rules, its options and profile, and runs on real files
// (sizes written, failed files kept, originals deleted only after their result, thumbnails).
#include "../album/BatchFixture.h"

#include "browser/DlgImgBrowseResize.h"
#include "framework/VXApp.h"

using namespace batchtest;

namespace {

using Rule = CDlgImgBrowseResize::SizeRule;

Rule MaxRes(int w, int h, int keep)
{
    Rule r;
    r.bSizeMaxRes = 1;
    r.nMaxWidth = w;
    r.nMaxHeight = h;
    r.bKeepAspect = keep;
    return r;
}

Rule Ratio(int percent)
{
    Rule r;
    r.bSizeMaxRes = 0;
    r.nResizeRatio = percent;
    return r;
}

// Each test starts from its own empty profile store, in the data folder.
class BatchResize : public BatchTest {
protected:
    void SetUp() override
    {
        BatchTest::SetUp();
        savedProfile = app->m_strProfileFile;
        savedRunDir = app->m_strRunDir;
        app->m_strRunDir = data.windowsPath().c_str();
        savedSingle = app->m_bSingleInstance;
        app->m_bSingleInstance = 0;
        app->CloseDBProfile();
        app->SetDBProfile("Profile.resize");
    }
    void TearDown() override
    {
        BatchTest::TearDown();
        app->CloseDBProfile();
        app->m_bSingleInstance = savedSingle;
        app->m_strProfileFile = savedProfile;
        app->m_strRunDir = savedRunDir;
    }
    CSize SizeOf(const std::string& name)
    {
        CImageObject image;
        CSize size(0, 0);
        image.GetImageSizeFromFile(ProgramPath(name), &size);
        return size;
    }
    CString savedProfile;
    CString savedRunDir;
    int savedSingle = 0;

    void SetUpRun(CDlgImgBrowseResize& dlg, const Rule& rule)
    {
        dlg.m_bSizeMaxRes = rule.bSizeMaxRes;
        dlg.m_bSizeRatio = !rule.bSizeMaxRes;
        dlg.m_nMaxWidth = rule.nMaxWidth;
        dlg.m_nMaxHeight = rule.nMaxHeight;
        dlg.m_bKeepAspect = rule.bKeepAspect;
        dlg.m_nResizeRatio = rule.nResizeRatio;
        dlg.m_bSameFolder = 0;
        dlg.m_bDiffFolder = 1;
        dlg.m_bAddPrefix = 0;
        dlg.m_strFolder = ProgramPath("out\\");
        dlg.UpdateData(FALSE);
        dlg.RefreshResultList();
    }
};

}  // namespace

TEST(BatchResizeRule, SizesFollowTheLongerSideOrThePercentage)
{
    struct Case {
        Rule rule;
        int w, h;
        BOOL ok;
        int nw, nh;
    };
    const Case cases[] = {
        {MaxRes(1024, 1024, 1), 2000, 1000, TRUE, 1024, 512},
        {MaxRes(1024, 1024, 0), 2000, 1000, TRUE, 1024, 1024},
        {MaxRes(1024, 1024, 1), 300, 400, TRUE, 768, 1024},
        {MaxRes(800, 600, 1), 500, 500, TRUE, 600, 600},
        {MaxRes(1024, 1024, 1), 100000, 1, TRUE, 1024, 1},
        {Ratio(50), 101, 51, TRUE, 50, 25},
        {Ratio(1), 50, 50, TRUE, 1, 1},
        {Ratio(200), 3, 2, TRUE, 6, 4},
        {MaxRes(-5, 1024, 1), 2000, 1000, FALSE, 0, 0},
        {MaxRes(1024, 0, 1), 300, 400, FALSE, 0, 0},
        {Ratio(-5), 100, 100, FALSE, 0, 0},
        {Ratio(0), 100, 100, FALSE, 0, 0},
        {Ratio(2000000000), 60000, 60000, FALSE, 0, 0},
        {MaxRes(100000, 100000, 1), 10, 10, FALSE, 0, 0},
        {MaxRes(1024, 1024, 1), 0, 10, FALSE, 0, 0},
    };
    for (const Case& c : cases) {
        CSize size(0, 0);
        int i = (int)(&c - cases);
        ASSERT_EQ(c.ok, CDlgImgBrowseResize::NewSize(c.rule, c.w, c.h, &size)) << "case " << i;
        if (c.ok) {
            EXPECT_EQ(CSize(c.nw, c.nh), size) << "case " << i;
        }
    }
}

TEST_F(BatchResize, WithoutAProfileTheSizesAreRepairedToTheirDefaults)
{
    CDlgImgBrowseResize dlg;
    AddFile(dlg, ProgramPath("src\\a.gif"));
    AddFile(dlg, ProgramPath("src\\b.bmp"));
    Open(dlg, IDD_BATCH_RESIZE);
    EXPECT_EQ(1, dlg.m_bSizeMaxRes);
    EXPECT_EQ(0, dlg.m_bSizeRatio);
    EXPECT_EQ(1024, dlg.m_nMaxWidth);
    EXPECT_EQ(1024, dlg.m_nMaxHeight);
    EXPECT_EQ(100, dlg.m_nResizeRatio);
    EXPECT_EQ(1, dlg.m_bKeepAspect);
    EXPECT_EQ(1, dlg.m_bBilinear);
    EXPECT_EQ(0, dlg.m_bBicubic);
    EXPECT_STREQ("Resize_", dlg.m_strPrefix);
    EXPECT_EQ(1, dlg.m_bDiffFolder) << "both folder options read as 0 give the other folder";
    CString width;
    dlg.GetDlgItemText(IDC_RESIZE_MAX_WIDTH, width);
    EXPECT_STREQ("1024", width);
    EXPECT_TRUE(dlg.GetDlgItem(IDC_RESIZE_KEEP_ASPECT)->IsWindowEnabled());
    dlg.m_bAddPrefix = 1;
    dlg.RefreshResultList();
    EXPECT_STREQ("Resize_a.jpg", dlg.m_arrDstName[0]);
    EXPECT_STREQ("Resize_b.bmp", dlg.m_arrDstName[1]);
    dlg.DestroyWindow();
}

TEST_F(BatchResize, ASavedProfileIsReadAndItsEmptyValuesRepaired)
{
    CVXApp* vx = app;
    for (const char* entry : {"SameFolder", "DiffFolder", "SizeMaxRes", "SizeRatio", "MaxWidth"})
        vx->SaveProfileInt("ImgBrowserResize", entry, 0);
    vx->SaveProfileInt("ImgBrowserResize", "MaxHeight", 600);
    vx->SaveProfileInt("ImgBrowserResize", "ResizeRatio", 0);
    vx->SaveProfileString("ImgBrowserResize", "Prefix", "");
    CDlgImgBrowseResize dlg;
    Open(dlg, IDD_BATCH_RESIZE);
    EXPECT_EQ(1, dlg.m_bDiffFolder) << "both folder options 0 give the other folder";
    EXPECT_EQ(0, dlg.m_bSameFolder);
    EXPECT_EQ(1, dlg.m_bSizeMaxRes);
    EXPECT_EQ(1024, dlg.m_nMaxWidth);
    EXPECT_EQ(600, dlg.m_nMaxHeight);
    EXPECT_EQ(100, dlg.m_nResizeRatio);
    EXPECT_STREQ("Resize_", dlg.m_strPrefix);
    dlg.DestroyWindow();
}

TEST_F(BatchResize, TheSizeModesAreExclusiveAndTheRatioBarStopsAtOne)
{
    CDlgImgBrowseResize dlg;
    Open(dlg, IDD_BATCH_RESIZE);
    CWnd* keep = dlg.GetDlgItem(IDC_RESIZE_KEEP_ASPECT);
    dlg.SetDlgItemText(IDC_RESIZE_RATIO, "3");
    EXPECT_EQ(3, dlg.m_nResizeRatio);
    EXPECT_EQ(0, dlg.m_bSizeMaxRes);
    EXPECT_EQ(1, dlg.m_bSizeRatio);
    EXPECT_FALSE(keep->IsWindowEnabled());
    HWND bar = dlg.GetDlgItem(IDC_RESIZE_RATIO_SPIN)->m_hWnd;
    for (int i = 0; i < 5; i++)
        dlg.SendMessage(WM_VSCROLL, SB_LINEDOWN, (LPARAM)bar);
    EXPECT_EQ(1, dlg.m_nResizeRatio);
    dlg.SendMessage(WM_VSCROLL, SB_LINEUP, (LPARAM)bar);
    EXPECT_EQ(2, dlg.m_nResizeRatio);
    dlg.SetDlgItemText(IDC_RESIZE_MAX_WIDTH, "-5");
    EXPECT_EQ(-5, dlg.m_nMaxWidth) << "the edit takes any number";
    EXPECT_EQ(1, dlg.m_bSizeMaxRes);
    EXPECT_EQ(0, dlg.m_bSizeRatio);
    EXPECT_TRUE(keep->IsWindowEnabled());
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_RESIZE_BICUBIC, BN_CLICKED),
                    (LPARAM)dlg.GetDlgItem(IDC_RESIZE_BICUBIC)->m_hWnd);
    EXPECT_EQ(1, dlg.m_bBicubic + dlg.m_bBilinear);
    dlg.DestroyWindow();
}

TEST_F(BatchResize, AnEmptyListStartsNothing)
{
    mivotest::MessageBoxCapture boxes;
    CDlgImgBrowseResize dlg;
    Open(dlg, IDD_BATCH_RESIZE);
    dlg.m_bSameFolder = 1;
    dlg.m_bDiffFolder = 0;
    dlg.UpdateData(FALSE);
    EXPECT_FALSE(dlg.GetDlgItem(IDOK)->IsWindowEnabled());
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
    mivo::test::PumpUntilIdle();
    EXPECT_FALSE(CDlgImgBatch::IsRunning(CDlgImgBatch::kBatchResize));
    EXPECT_TRUE(Reports(dlg.m_hWnd).empty());
    EXPECT_TRUE(boxes.shown().empty());
    dlg.DestroyWindow();
}

TEST_F(BatchResize, ARunWritesEachSizeAndFailsWhatItCannotMake)
{
    struct Case {
        Rule rule;
        const char* reports;
        int w, h;  // of out/wide.jpg; 0 when not written
    };
    const Case cases[] = {
        {MaxRes(100, 100, 1), "10001:9,10002:1,20000:9", 100, 50},
        {MaxRes(100, 100, 0), "10001:9,10002:1,20000:9", 100, 100},
        {Ratio(50), "10001:9,10002:1,20000:9", 100, 50},
        {Ratio(1), "10001:9,10002:1,20000:9", 2, 1},
        {MaxRes(-5, 100, 1), "10001:1,10002:1,20000:9", 0, 0},
    };
    WritePicture("src/wide.jpg", 200, 100);
    WriteText("src/bad.jpg", "not a picture");
    for (const Case& c : cases) {
        SCOPED_TRACE("case " + std::to_string(&c - cases));
        ::unlink(data.file("out/wide.jpg").c_str());
        CDlgImgBrowseResize dlg;
        AddFile(dlg, ProgramPath("src\\wide.jpg"));
        AddFile(dlg, ProgramPath("src\\bad.jpg"));
        Open(dlg, IDD_BATCH_RESIZE);
        SetUpRun(dlg, c.rule);
        mivotest::MessageBoxCapture boxes;
        ASSERT_TRUE(Start(dlg, CDlgImgBatch::kBatchResize));
        std::string reports;
        for (const std::string& r : Reports(dlg.m_hWnd))
            reports += (reports.empty() ? "" : ",") + r;
        EXPECT_EQ(c.reports, reports);
        EXPECT_EQ(CSize(c.w, c.h), SizeOf("out/wide.jpg"));
        EXPECT_FALSE(Exists("out/bad.jpg"));
        EXPECT_EQ("not a picture", Content("src/bad.jpg"));
        dlg.DestroyWindow();
    }
}

TEST_F(BatchResize, OriginalsGoOnlyAfterTheirResultAndNeverWhenTheyAreTheResult)
{
    WritePicture("src/a.jpg", 40, 20);
    WriteText("src/bad.jpg", "not a picture");
    WritePicture("src/same.jpg", 40, 20);
    const std::string same = data.windowsPath() + "src\\same.jpg";
    ASSERT_TRUE(db.exec("insert into AlbumDetail (AlbumID, Seq, PathName) values (1,1,'" + same + "')"));
    mivotest::MessageBoxCapture boxes;

    CDlgImgBrowseResize other;
    AddFile(other, ProgramPath("src\\a.jpg"));
    AddFile(other, ProgramPath("src\\bad.jpg"));
    Open(other, IDD_BATCH_RESIZE);
    SetUpRun(other, Ratio(50));
    other.m_strDeleteSource = "삭제함";
    other.UpdateData(FALSE);
    ASSERT_TRUE(Start(other, CDlgImgBatch::kBatchResize));
    EXPECT_EQ(CSize(20, 10), SizeOf("out/a.jpg"));
    EXPECT_FALSE(Exists("src/a.jpg"));
    EXPECT_EQ("not a picture", Content("src/bad.jpg")) << "a failed file keeps its original";
    EXPECT_EQ("1", db.scalar("select count(*) from ThumbImages where ImgPath = '" + data.windowsPath() +
                             "out\\a.jpg'"))
        << "each result has its thumbnail";
    other.DestroyWindow();

    CDlgImgBrowseResize own;
    AddFile(own, ProgramPath("src\\same.jpg"));
    Open(own, IDD_BATCH_RESIZE);
    SetUpRun(own, Ratio(50));
    own.m_bSameFolder = 1;
    own.m_bDiffFolder = 0;
    own.m_strOnExisting = "덮어쓰기";
    own.m_strDeleteSource = "삭제함";
    own.UpdateData(FALSE);
    own.RefreshResultList();
    ASSERT_TRUE(Start(own, CDlgImgBatch::kBatchResize));
    EXPECT_EQ(CSize(20, 10), SizeOf("src/same.jpg")) << "the result is the file itself";
    EXPECT_EQ("1:1:" + same, Details()) << "and its album row stays";
    own.DestroyWindow();
}
