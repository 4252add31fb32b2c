// The frame, mask and margin pickers on a template database of their own:
// the list in key order, a choice's pictures copied byte for byte into
// "Temp" and loaded, and what an empty picture, a bad file type, a typed
// ratio of 0 or a click beside the rows do.
#include "DialogFixture.h"

#include "editor/DlgImgEditFrame.h"
#include "editor/DlgImgEditMask.h"
#include "editor/DlgImgEditShadow.h"
#include "resource.h"

#include <dirent.h>
#include <fstream>
#include <iterator>
#include <set>

using editortest::BlobLiteral;
using editortest::DialogTest;
using editortest::MakeSolid;
using editortest::PictureBytes;

namespace {

class PickerDialog : public DialogTest {
protected:
    mivotest::TempDatabase m_db{"MivoPickerTest", {"Mivo.sql"}};
    std::string m_corner, m_edge, m_mask, m_pattern;
    std::unique_ptr<CImageObject> m_picture;

    void SetUp() override
    {
        DialogTest::SetUp();
        m_app->m_strTmplDSN = m_db.dsn().c_str();
        m_app->m_strTmplUID = "";
        m_app->m_strTmplPWD = "";
        m_corner = PictureBytes(m_data, "corner.bmp", MakeSolid(12, 12, RGB(200, 30, 30)));
        m_edge = PictureBytes(m_data, "edge.bmp", MakeSolid(12, 12, RGB(30, 30, 200)));
        CImageObject* mask = MakeSolid(40, 40, RGB(255, 255, 255));
        mask->DrawRect(CRect(0, 0, 19, 39), RGB(0, 0, 0), 1, 0, 1, 0, 0);
        m_mask = PictureBytes(m_data, "mask.bmp", mask);
        m_pattern = PictureBytes(m_data, "pattern.bmp", MakeSolid(8, 400, RGB(0, 160, 0)));
        const std::string c = BlobLiteral(m_corner), e = BlobLiteral(m_edge);
        // The file takes UTF-8 text, as the driver would write it.
        ASSERT_TRUE(m_db.exec(
            u8"insert into FrameImgs (FrameNo, FrameName, FileType1, FileType2, FrameImage1, FrameImage2) values "
            u8"(3, '셋째 액자', 'bmp', 'bmp', " + c + ", " + e + "),"
            u8"(1, '나무 액자', 'bmp', 'bmp', " + c + ", " + e + "),"
            u8"(2, '모서리만', 'bmp', 'bmp', " + c + ", x''),"
            u8"(4, '나쁜 형식', '..\\..\\x', 'bmp', " + c + ", " + e + ")"));
        ASSERT_TRUE(m_db.exec(u8"insert into MaskImgs (MaskNo, MaskName, FileType, MaskImage) values (7, '반쪽', 'bmp', " +
                              BlobLiteral(m_mask) + ")"));
        ASSERT_TRUE(m_db.exec(
            u8"insert into PatternImgs (PatternNo, PatternName, FileType, PatternImage) values (5, '긴 무늬', 'bmp', " +
            BlobLiteral(m_pattern) + ")"));
        m_picture.reset(MakeSolid(90, 60, RGB(250, 250, 250)));
    }

    std::string FileBytes(const std::string& name) const
    {
        std::ifstream in(m_data.file(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::set<std::string> TempFiles() const
    {
        std::set<std::string> names;
        if (DIR* dir = ::opendir(m_data.file("Temp").c_str())) {
            while (dirent* entry = ::readdir(dir))
                if (entry->d_name[0] != '.')
                    names.insert(entry->d_name);
            ::closedir(dir);
        }
        return names;
    }
    // The list as "key:name" rows.
    static std::string ListText(CVXGridCtrl& list)
    {
        std::string text;
        for (int i = 0; i < list.GetItemCount(); ++i)
            text += (i ? "," : "") + std::to_string((int)list.GetItemData(i)) + ":" +
                    std::string(list.GetItemText(i, 0));
        return text;
    }
    static int ItemOf(CVXGridCtrl& list, int key)
    {
        for (int i = 0; i < list.GetItemCount(); ++i)
            if ((int)list.GetItemData(i) == key)
                return i;
        return -1;
    }
    // A click on the list as the grid reports it.
    static void ClickList(HWND dialog, int listId, int item)
    {
        _NMREPORTVIEW click;
        click.hdr.hwndFrom = ::GetDlgItem(dialog, listId);
        click.hdr.idFrom = (UINT_PTR)listId;
        click.hdr.code = (UINT)RVN_ITEMCLICK;
        click.iItem = item;
        click.iSubItem = item < 0 ? -1 : 0;
        ::SendMessage(dialog, WM_NOTIFY, (WPARAM)listId, (LPARAM)&click);
    }
};

}  // namespace

TEST_F(PickerDialog, AFrameChoiceCopiesBothPicturesAndPreviewsTheFrame)
{
    CDlgImgEditFrame dlg;
    dlg.m_pSrcImage = m_picture.get();
    std::string listed;
    CSize untouched, framed;
    Run(dlg, {[&](HWND box) {
        listed = ListText(dlg.m_wndList);
        untouched = CSize(dlg.m_pPreviewNew->GetWidth(), dlg.m_pPreviewNew->GetHeight());
        ClickList(box, IDC_FR_LIST, ItemOf(dlg.m_wndList, 1));
        framed = CSize(dlg.m_pPreviewNew->GetWidth(), dlg.m_pPreviewNew->GetHeight());
        Press(box, IDOK);
    }});
    EXPECT_EQ("1:나무 액자,2:모서리만,3:셋째 액자,4:나쁜 형식", listed);
    EXPECT_EQ(1, dlg.m_nTemplateNo);
    EXPECT_EQ(m_corner, FileBytes("Temp/TmplFrame11.bmp"));
    EXPECT_EQ(m_edge, FileBytes("Temp/TmplFrame21.bmp"));
    EXPECT_EQ(CString(m_data.windowsPath().c_str()) + "Temp\\TmplFrame11.bmp", dlg.m_strFrameFile1);
    ASSERT_NE(nullptr, dlg.m_pFrameCorner);
    ASSERT_NE(nullptr, dlg.m_pFrameEdge);
    EXPECT_EQ(RGB(200, 30, 30), dlg.m_pFrameCorner->GetPixelColor(5, 5));
    // The framed preview is refitted to the same box, so the picture in it shrinks.
    EXPECT_FALSE(untouched == framed);
    EXPECT_EQ(15, dlg.m_nFrameRatio);
    // The tiles are the caller's now.
    delete dlg.m_pFrameCorner;
    delete dlg.m_pFrameEdge;
}

TEST_F(PickerDialog, AnEmptyPictureABadTypeAndAClickBesideTheRowsLoadNothing)
{
    CDlgImgEditFrame dlg;
    dlg.m_pSrcImage = m_picture.get();
    bool emptyEdge = false, badCorner = false;
    int keyAfterBesideClick = 0;
    std::set<std::string> files;
    Run(dlg, {[&](HWND box) {
        ClickList(box, IDC_FR_LIST, -1);
        keyAfterBesideClick = dlg.m_nTemplateNo;
        ClickList(box, IDC_FR_LIST, ItemOf(dlg.m_wndList, 2));
        emptyEdge = dlg.m_pFrameCorner != nullptr && dlg.m_pFrameEdge == nullptr && dlg.m_nTemplateNo == -1;
        ClickList(box, IDC_FR_LIST, ItemOf(dlg.m_wndList, 4));
        badCorner = dlg.m_pFrameCorner == nullptr;
        files = TempFiles();
        Press(box, IDCANCEL);
    }});
    EXPECT_EQ(-1, keyAfterBesideClick);
    EXPECT_TRUE(emptyEdge);
    EXPECT_TRUE(badCorner);
    EXPECT_EQ((std::set<std::string>{"TmplFrame12.bmp", "TmplFrame24.bmp"}), files);
    EXPECT_EQ(std::string(), FileBytes("x"));
    delete dlg.m_pFrameCorner;
    delete dlg.m_pFrameEdge;
}

TEST_F(PickerDialog, TypedRatiosArePulledIntoTheSliderRange)
{
    struct Case {
        const char* typed;
        const char* shown;
    } cases[] = {{"0", "3"}, {"-7", "3"}, {"99", "50"}, {"20", "20"}};
    for (const Case& c : cases) {
        CDlgImgEditFrame frame;
        frame.m_pSrcImage = m_picture.get();
        std::string shown;
        Run(frame, {[&](HWND box) {
            ::SetDlgItemText(box, IDC_FR_RATIO, c.typed);
            ClickList(box, IDC_FR_LIST, ItemOf(frame.m_wndList, 1));
            shown = Text(box, IDC_FR_RATIO);
            Press(box, IDOK);
        }});
        EXPECT_EQ(c.shown, shown) << c.typed;
        EXPECT_EQ(std::atoi(c.shown), frame.m_nFrameRatio) << c.typed;
        delete frame.m_pFrameCorner;
        delete frame.m_pFrameEdge;

        CDlgImgEditShadow margin;
        margin.m_pSrcImage = m_picture.get();
        Run(margin, {[&](HWND box) {
            ::SetDlgItemText(box, IDC_SH_MARGIN_RATIO, c.typed);
            ::SetDlgItemText(box, IDC_SH_SHADOW_RATIO, c.typed);
            Press(box, IDOK);
        }});
        EXPECT_EQ(std::atoi(c.shown), margin.m_nMarginRatio) << c.typed;
        EXPECT_EQ(std::atoi(c.shown), margin.m_nShadowRatio) << c.typed;
    }
}

TEST_F(PickerDialog, TheMaskSliderWaitsForAMaskAndTheInvertCheckReRenders)
{
    CDlgImgEditMask dlg;
    dlg.m_pSrcImage = m_picture.get();
    std::string numberBeforeChoice;
    size_t boxesBeforeChoice = 99;
    COLORREF leftBefore = 0, leftInverted = 0;
    Run(dlg, {[&](HWND box) {
        dlg.m_slider.SetPos(40);
        ::SendMessage(box, WM_HSCROLL, SB_THUMBPOSITION, (LPARAM)dlg.m_slider.m_hWnd);
        numberBeforeChoice = Text(box, IDC_MK_OFFSET);
        boxesBeforeChoice = m_boxes.shown().size();
        dlg.m_clrFill = RGB(255, 0, 0);
        ClickList(box, IDC_MK_LIST, 0);
        leftBefore = dlg.m_pPreviewNew->GetPixelColor(2, dlg.m_pPreviewNew->GetHeight() / 2);
        ::SendMessage(::GetDlgItem(box, IDC_MK_INVERT), BM_CLICK, 0, 0);
        leftInverted = dlg.m_pPreviewNew->GetPixelColor(2, dlg.m_pPreviewNew->GetHeight() / 2);
        Press(box, IDOK);
    }});
    EXPECT_EQ("40", numberBeforeChoice);
    EXPECT_EQ(0u, boxesBeforeChoice);
    EXPECT_EQ(m_mask, FileBytes("Temp/TmplMask7.bmp"));
    ASSERT_NE(nullptr, dlg.m_pMaskImage);
    EXPECT_NE(leftBefore, leftInverted);
    EXPECT_EQ(1, dlg.m_bInvertMask);
    delete dlg.m_pMaskImage;
}

TEST_F(PickerDialog, MarginPreviewKeepsTheShadowInsideTheMargin)
{
    struct Case {
        int width, marginRatio, shadowRatio, margin, shadow;
    } cases[] = {{100, 10, 5, 10, 9}, {100, 10, 30, 10, 3}, {300, 15, 30, 20, 10}, {20, 50, 50, 0, -1}};
    for (const Case& c : cases) {
        int m = 0, s = 0;
        CDlgImgEditShadow::MarginAndShadow(c.width, c.marginRatio, c.shadowRatio, &m, &s);
        EXPECT_EQ(c.margin, m) << c.width << "/" << c.marginRatio;
        EXPECT_EQ(c.shadow, s) << c.width << "/" << c.shadowRatio;
    }

    CDlgImgEditShadow dlg;
    dlg.m_pSrcImage = m_picture.get();
    dlg.m_nMarginRatio = 10;
    dlg.m_nShadowRatio = 5;
    int scale = -1;
    std::string shadowShown;
    Run(dlg, {[&](HWND box) {
        ClickList(box, IDC_SH_LIST, 0);
        scale = dlg.PatternScale();
        shadowShown = Text(box, IDC_SH_SHADOW_RATIO);
        Press(box, IDOK);
    }});
    EXPECT_EQ(m_pattern, FileBytes("Temp/TmplPattern5.bmp"));
    ASSERT_NE(nullptr, dlg.m_pPatternImage);
    EXPECT_EQ(0, scale);
    EXPECT_EQ("10", shadowShown);
    delete dlg.m_pPatternImage;
}
