// Splitter bars driven by synthetic mouse and keys: the drag and its three endings, the
// minimums, a bar with no room, pane layout and the bar's cursor.
#include <gtest/gtest.h>

#include "mfc.h"
#include "controls/xSplitterWnd.h"
#include "controls/ySplitterWnd.h"
#include "res/resource.h"
#include "support/MessageLoop.h"
#include "mivo/testing/input.h"

#include <functional>
#include <utility>
#include <vector>

namespace {

const int kBar = 10, kFirst = 11, kSecond = 12, kMissing = 99;

// The dialog-like parent: three child controls, and the messages the bar sends it.
class Host : public CWnd {
public:
    std::vector<std::pair<INT_PTR, LPARAM>> moved;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SPLITTER_MOVED)
            moved.emplace_back((INT_PTR)wParam, lParam);
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// Steps run one per timer tick, so they happen inside the bar's own drag loop.
std::vector<std::function<void()>>* g_steps = nullptr;
size_t g_next = 0;

void CALLBACK NextStep(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_steps && g_next < g_steps->size())
        (*g_steps)[g_next++]();
}

CRect ChildRect(CWnd& host, int id)
{
    CRect r;
    host.GetDlgItem(id)->GetWindowRect(&r);
    host.ScreenToClient(&r);
    return r;
}

template <class Bar>
struct SplitterFixture : ::testing::Test {
    Host host;
    Bar bar;
    bool alongX = true;

    void Make(bool x)
    {
        alongX = x;
        ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE, 0, 0, 600, 600, nullptr,
                                  nullptr));
        auto child = [&](int id, CRect r) {
            ::CreateWindow("Static", "", WS_CHILD | WS_VISIBLE, r.left, r.top, r.Width(), r.Height(),
                           host.GetSafeHwnd(), (HMENU)(INT_PTR)id, nullptr, nullptr);
        };
        if (x) {
            child(kFirst, CRect(20, 10, 250, 500));
            child(kBar, CRect(300, 10, 306, 500));
            child(kSecond, CRect(350, 10, 580, 500));
        } else {
            child(kFirst, CRect(10, 20, 500, 250));
            child(kBar, CRect(10, 300, 500, 306));
            child(kSecond, CRect(10, 350, 500, 580));
        }
        host.SetFocus();
    }
    void TearDown() override
    {
        if (host.GetSafeHwnd())
            host.DestroyWindow();
        mivo::test::DiscardQuitRequest();
    }

    POINT Screen(CPoint client)
    {
        bar.ClientToScreen(&client);
        return client;
    }
    // Presses at `grab` (bar client coordinates), then runs `steps` inside the drag.
    void Drag(CPoint grab, std::vector<std::function<void()>> steps)
    {
        g_steps = &steps;
        g_next = 0;
        UINT_PTR timer = ::SetTimer(nullptr, 0, 1, NextStep);
        mivo::InjectMouseMove(Screen(grab));
        mivo::InjectMouseButton(Screen(grab), mivo::MouseButton::Left, true);
        mivo::test::PumpUntil([&] { return g_next >= steps.size() && ::GetCapture() == nullptr; }, 5000);
        ::KillTimer(nullptr, timer);
        g_steps = nullptr;
        mivo::test::PumpUntilIdle();
    }
    std::function<void()> MoveBy(CPoint grab, int d)
    {
        return [=] { mivo::InjectMouseMove(Screen(alongX ? CPoint(grab.x + d, grab.y) : CPoint(grab.x, grab.y + d))); };
    }
    std::function<void()> Release(CPoint at)
    {
        return [=] { mivo::InjectMouseButton(Screen(at), mivo::MouseButton::Left, false); };
    }
};

using XSplitter = SplitterFixture<CxSplitterWnd>;
using YSplitter = SplitterFixture<CySplitterWnd>;

}  // namespace

TEST_F(XSplitter, PanesEndOnePixelEitherSideOfTheBar)
{
    Make(true);
    bar.BindWithControl(&host, kBar);
    bar.AttachAsLeftPane(kFirst);
    bar.AttachAsLeftPane(kMissing);  // names no control: passed over
    bar.AttachAsRightPane(kSecond);
    bar.RecalcLayout();
    EXPECT_EQ(299, ChildRect(host, kFirst).right);
    EXPECT_EQ(20, ChildRect(host, kFirst).left);
    EXPECT_EQ(307, ChildRect(host, kSecond).left);
    EXPECT_EQ(580, ChildRect(host, kSecond).right);
    EXPECT_TRUE(bar.GetStyle() & SS_NOTIFY);
}

TEST_F(XSplitter, EveryEndingKeepsThePositionReached)
{
    Make(true);
    bar.BindWithControl(&host, kBar);
    bar.AttachAsLeftPane(kFirst);
    bar.AttachAsRightPane(kSecond);
    bar.RecalcLayout();
    const CPoint grab(3, 100);
    struct Case {
        const char* name;
        int distance;
        std::function<void()> end;
    };
    const Case cases[] = {
        {"button up", 40, Release(grab + CPoint(40, 0))},
        {"escape", -30, [] { mivo::InjectKey(VK_ESCAPE, true); }},
        {"right button", 25, [&] { mivo::InjectMouseButton(Screen(grab + CPoint(25, 0)), mivo::MouseButton::Right, true); }},
    };
    int barLeft = 300;
    for (const Case& c : cases) {
        host.moved.clear();
        Drag(grab, {MoveBy(grab, c.distance / 2), MoveBy(grab, c.distance), c.end});
        mivo::InjectMouseButton(Screen(grab), mivo::MouseButton::Right, false);
        mivo::InjectMouseButton(Screen(grab), mivo::MouseButton::Left, false);
        mivo::InjectKey(VK_ESCAPE, false);
        mivo::test::PumpUntilIdle();
        barLeft += c.distance;
        ASSERT_EQ(1u, host.moved.size()) << c.name;
        EXPECT_EQ(c.distance, host.moved[0].first) << c.name;
        EXPECT_EQ(kBar, host.moved[0].second) << c.name;
        EXPECT_EQ(barLeft, ChildRect(host, kBar).left) << c.name;
        EXPECT_EQ(barLeft - 1, ChildRect(host, kFirst).right) << c.name;
        EXPECT_EQ(barLeft + 7, ChildRect(host, kSecond).left) << c.name;
    }
}

TEST_F(XSplitter, ADragBackToTheStartSendsNothingAndKeysAreSwallowed)
{
    Make(true);
    bar.BindWithControl(&host, kBar);
    bar.AttachAsLeftPane(kFirst);
    bar.AttachAsRightPane(kSecond);
    const CPoint grab(3, 100);
    Drag(grab, {MoveBy(grab, 50), [] { mivo::InjectKey('A', true); }, MoveBy(grab, 0), Release(grab)});
    EXPECT_TRUE(host.moved.empty());
    EXPECT_EQ(300, ChildRect(host, kBar).left);
    MSG msg;
    EXPECT_FALSE(::PeekMessage(&msg, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE));
}

TEST_F(XSplitter, AQuitMetInTheDragIsPostedAgain)
{
    Make(true);
    bar.BindWithControl(&host, kBar);
    bar.AttachAsLeftPane(kFirst);
    bar.AttachAsRightPane(kSecond);
    const CPoint grab(3, 100);
    std::vector<std::function<void()>> steps = {MoveBy(grab, 20), [] { ::PostQuitMessage(7); }};
    g_steps = &steps;
    g_next = 0;
    UINT_PTR timer = ::SetTimer(nullptr, 0, 1, NextStep);
    mivo::InjectMouseButton(Screen(grab), mivo::MouseButton::Left, true);
    MSG msg;
    while (::GetMessage(&msg, nullptr, 0, 0))
        ::DispatchMessage(&msg);
    ::KillTimer(nullptr, timer);
    g_steps = nullptr;
    EXPECT_EQ(7, (int)msg.wParam);
    EXPECT_EQ(nullptr, ::GetCapture());
    ASSERT_EQ(1u, host.moved.size());  // the position reached is kept
    EXPECT_EQ(20, host.moved[0].first);
    mivo::InjectMouseButton(Screen(grab), mivo::MouseButton::Left, false);
    mivo::test::PumpUntilIdle();
}

TEST_F(XSplitter, WithoutRoomThePressDoesNothing)
{
    Make(true);
    bar.BindWithControl(&host, kBar);
    bar.AttachAsLeftPane(kFirst);
    bar.AttachAsRightPane(kSecond);
    bar.SetMinWidth(400, 300);
    EXPECT_FALSE(bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 100)));
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_TRUE(host.moved.empty());
}

TEST_F(XSplitter, TheBarShowsTheLibraryCursor)
{
    Make(true);
    bar.BindWithControl(&host, kBar);
    LPCSTR id = MAKEINTRESOURCE(IDC_SPLITTER_X);
    ASSERT_NE(nullptr, ::LoadCursor(AfxFindResourceHandle(id, RT_GROUP_CURSOR), id));
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    EXPECT_TRUE(bar.SendMessage(WM_SETCURSOR, (WPARAM)bar.GetSafeHwnd(), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    ICONINFO info = {};
    ASSERT_TRUE(::GetIconInfo(::GetCursor(), &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(16u, info.xHotspot);  // ours, with the hot spot between the arrows
    EXPECT_EQ(16u, info.yHotspot);
    if (info.hbmMask)
        ::DeleteObject(info.hbmMask);
    if (info.hbmColor)
        ::DeleteObject(info.hbmColor);
}

TEST_F(YSplitter, TheMinimumsHoldAtBothEnds)
{
    Make(false);
    bar.BindWithControl(&host, kBar);
    bar.AttachAsAbovePane(kFirst);
    bar.AttachAsBelowPane(kSecond);
    bar.SetMinHeight(100, 150);
    bar.RecalcLayout();
    EXPECT_EQ(299, ChildRect(host, kFirst).bottom);
    EXPECT_EQ(307, ChildRect(host, kSecond).top);
    const CPoint grab(100, 2);
    Drag(grab, {MoveBy(grab, -250), Release(grab + CPoint(0, -250))});
    mivo::InjectMouseButton(Screen(grab), mivo::MouseButton::Left, false);
    mivo::test::PumpUntilIdle();
    EXPECT_EQ(20 + 100, ChildRect(host, kBar).top);  // no closer to the upper pane's top
    Drag(grab, {MoveBy(grab, 400), Release(grab + CPoint(0, 400))});
    mivo::InjectMouseButton(Screen(grab), mivo::MouseButton::Left, false);
    mivo::test::PumpUntilIdle();
    EXPECT_EQ(580 - 150, ChildRect(host, kBar).bottom);  // nor to the lower pane's bottom
    ASSERT_EQ(2u, host.moved.size());
    EXPECT_EQ(-180, host.moved[0].first);
}
