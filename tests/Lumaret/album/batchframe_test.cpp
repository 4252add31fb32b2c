// The batch frame dialog: the frame's width per picture, the template list and its tiles, the
// preview of the first file, and a run that saves every picture in its frame.
#include "BatchFixture.h"

#include "album/DlgImgBrowseFrame.h"
#include "framework/DataSource.h"
#include "shell/MainApp.h"

using namespace batchtest;

namespace {

class BatchFrame : public BatchTest {
protected:
    // The shipped template database with its three frames (40 x 40 BMP tiles).
    mivotest::TempDatabase templates{"Mivo", {"Mivo.sql", "TemplateSeed.sql"}};

    void SetUp() override
    {
        BatchTest::SetUp();
        theApp.m_strTmplDSN = "Mivo";
        theApp.m_strTmplUID = "";
        theApp.m_strTmplPWD = "";
        // Both data sources in the one private odbc.ini the template database left in use.
        ASSERT_TRUE(RegisterLocalDataSource("MivoUser", (db.folder().windowsPath() + "MivoUser.dat").c_str()));
    }
    void Click(CDlgImgBrowseFrame& dlg, int item)
    {
        _NMREPORTVIEW click;
        click.hdr.hwndFrom = dlg.m_gridFrames.m_hWnd;
        click.hdr.idFrom = IDC_BATCH_FRAME_LIST;
        click.hdr.code = (UINT)RVN_ITEMCLICK;
        click.iItem = item;
        click.iSubItem = item >= 0 ? 0 : -1;
        dlg.SendMessage(WM_NOTIFY, IDC_BATCH_FRAME_LIST, (LPARAM)&click);
    }
    static std::unique_ptr<CImageObject> Blank(int width, int height)
    {
        CImageObject maker;
        return std::unique_ptr<CImageObject>(maker.MakeBlankImageObject(RGB(90, 120, 40), width, height));
    }
    CSize SavedSize(const std::string& name)
    {
        CImageObject reader;
        CSize size(0, 0);
        reader.GetImageSizeFromFile(ProgramPath(name), &size);
        return size;
    }
};

}  // namespace

TEST_F(BatchFrame, TheFramesWidthIsAShareOfTheLongerSideWithinThePicture)
{
    struct Case {
        int width, height, divisor, tile;
    };
    const Case cases[] = {
        {3000, 2000, 15, 200}, {2000, 3000, 15, 200}, {3000, 2000, 3, 1000}, {3000, 2000, 50, 60},
        {3000, 10, 3, 10},     {5, 5, 50, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.tile, CDlgImgBrowseFrame::FrameTileSize(c.width, c.height, c.divisor))
            << c.width << "x" << c.height << " / " << c.divisor;
    std::unique_ptr<CImageObject> corner = Blank(40, 40), edge = Blank(40, 40);
    std::unique_ptr<CImageObject> portrait = Blank(2000, 3000);
    std::unique_ptr<CImageObject> framed = CDlgImgBrowseFrame::Framed(*portrait, corner.get(), edge.get(), 15);
    ASSERT_TRUE(framed);
    EXPECT_EQ(CSize(2400, 3400), CSize(framed->GetWidth(), framed->GetHeight()));
    EXPECT_FALSE(CDlgImgBrowseFrame::Framed(*portrait, nullptr, edge.get(), 15)) << "no tile, no frame";
}

TEST_F(BatchFrame, AChosenTemplateUnpacksItsTilesAndShowsTheFirstFileInIt)
{
    CDlgImgBrowseFrame dlg;
    AddFile(dlg, WritePicture("src/a.jpg", 300, 200));
    Open(dlg, IDD_BATCH_FRAME);
    ASSERT_EQ(3, dlg.m_gridFrames.GetItemCount());
    EXPECT_STREQ("원목 액자", dlg.m_gridFrames.GetItemText(0, 0));
    EXPECT_EQ(1u, dlg.m_gridFrames.GetItemData(0));
    // Nothing chosen: no preview, and nothing to start with.
    EXPECT_FALSE(dlg.m_pPreview);
    EXPECT_FALSE(dlg.GetDlgItem(IDOK)->IsWindowEnabled());
    Click(dlg, -1);
    EXPECT_EQ(-1, dlg.m_nFrameNo) << "a click beside the rows changes nothing";

    Click(dlg, 0);
    EXPECT_EQ(1, dlg.m_nFrameNo);
    EXPECT_TRUE(Exists("Temp/TmplFrame11.bmp"));
    EXPECT_TRUE(Exists("Temp/TmplFrame21.bmp"));
    ASSERT_TRUE(dlg.m_pCorner && dlg.m_pEdge);
    EXPECT_TRUE(dlg.GetDlgItem(IDOK)->IsWindowEnabled());
    ASSERT_TRUE(dlg.m_pPreview);
    const CRect& area = dlg.m_rcPreviewArea;
    const CRect& shown = dlg.m_rcPreview;
    EXPECT_LE(shown.Width(), area.Width() - 3);
    EXPECT_LE(shown.Height(), area.Height() - 3);
    EXPECT_EQ(area.left + (area.Width() - shown.Width()) / 2, shown.left);
    EXPECT_EQ(area.top + (area.Height() - shown.Height()) / 2, shown.top);
    // The framed sample keeps its sides' proportion: 300 x 200 with 20 on each side.
    EXPECT_NEAR(340.0 / 240.0, (double)shown.Width() / shown.Height(), 0.02);

    // The slider: no new preview while the thumb is dragged, one when it is let go.
    CImageObject* before = dlg.m_pPreview.get();
    dlg.m_sliderWidth.SetPos(3);
    dlg.SendMessage(WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 3), (LPARAM)dlg.m_sliderWidth.m_hWnd);
    EXPECT_EQ(3, dlg.m_nDivisor);
    EXPECT_EQ(before, dlg.m_pPreview.get());
    dlg.SendMessage(WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), (LPARAM)dlg.m_sliderWidth.m_hWnd);
    CString shownDivisor;
    dlg.GetDlgItemText(IDC_BATCH_FRAME_DIVISOR, shownDivisor);
    EXPECT_STREQ("3", shownDivisor);
    ASSERT_TRUE(dlg.m_pPreview);
    EXPECT_NEAR(500.0 / 400.0, (double)dlg.m_rcPreview.Width() / dlg.m_rcPreview.Height(), 0.02);
    dlg.DestroyWindow();
}

TEST_F(BatchFrame, ATemplateWithoutAPictureLeavesNoTileBehindAndNothingToStart)
{
    ASSERT_TRUE(templates.exec("insert into FrameImgs select 9, '빈 액자', FrameDate, FrameWidth, FrameHeight, "
                               "FrameWidth2, FrameMemo, FileType1, FileType2, RegUser, FrameImage1, x'' "
                               "from FrameImgs where FrameNo = 1"));
    WriteText("Temp/TmplFrame29.bmp", "an edge of an earlier opening");
    CDlgImgBrowseFrame dlg;
    AddFile(dlg, WritePicture("src/a.jpg", 30, 20));
    Open(dlg, IDD_BATCH_FRAME);
    Click(dlg, 0);
    ASSERT_TRUE(dlg.GetDlgItem(IDOK)->IsWindowEnabled());
    ASSERT_EQ(4, dlg.m_gridFrames.GetItemCount());
    Click(dlg, 3);
    EXPECT_EQ(9, dlg.m_nFrameNo);
    EXPECT_FALSE(Exists("Temp/TmplFrame29.bmp"));
    EXPECT_TRUE(dlg.m_pCorner);
    EXPECT_FALSE(dlg.m_pEdge);
    EXPECT_FALSE(dlg.m_pPreview);
    EXPECT_FALSE(dlg.GetDlgItem(IDOK)->IsWindowEnabled());
    dlg.DestroyWindow();
}

TEST_F(BatchFrame, ARunSavesEveryPictureInItsFrame)
{
    mivotest::MessageBoxCapture boxes;
    CDlgImgBrowseFrame dlg;
    AddFile(dlg, WritePicture("src/wide.jpg", 3000, 2000));
    AddFile(dlg, WritePicture("src/tall.jpg", 2000, 3000));
    Open(dlg, IDD_BATCH_FRAME);
    dlg.m_bSameFolder = 1;
    dlg.m_bDiffFolder = 0;
    dlg.m_bAddPrefix = 1;
    dlg.m_strPrefix = "Frame_";
    dlg.UpdateData(FALSE);
    Click(dlg, 0);
    ASSERT_TRUE(Start(dlg, CDlgImgBatch::kBatchFrame));
    EXPECT_EQ((std::vector<std::string>{"10001:9", "10002:9", "20000:9"}), Reports(dlg.m_hWnd));
    EXPECT_EQ("완료,완료", States(dlg));
    EXPECT_EQ(CSize(3400, 2400), SavedSize("src\\Frame_wide.jpg"));
    EXPECT_EQ(CSize(2400, 3400), SavedSize("src\\Frame_tall.jpg"));
    EXPECT_EQ(std::vector<std::string>{"이미지 크기 변환 일괄작업이 완료되었습니다."}, Texts(boxes));
    EXPECT_TRUE(dlg.m_bChanged);
    dlg.DestroyWindow();
}
