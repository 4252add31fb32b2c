// The popup menu with toolbar images: loading, remapping, measuring, drawing, updating.
#include "MenuResources.h"
#include "MenuTestSupport.h"
#include "controls/VXPopupMenu.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using menutest::Canvas;

const COLORREF kRed = RGB(220, 30, 30);
const COLORREF kBlue = RGB(40, 60, 200);
enum : WORD { kBar = 7971, kMore = 7972, kNoBitmap = 7973, kDamaged = 7974 };

class VXPopupMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_resources.Add(241, kBar, menutest::ToolbarData({301, 0, 302}, 16, 15));
        m_resources.Add(2, kBar, menutest::StripBitmap({kRed, kBlue}, 4));
        m_resources.Add(241, kMore, menutest::ToolbarData({303}, 16, 15));
        m_resources.Add(2, kMore, menutest::StripBitmap({kBlue}, 24));
        m_resources.Add(241, kNoBitmap, menutest::ToolbarData({304}, 16, 15));
        m_resources.Add(241, kDamaged, menutest::Truncated(menutest::ToolbarData({301, 302}), 3));
        m_resources.Register();
    }
    menutest::Resources m_resources{"vxpopupmenu_test"};
};

TEST_F(VXPopupMenuTest, ToolbarImagesAreNumberedForRealButtonsOnly)
{
    CVXPopupMenu menu;
    EXPECT_EQ(CSize(20, 20), menu.GetImageSize());
    ASSERT_TRUE(menu.LoadToolBarResource(kBar));
    EXPECT_EQ(CSize(16, 15), menu.GetImageSize()) << "the button size";
    EXPECT_EQ(0, menu.FindImageItem(301));
    EXPECT_EQ(1, menu.FindImageItem(302));
    EXPECT_EQ(-1, menu.FindImageItem(0));
    ASSERT_TRUE(menu.AddToolBarResource(kMore));
    EXPECT_EQ(2, menu.FindImageItem(303)) << "numbered on from the images already there";
}

TEST_F(VXPopupMenuTest, BadToolbarsLeaveTheTableAlone)
{
    CVXPopupMenu menu;
    EXPECT_FALSE(menu.AddToolBarResource(kMore)) << "no list to add to yet";
    ASSERT_TRUE(menu.LoadToolBarResource(kBar));
    for (UINT id : {(UINT)kNoBitmap, (UINT)kDamaged, 7979u})
        EXPECT_FALSE(menu.AddToolBarResource(id)) << id;
    EXPECT_EQ(2u, menu.ImageItems().size());
}

TEST_F(VXPopupMenuTest, RemappingNumbersTitlesByDepthAndKeepsSubmenus)
{
    CVXPopupMenu menu;
    ASSERT_TRUE(menu.LoadToolBarResource(kBar));
    ASSERT_TRUE(menu.CreatePopupMenu());
    HMENU send = ::CreatePopupMenu(), more = ::CreatePopupMenu();
    ::AppendMenu(more, MF_STRING, 303, "더 보기 항목");
    ::AppendMenu(send, MF_STRING, 302, "메일");
    ::AppendMenu(send, MF_POPUP, (UINT_PTR)more, "더 보기");
    menu.AppendMenu(MF_STRING, 301, "열기\tCtrl+O");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_POPUP, (UINT_PTR)send, "보내기");
    menu.RemapMenu(&menu);

    auto spawnOf = [](HMENU m, int position) {
        MENUITEMINFO info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_DATA | MIIM_FTYPE;
        ::GetMenuItemInfo(m, (UINT)position, TRUE, &info);
        EXPECT_TRUE(info.fType & MFT_OWNERDRAW) << position;
        return (const CVXPopupMenu::SpawnItem*)info.dwItemData;
    };
    EXPECT_EQ(301, spawnOf(menu.m_hMenu, 0)->iCmd);
    EXPECT_EQ(0, spawnOf(menu.m_hMenu, 0)->iImageIdx);
    EXPECT_EQ(-3, spawnOf(menu.m_hMenu, 1)->iCmd);
    EXPECT_EQ(-3, spawnOf(menu.m_hMenu, 1)->iImageIdx) << "a separator takes no image";
    EXPECT_EQ(-4, spawnOf(menu.m_hMenu, 2)->iCmd) << "outermost title";
    EXPECT_EQ(-2, spawnOf(send, 1)->iCmd) << "deeper entry";
    EXPECT_EQ(1, spawnOf(send, 0)->iImageIdx);
    EXPECT_EQ(send, ::GetSubMenu(menu.m_hMenu, 2)) << "still reachable";
    EXPECT_EQ(more, ::GetSubMenu(send, 1));
    EXPECT_STREQ("더 보기 항목", spawnOf(more, 0)->cText);
    EXPECT_EQ(6u, menu.SpawnCount());
}

TEST_F(VXPopupMenuTest, MeasuringFixedShapes)
{
    CVXPopupMenu menu;
    ASSERT_TRUE(menu.LoadToolBarResource(kBar));
    auto measure = [&menu](const CVXPopupMenu::SpawnItem* item) {
        MEASUREITEMSTRUCT mis = {};
        mis.CtlType = ODT_MENU;
        mis.itemData = (ULONG_PTR)item;
        menu.MeasureItem(&mis);
        return CSize((int)mis.itemWidth, (int)mis.itemHeight);
    };
    EXPECT_EQ(CSize(10, 6), measure(menu.AddSpawnItem("", -3)));
    EXPECT_EQ(CSize(100, 20), measure(menu.AddSpawnItem("", 301)));
    CSize item = measure(menu.AddSpawnItem("열기", 301));
    EXPECT_GE(item.cy, 20);
    EXPECT_GT(item.cx, 17 + item.cy);
    int foreign = 0;
    EXPECT_EQ(CSize(0, 0), measure((const CVXPopupMenu::SpawnItem*)&foreign)) << "not one of its records";
}

TEST_F(VXPopupMenuTest, LongKoreanTextIsCutOnACharacter)
{
    CVXPopupMenu menu;
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "가";
    const CVXPopupMenu::SpawnItem* item = menu.AddSpawnItem(text.c_str(), 5);
    EXPECT_EQ(126u, std::strlen(item->cText));
    EXPECT_EQ(text.substr(0, 126), item->cText);
    std::string odd = "a" + text;
    EXPECT_EQ(127u, std::strlen(menu.AddSpawnItem(odd.c_str(), 5)->cText));
    EXPECT_EQ(-1, menu.AddSpawnItem(nullptr, 5)->iImageIdx);
}

struct PopupDrawCase {
    const char* name;
    int command;
    UINT state;
    bool checkInk;  // the check mark shows in the image column
};

TEST_F(VXPopupMenuTest, CheckedItemsWithoutImageShowTheCheck)
{
    const PopupDrawCase cases[] = {
        {"checked, no image", 9, ODS_CHECKED, true},
        {"unchecked, no image", 9, 0, false},
        {"checked with image", 301, ODS_CHECKED, false},
    };
    for (const PopupDrawCase& c : cases) {
        CVXPopupMenu menu;
        ASSERT_TRUE(menu.LoadToolBarResource(kBar));
        ASSERT_TRUE(menu.CreatePopupMenu());
        CVXPopupMenu::SpawnItem* item = menu.AddSpawnItem("항목", c.command);
        Canvas canvas(160, 20, RGB(1, 2, 3));
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_MENU;
        dis.itemState = c.state;
        dis.hDC = canvas.dc();
        dis.rcItem = RECT{0, 0, 160, 20};
        dis.itemData = (ULONG_PTR)item;
        menu.DrawItem(&dis);
        EXPECT_EQ(c.checkInk, canvas.Holds(RECT{0, 0, 20, 20}, ::GetSysColor(COLOR_MENUTEXT))) << c.name;
        EXPECT_EQ(::GetSysColor(COLOR_MENU), canvas.At(150, 10)) << c.name;
        if (c.command == 301) {
            EXPECT_EQ(RGB(255, 0, 0), canvas.At(2 + 7, 2 + 7)) << "the 16-colour image centred in the column";
        }
    }
}

TEST_F(VXPopupMenuTest, TheDefaultItemIsBold)
{
    CVXPopupMenu menu;
    CVXPopupMenu::SpawnItem* item = menu.AddSpawnItem("기본 항목 Default", 9);
    auto ink = [&](UINT state) {
        Canvas canvas(200, 24, RGB(1, 2, 3));
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_MENU;
        dis.itemState = state;
        dis.hDC = canvas.dc();
        dis.rcItem = RECT{0, 0, 200, 24};
        dis.itemData = (ULONG_PTR)item;
        menu.DrawItem(&dis);
        int n = 0;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 200; ++x)
                n += canvas.At(x, y) != ::GetSysColor(COLOR_MENU);
        return n;
    };
    EXPECT_GT(ink(ODS_DEFAULT), ink(0));
}

class UpdateTarget : public CWnd {
public:
    void OnUpdateOpen(CCmdUI* ui) { ui->Enable(FALSE); }
    void OnUpdateMail(CCmdUI* ui) { ui->SetCheck(1); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(UpdateTarget, CWnd)
ON_UPDATE_COMMAND_UI(301, OnUpdateOpen)
ON_UPDATE_COMMAND_UI(302, OnUpdateMail)
END_MESSAGE_MAP()

TEST_F(VXPopupMenuTest, ItemsAreUpdatedThroughTheTargetsHandlers)
{
    CVXPopupMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    HMENU send = ::CreatePopupMenu();
    ::AppendMenu(send, MF_STRING, 302, "메일");
    menu.AppendMenu(MF_STRING, 301, "열기");
    menu.AppendMenu(MF_POPUP, (UINT_PTR)send, "보내기");
    menu.AppendMenu(MF_STRING, 303, "닫기");
    UpdateTarget target;
    menu.EnableMenuItems(&menu, &target);
    EXPECT_TRUE(menu.GetMenuState(301, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(::GetMenuState(send, 302, MF_BYCOMMAND) & MF_CHECKED) << "inside the submenu";
    EXPECT_FALSE(menu.GetMenuState(303, MF_BYCOMMAND) & MF_GRAYED) << "no handler, left alone";
}

}  // namespace
