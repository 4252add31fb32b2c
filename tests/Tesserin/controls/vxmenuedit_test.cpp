// Synchronising, inserting and removing items keeps every item's data on a live record.
#include "MenuTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

ULONG_PTR ItemData(HMENU menu, int position)
{
    MENUITEMINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA;
    ::GetMenuItemInfo(menu, (UINT)position, TRUE, &info);
    return info.dwItemData;
}

// Every owner-drawn item of the menu points at the record of its position.
void ExpectItemsOnRecords(CVXMenu& menu)
{
    int count = (int)menu.GetMenuItemCount();
    ASSERT_EQ(count, (int)menu.GetRecordCount());
    for (int i = 0; i < count; ++i)
        EXPECT_EQ((ULONG_PTR)menu.GetRecord(i), ItemData(menu.m_hMenu, i)) << "item " << i;
}

std::string TextAt(CVXMenu& menu, int position)
{
    CString text;
    menu.GetMenuText((UINT)position, text, MF_BYPOSITION);
    return std::string((LPCSTR)text);
}

class VXMenuEdit : public ::testing::Test {
protected:
    void SetUp() override
    {
        menutest::ResetMenuSettings(1);
        ASSERT_TRUE(m_menu.CreatePopupMenu());
    }
    CVXMenu m_menu;
};

TEST_F(VXMenuEdit, PlainItemsGetRecordsWhenThePopupOpens)
{
    ::AppendMenu(m_menu.m_hMenu, MF_STRING | MF_CHECKED, 10, "창 1");
    ::AppendMenu(m_menu.m_hMenu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenu(m_menu.m_hMenu, MF_STRING, 11, "창 2");
    CVXMenu::UpdateMenu(&m_menu);
    ExpectItemsOnRecords(m_menu);
    EXPECT_EQ("창 1", TextAt(m_menu, 0));
    EXPECT_TRUE(m_menu.GetMenuState(0, MF_BYPOSITION) & MF_CHECKED) << "the state survives";
    EXPECT_TRUE(m_menu.GetRecord(1)->nFlags & MF_SEPARATOR);

    ::RemoveMenu(m_menu.m_hMenu, 0, MF_BYPOSITION);
    CVXMenu::UpdateMenu(&m_menu);
    ExpectItemsOnRecords(m_menu);
    EXPECT_EQ("창 2", TextAt(m_menu, 1));
    CVXMenu::UpdateMenu(nullptr);
}

TEST_F(VXMenuEdit, InsertRemoveAndSynchroniseInTurns)
{
    m_menu.AppendODMenuA("복사", MF_OWNERDRAW, 1);
    m_menu.AppendODMenuA("붙여넣기", MF_OWNERDRAW, 2);
    m_menu.InsertODMenuA(1, "잘라내기", MF_BYPOSITION | MF_OWNERDRAW, 3);
    m_menu.InsertODMenuA(0, nullptr, MF_BYPOSITION, 0);
    ExpectItemsOnRecords(m_menu);
    EXPECT_EQ("잘라내기", TextAt(m_menu, 2));
    m_menu.RemoveMenu(3, MF_BYCOMMAND);
    CVXMenu::UpdateMenu(&m_menu);
    ExpectItemsOnRecords(m_menu);
    m_menu.DeleteMenu(0, MF_BYPOSITION);
    ::InsertMenu(m_menu.m_hMenu, 0, MF_BYPOSITION | MF_STRING, 4, "모두 선택");
    CVXMenu::UpdateMenu(&m_menu);
    ExpectItemsOnRecords(m_menu);
    EXPECT_EQ("모두 선택", TextAt(m_menu, 0));
    EXPECT_EQ("붙여넣기", TextAt(m_menu, 2));
}

TEST_F(VXMenuEdit, RemovingByPositionTakesThatItemsRecord)
{
    m_menu.AppendODMenuA("위", MF_OWNERDRAW, 5);
    m_menu.AppendODMenuA("아래", MF_OWNERDRAW, 5);
    EXPECT_TRUE(m_menu.RemoveMenu(1, MF_BYPOSITION));
    ExpectItemsOnRecords(m_menu);
    EXPECT_EQ("위", TextAt(m_menu, 0));
}

TEST_F(VXMenuEdit, RemovingAnUnrecordedSeparatorIsSafe)
{
    m_menu.AppendODMenuA("하나", MF_OWNERDRAW, 1);
    ::AppendMenu(m_menu.m_hMenu, MF_SEPARATOR, 0, nullptr);
    EXPECT_TRUE(m_menu.RemoveMenu(1, MF_BYPOSITION));
    EXPECT_TRUE(m_menu.DeleteMenu(0, MF_BYPOSITION));
    EXPECT_EQ(0u, m_menu.GetMenuItemCount());
    EXPECT_EQ(0, m_menu.GetRecordCount());
}

struct ByTextCase {
    const WCHAR* text;
    int option;
    int position;
    std::vector<std::string> left;
};

TEST_F(VXMenuEdit, RemovingByTextTakesSeparatorsBefore)
{
    const ByTextCase cases[] = {
        {u"Paste", 1, 2, {"Copy"}},
        {u"Paste", 0, 2, {"Copy", ""}},
        {u"Paste", 3, 2, {}},
        {u"Copy", 3, 0, {"", "Paste"}},
        {u"Nothing", 1, -1, {"Copy", "", "Paste"}},
    };
    for (const ByTextCase& c : cases) {
        CVXMenu menu;
        ASSERT_TRUE(menu.CreatePopupMenu());
        menu.AppendODMenuA("Copy", MF_OWNERDRAW, 1);
        menu.AppendODMenuA(nullptr, MF_OWNERDRAW, 0);
        menu.AppendODMenuA("Paste", MF_OWNERDRAW, 2);
        EXPECT_EQ(c.position, menu.RemoveMenu(c.text, c.option)) << c.option;
        ASSERT_EQ(c.left.size(), menu.GetMenuItemCount()) << c.option;
        for (size_t i = 0; i < c.left.size(); ++i)
            EXPECT_EQ(c.left[i], TextAt(menu, (int)i));
        ExpectItemsOnRecords(menu);
    }
}

TEST_F(VXMenuEdit, RemovingAPopupForgetsItsHandle)
{
    CVXMenu* sub = m_menu.AppendODPopupMenuA("보내기");
    ASSERT_NE(nullptr, sub);
    sub->AppendODMenuA("메일", MF_OWNERDRAW, 7);
    HMENU handle = sub->m_hMenu;
    EXPECT_TRUE(CVXMenu::IsMenu(handle));
    EXPECT_TRUE(m_menu.DeleteMenu(0, MF_BYPOSITION));
    EXPECT_FALSE(CVXMenu::IsMenu(handle));
    EXPECT_EQ(0, m_menu.GetRecordCount());
}

TEST_F(VXMenuEdit, DestroyLeavesACallersPopupToTheCaller)
{
    CVXMenu own;
    ASSERT_TRUE(own.CreatePopupMenu());
    own.AppendODMenuA("항목", MF_OWNERDRAW, 9);
    {
        CVXMenu parent;
        ASSERT_TRUE(parent.CreatePopupMenu());
        parent.AppendODMenuA("붙인 메뉴", MF_POPUP, (UINT_PTR)own.m_hMenu);
        EXPECT_TRUE(CVXMenu::IsMenu(&own));
        EXPECT_TRUE(parent.DestroyMenu());
    }
    EXPECT_FALSE(CVXMenu::IsMenu(&own));
    EXPECT_EQ(1, own.GetRecordCount()) << "the caller's menu object is still whole";
}

TEST_F(VXMenuEdit, RemovingACallersPopupLeavesItWhole)
{
    CVXMenu own;
    ASSERT_TRUE(own.CreatePopupMenu());
    own.AppendODMenuA("항목", MF_OWNERDRAW, 9);
    m_menu.AppendODMenuA("붙인 메뉴", MF_POPUP, (UINT_PTR)own.m_hMenu);
    EXPECT_TRUE(m_menu.RemoveMenu(0, MF_BYPOSITION));
    EXPECT_EQ(0, m_menu.GetRecordCount());
    EXPECT_TRUE(::IsMenu(own.m_hMenu));
    EXPECT_EQ(1u, own.GetMenuItemCount());
    EXPECT_EQ(1, own.GetRecordCount());
}

TEST_F(VXMenuEdit, TextsByPositionAndCommand)
{
    m_menu.AppendODMenuA("열기", MF_OWNERDRAW, 1);
    CString text;
    EXPECT_FALSE(m_menu.GetMenuText(5, text, MF_BYPOSITION));
    EXPECT_FALSE(m_menu.SetMenuText(5, "x", MF_BYPOSITION));
    EXPECT_FALSE(m_menu.GetMenuText(99, text, MF_BYCOMMAND));
    EXPECT_TRUE(m_menu.SetMenuText(1, "다시 열기", MF_BYCOMMAND));
    EXPECT_EQ("다시 열기", TextAt(m_menu, 0));
    EXPECT_EQ(0, m_menu.GetMenuPositionA("다시 열기"));
    EXPECT_EQ(-1, m_menu.GetMenuPositionA("열기"));
}

TEST_F(VXMenuEdit, ModifyingByCommandReachesEveryCopy)
{
    CVXMenu* sub = m_menu.AppendODPopupMenuA("하위");
    sub->AppendODMenuA("인쇄", MF_OWNERDRAW, 40);
    m_menu.AppendODMenuA("인쇄", MF_OWNERDRAW, 40);
    m_menu.ModifyODMenuA("출력", 40);
    EXPECT_EQ("출력", TextAt(m_menu, 1));
    CString text;
    sub->GetMenuText(0, text, MF_BYPOSITION);
    EXPECT_EQ(CString("출력"), text);
}

}  // namespace
