// Status bars: placement, part rectangles, texts, simple mode, child windows.
#include "ControlFixture.h"

#include "support/WindowCapture.h"

using namespace mivo::test;
using controls_test::ControlFixture;

namespace {

class StatusBarTest : public ControlFixture {
protected:
    HWND MakeBar(DWORD style = 0)
    {
        return CreateWindowEx(0, STATUSCLASSNAME, "준비", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                              (HMENU)(UINT_PTR)59393, nullptr, nullptr);
    }
    static RECT PartRect(HWND bar, int i)
    {
        RECT r = {-1, -1, -1, -1};
        EXPECT_TRUE(SendMessage(bar, SB_GETRECT, i, (LPARAM)&r)) << "part " << i;
        return r;
    }
};

}  // namespace

static bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

static std::ostream& operator<<(std::ostream& os, const RECT& r)
{
    return os << '(' << r.left << ',' << r.top << ',' << r.right << ',' << r.bottom << ')';
}

TEST_F(StatusBarTest, LiesAlongTheParentsBottomAndFollowsItsSize)
{
    HWND bar = MakeBar();
    RECT pc, br;
    GetClientRect(parent, &pc);
    GetWindowRect(bar, &br);
    MapWindowPoints(nullptr, parent, (POINT*)&br, 2);
    EXPECT_EQ(br.left, 0);
    EXPECT_EQ(br.right, pc.right);
    EXPECT_EQ(br.bottom, pc.bottom);
    EXPECT_GT(br.bottom - br.top, 10);

    SetWindowPos(parent, nullptr, 0, 0, 500, 350, SWP_NOMOVE | SWP_NOZORDER);
    SendMessage(bar, WM_SIZE, 0, 0);  // as a parent passes its sizing on
    GetClientRect(parent, &pc);
    GetWindowRect(bar, &br);
    MapWindowPoints(nullptr, parent, (POINT*)&br, 2);
    EXPECT_EQ(br.right, pc.right);
    EXPECT_EQ(br.bottom, pc.bottom);
}

TEST_F(StatusBarTest, PartRectanglesFollowTheRightEdges)
{
    HWND bar = MakeBar();
    RECT rc;
    GetClientRect(bar, &rc);
    int borders[3] = {};
    ASSERT_TRUE(SendMessage(bar, SB_GETBORDERS, 0, (LPARAM)borders));
    int gap = borders[2], top = borders[1];
    int edges[] = {100, 280, -1};
    ASSERT_TRUE(SendMessage(bar, SB_SETPARTS, 3, (LPARAM)edges));
    EXPECT_EQ(PartRect(bar, 0), (RECT{0, top, 100, rc.bottom}));
    EXPECT_EQ(PartRect(bar, 1), (RECT{100 + gap, top, 280, rc.bottom}));
    EXPECT_EQ(PartRect(bar, 2), (RECT{280 + gap, top, rc.right, rc.bottom})) << "-1 reaches the right end";
    RECT none;
    EXPECT_FALSE(SendMessage(bar, SB_GETRECT, 3, (LPARAM)&none));

    int got[8] = {};
    EXPECT_EQ(SendMessage(bar, SB_GETPARTS, 8, (LPARAM)got), 3);
    EXPECT_EQ(got[1], 280);
    EXPECT_FALSE(SendMessage(bar, SB_SETPARTS, 0, (LPARAM)edges));
    EXPECT_FALSE(SendMessage(bar, SB_SETPARTS, 257, (LPARAM)edges));
    EXPECT_EQ(SendMessage(bar, SB_GETPARTS, 0, 0), 3) << "a refused change keeps the parts";

    SendMessage(bar, SB_SIMPLE, TRUE, 0);
    EXPECT_TRUE(SendMessage(bar, SB_ISSIMPLE, 0, 0));
    EXPECT_EQ(PartRect(bar, 0), (RECT{0, top, rc.right, rc.bottom})) << "simple mode: one part across";
    SendMessage(bar, SB_SIMPLE, FALSE, 0);
    EXPECT_EQ(PartRect(bar, 1), (RECT{100 + gap, top, 280, rc.bottom}));
}

TEST_F(StatusBarTest, TextsKeepTheirDrawingKinds)
{
    HWND bar = MakeBar();
    int edges[] = {300, 400, 500, -1};
    SendMessage(bar, SB_SETPARTS, 4, (LPARAM)edges);
    char buf[64] = {};
    EXPECT_EQ(SendMessage(bar, SB_GETTEXT, 0, (LPARAM)buf), MAKELONG(4, 0));
    EXPECT_STREQ(buf, "준비") << "the window text is part 0";
    SendMessage(bar, SB_SETTEXT, 2 | SBT_NOBORDERS, (LPARAM)"페이지 1 / 3");
    EXPECT_EQ(SendMessage(bar, SB_GETTEXT, 2, (LPARAM)buf), MAKELONG(12, SBT_NOBORDERS));
    EXPECT_STREQ(buf, "페이지 1 / 3");
    EXPECT_EQ(SendMessage(bar, SB_GETTEXTLENGTH, 2, 0), MAKELONG(12, SBT_NOBORDERS));
    EXPECT_FALSE(SendMessage(bar, SB_SETTEXT, 7, (LPARAM)"x")) << "no such part";
    SendMessage(bar, SB_SETTEXT, SB_SIMPLEID, (LPARAM)"도움말");
    EXPECT_EQ(SendMessage(bar, SB_GETTEXT, SB_SIMPLEID, (LPARAM)buf), MAKELONG(6, 0));
    int edges2[] = {50, -1};
    SendMessage(bar, SB_SETPARTS, 2, (LPARAM)edges2);
    EXPECT_EQ(SendMessage(bar, SB_GETTEXT, 0, (LPARAM)buf), MAKELONG(4, 0)) << "remaining parts keep their text";
}

TEST_F(StatusBarTest, HoldsAProgressBarInAPart)
{
    HWND bar = MakeBar();
    int edges[] = {100, 200, -1};
    SendMessage(bar, SB_SETPARTS, 3, (LPARAM)edges);
    RECT part = PartRect(bar, 1);
    HWND progress = CreateWindowEx(0, PROGRESS_CLASS, "", WS_CHILD | WS_VISIBLE | PBS_SMOOTH, part.left, part.top,
                                   part.right - part.left, part.bottom - part.top, bar, (HMENU)1, nullptr, nullptr);
    ASSERT_NE(progress, nullptr);
    SendMessage(progress, PBM_SETPOS, 100, 0);
    RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpUntilIdle();
    WindowImage img = CaptureWindow(bar, true);
    EXPECT_EQ(img.At((part.left + part.right) / 2, (part.top + part.bottom) / 2), GetSysColor(COLOR_HIGHLIGHT))
        << "the bar does not paint over its child";
}
