// CRectTracker: the rubber band and the handles run a capture loop fed by
// real input; the inverted drag frame leaves the window as it found it.
#include <gtest/gtest.h>

#include <mfc.h>

#include "support/GeometryPrinters.h"
#include "support/InputSynth.h"
#include "support/MessageLoop.h"
#include "support/WindowCapture.h"

#include <functional>
#include <vector>

using namespace mivo::test;

namespace {

const COLORREF kPaper = RGB(255, 255, 255);

// A tracker that writes down every draw and erase it is asked for, and
// whether the frame showed inverted pixels at its last draw.
class CRecordingTracker : public CRectTracker {
public:
    struct Call {
        CRect rect;
        BOOL erase;
        BOOL finalErase;
    };
    std::vector<Call> calls;
    int changes = 0;
    bool sawInverted = false;
    // Input given to the loop one step per draw, as a user moves on after seeing the frame.
    std::vector<std::function<void()>> script;
    size_t nextStep = 0;

    using CRectTracker::CRectTracker;

    void DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd) override
    {
        calls.push_back({CRect(lpRect), m_bErase, m_bFinalErase});
        CRectTracker::DrawTrackerRect(lpRect, pWndClipTo, pDC, pWnd);
        if (!m_bErase) {
            CRect r(lpRect);
            r.NormalizeRect();
            for (int y = r.top; y < r.bottom && !sawInverted; ++y)
                sawInverted = pDC->GetPixel(r.left, y) != kPaper;
        }
        if (!m_bErase && !m_bFinalErase && nextStep < script.size())
            script[nextStep++]();
    }
    void OnChangedRect(const CRect&) override { ++changes; }
    // The rectangles drawn (not erased) while the mouse moved.
    std::vector<CRect> Drawn() const
    {
        std::vector<CRect> drawn;
        for (const Call& c : calls)
            if (!c.erase && !c.finalErase)
                drawn.push_back(c.rect);
        return drawn;
    }
};

class CPaperWnd : public CWnd {
protected:
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(client, kPaper);
        dc.FillSolidRect(CRect(40, 40, 120, 90), RGB(200, 30, 30));
    }
    afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CPaperWnd, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

class RectTrackerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "tracker", WS_POPUP | WS_VISIBLE, 30, 20, 320, 240,
                                 nullptr, nullptr));
        wnd.SetForegroundWindow();
        wnd.SetFocus();
        wnd.UpdateWindow();
        PumpUntilIdle();
    }
    void TearDown() override
    {
        EXPECT_EQ(nullptr, ::GetCapture());
        wnd.DestroyWindow();
    }

    // Input waiting in the queue before the loop starts, at client points.
    void QueueMove(int x, int y) { mivo::InjectMouseMove(Screen(x, y)); }
    void QueueButton(int x, int y, mivo::MouseButton button, bool down)
    {
        mivo::InjectMouseButton(Screen(x, y), button, down);
    }
    POINT Screen(int x, int y)
    {
        POINT pt = {x, y};
        wnd.ClientToScreen(&pt);
        return pt;
    }

    CPaperWnd wnd;
};

}  // namespace

TEST_F(RectTrackerTest, RubberBandDrawsOnEveryMoveAndLeavesThePixels)
{
    WindowImage before = CaptureWindow(wnd.m_hWnd, true);
    const CPoint moves[] = {{30, 25}, {70, 60}, {150, 120}, {90, 100}};
    CRecordingTracker tracker;
    for (CPoint p : moves)
        tracker.script.push_back([this, p] { QueueMove(p.x, p.y); });
    tracker.script.push_back([this] { QueueButton(90, 100, mivo::MouseButton::Left, false); });

    EXPECT_TRUE(tracker.TrackRubberBand(&wnd, CPoint(10, 10), TRUE));
    EXPECT_EQ(CRect(10, 10, 90, 100), tracker.m_rect);

    // First the empty band, then one draw for every move, then the final erase.
    std::vector<CRect> drawn = tracker.Drawn();
    ASSERT_EQ(1u + std::size(moves), drawn.size());
    EXPECT_EQ(CRect(10, 10, 10, 10), drawn[0]);
    for (size_t i = 0; i < std::size(moves); ++i)
        EXPECT_EQ(CRect(CPoint(10, 10), moves[i]), drawn[i + 1]) << i;
    EXPECT_EQ((int)std::size(moves), tracker.changes);
    ASSERT_FALSE(tracker.calls.empty());
    EXPECT_TRUE(tracker.calls.back().finalErase);
    EXPECT_TRUE(tracker.sawInverted);

    WindowImage after = CaptureWindow(wnd.m_hWnd, true);
    EXPECT_EQ(before.pixels, after.pixels);
}

TEST_F(RectTrackerTest, RubberBandMayTurnInsideOut)
{
    QueueMove(20, 30);
    QueueButton(20, 30, mivo::MouseButton::Left, false);
    CRecordingTracker tracker;
    EXPECT_TRUE(tracker.TrackRubberBand(&wnd, CPoint(100, 90), TRUE));
    EXPECT_EQ(CRect(100, 90, 20, 30), tracker.m_rect);
    tracker.m_rect.NormalizeRect();
    EXPECT_EQ(CRect(20, 30, 100, 90), tracker.m_rect);
}

TEST_F(RectTrackerTest, ReleaseWithoutMovingChangesNothing)
{
    QueueButton(50, 50, mivo::MouseButton::Left, false);
    CRecordingTracker tracker(CRect(40, 40, 140, 120), CRectTracker::resizeInside);
    EXPECT_FALSE(tracker.Track(&wnd, CPoint(50, 50)));
    EXPECT_EQ(CRect(40, 40, 140, 120), tracker.m_rect);
    EXPECT_EQ(0, tracker.changes);
}

TEST_F(RectTrackerTest, TrackMovesAndResizesByEachHandle)
{
    const CRect start(100, 60, 200, 140);  // handles of 4 pixels inside
    struct Case {
        int hit;
        CPoint grab;
        CSize by;
        CRect expected;
    } cases[] = {
        {CRectTracker::hitTopLeft, {101, 61}, {-10, -5}, {90, 55, 200, 140}},
        {CRectTracker::hitTopRight, {198, 61}, {12, 6}, {100, 66, 212, 140}},
        {CRectTracker::hitBottomRight, {198, 138}, {20, 10}, {100, 60, 220, 150}},
        {CRectTracker::hitBottomLeft, {101, 138}, {-7, -8}, {93, 60, 200, 132}},
        {CRectTracker::hitTop, {150, 61}, {30, -9}, {100, 51, 200, 140}},
        {CRectTracker::hitRight, {198, 100}, {-25, 40}, {100, 60, 175, 140}},
        {CRectTracker::hitBottom, {150, 138}, {5, 11}, {100, 60, 200, 151}},
        {CRectTracker::hitLeft, {101, 100}, {15, 3}, {115, 60, 200, 140}},
        {CRectTracker::hitMiddle, {150, 100}, {-40, 25}, {60, 85, 160, 165}},
    };
    WindowImage before = CaptureWindow(wnd.m_hWnd, true);
    for (const Case& c : cases) {
        CRecordingTracker tracker(start, CRectTracker::resizeInside | CRectTracker::solidLine);
        ASSERT_EQ(c.hit, tracker.HitTest(c.grab)) << c.hit;
        CPoint end = c.grab + c.by;
        QueueMove(end.x, end.y);
        QueueButton(end.x, end.y, mivo::MouseButton::Left, false);
        EXPECT_TRUE(tracker.Track(&wnd, c.grab)) << c.hit;
        EXPECT_EQ(c.expected, tracker.m_rect) << c.hit;
    }
    EXPECT_EQ(before.pixels, CaptureWindow(wnd.m_hWnd, true).pixels);
}

TEST_F(RectTrackerTest, EdgesStopAtTheMinimumUnlessInversionIsAllowed)
{
    CRecordingTracker tracker(CRect(100, 60, 200, 140), CRectTracker::resizeInside);
    QueueMove(40, 100);
    QueueButton(40, 100, mivo::MouseButton::Left, false);
    EXPECT_TRUE(tracker.Track(&wnd, CPoint(198, 100)));
    EXPECT_EQ(CRect(100, 60, 100 + tracker.m_sizeMin.cx, 140), tracker.m_rect);

    CRecordingTracker inverting(CRect(100, 60, 200, 140), CRectTracker::resizeInside);
    QueueMove(40, 100);
    QueueButton(40, 100, mivo::MouseButton::Left, false);
    EXPECT_TRUE(inverting.Track(&wnd, CPoint(198, 100), TRUE));
    EXPECT_EQ(CRect(100, 60, 42, 140), inverting.m_rect);
    // The inverted rectangle still shows its right handle on the right.
    EXPECT_EQ(CRectTracker::hitRight, inverting.HitTest(CPoint(99, 100)));
    EXPECT_EQ(CRectTracker::hitLeft, inverting.NormalizeHit(CRectTracker::hitRight));
}

TEST_F(RectTrackerTest, EscapeOrRightButtonKeepsTheOldRectangle)
{
    const CRect start(100, 60, 200, 140);
    WindowImage before = CaptureWindow(wnd.m_hWnd, true);
    for (bool escape : {true, false}) {
        CRecordingTracker tracker(start, CRectTracker::resizeInside);
        QueueMove(150, 120);
        QueueMove(170, 130);
        if (escape) {
            mivo::InjectKey(VK_ESCAPE, true);
            mivo::InjectKey(VK_ESCAPE, false);
        } else {
            QueueButton(170, 130, mivo::MouseButton::Right, true);
        }
        QueueMove(10, 10);  // after the end: left for the window
        EXPECT_FALSE(tracker.Track(&wnd, CPoint(198, 138))) << escape;
        EXPECT_EQ(start, tracker.m_rect) << escape;
        EXPECT_TRUE(tracker.sawInverted);
        EXPECT_TRUE(tracker.calls.back().finalErase);
        EXPECT_EQ(before.pixels, CaptureWindow(wnd.m_hWnd, true).pixels) << escape;
        if (!escape)
            QueueButton(170, 130, mivo::MouseButton::Right, false);
        PumpUntilIdle();
    }
}

TEST_F(RectTrackerTest, OutsideTheRectangleNothingIsTracked)
{
    CRecordingTracker tracker(CRect(100, 60, 200, 140), CRectTracker::resizeOutside);
    EXPECT_EQ(CRectTracker::hitNothing, tracker.HitTest(CPoint(20, 20)));
    EXPECT_FALSE(tracker.Track(&wnd, CPoint(20, 20)));
    EXPECT_TRUE(tracker.calls.empty());
    // Outside handles sit in the ring around the rectangle.
    EXPECT_EQ(CRectTracker::hitTopLeft, tracker.HitTest(CPoint(97, 57)));
    CRect trueRect;
    tracker.GetTrueRect(&trueRect);
    EXPECT_EQ(CRect(96, 56, 204, 144), trueRect);
}

TEST_F(RectTrackerTest, DrawShowsLineAndHandles)
{
    CRectTracker tracker(CRect(60, 50, 160, 130), CRectTracker::solidLine | CRectTracker::resizeInside);
    CClientDC dc(&wnd);
    dc.FillSolidRect(CRect(0, 0, 320, 240), kPaper);
    tracker.Draw(&dc);
    EXPECT_EQ(RGB(0, 0, 0), dc.GetPixel(100, 50));   // the top line
    EXPECT_EQ(RGB(0, 0, 0), dc.GetPixel(62, 52));    // inside the top-left handle
    EXPECT_EQ(kPaper, dc.GetPixel(100, 90));         // the inside stays
    EXPECT_EQ(RGB(0, 0, 0), dc.GetPixel(157, 89));   // the handle in the middle of the right side
    EXPECT_EQ(kPaper, dc.GetPixel(157, 70));
}
