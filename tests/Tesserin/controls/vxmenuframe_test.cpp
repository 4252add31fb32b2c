// A frame whose menus are CVXMenu objects: popups synchronise as they open,
// mnemonics find owner-drawn items, popup entries are measured by the menu.
#include "MenuResources.h"
#include "MenuTestSupport.h"
#include "support/MenuTemplateBuilder.h"
#include "support/MessageLoop.h"

#include <gtest/gtest.h>
#include <mivo/testing/input.h>

namespace {

using mivo::test::Item;
using mivo::test::Popup;
using mivo::test::Separator;

const WORD kFrameMenu = 7981;

class CVXMenuFrame : public CFrameWnd {
public:
    CVXMenuFrame() { Create(nullptr, "메뉴 틀", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 420, 300)); }
    CVXMenu m_menu;
    int m_opened = 0;

    afx_msg void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu)
    {
        CFrameWnd::OnInitMenuPopup(popup, index, sysMenu);
        if (!sysMenu && CVXMenu::IsMenu(popup))
            CVXMenu::UpdateMenu(popup);
    }
    afx_msg LRESULT OnMenuChar(UINT ch, UINT flags, CMenu* menu)
    {
        if (CVXMenu::IsMenu(menu))
            return CVXMenu::FindKeyboardShortcut(ch, flags, menu);
        return CFrameWnd::OnMenuChar(ch, flags, menu);
    }
    afx_msg void OnMeasureItem(int id, LPMEASUREITEMSTRUCT mis)
    {
        HMENU item = (HMENU)(UINT_PTR)mis->itemID;
        if (mis->CtlType == ODT_MENU && ::IsMenu(item) && CVXMenu::IsMenu(item)) {
            m_menu.MeasureItem(mis);
            return;
        }
        CFrameWnd::OnMeasureItem(id, mis);
    }
    void OnOpen() { ++m_opened; }
    void OnExport() {}
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CVXMenuFrame, CFrameWnd)
ON_WM_INITMENUPOPUP()
ON_WM_MENUCHAR()
ON_WM_MEASUREITEM()
ON_COMMAND(101, OnOpen)
ON_COMMAND(111, OnExport)
END_MESSAGE_MAP()

class VXMenuFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        menutest::ResetMenuSettings(1);
        m_resources.Add(4, kFrameMenu,
                        mivo::test::BuildMenuTemplate(
                            {Popup(u"파일(&F)", {Item(u"새로(&N)", 100), Item(u"열기(&O)\tCtrl+O", 101), Separator(),
                                                 Popup(u"내보내기(&E)", {Item(u"JPEG", 111)})})}));
        m_resources.Register();
        frame = new CVXMenuFrame;
        ASSERT_TRUE(frame->m_hWnd);
        app.m_pMainWnd = frame;
        ASSERT_TRUE(frame->m_menu.LoadMenu(kFrameMenu));
        frame->SetMenu(&frame->m_menu);
        file = dynamic_cast<CVXMenu*>(frame->m_menu.GetSubMenu(0));
        ASSERT_NE(nullptr, file);
        frame->SetFocus();
        mivo::test::PumpUntilIdle();
    }
    void TearDown() override
    {
        if (app.m_pMainWnd) {
            frame->SetMenu(nullptr);
            frame->DestroyWindow();
        }
        app.m_pMainWnd = nullptr;
        mivo::test::PumpUntilIdle();
        mivo::test::DiscardQuitRequest();
    }
    menutest::Resources m_resources{"vxmenuframe_test"};
    CWinApp app{"메뉴 틀 테스트"};
    CVXMenuFrame* frame = nullptr;
    CVXMenu* file = nullptr;
};

TEST_F(VXMenuFrameTest, OpeningAPopupGivesNewItemsTheirRecords)
{
    ::AppendMenu(file->m_hMenu, MF_STRING, 102, "최근 파일");
    frame->SendMessage(WM_INITMENUPOPUP, (WPARAM)file->m_hMenu, MAKELPARAM(0, FALSE));
    ASSERT_EQ((INT_PTR)file->GetMenuItemCount(), file->GetRecordCount());
    EXPECT_TRUE(file->GetMenuState(4, MF_BYPOSITION) & MF_OWNERDRAW);
    CString text;
    file->GetMenuText(4, text, MF_BYPOSITION);
    EXPECT_EQ(CString("최근 파일"), text);
}

TEST_F(VXMenuFrameTest, MnemonicsAnswerThroughTheFrame)
{
    LRESULT answer = frame->SendMessage(WM_MENUCHAR, MAKEWPARAM('o', MF_POPUP), (LPARAM)file->m_hMenu);
    EXPECT_EQ(MAKELRESULT(1, MNC_EXECUTE), answer);
    HMENU plain = ::CreatePopupMenu();
    EXPECT_EQ(0, frame->SendMessage(WM_MENUCHAR, MAKEWPARAM('o', MF_POPUP), (LPARAM)plain))
        << "other menus get the base answer";
    ::DestroyMenu(plain);
}

TEST_F(VXMenuFrameTest, PopupEntriesAreMeasuredByTheMenu)
{
    MEASUREITEMSTRUCT mis = {};
    mis.CtlType = ODT_MENU;
    mis.itemID = (UINT)(UINT_PTR)::GetSubMenu(file->m_hMenu, 3);
    mis.itemData = (ULONG_PTR)file->GetRecord(3);
    frame->SendMessage(WM_MEASUREITEM, 0, (LPARAM)&mis);
    EXPECT_EQ((UINT)(16 + menutest::MenuTextWidth(u"내보내기(&E)") + 7 + 8), mis.itemWidth);
}

TEST_F(VXMenuFrameTest, TrackedPopupDrawsAndReturnsTheCommand)
{
    mivo::InjectKey(VK_DOWN, true);
    mivo::InjectKey(VK_DOWN, false);
    mivo::InjectKey(VK_DOWN, true);
    mivo::InjectKey(VK_DOWN, false);
    mivo::InjectKey(VK_RETURN, true);
    mivo::InjectKey(VK_RETURN, false);
    UINT command = (UINT)file->TrackPopupMenu(TPM_RETURNCMD | TPM_LEFTALIGN, 60, 60, frame);
    EXPECT_EQ(101u, command);
    EXPECT_EQ((INT_PTR)file->GetMenuItemCount(), file->GetRecordCount());
}

}  // namespace
