// The process-wide image store filled from toolbar resources.
#include "MenuResources.h"
#include "MenuTestSupport.h"

#include <gtest/gtest.h>

namespace {

const COLORREF kRed = RGB(220, 30, 30);
const COLORREF kGreen = RGB(30, 160, 60);
const COLORREF kBlue = RGB(40, 60, 200);
const COLORREF kYellow = RGB(230, 200, 20);
const COLORREF kCanvas = RGB(10, 20, 30);

enum : WORD { kMain = 7901, kSecond = 7902, kPalette = 7903, kBroken = 7904, kPlain = 7905, kSixteen = 7906 };

class VXMenuImages : public ::testing::Test {
protected:
    void SetUp() override
    {
        menutest::ResetMenuSettings(1);
        CVXMenu::hicolor_bitmaps = FALSE;
        m_resources.Add(241, kMain, menutest::ToolbarData({101, 0, 102, 103}));
        m_resources.Add(2, kMain, menutest::StripBitmap({kRed, kGreen, kBlue}, 24));
        m_resources.Add(241, kSecond, menutest::ToolbarData({102}));
        m_resources.Add(2, kSecond, menutest::StripBitmap({kYellow}, 24));
        m_resources.Add(241, kPalette, menutest::ToolbarData({103}));
        m_resources.Add(2, kPalette, menutest::StripBitmap({kBlue}, 8));
        m_resources.Add(241, kPlain, menutest::ToolbarData({104}));
        m_resources.Add(2, kPlain, menutest::StripBitmap({kGreen}, 24));
        m_resources.Add(241, kSixteen, menutest::ToolbarData({105}));
        m_resources.Add(2, kSixteen, menutest::StripBitmap({RGB(0, 0, 0)}, 4));
        m_resources.Add(241, kBroken, {1, 0, 16});  // cut inside its header
        m_resources.Register();
        ASSERT_TRUE(m_menu.CreatePopupMenu());
        m_menu.AppendODMenuA("빨강", MF_OWNERDRAW, 101);
        m_menu.AppendODMenuA("초록", MF_OWNERDRAW, 102);
        m_menu.AppendODMenuA("파랑", MF_OWNERDRAW, 103);
    }

    // The centre and the corner of the image stored for a command, drawn transparent.
    std::pair<COLORREF, COLORREF> StoredImage(int command)
    {
        int slot = m_menu.GlobalImageListOffset(command);
        EXPECT_GE(slot, 0) << command;
        menutest::Canvas canvas(16, 15, kCanvas);
        CVXMenu::m_AllImages.Draw(CDC::FromHandle(canvas.dc()), slot, CPoint(0, 0), ILD_TRANSPARENT);
        return {canvas.At(7, 7), canvas.At(0, 0)};
    }

    int SlotsOf(int command)
    {
        int n = 0;
        for (INT_PTR i = 0; i < CVXMenu::m_AllImagesID.GetSize(); ++i)
            n += CVXMenu::m_AllImagesID[i] == command;
        return n;
    }

    menutest::Resources m_resources{"vxmenuimages_test"};
    CVXMenu m_menu;
};

TEST_F(VXMenuImages, EachCommandTakesFourSlotsOnceWithVariants)
{
    ASSERT_TRUE(m_menu.LoadToolbar(kMain));
    EXPECT_EQ(4, SlotsOf(101));
    EXPECT_EQ(4, SlotsOf(103));
    int slot = m_menu.GlobalImageListOffset(101);
    EXPECT_TRUE(m_menu.CanDraw3DImageList(slot));
    ASSERT_TRUE(m_menu.LoadToolbar(kMain));
    EXPECT_EQ(4, SlotsOf(101)) << "stored again, replaced in place";
    EXPECT_EQ(slot, m_menu.GlobalImageListOffset(101));
    EXPECT_EQ(m_menu.GlobalImageListOffset(101), m_menu.GetRecord(0)->global_offset);
}

TEST_F(VXMenuImages, WithoutVariantsOneSlot)
{
    menutest::ResetMenuSettings(0);
    m_menu.AppendODMenuA("넷", MF_OWNERDRAW, 104);
    ASSERT_TRUE(m_menu.LoadToolbar(kPlain));
    EXPECT_EQ(1, SlotsOf(104));
    EXPECT_FALSE(m_menu.CanDraw3DImageList(m_menu.GlobalImageListOffset(104)));
}

TEST_F(VXMenuImages, ImagesFollowTheButtonsPastSeparators)
{
    ASSERT_TRUE(m_menu.LoadToolbar(kMain));
    EXPECT_EQ(kRed, StoredImage(101).first);
    EXPECT_EQ(kGreen, StoredImage(102).first);
    EXPECT_EQ(kBlue, StoredImage(103).first);
}

TEST_F(VXMenuImages, LightGreyIsTransparent)
{
    ASSERT_TRUE(m_menu.LoadToolbar(kMain));
    EXPECT_EQ(kCanvas, StoredImage(101).second);
}

TEST_F(VXMenuImages, TheToolbarLoadedLastWinsInEveryMenu)
{
    CVXMenu other;
    ASSERT_TRUE(other.CreatePopupMenu());
    ASSERT_TRUE(m_menu.LoadToolbar(kMain));
    ASSERT_TRUE(m_menu.LoadToolbar(kSecond));
    EXPECT_EQ(kYellow, StoredImage(102).first);
    EXPECT_EQ(4, SlotsOf(102));
    other.AppendODMenuA("초록", MF_OWNERDRAW, 102);
    EXPECT_EQ(m_menu.GlobalImageListOffset(102), other.GetRecord(0)->global_offset);
}

TEST_F(VXMenuImages, ManyColoursSetTheHighColourFlag)
{
    EXPECT_FALSE(CVXMenu::hicolor_bitmaps);
    ASSERT_TRUE(m_menu.LoadToolbar(kPalette));
    EXPECT_TRUE(CVXMenu::hicolor_bitmaps);
    EXPECT_EQ(kBlue, StoredImage(103).first);
}

TEST_F(VXMenuImages, ToolbarListsReportBadIdsAndLoadTheRest)
{
    UINT none[1] = {0};
    EXPECT_TRUE(m_menu.LoadToolbars(none, 0));
    UINT ids[] = {kMain, 7999, kSecond};
    EXPECT_FALSE(m_menu.LoadToolbars(ids, 3));
    EXPECT_EQ(kRed, StoredImage(101).first);
    EXPECT_EQ(kYellow, StoredImage(102).first);
    EXPECT_FALSE(m_menu.LoadToolbar(kBroken));
}

TEST_F(VXMenuImages, AppendingWithAToolbarIdStoresTheButtonImage)
{
    CVXMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    ASSERT_TRUE(menu.AppendODMenuA("파랑", MF_OWNERDRAW, 103, kMain));
    EXPECT_EQ(kBlue, StoredImage(103).first);
    EXPECT_EQ(menu.GlobalImageListOffset(103), menu.GetRecord(0)->global_offset);
    EXPECT_EQ(-1, menu.GetRecord(0)->nID);
}

TEST_F(VXMenuImages, ARecordsOwnListHoldsTheVariants)
{
    ASSERT_TRUE(m_menu.ModifyODMenuA(nullptr, "초록", kSecond));
    CVXMenuData* record = m_menu.GetRecord(1);
    ASSERT_NE(nullptr, record->bitmap);
    EXPECT_EQ(4, record->bitmap->GetImageCount());
    EXPECT_EQ((int)kSecond, record->nID);
    EXPECT_TRUE(m_menu.ModifyODMenuA(nullptr, "초록", 7998)) << "a missing bitmap leaves no image";
    EXPECT_EQ(nullptr, record->bitmap);
    EXPECT_EQ(-1, record->nID);
    EXPECT_FALSE(m_menu.ModifyODMenuA(nullptr, "없음", kSecond));
}

TEST_F(VXMenuImages, ColourSwatchesBecomeTheCommandsImage)
{
    CSize small(10, 9);
    ASSERT_TRUE(m_menu.ModifyODMenuW(u"빨간 글자", 101, RGB(250, 10, 10), RGB(0, 0, 0), -1, &small));
    auto image = StoredImage(101);
    EXPECT_EQ(RGB(250, 10, 10), image.first);
    CString text;
    m_menu.GetMenuText(0, text, MF_BYPOSITION);
    EXPECT_EQ(CString("빨간 글자"), text);
}

TEST_F(VXMenuImages, AnItemWithItsOwnListCopiesTheImage)
{
    CImageList source;
    source.Create(16, 15, ILC_COLORDDB | ILC_MASK, 2, 1);
    CBitmap strip;
    HDC screen = ::GetDC(nullptr);
    strip.Attach(::CreateCompatibleBitmap(screen, 32, 15));
    ::ReleaseDC(nullptr, screen);
    {
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        CBitmap* old = dc.SelectObject(&strip);
        dc.FillSolidRect(0, 0, 16, 15, kRed);
        dc.FillSolidRect(16, 0, 16, 15, kBlue);
        dc.SelectObject(old);
    }
    source.Add(&strip, RGB(192, 192, 192));
    CVXMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    ASSERT_TRUE(menu.AppendMenuA(MF_STRING, 150, "파랑", &source, 1));
    CVXMenuData* record = menu.GetRecord(0);
    ASSERT_NE(nullptr, record->bitmap);
    EXPECT_EQ(4, record->bitmap->GetImageCount()) << "the image and its three variants";
    EXPECT_EQ(0, record->xoffset);
    menutest::Canvas canvas(16, 15, kCanvas);
    record->bitmap->Draw(CDC::FromHandle(canvas.dc()), 0, CPoint(0, 0), ILD_TRANSPARENT);
    EXPECT_EQ(kBlue, canvas.At(7, 7));
}

TEST_F(VXMenuImages, SixteenColourImagesFollowTheButtonColours)
{
    const INT elements[] = {COLOR_BTNTEXT};
    const COLORREF saved[] = {::GetSysColor(COLOR_BTNTEXT)};
    const COLORREF text[] = {RGB(0, 90, 0)};
    ::SetSysColors(1, elements, text);
    m_menu.AppendODMenuA("검정", MF_OWNERDRAW, 105);
    bool loaded = m_menu.LoadToolbar(kSixteen);
    ::SetSysColors(1, elements, saved);
    ASSERT_TRUE(loaded);
    EXPECT_FALSE(CVXMenu::hicolor_bitmaps) << "sixteen colours are not high colour";
    auto image = StoredImage(105);
    EXPECT_EQ(RGB(0, 90, 0), image.first) << "black became the button text colour";
    EXPECT_EQ(kCanvas, image.second) << "light grey, the face, stays transparent";
}

}  // namespace

TEST_F(VXMenuImages, AddFromToolBarGivesItemsOwnListsAndKeepsPlainTexts)
{
    const WORD kLive = 7907;
    m_resources.Add(241, kLive, menutest::ToolbarData({101, 0, 106}));
    m_resources.Add(2, kLive, menutest::StripBitmap({kRed, kGreen}, 24));
    m_resources.Register();
    m_menu.CMenu::AppendMenu(MF_STRING, 106, "여섯");
    CToolBar bar;
    ASSERT_TRUE(bar.Create(CWnd::GetDesktopWindow(), WS_CHILD | CBRS_TOP, AFX_IDW_TOOLBAR));
    ASSERT_TRUE(bar.LoadToolBar(kLive));

    m_menu.AddFromToolBar(&bar, kLive);
    auto record = [this](UINT_PTR command) -> CVXMenuData* {
        for (INT_PTR i = 0; i < m_menu.GetRecordCount(); ++i)
            if (m_menu.GetRecord(i)->nCommand == command)
                return m_menu.GetRecord(i);
        return nullptr;
    };
    CVXMenuData* red = record(101);
    CVXMenuData* six = record(106);
    ASSERT_NE(nullptr, red);
    ASSERT_NE(nullptr, six);
    EXPECT_EQ(kLive, red->nID);
    EXPECT_EQ(0, red->xoffset);
    ASSERT_NE(nullptr, red->bitmap);
    EXPECT_GE(red->bitmap->GetImageCount(), 2);
    EXPECT_EQ(1, six->xoffset);
    EXPECT_EQ(CString("여섯"), six->GetString());
    EXPECT_TRUE(m_menu.GetMenuState(106, MF_BYCOMMAND) & MF_OWNERDRAW);
    EXPECT_EQ(nullptr, record(102)->bitmap) << "not on this tool bar";

    m_menu.AddFromToolBar(&bar, 7690);  // no such bitmap: the own lists go
    EXPECT_EQ(nullptr, red->bitmap);
    EXPECT_EQ(-1, red->xoffset);
    EXPECT_EQ(-1, red->nID);
    bar.DestroyWindow();
}
