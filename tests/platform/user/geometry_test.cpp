// Positions and sizes, frames and client areas, hit testing, scroll bars.
#include <gtest/gtest.h>

#include <win32.h>

#include "support/InputSynth.h"
#include "support/MessageLoop.h"
#include "support/MessageRecorder.h"
#include "support/MessageSequence.h"
#include "support/WindowCapture.h"
#include "mivo/testing/input.h"

using namespace mivo::test;

namespace {

RECT ClientOf(HWND h)
{
    RECT r;
    GetClientRect(h, &r);
    return r;
}

}  // namespace

TEST(Geometry, ClientAreaFollowsTheFrameStyles)
{
    MessageRecorder rec;
    struct Case {
        DWORD style, ex;
        int cx, cy;  // client size of a 200x100 window
    } cases[] = {
        {WS_POPUP, 0, 200, 100},
        {WS_POPUP | WS_BORDER, 0, 198, 98},
        {WS_POPUP | WS_DLGFRAME, 0, 194, 94},
        {WS_POPUP | WS_THICKFRAME, 0, 192, 92},
        {WS_POPUP, WS_EX_CLIENTEDGE, 196, 96},
        {WS_POPUP, WS_EX_STATICEDGE, 198, 98},
        {WS_POPUP | WS_CAPTION, 0, 194, 100 - 6 - 19},
        {WS_OVERLAPPEDWINDOW, 0, 192, 100 - 8 - 19},
        {WS_POPUP | WS_VSCROLL | WS_HSCROLL, 0, 184, 84},
        {WS_POPUP | WS_CAPTION, WS_EX_TOOLWINDOW, 194, 100 - 6 - 16},
    };
    for (const Case& c : cases) {
        HWND h = CreateTestWindow("frame", c.style, 0, 0, 200, 100, nullptr, 0, c.ex);
        RECT r = ClientOf(h);
        EXPECT_EQ(r.right, c.cx) << std::hex << c.style << " " << c.ex;
        EXPECT_EQ(r.bottom, c.cy) << std::hex << c.style << " " << c.ex;
        RECT adjusted{0, 0, c.cx, c.cy};
        if (!(c.style & (WS_VSCROLL | WS_HSCROLL))) {
            AdjustWindowRectEx(&adjusted, c.style, FALSE, c.ex);
            EXPECT_EQ(adjusted.right - adjusted.left, 200);
            EXPECT_EQ(adjusted.bottom - adjusted.top, 100);
        }
        DestroyWindow(h);
    }
}

TEST(Geometry, CoordinatesMapBetweenWindowsAndScreen)
{
    MessageRecorder rec;
    HWND top = CreateTestWindow("top", WS_POPUP | WS_BORDER, 100, 50, 300, 200);
    HWND child = CreateTestWindow("child", WS_CHILD | WS_BORDER, 10, 20, 100, 80, top, 1);
    POINT p{0, 0};
    ClientToScreen(child, &p);
    EXPECT_EQ(p.x, 100 + 1 + 10 + 1);
    EXPECT_EQ(p.y, 50 + 1 + 20 + 1);
    ScreenToClient(top, &p);
    EXPECT_EQ(p.x, 11);
    EXPECT_EQ(p.y, 21);
    RECT r;
    GetWindowRect(child, &r);
    EXPECT_EQ(r.left, 111);
    EXPECT_EQ(r.right, 211);
    POINT pts[2] = {{0, 0}, {5, 5}};
    MapWindowPoints(child, top, pts, 2);
    EXPECT_EQ(pts[1].x, 16);
    // The point lands on the child, then its parent outside it.
    EXPECT_EQ(ChildWindowFromPoint(top, POINT{15, 25}), child);
    EXPECT_EQ(ChildWindowFromPoint(top, POINT{200, 150}), top);
    EXPECT_EQ(ChildWindowFromPoint(top, POINT{400, 10}), nullptr);
    DestroyWindow(top);
}

TEST(Geometry, SetWindowPosAnnouncesChangesOnce)
{
    MessageRecorder rec;
    HWND top = CreateTestWindow("top", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200);
    HWND child = CreateTestWindow("child", WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, top, 1);
    PumpUntilIdle();
    rec.Clear();
    SetWindowPos(child, nullptr, 20, 30, 60, 40, SWP_NOZORDER | SWP_NOACTIVATE);
    // DefWindowProc turns WM_WINDOWPOSCHANGED into WM_MOVE and WM_SIZE.
    EXPECT_SEQUENCE(rec, child, {
        {WM_WINDOWPOSCHANGING, kSent},
        {WM_NCCALCSIZE, kSent | kWParam, TRUE},
        {WM_WINDOWPOSCHANGED, kSent},
        {WM_MOVE, kSent | kDefProc | kLParam, 0, MAKELPARAM(20, 30)},
        {WM_SIZE, kSent | kDefProc | kWParam | kLParam, SIZE_RESTORED, MAKELPARAM(60, 40)},
    });
    rec.Clear();
    MoveWindow(child, 20, 30, 60, 40, TRUE);
    // Nothing changed, nothing to say.
    EXPECT_SEQUENCE(rec, child, {{WM_WINDOWPOSCHANGING, kSent}});
    // A handler of WM_WINDOWPOSCHANGING may correct the request.
    rec.OnMessage(WM_WINDOWPOSCHANGING, [](HWND, UINT, WPARAM, LPARAM l, LRESULT* r) {
        auto* wp = (WINDOWPOS*)l;
        if (!(wp->flags & SWP_NOSIZE) && wp->cx > 100)
            wp->cx = 100;
        *r = 0;
        return true;
    });
    MoveWindow(child, 0, 0, 150, 40, TRUE);
    RECT r;
    GetWindowRect(child, &r);
    EXPECT_EQ(r.right - r.left, 100);
    DestroyWindow(top);
}

TEST(Geometry, MaximizeRestoreAndPlacement)
{
    MessageRecorder rec;
    HWND top = CreateTestWindow("top", WS_OVERLAPPEDWINDOW, 30, 40, 300, 200);
    ShowWindow(top, SW_SHOWMAXIMIZED);
    EXPECT_TRUE(IsZoomed(top));
    bool maximizedSize = false;
    for (auto& m : rec.All())
        if (m.hwnd == top && m.msg == WM_SIZE && m.wParam == SIZE_MAXIMIZED)
            maximizedSize = true;
    EXPECT_TRUE(maximizedSize);
    RECT work;
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    RECT client;
    GetClientRect(top, &client);
    POINT origin{0, 0};
    ClientToScreen(top, &origin);
    EXPECT_EQ(origin.x, work.left) << "the frame hangs outside the work area";
    EXPECT_EQ(client.right, work.right - work.left);
    WINDOWPLACEMENT wp = {sizeof(wp)};
    GetWindowPlacement(top, &wp);
    EXPECT_EQ(wp.showCmd, (UINT)SW_SHOWMAXIMIZED);
    EXPECT_EQ(wp.rcNormalPosition.left, 30);
    EXPECT_EQ(wp.rcNormalPosition.right, 330);
    ShowWindow(top, SW_RESTORE);
    EXPECT_FALSE(IsZoomed(top));
    RECT r;
    GetWindowRect(top, &r);
    EXPECT_EQ(r.left, 30);
    EXPECT_EQ(r.bottom, 240);
    DestroyWindow(top);
}

TEST(Geometry, HitTestingFindsFrameParts)
{
    MessageRecorder rec;
    HWND top = CreateTestWindow("top", WS_OVERLAPPEDWINDOW | WS_VSCROLL, 100, 100, 300, 200);
    auto hit = [&](int x, int y) { return SendMessage(top, WM_NCHITTEST, 0, MAKELPARAM(100 + x, 100 + y)); };
    EXPECT_EQ(hit(150, 10), HTCAPTION);
    EXPECT_EQ(hit(0, 100), HTLEFT);
    EXPECT_EQ(hit(299, 199), HTBOTTOMRIGHT);
    EXPECT_EQ(hit(150, 100), HTCLIENT);
    EXPECT_EQ(hit(300 - 4 - 8, 100), HTVSCROLL);
    EXPECT_EQ(hit(300 - 4 - 10, 12), HTCLOSE);
    EXPECT_EQ(hit(8, 12), HTSYSMENU);
    EXPECT_EQ(hit(400, 100), HTNOWHERE);
    DestroyWindow(top);
}

TEST(Geometry, WindowFromPointAndZOrder)
{
    MessageRecorder rec;
    HWND back = CreateTestWindow("back", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    HWND front = CreateTestWindow("front", WS_POPUP | WS_VISIBLE, 50, 50, 100, 100);
    EXPECT_EQ(WindowFromPoint(POINT{60, 60}), front);
    EXPECT_EQ(WindowFromPoint(POINT{10, 10}), back);
    SetWindowPos(back, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(WindowFromPoint(POINT{60, 60}), back);
    // A topmost window stays above the others.
    SetWindowPos(front, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    BringWindowToTop(back);
    EXPECT_EQ(WindowFromPoint(POINT{60, 60}), front);
    EXPECT_TRUE(GetWindowLongPtr(front, GWL_EXSTYLE) & WS_EX_TOPMOST);
    ShowWindow(front, SW_HIDE);
    EXPECT_EQ(WindowFromPoint(POINT{60, 60}), back);
    DestroyWindow(front);
    DestroyWindow(back);
}

TEST(ScrollBars, RangesPositionsAndVisibility)
{
    MessageRecorder rec;
    HWND h = CreateTestWindow("scroll", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
    EXPECT_EQ(ClientOf(h).right, 200);
    SCROLLINFO si = {sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 95, 0};
    EXPECT_EQ(SetScrollInfo(h, SB_VERT, &si, TRUE), 90) << "the position stops where the last page starts";
    EXPECT_TRUE(GetWindowLongPtr(h, GWL_STYLE) & WS_VSCROLL) << "a scrollable range shows the bar";
    EXPECT_EQ(ClientOf(h).right, 200 - GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(SetScrollPos(h, SB_VERT, -5, TRUE), 90);
    EXPECT_EQ(GetScrollPos(h, SB_VERT), 0);
    int mn, mx;
    GetScrollRange(h, SB_VERT, &mn, &mx);
    EXPECT_EQ(mx, 99);
    si.fMask = SIF_RANGE | SIF_PAGE;
    si.nMax = 5;
    si.nPage = 10;
    SetScrollInfo(h, SB_VERT, &si, TRUE);
    EXPECT_EQ(ClientOf(h).right, 200) << "a range that fits hides the bar";
    EXPECT_TRUE(GetWindowLongPtr(h, GWL_STYLE) & WS_VSCROLL) << "the style still says the window wants one";
    si.nMax = 49;
    SetScrollInfo(h, SB_VERT, &si, TRUE);
    EXPECT_EQ(ClientOf(h).right, 200 - GetSystemMetrics(SM_CXVSCROLL)) << "and it comes back with the range";
    si.nMax = 5;
    si.fMask |= SIF_DISABLENOSCROLL;
    SetScrollInfo(h, SB_VERT, &si, TRUE);
    EXPECT_EQ(ClientOf(h).right, 200 - GetSystemMetrics(SM_CXVSCROLL)) << "SIF_DISABLENOSCROLL keeps it, disabled";
    ShowScrollBar(h, SB_VERT, FALSE);
    EXPECT_EQ(ClientOf(h).right, 200);
    EXPECT_FALSE(GetWindowLongPtr(h, GWL_STYLE) & WS_VSCROLL) << "hidden on purpose, the wish goes too";
    DestroyWindow(h);
}

TEST(ScrollBars, ArrowsAndThumbSendScrollCodes)
{
    MessageRecorder rec;
    HWND h = CreateTestWindow("scroll", WS_POPUP | WS_VISIBLE | WS_VSCROLL, 0, 0, 200, 200);
    SCROLLINFO si = {sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 199, 50, 0, 0};
    SetScrollInfo(h, SB_VERT, &si, TRUE);
    std::vector<std::pair<int, int>> codes;  // (code, track position)
    rec.OnMessage(WM_VSCROLL, [&](HWND hw, UINT, WPARAM w, LPARAM, LRESULT* r) {
        SCROLLINFO now = {sizeof(now), SIF_TRACKPOS};
        GetScrollInfo(hw, SB_VERT, &now);
        codes.emplace_back(LOWORD(w), LOWORD(w) == SB_THUMBTRACK ? now.nTrackPos : -1);
        *r = 0;
        return true;
    });
    PumpUntilIdle();
    // The bar is beside the client area: window coordinates (184..199, 0..199).
    POINT downArrow{192, 192};
    mivo::InjectMouseMove(downArrow);
    mivo::InjectMouseButton(downArrow, mivo::MouseButton::Left, true);
    mivo::InjectMouseButton(downArrow, mivo::MouseButton::Left, false);
    PumpUntilIdle();
    ASSERT_GE(codes.size(), 2u);
    EXPECT_EQ(codes.front().first, SB_LINEDOWN);
    EXPECT_EQ(codes.back().first, SB_ENDSCROLL);

    // Dragging the thumb to the middle reports positions as it goes.
    codes.clear();
    POINT thumb{192, 20};
    mivo::InjectMouseMove(thumb);
    mivo::InjectMouseButton(thumb, mivo::MouseButton::Left, true);
    mivo::InjectMouseMove(POINT{192, 60});
    mivo::InjectMouseMove(POINT{192, 100});
    mivo::InjectMouseButton(POINT{192, 100}, mivo::MouseButton::Left, false);
    PumpUntilIdle();
    ASSERT_GE(codes.size(), 3u);
    EXPECT_EQ(codes[0].first, SB_THUMBTRACK);
    EXPECT_GT(codes[0].second, 0);
    EXPECT_EQ(codes[codes.size() - 2].first, SB_THUMBPOSITION);
    EXPECT_EQ(codes.back().first, SB_ENDSCROLL);
    EXPECT_GT(codes[codes.size() - 3].second, codes[0].second);
    EXPECT_EQ(GetCapture(), nullptr);
    DestroyWindow(h);
}

TEST(Geometry, ChildCaptionsMoveAndFramesSizeWithTheMouse)
{
    MessageRecorder rec;
    HWND top = CreateTestWindow("top", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300);
    HWND child = CreateTestWindow("child", WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_THICKFRAME, 50, 50, 150, 100, top, 1);
    PumpUntilIdle();
    // Drag the caption 30 to the right and 20 down, all queued before the loop runs.
    POINT grab{50 + 60, 50 + 10};
    mivo::InjectMouseMove(grab);
    mivo::InjectMouseButton(grab, mivo::MouseButton::Left, true);
    mivo::InjectMouseMove(POINT{grab.x + 30, grab.y + 20});
    mivo::InjectMouseButton(POINT{grab.x + 30, grab.y + 20}, mivo::MouseButton::Left, false);
    PumpUntilIdle();
    RECT r;
    GetWindowRect(child, &r);
    EXPECT_EQ(r.left, 80);
    EXPECT_EQ(r.top, 70);
    EXPECT_EQ(r.right - r.left, 150);
    EXPECT_ORDER(rec, child, {
        {WM_ENTERSIZEMOVE, kSent | kDefProc},
        {WM_MOVING, kSent | kDefProc},
        {WM_MOVING, kAnyNumber},
        {WM_EXITSIZEMOVE, kSent | kDefProc},
    });
    // Drag the bottom-right corner.
    rec.Clear();
    POINT corner{r.right - 1, r.bottom - 1};
    mivo::InjectMouseMove(corner);
    mivo::InjectMouseButton(corner, mivo::MouseButton::Left, true);
    mivo::InjectMouseMove(POINT{corner.x + 25, corner.y + 15});
    mivo::InjectMouseButton(POINT{corner.x + 25, corner.y + 15}, mivo::MouseButton::Left, false);
    PumpUntilIdle();
    GetWindowRect(child, &r);
    EXPECT_EQ(r.right - r.left, 175);
    EXPECT_EQ(r.bottom - r.top, 115);
    EXPECT_ORDER(rec, child, {
        {WM_ENTERSIZEMOVE, kSent | kDefProc},
        {WM_SIZING, kSent | kDefProc | kWParam, WMSZ_BOTTOMRIGHT},
        {WM_SIZING, kAnyNumber},
        {WM_EXITSIZEMOVE, kSent | kDefProc},
    });
    DestroyWindow(top);
}

TEST(Geometry, WindowRegionsShapeHitsAndPainting)
{
    MessageRecorder rec;
    HWND top = CreateTestWindow("top", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 100, 100);
    HWND child = CreateTestWindow("child", WS_CHILD | WS_VISIBLE, 0, 0, 60, 60, top, 1);
    EXPECT_EQ(SetWindowRgn(child, CreateRectRgn(0, 0, 30, 30), TRUE), 1);
    EXPECT_EQ(WindowFromPoint(POINT{10, 10}), child);
    EXPECT_EQ(WindowFromPoint(POINT{45, 45}), top) << "outside its region the child is not there";
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(GetWindowRgn(child, copy), 0);
    RECT box;
    GetRgnBox(copy, &box);
    EXPECT_EQ(box.right, 30);
    DeleteObject(copy);
    HDC dc = GetDC(child);
    RECT all{0, 0, 60, 60};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(dc, &all, red);
    DeleteObject(red);
    ReleaseDC(child, dc);
    WindowImage img = CaptureWindow(top);
    EXPECT_EQ(img.At(10, 10), RGB(255, 0, 0));
    EXPECT_NE(img.At(45, 45), RGB(255, 0, 0)) << "drawing stays inside the region";
    DestroyWindow(top);
}

TEST(Geometry, MenuHandlesBelongToTopLevelWindows)
{
    MessageRecorder rec;
    HWND top = CreateTestWindow("top", WS_OVERLAPPED | WS_CAPTION, 0, 0, 200, 150);
    RECT before, after;
    GetClientRect(top, &before);
    HMENU fake = CreateMenu();
    EXPECT_FALSE(SetMenu(top, (HMENU)(uintptr_t)0x5000)) << "only a menu handle is taken";
    EXPECT_TRUE(SetMenu(top, fake));
    EXPECT_EQ(GetMenu(top), fake);
    GetClientRect(top, &after);
    EXPECT_EQ(before.bottom - after.bottom, GetSystemMetrics(SM_CYMENU)) << "the menu bar takes its row";
    HWND child = CreateTestWindow("child", WS_CHILD, 0, 0, 10, 10, top, 5);
    EXPECT_EQ(GetMenu(child), nullptr);
    EXPECT_FALSE(SetMenu(child, fake));
    SetMenu(top, nullptr);
    DestroyMenu(fake);
    DestroyWindow(top);
}
