// Painting: update regions, WM_PAINT and WM_ERASEBKGND, clipping of children and siblings, window DCs.
#include <gtest/gtest.h>

#include <win32.h>

#include "support/MessageLoop.h"
#include "support/MessageRecorder.h"
#include "support/MessageSequence.h"
#include "support/WindowCapture.h"

#include <map>
#include <thread>

using namespace mivo::test;

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kGreen = RGB(0, 255, 0);

// Every window paints itself in its own colour and notes what it was asked to paint.
struct Painter {
    MessageRecorder& rec;
    std::map<HWND, COLORREF> colours;
    std::map<HWND, std::vector<RECT>> painted;

    explicit Painter(MessageRecorder& r) : rec(r)
    {
        rec.OnMessage(WM_PAINT, [this](HWND h, UINT, WPARAM, LPARAM, LRESULT* result) {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(h, &ps);
            painted[h].push_back(ps.rcPaint);
            auto it = colours.find(h);
            if (it != colours.end()) {
                HBRUSH b = CreateSolidBrush(it->second);
                RECT all;
                GetClientRect(h, &all);
                FillRect(dc, &all, b);  // the DC is clipped to what needs painting
                DeleteObject(b);
            }
            EndPaint(h, &ps);
            *result = 0;
            return true;
        });
    }
};

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

TEST(Painting, ShownWindowErasesWithItsClassBrushAndPaints)
{
    MessageRecorder rec;
    Painter painter(rec);
    HWND top = CreateTestWindow("paint", WS_POPUP | WS_VISIBLE, 0, 0, 100, 80);
    PumpUntilIdle();
    // BeginPaint erases while the queued paint is handled.
    EXPECT_ORDER(rec, top, {{WM_PAINT, kPosted}, {WM_ERASEBKGND, kSent}});
    WindowImage img = CaptureWindow(top);
    ASSERT_EQ(img.width, 100);
    EXPECT_EQ(img.Count(GetSysColor(COLOR_WINDOW)), 100 * 80) << "the class brush filled the window";

    painter.colours[top] = kBlue;
    InvalidateRect(top, nullptr, TRUE);
    PumpUntilIdle();
    EXPECT_EQ(CaptureWindow(top).Count(kBlue), 100 * 80);
    DestroyWindow(top);
}

TEST(Painting, InvalidationsMergeIntoOnePaintOfTheirUnion)
{
    MessageRecorder rec;
    Painter painter(rec);
    HWND top = CreateTestWindow("paint", WS_POPUP | WS_VISIBLE, 0, 0, 100, 80);
    PumpUntilIdle();
    painter.painted.clear();
    painter.colours[top] = kGreen;
    RECT a{10, 10, 20, 20}, b{50, 30, 60, 45};
    InvalidateRect(top, &a, FALSE);
    InvalidateRect(top, &b, FALSE);
    RECT upd;
    EXPECT_TRUE(GetUpdateRect(top, &upd, FALSE));
    EXPECT_TRUE(SameRect(upd, RECT{10, 10, 60, 45}));
    rec.Clear();
    PumpUntilIdle();
    ASSERT_EQ(painter.painted[top].size(), 1u) << "one WM_PAINT for both rectangles";
    EXPECT_TRUE(SameRect(painter.painted[top][0], RECT{10, 10, 60, 45}));
    EXPECT_EQ(rec.Count(top, WM_ERASEBKGND), 0) << "no erase was asked for";
    WindowImage img = CaptureWindow(top);
    // Only the two rectangles were painted, not their bounding box.
    EXPECT_EQ(img.Count(kGreen), 100 + 150);
    EXPECT_EQ(img.At(15, 15), kGreen);
    EXPECT_EQ(img.At(30, 15), GetSysColor(COLOR_WINDOW));
    EXPECT_FALSE(GetUpdateRect(top, &upd, FALSE));

    // Validated areas are not painted.
    InvalidateRect(top, nullptr, FALSE);
    ValidateRect(top, nullptr);
    rec.Clear();
    PumpUntilIdle();
    EXPECT_EQ(rec.Count(top, WM_PAINT), 0);
    DestroyWindow(top);
}

TEST(Painting, ChildrenAreClippedOutOfAParentWithClipChildren)
{
    for (bool clipChildren : {true, false}) {
        MessageRecorder rec;
        Painter painter(rec);
        DWORD style = WS_POPUP | WS_VISIBLE | (clipChildren ? WS_CLIPCHILDREN : 0);
        HWND top = CreateTestWindow("parent", style, 0, 0, 100, 80);
        HWND child = CreateTestWindow("child", WS_CHILD | WS_VISIBLE, 10, 10, 30, 20, top, 1);
        painter.colours[top] = kBlue;
        painter.colours[child] = kRed;
        PumpUntilIdle();
        WindowImage img = CaptureWindow(top);
        EXPECT_EQ(img.Count(kRed), 30 * 20) << "clipChildren=" << clipChildren;
        EXPECT_EQ(img.Count(kBlue), 100 * 80 - 30 * 20);

        // Invalidating the parent repaints the child too unless the parent clips it out.
        painter.painted.clear();
        InvalidateRect(top, nullptr, TRUE);
        PumpUntilIdle();
        EXPECT_EQ(painter.painted.count(child) ? painter.painted[child].size() : 0u, clipChildren ? 0u : 1u);
        img = CaptureWindow(top);
        EXPECT_EQ(img.Count(kRed), 30 * 20);
        EXPECT_EQ(img.At(10, 10), kRed);
        EXPECT_EQ(img.At(9, 10), kBlue);
        DestroyWindow(top);
    }
}

TEST(Painting, SiblingsClipEachOtherByZOrder)
{
    MessageRecorder rec;
    Painter painter(rec);
    HWND top = CreateTestWindow("parent", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 100, 80);
    HWND first = CreateTestWindow("first", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 40, 40, top, 1);
    HWND second = CreateTestWindow("second", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 20, 20, 40, 40, top, 2);
    painter.colours[top] = kBlue;
    painter.colours[first] = kRed;
    painter.colours[second] = kGreen;
    PumpUntilIdle();
    WindowImage img = CaptureWindow(top);
    // The first child is on top of the z-order (created first), so it covers the overlap.
    EXPECT_EQ(img.At(25, 25), kRed);
    EXPECT_EQ(img.At(50, 50), kGreen);
    EXPECT_EQ(img.Count(kRed), 40 * 40);
    EXPECT_EQ(img.Count(kGreen), 40 * 40 - 20 * 20);
    // Bringing the second to the top changes which one shows.
    SetWindowPos(second, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    PumpUntilIdle();
    img = CaptureWindow(top);
    EXPECT_EQ(img.At(25, 25), kGreen);
    EXPECT_EQ(img.Count(kGreen), 40 * 40);
    DestroyWindow(top);
}

TEST(Painting, HiddenAndRedrawOffWindowsAreNotPainted)
{
    MessageRecorder rec;
    Painter painter(rec);
    HWND top = CreateTestWindow("hidden", WS_POPUP, 0, 0, 50, 50);
    InvalidateRect(top, nullptr, TRUE);
    PumpUntilIdle();
    EXPECT_EQ(rec.Count(top, WM_PAINT), 0);
    ShowWindow(top, SW_SHOWNA);
    PumpUntilIdle();
    EXPECT_EQ(rec.Count(top, WM_PAINT), 1);

    SendMessage(top, WM_SETREDRAW, FALSE, 0);
    InvalidateRect(top, nullptr, TRUE);
    PumpUntilIdle();
    EXPECT_EQ(rec.Count(top, WM_PAINT), 1);
    SendMessage(top, WM_SETREDRAW, TRUE, 0);
    PumpUntilIdle();
    EXPECT_EQ(rec.Count(top, WM_PAINT), 2) << "the pending update shows once redraw is back";
    DestroyWindow(top);
}

TEST(Painting, UpdateWindowPaintsAtOnceAndGetDCDrawsAnywhere)
{
    MessageRecorder rec;
    Painter painter(rec);
    HWND top = CreateTestWindow("now", WS_POPUP | WS_VISIBLE, 0, 0, 60, 40);
    PumpUntilIdle();
    painter.colours[top] = kRed;
    InvalidateRect(top, nullptr, TRUE);
    rec.Clear();
    UpdateWindow(top);
    EXPECT_ORDER(rec, top, {{WM_PAINT, kSent}});
    EXPECT_EQ(CaptureWindow(top).Count(kRed), 60 * 40);

    // A worker thread may draw through GetDC.
    std::thread worker([&] {
        HDC dc = GetDC(top);
        SetPixel(dc, 5, 6, kGreen);
        ReleaseDC(top, dc);
    });
    worker.join();
    EXPECT_EQ(CaptureWindow(top).At(5, 6), kGreen);
    HDC dc = GetDC(top);
    EXPECT_EQ(GetPixel(dc, 5, 6), kGreen);
    EXPECT_EQ(WindowFromDC(dc), top);
    ReleaseDC(top, dc);
    DestroyWindow(top);
}

TEST(Painting, ScrollWindowMovesPixelsAndInvalidatesTheUncoveredStrip)
{
    MessageRecorder rec;
    Painter painter(rec);
    HWND top = CreateTestWindow("scroll", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
    PumpUntilIdle();
    HDC dc = GetDC(top);
    SetPixel(dc, 10, 20, kRed);
    ReleaseDC(top, dc);
    painter.painted.clear();
    RECT upd;
    ScrollWindowEx(top, 0, -10, nullptr, nullptr, nullptr, &upd, SW_INVALIDATE);
    EXPECT_TRUE(SameRect(upd, RECT{0, 40, 50, 50}));
    EXPECT_EQ(CaptureWindow(top).At(10, 10), kRed);
    PumpUntilIdle();
    ASSERT_EQ(painter.painted[top].size(), 1u);
    EXPECT_TRUE(SameRect(painter.painted[top][0], RECT{0, 40, 50, 50}));
    DestroyWindow(top);
}
