// CMenu objects and their handle maps, owner-drawn items reaching their CMenu,
// CCmdUI on menu items.
#include <gtest/gtest.h>

#include <mfc.h>
#include <mivo/testing/input.h>

#include "support/MessageLoop.h"

#include <vector>

using namespace mivo::test;

namespace {

class CRecordingMenu : public CMenu {
public:
    std::vector<UINT> measured;
    std::vector<std::pair<UINT, UINT>> drawn;  // item id, state
    void MeasureItem(LPMEASUREITEMSTRUCT mis) override
    {
        measured.push_back(mis->itemID);
        mis->itemWidth = 120;
        mis->itemHeight = 22;
    }
    void DrawItem(LPDRAWITEMSTRUCT dis) override
    {
        EXPECT_EQ(2u, measured.size()) << "every item is measured before the first is drawn";
        drawn.push_back({dis->itemID, dis->itemState});
    }
};

class CMenuFrame : public CFrameWnd {
public:
    CMenuFrame()
    {
        Create(nullptr, "메뉴 창", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(30, 30, 330, 230));
    }
    void OnOpen() { ++opened; }
    void OnUpdateRadio(CCmdUI* ui) { ui->SetRadio(TRUE); }
    void OnUpdateChecked(CCmdUI* ui)
    {
        ui->SetCheck(1);
        ui->SetText("새 이름(&N)");
    }
    void OnUpdateOff(CCmdUI* ui) { ui->Enable(FALSE); }
    int opened = 0;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMenuFrame, CFrameWnd)
ON_COMMAND(801, OnOpen)
ON_UPDATE_COMMAND_UI(802, OnUpdateRadio)
ON_UPDATE_COMMAND_UI(803, OnUpdateChecked)
ON_UPDATE_COMMAND_UI(805, OnUpdateOff)
END_MESSAGE_MAP()

class MenuClassTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = new CMenuFrame;
        ASSERT_TRUE(frame->m_hWnd);
        app.m_pMainWnd = frame;
        frame->SetFocus();
        PumpUntilIdle();
    }
    void TearDown() override
    {
        if (app.m_pMainWnd)
            frame->DestroyWindow();
        app.m_pMainWnd = nullptr;
        PumpUntilIdle();
        DiscardQuitRequest();
    }
    CWinApp app{"메뉴 테스트"};
    CMenuFrame* frame = nullptr;
};

}  // namespace

TEST_F(MenuClassTest, HandleMapsArePermanentForOwnersAndTemporaryOtherwise)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    EXPECT_EQ(&menu, CMenu::FromHandlePermanent(menu.m_hMenu));
    EXPECT_EQ(&menu, CMenu::FromHandle(menu.m_hMenu));
    HMENU loose = ::CreatePopupMenu();
    ::AppendMenu(menu.m_hMenu, MF_POPUP, (UINT_PTR)loose, "하위");
    CMenu* temp = menu.GetSubMenu(0);
    ASSERT_NE(nullptr, temp);
    EXPECT_EQ(loose, temp->m_hMenu);
    EXPECT_EQ(nullptr, CMenu::FromHandlePermanent(loose));
    EXPECT_EQ(temp, CMenu::FromHandle(loose)) << "the same temporary object until idle time";
    CMenu::DeleteTempMap();

    CMenu other;
    EXPECT_TRUE(other.Attach(loose));
    EXPECT_EQ(&other, menu.GetSubMenu(0));
    EXPECT_EQ(loose, other.Detach());
    EXPECT_EQ(nullptr, CMenu::FromHandlePermanent(loose));

    CString text;
    EXPECT_EQ(4, menu.GetMenuString(0, text, MF_BYPOSITION));
    EXPECT_STREQ("하위", text);
    EXPECT_TRUE(menu.DestroyMenu());
    EXPECT_EQ(nullptr, menu.m_hMenu);
    EXPECT_FALSE(::IsMenu(loose)) << "the popup went with its menu";
}

TEST_F(MenuClassTest, OwnerDrawnItemsReachTheirMenuAndTheCommandReturns)
{
    frame->m_bAutoMenuEnable = FALSE;  // the items have no handlers here
    CRecordingMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_OWNERDRAW, 701, (LPCSTR)(ULONG_PTR)1);
    menu.AppendMenu(MF_OWNERDRAW | MF_CHECKED, 702, (LPCSTR)(ULONG_PTR)2);
    mivo::InjectKey(VK_DOWN, true);
    mivo::InjectKey(VK_DOWN, false);
    mivo::InjectKey(VK_DOWN, true);
    mivo::InjectKey(VK_DOWN, false);
    mivo::InjectKey(VK_RETURN, true);
    mivo::InjectKey(VK_RETURN, false);
    UINT command = (UINT)menu.TrackPopupMenu(TPM_RETURNCMD | TPM_LEFTALIGN, 100, 100, frame);
    EXPECT_EQ(702u, command);
    EXPECT_EQ((std::vector<UINT>{701, 702}), menu.measured);
    ASSERT_GE(menu.drawn.size(), 2u);
    EXPECT_EQ(701u, menu.drawn[0].first);
    EXPECT_EQ(0u, menu.drawn[0].second);
    EXPECT_EQ(702u, menu.drawn[1].first);
    EXPECT_EQ((UINT)ODS_CHECKED, menu.drawn[1].second);
    EXPECT_EQ(std::make_pair(702u, (UINT)(ODS_SELECTED | ODS_CHECKED)), menu.drawn.back());
}

TEST_F(MenuClassTest, PopupUpdateEnablesChecksNamesAndGreysHandlerlessCommands)
{
    CMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    popup.AppendMenu(MF_STRING, 801, "열기(&O)");
    popup.AppendMenu(MF_STRING, 802, "라디오");
    popup.AppendMenu(MF_STRING, 803, "옛 이름");
    popup.AppendMenu(MF_SEPARATOR);
    popup.AppendMenu(MF_STRING, 804, "처리기 없음");
    popup.AppendMenu(MF_STRING, 805, "꺼짐");
    frame->SendMessage(WM_INITMENUPOPUP, (WPARAM)popup.m_hMenu, MAKELPARAM(0, FALSE));

    EXPECT_EQ(0u, popup.GetMenuState(801, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_EQ((UINT)MF_GRAYED, popup.GetMenuState(804, MF_BYCOMMAND) & MF_GRAYED) << "no handler: greyed";
    EXPECT_EQ((UINT)MF_GRAYED, popup.GetMenuState(805, MF_BYCOMMAND) & MF_GRAYED);

    MENUITEMINFO radio = {};
    radio.cbSize = sizeof(radio);
    radio.fMask = MIIM_CHECKMARKS | MIIM_STATE;
    ASSERT_TRUE(popup.GetMenuItemInfo(802, &radio));
    EXPECT_TRUE(radio.fState & MFS_CHECKED);
    EXPECT_NE(nullptr, radio.hbmpChecked) << "a radio item carries the dot bitmap";
    MENUITEMINFO check = radio;
    ASSERT_TRUE(popup.GetMenuItemInfo(803, &check));
    EXPECT_TRUE(check.fState & MFS_CHECKED);
    EXPECT_EQ(nullptr, check.hbmpChecked) << "a plain check has none";
    CString text;
    popup.GetMenuString(803, text, MF_BYCOMMAND);
    EXPECT_STREQ("새 이름(&N)", text);

    // The menu command runs through the frame's map.
    frame->SendMessage(WM_COMMAND, MAKEWPARAM(801, 0));
    EXPECT_EQ(1, frame->opened);
}

TEST_F(MenuClassTest, SystemMenuOfAWindowIsAvailableAsACMenu)
{
    CMenu* system = frame->GetSystemMenu(FALSE);
    ASSERT_NE(nullptr, system);
    CString text;
    system->GetMenuString(SC_CLOSE, text, MF_BYCOMMAND);
    EXPECT_STREQ("닫기(&C)\tAlt+F4", text);
}
