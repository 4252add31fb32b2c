// Menu objects: building, changing and reading items, templates, system menus.
#include <gtest/gtest.h>

#include <win32.h>

#include "support/MenuTemplateBuilder.h"
#include "mivo/codepage.h"
#include "mivo/resources.h"

#include <string>

using namespace mivo::test;

namespace {

std::string AnsiText(HMENU menu, UINT item, UINT flags)
{
    char buffer[128] = {};
    GetMenuStringA(menu, item, buffer, sizeof(buffer), flags);
    return buffer;
}

std::u16string WideText(HMENU menu, UINT item, UINT flags)
{
    WCHAR buffer[128] = {};
    GetMenuStringW(menu, item, buffer, 128, flags);
    return buffer;
}

}  // namespace

TEST(MenuObjects, ItemsAreFoundByCommandDepthFirstAndByPosition)
{
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    ASSERT_TRUE(bar && file);
    EXPECT_EQ(0u, (uintptr_t)bar >> 32) << "menu handles fit in 32 bits";
    ASSERT_TRUE(AppendMenu(file, MF_STRING, 101, "열기(&O)\tCtrl+O"));
    ASSERT_TRUE(AppendMenu(file, MF_SEPARATOR, 0, nullptr));
    ASSERT_TRUE(AppendMenu(file, MF_STRING | MF_GRAYED, 102, "끝내기(&X)"));
    ASSERT_TRUE(AppendMenu(bar, MF_POPUP, (UINT_PTR)file, "파일(&F)"));
    ASSERT_TRUE(AppendMenu(bar, MF_STRING, 103, "도움말"));

    EXPECT_EQ(2, GetMenuItemCount(bar));
    EXPECT_EQ(file, GetSubMenu(bar, 0));
    EXPECT_EQ((UINT)-1, GetMenuItemID(bar, 0)) << "a popup item has no command";
    EXPECT_EQ(103u, GetMenuItemID(bar, 1));
    EXPECT_EQ(0u, GetMenuItemID(file, 1)) << "separators are 0";
    EXPECT_EQ("끝내기(&X)", AnsiText(bar, 102, MF_BYCOMMAND)) << "commands are searched inside popups";
    EXPECT_EQ((UINT)(MF_GRAYED), GetMenuState(bar, 102, MF_BYCOMMAND));
    EXPECT_EQ((UINT)(MF_POPUP | (3 << 8)), GetMenuState(bar, 0, MF_BYPOSITION)) << "a popup's count is in the high byte";
    EXPECT_EQ((UINT)MF_SEPARATOR, GetMenuState(file, 1, MF_BYPOSITION));
    EXPECT_EQ((UINT)-1, GetMenuState(bar, 999, MF_BYCOMMAND));
    EXPECT_EQ((UINT)-1, GetMenuState(bar, 7, MF_BYPOSITION));

    EXPECT_TRUE(InsertMenu(file, 0, MF_BYPOSITION | MF_STRING, 100, "새로 만들기(&N)"));
    EXPECT_TRUE(ModifyMenu(bar, 101, MF_BYCOMMAND | MF_STRING | MF_CHECKED, 111, "다시 열기"));
    EXPECT_EQ(111u, GetMenuItemID(file, 1));
    EXPECT_EQ((DWORD)MF_CHECKED, CheckMenuItem(bar, 111, MF_BYCOMMAND | MF_UNCHECKED)) << "answers the old state";
    EXPECT_EQ((BOOL)MF_GRAYED, EnableMenuItem(bar, 102, MF_BYCOMMAND | MF_ENABLED));
    EXPECT_EQ(0u, GetMenuState(bar, 102, MF_BYCOMMAND));

    EXPECT_TRUE(RemoveMenu(bar, 0, MF_BYPOSITION));
    EXPECT_TRUE(IsMenu(file)) << "RemoveMenu keeps the popup";
    EXPECT_TRUE(InsertMenu(bar, 0, MF_BYPOSITION | MF_POPUP, (UINT_PTR)file, "파일(&F)"));
    EXPECT_TRUE(DeleteMenu(bar, 0, MF_BYPOSITION));
    EXPECT_FALSE(IsMenu(file)) << "DeleteMenu destroys the popup";
    EXPECT_TRUE(DestroyMenu(bar));
    EXPECT_FALSE(IsMenu(bar));
    EXPECT_FALSE(DestroyMenu(bar)) << "a stale handle fails";
    EXPECT_EQ(-1, GetMenuItemCount(bar));
}

TEST(MenuObjects, ItemInfoReadsAndWritesEveryPart)
{
    HMENU menu = CreatePopupMenu();
    HMENU sub = CreatePopupMenu();
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE | MIIM_DATA | MIIM_FTYPE;
    info.fType = MFT_OWNERDRAW;
    info.fState = MFS_CHECKED | MFS_DEFAULT;
    info.wID = 300;
    info.dwItemData = 0x1234;
    info.dwTypeData = (LPWSTR)u"사진 보기";
    ASSERT_TRUE(InsertMenuItemW(menu, 0, TRUE, &info));
    info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_SUBMENU | MIIM_STRING | MIIM_ID;
    info.hSubMenu = sub;
    info.wID = 301;
    info.dwTypeData = (LPWSTR)u"더 보기";
    ASSERT_TRUE(InsertMenuItemW(menu, 1, TRUE, &info));

    MENUITEMINFOA got = {};
    char text[64] = {};
    got.cbSize = sizeof(got);
    got.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE | MIIM_DATA | MIIM_FTYPE | MIIM_SUBMENU;
    got.dwTypeData = text;
    got.cch = sizeof(text);
    ASSERT_TRUE(GetMenuItemInfoA(menu, 300, FALSE, &got));
    EXPECT_EQ(300u, got.wID);
    EXPECT_EQ((UINT)MFT_OWNERDRAW, got.fType);
    EXPECT_EQ((UINT)(MFS_CHECKED | MFS_DEFAULT), got.fState);
    EXPECT_EQ(0x1234u, got.dwItemData);
    EXPECT_STREQ("사진 보기", text);
    EXPECT_EQ(std::string("사진 보기").size(), (size_t)got.cch);
    EXPECT_EQ(nullptr, got.hSubMenu);
    ASSERT_TRUE(GetMenuItemInfoA(menu, 1, TRUE, &got));
    EXPECT_EQ(sub, got.hSubMenu);

    // Asking without a buffer answers the length.
    got = {};
    got.cbSize = sizeof(got);
    got.fMask = MIIM_STRING;
    ASSERT_TRUE(GetMenuItemInfoA(menu, 1, TRUE, &got));
    EXPECT_EQ(std::string("더 보기").size(), (size_t)got.cch);

    HBITMAP mark = CreateBitmap(13, 13, 1, 1, nullptr);
    EXPECT_TRUE(SetMenuItemBitmaps(menu, 300, MF_BYCOMMAND, nullptr, mark));
    MENUITEMINFOW marks = {};
    marks.cbSize = sizeof(marks);
    marks.fMask = MIIM_CHECKMARKS;
    ASSERT_TRUE(GetMenuItemInfoW(menu, 0, TRUE, &marks));
    EXPECT_EQ(mark, marks.hbmpChecked);
    EXPECT_EQ(nullptr, marks.hbmpUnchecked);
    EXPECT_FALSE(GetMenuItemInfoW(menu, 5, TRUE, &marks));
    DeleteObject(mark);
    DestroyMenu(menu);
    EXPECT_FALSE(IsMenu(sub)) << "a menu takes its popups with it";
}

TEST(MenuObjects, OwnerDrawnSeparatorsKeepTheirData)
{
    static int record = 0;
    HMENU menu = CreatePopupMenu();
    ASSERT_TRUE(AppendMenu(menu, MF_SEPARATOR | MF_OWNERDRAW, 0, (LPCSTR)&record));
    ASSERT_TRUE(AppendMenu(menu, MF_STRING, 1, "항목"));
    ASSERT_TRUE(ModifyMenu(menu, 1, MF_BYPOSITION | MF_SEPARATOR | MF_OWNERDRAW, 0, (LPCSTR)&record + 1));
    for (int i = 0; i < 2; ++i) {
        MENUITEMINFO info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_DATA | MIIM_FTYPE;
        ASSERT_TRUE(GetMenuItemInfo(menu, (UINT)i, TRUE, &info));
        EXPECT_EQ((ULONG_PTR)((LPCSTR)&record + i), info.dwItemData) << i;
        EXPECT_EQ((UINT)(MFT_SEPARATOR | MFT_OWNERDRAW), info.fType & (MFT_SEPARATOR | MFT_OWNERDRAW)) << i;
    }
    DestroyMenu(menu);
}

TEST(MenuObjects, RadioGroupsDefaultItemsAndCheckMarkSize)
{
    HMENU menu = CreatePopupMenu();
    for (UINT id = 10; id < 14; ++id)
        AppendMenu(menu, MF_STRING | (id == 10 ? MF_CHECKED : 0), id, "항목");
    EXPECT_TRUE(CheckMenuRadioItem(menu, 10, 12, 11, MF_BYCOMMAND));
    EXPECT_EQ(0u, GetMenuState(menu, 10, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ((UINT)MF_CHECKED, GetMenuState(menu, 11, MF_BYCOMMAND) & MF_CHECKED);
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoA(menu, 11, FALSE, &info);
    EXPECT_TRUE(info.fType & MFT_RADIOCHECK);
    EXPECT_FALSE(CheckMenuRadioItem(menu, 10, 12, 99, MF_BYCOMMAND));

    EXPECT_TRUE(SetMenuDefaultItem(menu, 2, TRUE));
    EXPECT_EQ(12u, GetMenuDefaultItem(menu, FALSE, 0));
    EXPECT_TRUE(SetMenuDefaultItem(menu, (UINT)-1, FALSE));
    EXPECT_EQ((UINT)-1, GetMenuDefaultItem(menu, TRUE, 0));

    // A greyed default is skipped unless asked for; a default opening a submenu leads into it on request.
    HMENU sub = CreatePopupMenu();
    AppendMenu(sub, MF_STRING, 20, "안쪽");
    AppendMenu(menu, MF_POPUP, (UINT_PTR)sub, "더 보기");
    EXPECT_TRUE(SetMenuDefaultItem(menu, 13, FALSE));
    EnableMenuItem(menu, 13, MF_BYCOMMAND | MF_GRAYED);
    EXPECT_EQ((UINT)-1, GetMenuDefaultItem(menu, FALSE, 0));
    EXPECT_EQ(13u, GetMenuDefaultItem(menu, FALSE, GMDI_USEDISABLED));
    EnableMenuItem(menu, 13, MF_BYCOMMAND | MF_DISABLED);
    EXPECT_EQ((UINT)-1, GetMenuDefaultItem(menu, TRUE, 0));
    EXPECT_TRUE(SetMenuDefaultItem(menu, 4, TRUE));
    EXPECT_EQ(4u, GetMenuDefaultItem(menu, TRUE, 0));
    EXPECT_EQ(4u, GetMenuDefaultItem(menu, TRUE, GMDI_GOINTOPOPUPS)) << "no default inside: the opening item";
    EXPECT_TRUE(SetMenuDefaultItem(sub, 20, FALSE));
    EXPECT_EQ(20u, GetMenuDefaultItem(menu, FALSE, GMDI_GOINTOPOPUPS));
    EnableMenuItem(sub, 20, MF_BYCOMMAND | MF_GRAYED);
    EXPECT_EQ(4u, GetMenuDefaultItem(menu, TRUE, GMDI_GOINTOPOPUPS));
    EXPECT_EQ(0u, GetMenuDefaultItem(menu, TRUE, GMDI_GOINTOPOPUPS | GMDI_USEDISABLED));

    LONG size = GetMenuCheckMarkDimensions();
    EXPECT_EQ(GetSystemMetrics(SM_CXMENUCHECK), LOWORD(size));
    EXPECT_EQ(GetSystemMetrics(SM_CYMENUCHECK), HIWORD(size));
    DestroyMenu(menu);
}

TEST(MenuTemplates, MenuExLoadsAsTheTreeWithEqualWideAndAnsiTexts)
{
    std::vector<BYTE> data = BuildMenuExTemplate({
        Popup(u"파일(&F)",
              {
                  Item(u"열기(&O)...\tCtrl+O", 0xE101),
                  Item(u"", 0, 0, MFT_SEPARATOR),
                  Popup(u"최근 파일", {Item(u"첫째", 201, MFS_CHECKED, MFT_RADIOCHECK),
                                       Item(u"둘째", 202, MFS_GRAYED)},
                        500),
                  Item(u"끝내기(&X)", 0xE141, MFS_DEFAULT),
              },
              400),
        Item(u"도움말(&H)", 300, 0, MFT_RIGHTJUSTIFY),
    });
    HMENU bar = LoadMenuIndirectW(data.data());
    ASSERT_NE(nullptr, bar);
    ASSERT_EQ(2, GetMenuItemCount(bar));
    HMENU file = GetSubMenu(bar, 0);
    ASSERT_NE(nullptr, file);
    ASSERT_EQ(4, GetMenuItemCount(file));
    HMENU recent = GetSubMenu(file, 2);
    ASSERT_NE(nullptr, recent);
    ASSERT_EQ(2, GetMenuItemCount(recent));

    struct Expected {
        HMENU menu;
        UINT pos;
        const char16_t* text;
        UINT id;
        UINT type;
        UINT state;
    };
    const Expected items[] = {
        {bar, 0, u"파일(&F)", 400, 0, 0},
        {bar, 1, u"도움말(&H)", 300, MFT_RIGHTJUSTIFY, 0},
        {file, 0, u"열기(&O)...\tCtrl+O", 0xE101, 0, 0},
        {file, 1, u"", 0, MFT_SEPARATOR, 0},
        {file, 2, u"최근 파일", 500, 0, 0},
        {file, 3, u"끝내기(&X)", 0xE141, 0, MFS_DEFAULT},
        {recent, 0, u"첫째", 201, MFT_RADIOCHECK, MFS_CHECKED},
        {recent, 1, u"둘째", 202, 0, MFS_GRAYED},
    };
    for (const Expected& e : items) {
        SCOPED_TRACE(testing::Message() << "position " << e.pos);
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE;
        ASSERT_TRUE(GetMenuItemInfoW(e.menu, e.pos, TRUE, &info));
        EXPECT_EQ(e.id, info.wID);
        EXPECT_EQ(e.type, info.fType);
        EXPECT_EQ(e.state, info.fState);
        std::u16string wide = WideText(e.menu, e.pos, MF_BYPOSITION);
        EXPECT_TRUE(wide == e.text);
        EXPECT_EQ(mivo::Utf16ToAnsi(wide), AnsiText(e.menu, e.pos, MF_BYPOSITION)) << "the A text is the W text in CP949";
    }
    DestroyMenu(bar);
}

TEST(MenuTemplates, DamagedTemplatesLoadNothing)
{
    std::vector<BYTE> good = BuildMenuTemplate({Popup(u"파일", {Item(u"열기", 1)}), Item(u"끝", 2)});
    HMENU whole = LoadMenuIndirect(good.data());
    ASSERT_NE(nullptr, whole);
    EXPECT_EQ(2, GetMenuItemCount(whole));
    DestroyMenu(whole);
    std::vector<BYTE> badVersion = good;
    badVersion[0] = 7;
    EXPECT_EQ(nullptr, LoadMenuIndirect(badVersion.data()));
    EXPECT_EQ(nullptr, LoadMenu(nullptr, MAKEINTRESOURCE(31999)));
}

TEST(SystemMenus, KoreanCommandsGreyedByTheWindowState)
{
    HWND hwnd = CreateWindow("Static", "창", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, hwnd);
    HMENU sys = GetSystemMenu(hwnd, FALSE);
    ASSERT_NE(nullptr, sys);
    EXPECT_EQ(sys, GetSystemMenu(hwnd, FALSE)) << "one copy per window";
    EXPECT_EQ("닫기(&C)\tAlt+F4", AnsiText(sys, SC_CLOSE, MF_BYCOMMAND));
    EXPECT_EQ("최대화(&X)", AnsiText(sys, SC_MAXIMIZE, MF_BYCOMMAND));
    EXPECT_NE((UINT)-1, GetMenuState(sys, SC_RESTORE, MF_BYCOMMAND));
    EXPECT_EQ(nullptr, GetSystemMenu(hwnd, TRUE));
    EXPECT_FALSE(IsMenu(sys)) << "reverting drops the copy";
    HMENU again = GetSystemMenu(hwnd, FALSE);
    ASSERT_NE(nullptr, again);
    DestroyWindow(hwnd);
    EXPECT_FALSE(IsMenu(again)) << "the window's system menu goes with it";
}

TEST(MenuTemplates, TopLevelWindowsGetTheirClassMenu)
{
    static std::vector<BYTE> data = BuildMenuTemplate({Popup(u"파일(&F)", {Item(u"끝내기(&X)", 9)})});
    static const mivo::ResourceEntry entries[] = {{4, nullptr, 7350, nullptr, data.data(), (DWORD)data.size()}};
    static const mivo::ResourceTable resources = {entries, 1};
    mivo::RegisterModuleResources("menus_test", &resources, false);
    WNDCLASS wc = {};
    wc.lpfnWndProc = DefWindowProc;
    wc.lpszMenuName = MAKEINTRESOURCE(7350);
    wc.lpszClassName = "ClassMenuTest";
    ASSERT_NE(0, RegisterClass(&wc));
    HWND top = CreateWindow("ClassMenuTest", "창", WS_OVERLAPPEDWINDOW, 0, 0, 200, 150, nullptr, nullptr, nullptr,
                            nullptr);
    HMENU menu = GetMenu(top);
    ASSERT_NE(nullptr, menu);
    EXPECT_EQ("파일(&F)", AnsiText(menu, 0, MF_BYPOSITION));
    HWND child = CreateWindow("ClassMenuTest", "", WS_CHILD, 0, 0, 10, 10, top, (HMENU)5, nullptr, nullptr);
    EXPECT_EQ(nullptr, GetMenu(child)) << "a child's menu slot is its id";
    DestroyWindow(top);
    EXPECT_FALSE(IsMenu(menu)) << "the window takes its menu with it";
    UnregisterClass("ClassMenuTest", nullptr);
    mivo::UnregisterModuleResources(&resources);
}
