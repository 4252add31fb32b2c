// Typing a mnemonic in an owner-drawn popup: the WM_MENUCHAR answer.
#include "controls/VXMenu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct KeyCase {
    std::vector<std::string> items;
    char key;
    LRESULT expected;
};

const KeyCase kKeyCases[] = {
    {{"&Save", "Save &As"}, 's', 0x20000},
    {{"&Save", "Save &As"}, 'S', 0x20000},
    {{"&Save", "Save &As"}, 'a', 0x20001},
    {{"&Save", "Save &As"}, 'x', 0},
    {{"R&&D &Tools"}, 'd', 0},
    {{"R&&D &Tools"}, 't', 0x20000},
    {{"열기(&O)", "파일(&F)"}, 'f', 0x20001},
    {{"&Copy", "&Cut"}, 'c', 0x20000},  // the upper of equal mnemonics
    {{"끝&"}, 'x', 0},
};

TEST(VXMenuKeys, MnemonicsFindTheirItem)
{
    for (const KeyCase& c : kKeyCases) {
        CVXMenu menu;
        ASSERT_TRUE(menu.CreatePopupMenu());
        UINT id = 10;
        for (const std::string& text : c.items)
            menu.AppendODMenuA(text.c_str(), MF_OWNERDRAW, id++);
        EXPECT_EQ(c.expected, CVXMenu::FindKeyboardShortcut((BYTE)c.key, MF_POPUP, &menu))
            << c.items[0] << " with " << c.key;
    }
}

TEST(VXMenuKeys, OnlyPopupsAnswer)
{
    CVXMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendODMenuA("&Save", MF_OWNERDRAW, 1);
    EXPECT_EQ(0, CVXMenu::FindKeyboardShortcut('s', 0, &menu)) << "typed in the menu bar";
    EXPECT_EQ(0, CVXMenu::FindKeyboardShortcut('s', MF_POPUP, nullptr));
}

TEST(VXMenuKeys, ItemsAddedBehindTheMenuAreFoundAfterSynchronising)
{
    CVXMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendODMenuA("&Save", MF_OWNERDRAW, 1);
    ::AppendMenu(menu.m_hMenu, MF_STRING, 2, "&Export");
    EXPECT_EQ(0x20001, CVXMenu::FindKeyboardShortcut('e', MF_POPUP, &menu));
    EXPECT_EQ(2, menu.GetRecordCount());
}

}  // namespace
