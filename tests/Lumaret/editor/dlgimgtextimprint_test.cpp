// The text imprint dialog: its first-use defaults, what the profile keeps
// (face, size, colours) and what it does not (styles), the face name cut on
// a character boundary, and the histogram dialog's chart.
#include "DialogFixture.h"

#include "editor/DlgImgHistogram.h"
#include "editor/DlgImgTextImprint.h"
#include "image/ImageFilter.h"
#include "resource.h"

#include <cstring>

using editortest::DialogTest;

namespace {

class TextDialog : public DialogTest {
protected:
    // A profile store of the test's own, kept open as the program keeps its own.
    void OpenProfile()
    {
        m_app->m_strRunDir = m_data.windowsPath().c_str();
        m_app->OpenDBProfile("Profile.editor");
    }
    void TearDown() override
    {
        m_app->CloseDBProfile();
        DialogTest::TearDown();
    }
};

}  // namespace

TEST_F(TextDialog, FirstUseIsGulimEightyBlackOnWhiteTransparent)
{
    CDlgImgTextImprint dlg;
    std::string face;
    Run(dlg, {[&](HWND box) {
        face = Text(box, IDC_TX_FACE);
        Press(box, IDOK);
    }});
    EXPECT_EQ("굴림", face);
    EXPECT_STREQ("굴림", dlg.m_lf.lfFaceName);
    EXPECT_EQ(80, dlg.m_lf.lfHeight);
    EXPECT_EQ(RGB(0, 0, 0), dlg.m_clrText);
    EXPECT_EQ(RGB(255, 255, 255), dlg.m_clrBack);
    EXPECT_EQ(1, dlg.m_bTransparentBk);
    EXPECT_EQ(FW_NORMAL, dlg.m_lf.lfWeight);
    EXPECT_EQ(0, dlg.m_lf.lfItalic);
}

TEST_F(TextDialog, FaceSizeAndColoursAreKeptButNotTheStyles)
{
    OpenProfile();
    {
        CDlgImgTextImprint dlg;
        Run(dlg, {[&](HWND box) {
            ::SetDlgItemText(box, IDC_TX_SIZE, "36");
            ::SendMessage(::GetDlgItem(box, IDC_TX_BOLD), BM_CLICK, 0, 0);
            ::SendMessage(::GetDlgItem(box, IDC_TX_ITALIC), BM_CLICK, 0, 0);
            dlg.m_clrText = RGB(10, 20, 30);
            Press(box, IDOK);
        }});
        EXPECT_EQ(FW_BOLD, dlg.m_lf.lfWeight);
        EXPECT_EQ(1, dlg.m_lf.lfItalic);
    }
    CDlgImgTextImprint again;
    Run(again, {[&](HWND box) { Press(box, IDOK); }});
    EXPECT_EQ(36, again.m_lf.lfHeight);
    EXPECT_EQ(RGB(10, 20, 30), again.m_clrText);
    EXPECT_EQ(FW_NORMAL, again.m_lf.lfWeight);
    EXPECT_EQ(0, again.m_lf.lfItalic);
    EXPECT_EQ(0, again.m_bBold);

    // A stored black background is taken for no background and comes back white.
    m_app->SaveProfileInt("ImgTextImprint", "ImprintBkColor", 0);
    CDlgImgTextImprint third;
    Run(third, {[&](HWND box) { Press(box, IDOK); }});
    EXPECT_EQ(RGB(255, 255, 255), third.m_clrBack);
}

TEST_F(TextDialog, AnEmptySizeBoxKeepsTheHeightAndAsksNothing)
{
    CDlgImgTextImprint dlg;
    Run(dlg, {[&](HWND box) {
        ::SetDlgItemText(box, IDC_TX_TEXT, "가나다 ABC");
        ::SetDlgItemText(box, IDC_TX_SIZE, "");
        ::InvalidateRect(box, nullptr, TRUE);
        ::UpdateWindow(box);
        Press(box, IDOK);
    }});
    EXPECT_TRUE(m_boxes.shown().empty());
    EXPECT_EQ(80, dlg.m_lf.lfHeight);
    EXPECT_EQ(CString("가나다 ABC"), dlg.m_strText);
}

TEST(TextImprintFace, IsCutToThirtyOneBytesOnACharacterBoundary)
{
    struct Case {
        std::string face;
        std::string kept;
    } cases[] = {
        {"굴림", "굴림"},
        {std::string(31, 'a'), std::string(31, 'a')},
        {std::string(40, 'a'), std::string(31, 'a')},
        // 30 single bytes leave room for one byte: the next syllable waits.
        {std::string(30, 'a') + "가", std::string(30, 'a')},
        {std::string(29, 'a') + "가나", std::string(29, 'a') + "가"},
    };
    for (const Case& c : cases) {
        char field[LF_FACESIZE];
        std::memset(field, 'x', sizeof field);
        CDlgImgTextImprint::CopyFaceName(field, c.face.c_str());
        EXPECT_EQ(c.kept, std::string(field)) << c.face;
    }
}

class HistogramDialog : public DialogTest {
protected:
    int m_table[CDlgImgHistogram::kTables * CDlgImgHistogram::kLevels] = {};

    // Whether the chart's column at `level` is painted `colour` at height `v`.
    static bool BarAt(HWND box, int level, int v, COLORREF colour)
    {
        RECT chart;
        ::GetWindowRect(::GetDlgItem(box, IDC_HG_CHART), &chart);
        POINT corner = {chart.left, chart.top};
        ::ScreenToClient(box, &corner);
        return ShownPixel(box, corner.x + level, corner.y + 256 - v + 1) == colour;
    }
};

TEST_F(HistogramDialog, EachTabDrawsItsTableAtOnce)
{
    // Tables: luminance, blue, green, red.
    m_table[0 * 256 + 50] = 100;
    m_table[3 * 256 + 200] = 255;
    CDlgImgHistogram dlg;
    dlg.m_pHistogram = m_table;
    bool grayBar = false, redBar = false, redOnGray = true, grayOnRed = true;
    Run(dlg, {[&](HWND box) {
        grayBar = BarAt(box, 50, 100, RGB(0xA0, 0xA0, 0xA0));
        redOnGray = BarAt(box, 200, 255, RGB(255, 0, 0));
        dlg.m_tabs.SetCurSel(1);
        NMHDR change = {::GetDlgItem(box, IDC_HG_TABS), IDC_HG_TABS, (UINT)TCN_SELCHANGE};
        ::SendMessage(box, WM_NOTIFY, IDC_HG_TABS, (LPARAM)&change);
        redBar = BarAt(box, 200, 255, RGB(255, 0, 0));
        grayOnRed = BarAt(box, 50, 100, RGB(0xA0, 0xA0, 0xA0));
        Press(box, IDOK);
    }});
    EXPECT_TRUE(grayBar);
    EXPECT_FALSE(redOnGray);
    EXPECT_TRUE(redBar);
    EXPECT_FALSE(grayOnRed);
    EXPECT_EQ(1, dlg.m_nChannel);
}

TEST_F(HistogramDialog, ABlackPictureShowsNoBars)
{
    CImageObject maker;
    std::unique_ptr<CImageObject> black(maker.MakeBlankImageObject(RGB(0, 0, 0), 30, 20));
    std::unique_ptr<int[]> table(CImageFilter(black.get()).CreateHistogram(0, 0, 29, 19));
    ASSERT_NE(nullptr, table);
    CDlgImgHistogram dlg;
    dlg.m_pHistogram = table.get();
    int bars = 0;
    Run(dlg, {[&](HWND box) {
        for (int level = 0; level < 256; ++level)
            bars += BarAt(box, level, 2, RGB(0xA0, 0xA0, 0xA0)) ? 1 : 0;
        Press(box, IDOK);
    }});
    EXPECT_EQ(0, bars);
}
