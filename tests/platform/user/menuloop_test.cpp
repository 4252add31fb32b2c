// The modal menu loop driven by input posted before it starts: owner-drawn
// popups, WM_MENUCHAR, the menu bar from the keyboard, accelerators.
#include <gtest/gtest.h>

#include <win32.h>
#include <mivo/resources.h>
#include <mivo/testing/input.h>

#include "support/MenuTemplateBuilder.h"
#include "support/MessageLoop.h"
#include "support/MessageRecorder.h"
#include "support/MessageSequence.h"

#include <initializer_list>
#include <vector>

using namespace mivo::test;

namespace {

class MenuLoopTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        owner = CreateTestWindow("메뉴 주인", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 320, 240);
        ASSERT_NE(nullptr, owner);
        SetFocus(owner);
        PumpUntilIdle();
        rec.Clear();
    }
    void TearDown() override
    {
        DestroyWindow(owner);
        PumpUntilIdle();
    }
    // Key presses queued for the focus window, to be read by the next loop.
    static void Keys(std::initializer_list<UINT> keys)
    {
        for (UINT vk : keys) {
            mivo::InjectKey(vk, true);
            mivo::InjectKey(vk, false);
        }
    }

    MessageRecorder rec;
    HWND owner = nullptr;
};

struct DrawRecord {
    UINT id;
    UINT state;
    UINT action;
    HWND menu;
};

}  // namespace

TEST_F(MenuLoopTest, OwnerDrawnPopupIsMeasuredThenDrawnAndReturnsTheCommand)
{
    HMENU popup = CreatePopupMenu();
    AppendMenu(popup, MF_OWNERDRAW | MF_CHECKED, 101, (LPCSTR)(ULONG_PTR)0xA1);
    AppendMenu(popup, MF_OWNERDRAW | MF_GRAYED, 102, (LPCSTR)(ULONG_PTR)0xA2);
    AppendMenu(popup, MF_OWNERDRAW, 103, (LPCSTR)(ULONG_PTR)0xA3);
    SetMenuDefaultItem(popup, 103, FALSE);
    std::vector<ULONG_PTR> measured;
    std::vector<DrawRecord> drawn;
    std::vector<LONG> widths;
    rec.OnMessage(WM_MEASUREITEM, [&](HWND, UINT, WPARAM, LPARAM lp, LRESULT* r) {
        auto* mis = (MEASUREITEMSTRUCT*)lp;
        EXPECT_EQ((UINT)ODT_MENU, mis->CtlType);
        measured.push_back(mis->itemData);
        mis->itemWidth = 90;
        mis->itemHeight = 20;
        *r = TRUE;
        return true;
    });
    rec.OnMessage(WM_DRAWITEM, [&](HWND, UINT, WPARAM, LPARAM lp, LRESULT* r) {
        auto* dis = (DRAWITEMSTRUCT*)lp;
        EXPECT_EQ((UINT)ODT_MENU, dis->CtlType);
        EXPECT_EQ(20, dis->rcItem.bottom - dis->rcItem.top);
        drawn.push_back({dis->itemID, dis->itemState, dis->itemAction, dis->hwndItem});
        widths.push_back(dis->rcItem.right - dis->rcItem.left);
        LOGFONT drawn = {};
        GetObject(GetCurrentObject(dis->hDC, OBJ_FONT), sizeof(drawn), &drawn);
        NONCLIENTMETRICS metrics = {};
        metrics.cbSize = sizeof(metrics);
        SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
        EXPECT_EQ(metrics.lfMenuFont.lfHeight, drawn.lfHeight) << "the owner draws in the menu font";
        EXPECT_STREQ(metrics.lfMenuFont.lfFaceName, drawn.lfFaceName);
        FillRect(dis->hDC, &dis->rcItem, GetSysColorBrush(COLOR_WINDOW));
        *r = TRUE;
        return true;
    });

    Keys({VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    BOOL command = TrackPopupMenu(popup, TPM_RETURNCMD | TPM_LEFTALIGN, 100, 100, 0, owner, nullptr);
    EXPECT_EQ(103, command);

    EXPECT_ORDER(rec, owner, {
        {WM_ENTERMENULOOP, kSent | kWParam, TRUE},
        {WM_INITMENU, kSent | kWParam, (WPARAM)popup},
        {WM_INITMENUPOPUP, kSent | kWParam | kLParam, (WPARAM)popup, MAKELPARAM(0, FALSE)},
        {WM_MEASUREITEM, kSent},
        {WM_MEASUREITEM, kSent},
        {WM_MEASUREITEM, kSent},
        {WM_DRAWITEM, kSent},
        {WM_DRAWITEM, kSent},
        {WM_DRAWITEM, kSent},
        {WM_DRAWITEM, kSent},
        {WM_MENUSELECT, kSent | kWParam | kLParam, MAKEWPARAM(101, MF_HILITE | MF_OWNERDRAW | MF_CHECKED), (LPARAM)popup},
        {WM_DRAWITEM, kSent},
        {WM_DRAWITEM, kSent},
        {WM_MENUSELECT, kSent | kWParam, MAKEWPARAM(102, MF_HILITE | MF_OWNERDRAW | MF_GRAYED)},
        {WM_DRAWITEM, kSent},
        {WM_DRAWITEM, kSent},
        {WM_MENUSELECT, kSent | kWParam, MAKEWPARAM(103, MF_HILITE | MF_OWNERDRAW | MF_DEFAULT)},
        {WM_MENUSELECT, kSent | kWParam | kLParam, MAKEWPARAM(0, 0xFFFF), 0},
        {WM_EXITMENULOOP, kSent | kWParam, TRUE},
    });
    EXPECT_EQ((std::vector<ULONG_PTR>{0xA1, 0xA2, 0xA3}), measured);
    ASSERT_EQ(8u, drawn.size());
    for (LONG width : widths)
        EXPECT_EQ(90 + GetSystemMetrics(SM_CXMENUCHECK) - 1, width) << "room for a check mark, as Windows gives";
    const DrawRecord expected[] = {
        {101, ODS_CHECKED, ODA_DRAWENTIRE},
        {102, ODS_GRAYED, ODA_DRAWENTIRE},
        {103, ODS_DEFAULT, ODA_DRAWENTIRE},
        {101, ODS_SELECTED | ODS_CHECKED, ODA_SELECT},
        {101, ODS_CHECKED, ODA_SELECT},
        {102, ODS_SELECTED | ODS_GRAYED, ODA_SELECT},
        {102, ODS_GRAYED, ODA_SELECT},
        {103, ODS_SELECTED | ODS_DEFAULT, ODA_SELECT},
    };
    for (size_t i = 0; i < 8; ++i) {
        SCOPED_TRACE(testing::Message() << "draw " << i);
        EXPECT_EQ(expected[i].id, drawn[i].id);
        EXPECT_EQ(expected[i].state, drawn[i].state);
        EXPECT_EQ(expected[i].action, drawn[i].action);
        EXPECT_EQ((HWND)popup, drawn[i].menu) << "hwndItem carries the menu";
    }
    PumpUntilIdle();
    EXPECT_EQ(0, rec.Count(owner, WM_COMMAND)) << "TPM_RETURNCMD posts nothing";
    DestroyMenu(popup);
}

TEST_F(MenuLoopTest, ChosenCommandIsPostedAfterTheLoop)
{
    HMENU popup = CreatePopupMenu();
    AppendMenu(popup, MF_STRING, 201, "복사(&C)");
    AppendMenu(popup, MF_STRING, 202, "붙여넣기(&P)");
    Keys({'P'});
    EXPECT_TRUE(TrackPopupMenu(popup, TPM_LEFTALIGN, 60, 60, 0, owner, nullptr));
    EXPECT_EQ(0, rec.Count(owner, WM_COMMAND)) << "the command comes after the loop";
    PumpUntilIdle();
    EXPECT_ORDER(rec, owner, {
        {WM_EXITMENULOOP, kSent},
        {WM_COMMAND, kPosted | kWParam | kLParam, MAKEWPARAM(202, 0), 0},
    });
    DestroyMenu(popup);
}

TEST_F(MenuLoopTest, MenuCharAnswersSelectExecuteAndClose)
{
    struct Case {
        const char* name;
        LRESULT answer;
        std::vector<UINT> keysAfter;
        UINT expected;
    };
    const Case cases[] = {
        {"execute", MAKELRESULT(1, MNC_EXECUTE), {}, 302},
        {"select", MAKELRESULT(2, MNC_SELECT), {VK_RETURN}, 303},
        {"close", MAKELRESULT(0, MNC_CLOSE), {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HMENU popup = CreatePopupMenu();
        AppendMenu(popup, MF_STRING, 301, "하나");
        AppendMenu(popup, MF_STRING, 302, "둘");
        AppendMenu(popup, MF_STRING, 303, "셋");
        WPARAM asked = 0;
        LPARAM askedMenu = 0;
        rec.OnMessage(WM_MENUCHAR, [&](HWND, UINT, WPARAM wp, LPARAM lp, LRESULT* r) {
            asked = wp;
            askedMenu = lp;
            *r = c.answer;
            return true;
        });
        Keys({'Z'});
        for (UINT vk : c.keysAfter)
            Keys({vk});
        Keys({VK_ESCAPE});  // ends the loop should the answer leave it open
        UINT command = (UINT)TrackPopupMenu(popup, TPM_RETURNCMD, 80, 80, 0, owner, nullptr);
        EXPECT_EQ(c.expected, command);
        EXPECT_EQ(MAKEWPARAM('z', MF_POPUP), asked);
        EXPECT_EQ((LPARAM)popup, askedMenu);
        PumpUntilIdle();
        DestroyMenu(popup);
    }
}

TEST_F(MenuLoopTest, AltThenMnemonicOpensTheBarsPopup)
{
    struct Case {
        const char* name;
        std::vector<std::pair<UINT, bool>> keys;
    };
    const Case cases[] = {
        {"alt released, then F", {{VK_MENU, true}, {VK_MENU, false}, {'F', true}, {'F', false}}},
        {"alt held with F", {{VK_MENU, true}, {'F', true}, {'F', false}, {VK_MENU, false}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HMENU bar = CreateMenu();
        HMENU file = CreatePopupMenu();
        AppendMenu(file, MF_STRING, 501, "열기(&O)");
        AppendMenu(file, MF_STRING, 502, "닫기(&C)");
        AppendMenu(bar, MF_POPUP, (UINT_PTR)file, "파일(&F)");
        AppendMenu(bar, MF_STRING, 503, "도움말(&H)");
        ASSERT_TRUE(SetMenu(owner, bar));
        PumpUntilIdle();
        rec.Clear();
        for (auto& k : c.keys)
            mivo::InjectKey(k.first, k.second);
        Keys({'O'});
        PumpUntilIdle();
        EXPECT_ORDER(rec, owner, {
            {WM_SYSCOMMAND, kSent | kWParam, SC_KEYMENU},
            {WM_ENTERMENULOOP, kSent | kWParam, FALSE},
            {WM_INITMENU, kSent | kWParam, (WPARAM)bar},
            {WM_INITMENUPOPUP, kSent | kWParam | kLParam, (WPARAM)file, MAKELPARAM(0, FALSE)},
            {WM_EXITMENULOOP, kSent | kWParam, FALSE},
            {WM_COMMAND, kPosted | kWParam, MAKEWPARAM(501, 0)},
        });
        SetMenu(owner, nullptr);
        DestroyMenu(bar);
    }
}

TEST_F(MenuLoopTest, AcceleratorsSendTheirCommandsAndSkipADisabledOne)
{
    HMENU bar = CreateMenu();
    HMENU edit = CreatePopupMenu();
    AppendMenu(edit, MF_STRING, 601, "열기\tCtrl+O");
    AppendMenu(edit, MF_STRING | MF_GRAYED, 602, "새로 고침\tF5");
    AppendMenu(bar, MF_POPUP, (UINT_PTR)edit, "편집(&E)");
    SetMenu(owner, bar);
    ACCEL entries[] = {
        {FVIRTKEY | FCONTROL, 'O', 601},
        {FVIRTKEY, VK_F5, 602},
        {FVIRTKEY | FSHIFT, VK_F5, 604},
    };
    HACCEL table = CreateAcceleratorTable(entries, 3);
    ASSERT_NE(nullptr, table);
    PumpUntilIdle();
    rec.Clear();

    mivo::InjectKey(VK_CONTROL, true);
    Keys({'O'});
    mivo::InjectKey(VK_CONTROL, false);
    Keys({VK_F5});
    mivo::InjectKey(VK_SHIFT, true);
    Keys({VK_F5});
    mivo::InjectKey(VK_SHIFT, false);
    Keys({'A'});
    int translated = 0;
    MSG m;
    while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
        if (TranslateAccelerator(owner, table, &m)) {
            ++translated;
            continue;
        }
        TranslateMessage(&m);
        DispatchMessage(&m);
    }
    EXPECT_EQ(3, translated) << "a disabled command's key is eaten too";
    // The owner brings the menu up to date before each command of the menu is checked.
    EXPECT_ORDER(rec, owner, {
        {WM_INITMENU, kSent | kWParam, (WPARAM)bar},
        {WM_INITMENUPOPUP, kSent | kWParam | kLParam, (WPARAM)edit, MAKELPARAM(0, FALSE)},
        {WM_COMMAND, kSent | kWParam | kLParam, MAKEWPARAM(601, 1), 0},
        {WM_INITMENU, kSent | kWParam, (WPARAM)bar},
        {WM_INITMENUPOPUP, kSent | kWParam, (WPARAM)edit},
        {WM_COMMAND, kSent | kWParam, MAKEWPARAM(604, 1)},
    });
    ACCEL copy[3] = {};
    EXPECT_EQ(3, CopyAcceleratorTable(table, nullptr, 0));
    EXPECT_EQ(2, CopyAcceleratorTable(table, copy, 2));
    EXPECT_EQ(602, copy[1].cmd);
    EXPECT_TRUE(DestroyAcceleratorTable(table));
    EXPECT_EQ(0, TranslateAccelerator(owner, table, &m)) << "a destroyed table translates nothing";
    SetMenu(owner, nullptr);
    DestroyMenu(bar);
}

TEST(Accelerators, TablesLoadFromResources)
{
    static std::vector<BYTE> data = BuildAcceleratorTable({{FVIRTKEY | FCONTROL, 'S', 700}, {0, 'q', 701}});
    static const mivo::ResourceEntry entries[] = {{9, nullptr, 7300, nullptr, data.data(), (DWORD)data.size()}};
    static const mivo::ResourceTable resources = {entries, 1};
    mivo::RegisterModuleResources("menuloop_test", &resources, false);
    HACCEL table = LoadAccelerators(nullptr, MAKEINTRESOURCE(7300));
    ASSERT_NE(nullptr, table);
    EXPECT_EQ(table, LoadAccelerators(nullptr, MAKEINTRESOURCE(7300))) << "a resource loads once";
    ACCEL got[2] = {};
    ASSERT_EQ(2, CopyAcceleratorTable(table, got, 2));
    EXPECT_EQ(700, got[0].cmd);
    EXPECT_EQ('q', got[1].key);
    EXPECT_EQ(nullptr, LoadAccelerators(nullptr, MAKEINTRESOURCE(7301)));
    mivo::UnregisterModuleResources(&resources);
}

TEST_F(MenuLoopTest, PopupsStayOnTheScreenAndOffTheExcludedRectangle)
{
    int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    struct Case {
        const char* name;
        POINT at;
        UINT flags;
        bool exclude;
        RECT excluded;
        // Which edges of the popup must land where.
        LONG left, top, right, bottom;  // -1: not checked
    };
    const Case cases[] = {
        {"flipped at the bottom-right corner", {sw - 5, sh - 5}, TPM_LEFTALIGN | TPM_TOPALIGN, false, {}, -1, -1,
         sw - 5, sh - 5},
        {"right and bottom aligned", {200, 200}, TPM_RIGHTALIGN | TPM_BOTTOMALIGN, false, {}, -1, -1, 200, 200},
        {"vertical, below the excluded rectangle", {100, 100}, TPM_VERTICAL, true, {90, 95, 160, 120}, 100, 120,
         -1, -1},
        {"horizontal, right of the excluded rectangle", {100, 100}, TPM_HORIZONTAL, true, {90, 95, 160, 120}, 160,
         100, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HMENU popup = CreatePopupMenu();
        AppendMenu(popup, MF_STRING, 1, "첫째 항목");
        AppendMenu(popup, MF_STRING, 2, "둘째 항목");
        RECT shown = {0, 0, 0, 0};
        rec.OnMessage(WM_ENTERIDLE, [&](HWND, UINT, WPARAM wp, LPARAM lp, LRESULT* r) {
            EXPECT_EQ((WPARAM)MSGF_MENU, wp);
            GetWindowRect((HWND)lp, &shown);
            EndMenu();
            *r = 0;
            return true;
        });
        TPMPARAMS params = {sizeof(params), c.excluded};
        TrackPopupMenuEx(popup, c.flags | TPM_RETURNCMD, c.at.x, c.at.y, owner, c.exclude ? &params : nullptr);
        EXPECT_GT(shown.right - shown.left, 0);
        if (c.left >= 0) {
            EXPECT_EQ(c.left, shown.left);
        }
        if (c.top >= 0) {
            EXPECT_EQ(c.top, shown.top);
        }
        if (c.right >= 0) {
            EXPECT_EQ(c.right, shown.right);
        }
        if (c.bottom >= 0) {
            EXPECT_EQ(c.bottom, shown.bottom);
        }
        DestroyMenu(popup);
    }
}

TEST_F(MenuLoopTest, ClicksOnTheBarAndThePopupChooseACommand)
{
    HMENU bar = CreateMenu();
    HMENU view = CreatePopupMenu();
    AppendMenu(view, MF_STRING, 701, "크게(&L)");
    AppendMenu(view, MF_STRING, 702, "작게(&S)");
    AppendMenu(bar, MF_STRING, 700, "파일(&F)");
    AppendMenu(bar, MF_POPUP, (UINT_PTR)view, "보기(&V)");
    SetMenu(owner, bar);
    PumpUntilIdle();
    rec.Clear();
    bool clicked = false;
    rec.OnMessage(WM_ENTERIDLE, [&](HWND, UINT, WPARAM, LPARAM, LRESULT* r) {
        RECT item;
        if (!clicked && GetMenuItemRect(owner, view, 1, &item)) {
            clicked = true;
            POINT p{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
            EXPECT_EQ(1, MenuItemFromPoint(owner, view, p));
            mivo::InjectMouseMove(p);
            mivo::InjectMouseButton(p, mivo::MouseButton::Left, true);
            mivo::InjectMouseButton(p, mivo::MouseButton::Left, false);
        }
        *r = 0;
        return true;
    });
    RECT barItem;
    ASSERT_TRUE(GetMenuItemRect(owner, bar, 1, &barItem));
    POINT p{(barItem.left + barItem.right) / 2, (barItem.top + barItem.bottom) / 2};
    EXPECT_EQ(1, MenuItemFromPoint(owner, bar, p));
    mivo::InjectMouseMove(p);
    mivo::InjectMouseButton(p, mivo::MouseButton::Left, true);
    mivo::InjectMouseButton(p, mivo::MouseButton::Left, false);
    PumpUntilIdle();
    EXPECT_TRUE(clicked);
    EXPECT_ORDER(rec, owner, {
        {WM_SYSCOMMAND, kSent},
        {WM_ENTERMENULOOP, kSent | kWParam, FALSE},
        {WM_INITMENU, kSent | kWParam, (WPARAM)bar},
        {WM_INITMENUPOPUP, kSent | kWParam | kLParam, (WPARAM)view, MAKELPARAM(1, FALSE)},
        {WM_EXITMENULOOP, kSent},
        {WM_COMMAND, kPosted | kWParam, MAKEWPARAM(702, 0)},
    });
    SetMenu(owner, nullptr);
    DestroyMenu(bar);
}

// Another program's window or a message box taking over: WM_CANCELMODE to the owner ends
// its menu through the default window procedure, and TrackPopupMenu returns nothing chosen.
TEST_F(MenuLoopTest, CancelModeToTheOwnerEndsTheTrackedMenu)
{
    HMENU menu = CreatePopupMenu();
    AppendMenu(menu, MF_STRING, 10, "열기");
    int idles = 0;
    bool stuck = false;
    rec.OnMessage(WM_ENTERIDLE, [&](HWND h, UINT, WPARAM, LPARAM, LRESULT* r) {
        if (++idles == 1) {
            SendMessage(h, WM_CANCELMODE, 0, 0);
            // A safety net only: a loop the message did not end is ended here and reported.
            SetTimer(h, 77, 100, nullptr);
        } else {
            stuck = true;
            EndMenu();
        }
        *r = 0;
        return true;
    });
    BOOL chosen = TrackPopupMenu(menu, TPM_RETURNCMD, 60, 60, 0, owner, nullptr);
    KillTimer(owner, 77);
    EXPECT_EQ(chosen, 0);
    EXPECT_FALSE(stuck) << "the menu stayed open after WM_CANCELMODE";
    EXPECT_EQ(rec.Count(owner, WM_EXITMENULOOP), 1);
    DestroyMenu(menu);
}

namespace {

int OpenPopups()
{
    int n = 0;
    for (HWND h = FindWindowEx(nullptr, nullptr, "#32768", nullptr); h; h = FindWindowEx(nullptr, h, "#32768", nullptr))
        if (IsWindowVisible(h))
            ++n;
    return n;
}

}  // namespace

// Resting on an item with a submenu opens it after the menu show delay, not while the
// pointer merely passes over; with no delay it opens at once.
TEST_F(MenuLoopTest, SubmenuOpensAfterTheMenuShowDelay)
{
    HMENU sub = CreatePopupMenu();
    AppendMenu(sub, MF_STRING, 20, "안쪽");
    HMENU menu = CreatePopupMenu();
    AppendMenu(menu, MF_STRING, 10, "열기");
    AppendMenu(menu, MF_POPUP, (UINT_PTR)sub, "더 보기");
    for (UINT delay : {400u, 0u}) {
        ASSERT_TRUE(SystemParametersInfo(SPI_SETMENUSHOWDELAY, delay, nullptr, 0));
        int idles = 0, openRightAfterTheMove = -1;
        bool opened = false;
        rec.OnMessage(WM_ENTERIDLE, [&](HWND, UINT, WPARAM, LPARAM, LRESULT* r) {
            ++idles;
            if (idles == 1) {
                RECT item;
                EXPECT_TRUE(GetMenuItemRect(owner, menu, 1, &item));
                mivo::InjectMouseMove(POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2});
                // A safety net only: a submenu that never opens ends the loop here.
                SetTimer(owner, 78, 3000, nullptr);
            } else if (idles == 2) {
                openRightAfterTheMove = OpenPopups();
            }
            if (idles >= 2 && OpenPopups() == 2) {
                opened = true;
                EndMenu();
            }
            *r = 0;
            return true;
        });
        rec.OnMessage(WM_TIMER, [&](HWND, UINT, WPARAM id, LPARAM, LRESULT* r) {
            if (id == 78)
                EndMenu();
            *r = 0;
            return true;
        });
        TrackPopupMenu(menu, TPM_RETURNCMD, 60, 60, 0, owner, nullptr);
        KillTimer(owner, 78);
        EXPECT_TRUE(opened) << "delay " << delay;
        EXPECT_EQ(openRightAfterTheMove, delay ? 1 : 2) << "delay " << delay;
    }
    mivo::ResetDesktopInput();
    DestroyMenu(menu);
}
