#include "CommonFixture.h"

#include <cstring>
#include <string>

namespace commctrl_test {
namespace {

class ToolTip : public CommonFixture {
protected:
    void SetUp() override
    {
        CommonFixture::SetUp();
        tip = CreateWindowEx(WS_EX_TOPMOST, TOOLTIPS_CLASS, nullptr, WS_POPUP, 0, 0, 0, 0, parent, nullptr, nullptr,
                             nullptr);
        ASSERT_NE(tip, nullptr);
        SendMessage(tip, TTM_SETDELAYTIME, TTDT_INITIAL, 1);
    }

    TOOLINFO Tool(UINT_PTR id, LPSTR text, RECT rc = {0, 0, 100, 50})
    {
        TOOLINFO ti = {sizeof(ti)};
        ti.hwnd = parent;
        ti.uId = id;
        ti.rect = rc;
        ti.lpszText = text;
        return ti;
    }

    void Relay(int x, int y)
    {
        MSG msg = {};
        msg.hwnd = parent;
        msg.message = WM_MOUSEMOVE;
        msg.lParam = MAKELPARAM(x, y);
        SendMessage(tip, TTM_RELAYEVENT, 0, (LPARAM)&msg);
    }

    HWND tip = nullptr;
};

TEST_F(ToolTip, ShowsTheToolUnderThePointerAfterTheDelay)
{
    TOOLINFO first = Tool(1, (LPSTR) "첫 번째 도구");
    TOOLINFO second = Tool(2, LPSTR_TEXTCALLBACK, {100, 0, 200, 50});
    ASSERT_TRUE(SendMessage(tip, TTM_ADDTOOL, 0, (LPARAM)&first));
    ASSERT_TRUE(SendMessage(tip, TTM_ADDTOOL, 0, (LPARAM)&second));
    EXPECT_EQ(SendMessage(tip, TTM_GETTOOLCOUNT, 0, 0), 2);
    answers[TTN_NEEDTEXT] = [](NMHDR* hdr) -> LRESULT {
        auto* di = (NMTTDISPINFO*)hdr;
        strcpy(di->szText, hdr->idFrom == 2 ? "두 번째" : "?");
        return 0;
    };

    Relay(10, 10);
    ASSERT_TRUE(mivo::test::PumpUntil([&] { return IsWindowVisible(tip) != FALSE; }));
    TOOLINFO current = {sizeof(current)};
    ASSERT_TRUE(SendMessage(tip, TTM_GETCURRENTTOOL, 0, (LPARAM)&current));
    EXPECT_EQ(current.uId, 1u);
    EXPECT_EQ(GetWindowLong(tip, GWL_EXSTYLE) & WS_EX_TOPMOST, WS_EX_TOPMOST);

    Relay(150, 10);
    EXPECT_FALSE(IsWindowVisible(tip)) << "moving to another tool hides the tip first";
    ASSERT_TRUE(mivo::test::PumpUntil([&] { return IsWindowVisible(tip) != FALSE; }));
    EXPECT_EQ(Codes({TTN_NEEDTEXT}).size(), 1u);
    char buf[80] = "";
    second.lpszText = buf;
    SendMessage(tip, TTM_GETTEXT, 0, (LPARAM)&second);
    EXPECT_STREQ(buf, "두 번째");

    // Deactivated, it hides and stays hidden.
    SendMessage(tip, TTM_ACTIVATE, FALSE, 0);
    EXPECT_FALSE(IsWindowVisible(tip));
    Relay(10, 10);
    mivo::test::PumpUntilIdle();
    EXPECT_FALSE(IsWindowVisible(tip));
}

TEST_F(ToolTip, UpdateTextHitTestAndRemoval)
{
    TOOLINFO ti = Tool(7, (LPSTR) "처음");
    SendMessage(tip, TTM_ADDTOOL, 0, (LPARAM)&ti);
    ti.lpszText = (LPSTR) "바뀐 글";
    SendMessage(tip, TTM_UPDATETIPTEXT, 0, (LPARAM)&ti);
    char buf[80] = "";
    ti.lpszText = buf;
    SendMessage(tip, TTM_GETTEXT, 0, (LPARAM)&ti);
    EXPECT_STREQ(buf, "바뀐 글");

    TTHITTESTINFO hit = {parent, {20, 20}};
    EXPECT_TRUE(SendMessage(tip, TTM_HITTEST, 0, (LPARAM)&hit));
    EXPECT_EQ(hit.ti.uId, 7u);
    hit.pt = {150, 20};
    EXPECT_FALSE(SendMessage(tip, TTM_HITTEST, 0, (LPARAM)&hit));
    EXPECT_EQ(SendMessage(tip, TTM_SETMAXTIPWIDTH, 0, 200), -1);
    EXPECT_EQ(SendMessage(tip, TTM_GETMAXTIPWIDTH, 0, 0), 200);

    SendMessage(tip, TTM_DELTOOL, 0, (LPARAM)&ti);
    EXPECT_EQ(SendMessage(tip, TTM_GETTOOLCOUNT, 0, 0), 0);
}

}  // namespace
}  // namespace commctrl_test
