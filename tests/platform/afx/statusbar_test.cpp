// CStatusBar over the status bar control: indicator texts from the string
// table, pane widths and rectangles that follow the frame, prompts in pane 0
// and the key indicators on idle.
#include <gtest/gtest.h>

#include <mfc.h>

#include "support/BarResourceBuilder.h"
#include "support/MessageLoop.h"

#include <memory>

using namespace mivo::test;

namespace {

const UINT kZoomIndicator = 0x7710, kMissingIndicator = 0x7711, kPromptCommand = 0x7712;

ResourceSet& Resources()
{
    static ResourceSet* set = [] {
        auto* s = new ResourceSet("statusbar_test");
        s->Add(RT_STRING, (WORD)(kZoomIndicator / 16 + 1),
               BuildStringBlock({{kZoomIndicator, u"배율 100%"}, {kPromptCommand, u"그림을 엽니다\n열기"}}));
        s->Register();
        return s;
    }();
    return *set;
}

class StatusBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Resources();
        frame = new CFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, "Mivo", WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 300)));
        app.m_pMainWnd = frame;
        ASSERT_TRUE(bar.Create(frame));
        frame->ShowWindow(SW_SHOW);
    }
    void TearDown() override
    {
        bar.DestroyWindow();
        frame->DestroyWindow();
        PumpUntilIdle();
        DiscardQuitRequest();
        BYTE keys[256] = {};
        ::SetKeyboardState(keys);
    }
    void Layout()
    {
        frame->RecalcLayout();
        PumpUntilIdle();
    }
    CRect Pane(int index) const
    {
        CRect rect;
        bar.GetItemRect(index, &rect);
        return rect;
    }

    CWinApp app{"StatusBar Test"};
    CFrameWnd* frame = nullptr;
    CStatusBar bar;
};

TEST_F(StatusBarTest, IndicatorTextsComeFromTheStringTable)
{
    const UINT indicators[] = {ID_SEPARATOR, kZoomIndicator, ID_INDICATOR_CAPS, ID_INDICATOR_NUM};
    ASSERT_TRUE(bar.SetIndicators(indicators, 4));
    ASSERT_EQ(4, bar.GetCount());
    EXPECT_EQ(CString("배율 100%"), bar.GetPaneText(1));
    EXPECT_EQ(CString("CAP"), bar.GetPaneText(2));
    EXPECT_EQ(2, bar.CommandToIndex(ID_INDICATOR_CAPS));
    EXPECT_EQ(-1, bar.CommandToIndex(ID_INDICATOR_SCRL));
    EXPECT_EQ(kZoomIndicator, bar.GetItemID(1));
    UINT id, style;
    int width;
    bar.GetPaneInfo(0, id, style, width);
    EXPECT_EQ((UINT)(SBPS_STRETCH | SBPS_NOBORDERS), style);
    bar.GetPaneInfo(1, id, style, width);
    EXPECT_EQ((UINT)SBPS_NORMAL, style);
    EXPECT_GT(width, 30);  // the text's width
    EXPECT_EQ(CString("CAP"), bar.GetStatusBarCtrl().GetText(2));

    const UINT missing[] = {ID_SEPARATOR, kMissingIndicator};
    EXPECT_FALSE(bar.SetIndicators(missing, 2));
    EXPECT_FALSE(bar.SetIndicators(nullptr, 0));
}

// The main frame's bar: pane 0 stretches, the others keep their widths, all
// side by side; a wider frame widens pane 0 only.
TEST_F(StatusBarTest, PanesByItemRectFollowTheFrame)
{
    const UINT indicators[] = {ID_SEPARATOR, ID_SEPARATOR, ID_SEPARATOR, ID_INDICATOR_CAPS};
    ASSERT_TRUE(bar.SetIndicators(indicators, 4));
    bar.SetPaneInfo(1, ID_SEPARATOR, SBPS_NORMAL, 100);
    bar.SetPaneInfo(2, ID_SEPARATOR, SBPS_NOBORDERS, 180);
    Layout();

    CRect client;
    frame->GetClientRect(&client);
    CRect barRect;
    bar.GetWindowRect(&barRect);
    frame->ScreenToClient(&barRect);
    EXPECT_EQ(client.bottom, barRect.bottom);
    EXPECT_EQ(client.Width(), barRect.Width());

    std::vector<CRect> panes;
    for (int i = 0; i < 4; ++i)
        panes.push_back(Pane(i));
    for (int i = 1; i < 4; ++i) {
        EXPECT_GT(panes[(size_t)i].left, panes[(size_t)i - 1].right - 1) << i;
        EXPECT_EQ(panes[0].top, panes[(size_t)i].top) << i;
    }
    EXPECT_EQ(Pane(1).Width() + 80, Pane(2).Width());
    int grip = ::GetSystemMetrics(SM_CXVSCROLL);
    EXPECT_EQ(barRect.Width() - grip, panes[3].right);

    frame->SetWindowPos(nullptr, 0, 0, 740, 300, SWP_NOMOVE | SWP_NOZORDER);
    PumpUntilIdle();
    EXPECT_EQ(panes[0].Width() + 100, Pane(0).Width());
    EXPECT_EQ(panes[1].Width(), Pane(1).Width());
    EXPECT_EQ(panes[3].Width(), Pane(3).Width());

    CRect none;
    bar.GetItemRect(9, &none);
    EXPECT_TRUE(none.IsRectEmpty());
}

TEST_F(StatusBarTest, MessagesGoIntoPaneZero)
{
    const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS};
    ASSERT_TRUE(bar.SetIndicators(indicators, 2));
    frame->SetMessageText("사진 3장을 골랐습니다");
    EXPECT_EQ(CString("사진 3장을 골랐습니다"), bar.GetPaneText(0));
    EXPECT_EQ(CString("사진 3장을 골랐습니다"), bar.GetStatusBarCtrl().GetText(0));
    frame->SendMessage(WM_SETMESSAGESTRING, kPromptCommand);
    EXPECT_EQ(CString("그림을 엽니다"), bar.GetPaneText(0));
    CString window;
    bar.GetWindowText(window);
    EXPECT_EQ(CString("그림을 엽니다"), window);
    EXPECT_EQ(CString("CAP"), bar.GetPaneText(1));  // the indicator keeps its own text
    char small[5];
    EXPECT_EQ(4, (int)bar.SendMessage(WM_GETTEXT, sizeof(small), (LPARAM)small));
    EXPECT_EQ(std::string("그림"), std::string(small));  // cut between characters
}

TEST_F(StatusBarTest, KeyIndicatorsFollowTheLocksOnIdle)
{
    const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
    ASSERT_TRUE(bar.SetIndicators(indicators, 4));
    BYTE keys[256] = {};
    keys[VK_CAPITAL] = 1;
    keys[VK_SCROLL] = 1;
    ASSERT_TRUE(::SetKeyboardState(keys));
    app.OnIdle(0);
    CStatusBarCtrl& ctrl = bar.GetStatusBarCtrl();
    EXPECT_EQ(CString("CAP"), ctrl.GetText(1));
    EXPECT_EQ(CString(""), ctrl.GetText(2));
    EXPECT_EQ(CString("SCRL"), ctrl.GetText(3));
    EXPECT_TRUE(bar.GetPaneStyle(2) & SBPS_DISABLED);
    EXPECT_EQ(CString("NUM"), bar.GetPaneText(2));  // kept for when the lock comes on

    keys[VK_CAPITAL] = 0;
    keys[VK_NUMLOCK] = 1;
    ::SetKeyboardState(keys);
    app.OnIdle(0);
    EXPECT_EQ(CString(""), ctrl.GetText(1));
    EXPECT_EQ(CString("NUM"), ctrl.GetText(2));
}

}  // namespace
