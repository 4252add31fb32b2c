// Tool bars: drop-down buttons, clicks, check groups, wrap states and rows.
#include "ControlFixture.h"

#include "support/InputSynth.h"
#include "support/WindowCapture.h"

using namespace mivo::test;
using controls_test::ControlFixture;

namespace {

TBBUTTON Button(int image, int command, BYTE style = TBSTYLE_BUTTON, BYTE state = TBSTATE_ENABLED, INT_PTR text = -1)
{
    TBBUTTON b = {};
    b.iBitmap = image;
    b.idCommand = command;
    b.fsState = state;
    b.fsStyle = style;
    b.iString = text;
    return b;
}

class ToolBarTest : public ControlFixture {
protected:
    HWND MakeBar(DWORD style = TBSTYLE_FLAT)
    {
        HWND bar = CreateWindowEx(0, TOOLBARCLASSNAME, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                                  (HMENU)59392, nullptr, nullptr);
        SendMessage(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
        return bar;
    }
    static RECT ItemRect(HWND bar, int index)
    {
        RECT r = {};
        EXPECT_TRUE(SendMessage(bar, TB_GETITEMRECT, index, (LPARAM)&r)) << "button " << index;
        return r;
    }
    std::vector<int> Commands(HWND from)
    {
        std::vector<int> out;
        for (auto& m : recorder.All())
            if (m.hwnd == parent && m.msg == WM_COMMAND && (HWND)m.lParam == from)
                out.push_back(LOWORD(m.wParam));
        return out;
    }
};

}  // namespace

TEST_F(ToolBarTest, DropDownArrowSendsTheButtonRectangleAndTheFaceClicks)
{
    HWND bar = MakeBar();
    SendMessage(bar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    TBBUTTON buttons[] = {Button(0, 33253), Button(0, 0, TBSTYLE_SEP), Button(1, 33116, TBSTYLE_DROPDOWN),
                          Button(2, 33115, TBSTYLE_DROPDOWN)};
    ASSERT_TRUE(SendMessage(bar, TB_ADDBUTTONS, 4, (LPARAM)buttons));
    RECT dropRect = ItemRect(bar, 2);

    std::vector<NMTOOLBARA> drops;
    std::vector<bool> pressedDuring;
    recorder.OnMessage(WM_NOTIFY, [&](HWND, UINT, WPARAM, LPARAM l, LRESULT* r) {
        auto* hdr = (NMHDR*)l;
        if (hdr->code != TBN_DROPDOWN)
            return false;
        drops.push_back(*(NMTOOLBARA*)l);
        pressedDuring.push_back(SendMessage(hdr->hwndFrom, TB_ISBUTTONPRESSED, ((NMTOOLBARA*)l)->iItem, 0) != 0);
        *r = TBDDRET_DEFAULT;
        return true;
    });
    recorder.Clear();
    Click(bar, dropRect.right - 4, (dropRect.top + dropRect.bottom) / 2);
    ASSERT_EQ(drops.size(), 1u);
    EXPECT_EQ(drops[0].iItem, 33116);
    EXPECT_EQ(drops[0].hdr.idFrom, 59392u);
    EXPECT_EQ(drops[0].hdr.hwndFrom, bar);
    EXPECT_EQ(drops[0].rcButton.left, dropRect.left);
    EXPECT_EQ(drops[0].rcButton.top, dropRect.top);
    EXPECT_EQ(drops[0].rcButton.right, dropRect.right);
    EXPECT_EQ(drops[0].rcButton.bottom, dropRect.bottom);
    EXPECT_TRUE(pressedDuring[0]) << "the button shows pressed while its menu is open";
    EXPECT_FALSE(SendMessage(bar, TB_ISBUTTONPRESSED, 33116, 0));
    EXPECT_TRUE(Commands(bar).empty()) << "the arrow alone gives no command";

    Click(bar, dropRect.left + 4, (dropRect.top + dropRect.bottom) / 2);
    EXPECT_EQ(drops.size(), 1u);
    EXPECT_EQ(Commands(bar), std::vector<int>{33116});

    // A press released off the button is no click.
    RECT first = ItemRect(bar, 0);
    recorder.Clear();
    MouseDown(bar, first.left + 3, first.top + 3);
    EXPECT_TRUE(SendMessage(bar, TB_ISBUTTONPRESSED, 33253, 0));
    MouseMove(bar, first.right + 200, first.top + 3);
    MouseUp(bar, first.right + 200, first.top + 3);
    EXPECT_TRUE(Commands(bar).empty());
    Click(bar, first.left + 3, first.top + 3);
    EXPECT_EQ(Commands(bar), std::vector<int>{33253});

    // Without drawn arrows the whole drop-down button drops down.
    SendMessage(bar, TB_SETEXTENDEDSTYLE, 0, 0);
    RECT whole = ItemRect(bar, 3);
    Click(bar, whole.left + 3, whole.top + 3);
    ASSERT_EQ(drops.size(), 2u);
    EXPECT_EQ(drops[1].iItem, 33115);
}

TEST_F(ToolBarTest, WrapStatesGiveTheRows)
{
    HWND bar = MakeBar(TBSTYLE_FLAT | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER);
    SetWindowPos(bar, nullptr, 0, 0, 300, 200, SWP_NOZORDER);
    std::vector<TBBUTTON> buttons;
    for (int i = 0; i < 7; ++i)
        buttons.push_back(Button(i, 100 + i));
    SendMessage(bar, TB_ADDBUTTONS, buttons.size(), (LPARAM)buttons.data());
    EXPECT_EQ(SendMessage(bar, TB_GETROWS, 0, 0), 1);
    // Two columns: buttons 2, 4 and 6 end a row.
    for (int i = 0; i < 7; ++i) {
        TBBUTTON b = {};
        SendMessage(bar, TB_GETBUTTON, i, (LPARAM)&b);
        BYTE state = (i + 1) % 2 == 0 ? (BYTE)(b.fsState | TBSTATE_WRAP) : (BYTE)(b.fsState & ~TBSTATE_WRAP);
        SendMessage(bar, TB_SETSTATE, 100 + i, MAKELONG(state, 0));
    }
    EXPECT_EQ(SendMessage(bar, TB_GETROWS, 0, 0), 4);
    LRESULT size = SendMessage(bar, TB_GETBUTTONSIZE, 0, 0);
    int w = LOWORD(size), h = HIWORD(size);
    for (int i = 0; i < 7; ++i) {
        RECT r = ItemRect(bar, i);
        EXPECT_EQ(r.left, (i % 2) * w) << "button " << i;
        EXPECT_EQ(r.top, (i / 2) * h) << "button " << i;
    }
    SIZE max = {};
    SendMessage(bar, TB_GETMAXSIZE, 0, (LPARAM)&max);
    EXPECT_EQ(max.cx, 2 * w);
    EXPECT_EQ(max.cy, 4 * h);

    SendMessage(bar, TB_HIDEBUTTON, 106, TRUE);
    EXPECT_EQ(SendMessage(bar, TB_GETROWS, 0, 0), 3) << "a hidden button takes no place";
    RECT none;
    EXPECT_FALSE(SendMessage(bar, TB_GETITEMRECT, 6, (LPARAM)&none));
}

TEST_F(ToolBarTest, ChecksTextsAndStates)
{
    HWND bar = MakeBar();
    LRESULT first = SendMessage(bar, TB_ADDSTRING, 0, (LPARAM)"작게\0크게\0");
    EXPECT_EQ(first, 0);
    TBBUTTON buttons[] = {Button(0, 10, TBSTYLE_CHECKGROUP, TBSTATE_ENABLED | TBSTATE_CHECKED, 0),
                          Button(1, 11, TBSTYLE_CHECKGROUP, TBSTATE_ENABLED, 1), Button(2, 12, TBSTYLE_CHECK),
                          Button(3, 13, TBSTYLE_BUTTON, 0)};
    SendMessage(bar, TB_ADDBUTTONS, 4, (LPARAM)buttons);
    char text[32] = {};
    EXPECT_EQ(SendMessage(bar, TB_GETBUTTONTEXT, 11, (LPARAM)text), 4);
    EXPECT_STREQ(text, "크게");
    EXPECT_EQ(SendMessage(bar, TB_COMMANDTOINDEX, 12, 0), 2);
    EXPECT_EQ(SendMessage(bar, TB_COMMANDTOINDEX, 99, 0), -1);

    RECT r = ItemRect(bar, 1);
    Click(bar, r.left + 3, r.top + 3);
    EXPECT_TRUE(SendMessage(bar, TB_ISBUTTONCHECKED, 11, 0));
    EXPECT_FALSE(SendMessage(bar, TB_ISBUTTONCHECKED, 10, 0)) << "one of a check group at a time";
    r = ItemRect(bar, 2);
    Click(bar, r.left + 3, r.top + 3);
    EXPECT_TRUE(SendMessage(bar, TB_ISBUTTONCHECKED, 12, 0));
    Click(bar, r.left + 3, r.top + 3);
    EXPECT_FALSE(SendMessage(bar, TB_ISBUTTONCHECKED, 12, 0));

    recorder.Clear();
    r = ItemRect(bar, 3);
    Click(bar, r.left + 3, r.top + 3);
    EXPECT_TRUE(Commands(bar).empty()) << "a disabled button does nothing";
    SendMessage(bar, TB_ENABLEBUTTON, 13, TRUE);
    Click(bar, r.left + 3, r.top + 3);
    EXPECT_EQ(Commands(bar), std::vector<int>{13});

    TBBUTTONINFOA info = {sizeof(info), TBIF_TEXT | TBIF_STATE};
    info.pszText = (LPSTR) "실행취소";
    info.fsState = TBSTATE_ENABLED;
    EXPECT_TRUE(SendMessage(bar, TB_SETBUTTONINFO, 13, (LPARAM)&info));
    char back[32] = {};
    TBBUTTONINFOA query = {sizeof(query), TBIF_TEXT | TBIF_BYINDEX};
    query.pszText = back;
    query.cchText = sizeof(back);
    EXPECT_EQ(SendMessage(bar, TB_GETBUTTONINFO, 3, (LPARAM)&query), 3);
    EXPECT_STREQ(back, "실행취소");
}

TEST_F(ToolBarTest, BitmapImagesShowTheParentThroughTheirGrey)
{
    HBRUSH green = CreateSolidBrush(RGB(0, 160, 0));
    recorder.OnMessage(WM_ERASEBKGND, [&](HWND h, UINT, WPARAM w, LPARAM, LRESULT* r) {
        RECT rc;
        GetClientRect(h, &rc);
        FillRect((HDC)w, &rc, green);
        *r = 1;
        return true;
    });
    HWND bar = MakeBar(TBSTYLE_FLAT | TBSTYLE_TRANSPARENT | CCS_NODIVIDER);
    SendMessage(bar, TB_SETBITMAPSIZE, 0, MAKELONG(8, 8));
    SendMessage(bar, TB_SETBUTTONSIZE, 0, MAKELONG(16, 16));
    // Two 8x8 images: blue with a grey border, red.
    HDC screen = GetDC(nullptr);
    HBITMAP strip = CreateCompatibleBitmap(screen, 16, 8);
    HDC mem = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(mem, strip);
    RECT all = {0, 0, 16, 8}, blue = {2, 2, 6, 6}, red = {8, 0, 16, 8};
    HBRUSH grey = CreateSolidBrush(RGB(192, 192, 192)), b = CreateSolidBrush(RGB(0, 0, 255)),
           r = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(mem, &all, grey);
    FillRect(mem, &blue, b);
    FillRect(mem, &red, r);
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    TBADDBITMAP add = {nullptr, (UINT_PTR)strip};
    EXPECT_EQ(SendMessage(bar, TB_ADDBITMAP, 2, (LPARAM)&add), 0);
    TBBUTTON buttons[] = {Button(0, 1), Button(1, 2)};
    SendMessage(bar, TB_ADDBUTTONS, 2, (LPARAM)buttons);
    SendMessage(bar, TB_AUTOSIZE, 0, 0);
    UpdateWindow(bar);
    PumpUntilIdle();
    WindowImage img = CaptureWindow(bar, true);
    RECT first = ItemRect(bar, 0), second = ItemRect(bar, 1);
    int x0 = first.left + (first.right - first.left - 8) / 2, y0 = first.top + (first.bottom - first.top - 8) / 2;
    EXPECT_EQ(img.At(x0 + 3, y0 + 3), RGB(0, 0, 255));
    EXPECT_EQ(img.At(x0, y0), RGB(0, 160, 0)) << "grey is the strip's background; the parent paints behind";
    EXPECT_EQ(img.At(first.left + 1, first.top + 1), RGB(0, 160, 0));
    int x1 = second.left + (second.right - second.left - 8) / 2;
    EXPECT_EQ(img.At(x1 + 4, y0 + 4), RGB(255, 0, 0));
    DestroyWindow(bar);
    DeleteObject(strip);
    DeleteObject(grey);
    DeleteObject(b);
    DeleteObject(r);
    DeleteObject(green);
}

TEST_F(ToolBarTest, AnOwnerMayDestroyTheBarWhileItDropsDown)
{
    HWND bar = MakeBar();
    SendMessage(bar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    TBBUTTON buttons[] = {Button(0, 33116, TBSTYLE_DROPDOWN)};
    SendMessage(bar, TB_ADDBUTTONS, 1, (LPARAM)buttons);
    RECT r = ItemRect(bar, 0);
    recorder.OnMessage(WM_NOTIFY, [&](HWND, UINT, WPARAM, LPARAM l, LRESULT* result) {
        if (((NMHDR*)l)->code != TBN_DROPDOWN)
            return false;
        DestroyWindow(((NMHDR*)l)->hwndFrom);
        *result = TBDDRET_TREATPRESSED;
        return true;
    });
    Click(bar, r.right - 3, r.top + 3);
    EXPECT_FALSE(IsWindow(bar));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ToolBarTest, FlatButtonsRiseUnderTheMouse)
{
    HWND bar = MakeBar(TBSTYLE_FLAT);
    TBBUTTON buttons[] = {Button(0, 1), Button(0, 0, TBSTYLE_SEP), Button(1, 2), Button(2, 3, 0, 0)};
    SendMessage(bar, TB_ADDBUTTONS, 4, (LPARAM)buttons);
    std::vector<std::pair<int, int>> changes;
    recorder.OnMessage(WM_NOTIFY, [&](HWND, UINT, WPARAM, LPARAM l, LRESULT*) {
        if (((NMHDR*)l)->code == TBN_HOTITEMCHANGE)
            changes.emplace_back(((NMTBHOTITEM*)l)->idOld, ((NMTBHOTITEM*)l)->idNew);
        return false;
    });
    RECT r0 = ItemRect(bar, 0), r2 = ItemRect(bar, 2), r3 = ItemRect(bar, 3);
    MouseMove(bar, r0.left + 3, r0.top + 3);
    EXPECT_EQ(SendMessage(bar, TB_GETHOTITEM, 0, 0), 0);
    MouseMove(bar, r2.left + 3, r2.top + 3);
    EXPECT_EQ(SendMessage(bar, TB_GETHOTITEM, 0, 0), 2);
    MouseMove(bar, r3.left + 3, r3.top + 3);
    EXPECT_EQ(SendMessage(bar, TB_GETHOTITEM, 0, 0), -1) << "a disabled button never rises";
    EXPECT_EQ(changes, (std::vector<std::pair<int, int>>{{0, 1}, {1, 2}, {2, 0}}));
}

TEST_F(ToolBarTest, PlacementStylesPutTheBarAlongAnEdge)
{
    RECT pc;
    GetClientRect(parent, &pc);
    const struct {
        DWORD style;
        const char* where;
    } cases[] = {{CCS_TOP, "top"}, {CCS_BOTTOM, "bottom"}, {CCS_NOMOVEY, "where it was made"}};
    for (auto& c : cases) {
        HWND bar = CreateWindowEx(0, TOOLBARCLASSNAME, "", WS_CHILD | WS_VISIBLE | c.style, 0, 40, 100, 30, parent,
                                  (HMENU)59392, nullptr, nullptr);
        SendMessage(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
        TBBUTTON b = Button(0, 1);
        SendMessage(bar, TB_ADDBUTTONS, 1, (LPARAM)&b);
        SendMessage(bar, TB_AUTOSIZE, 0, 0);
        RECT r;
        GetWindowRect(bar, &r);
        MapWindowPoints(nullptr, parent, (POINT*)&r, 2);
        EXPECT_EQ(r.left, 0) << c.where;
        EXPECT_EQ(r.right, pc.right) << c.where;
        int expectedTop = c.style == CCS_TOP ? 0 : c.style == CCS_BOTTOM ? pc.bottom - (r.bottom - r.top) : 40;
        EXPECT_EQ(r.top, expectedTop) << c.where;
        DestroyWindow(bar);
    }
}
