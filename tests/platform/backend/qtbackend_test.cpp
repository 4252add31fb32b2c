// The native side: a top-level window shows its surface, native input reaches our queues.
#include <gtest/gtest.h>

#include <win32.h>

#include "support/MessageLoop.h"
#include "support/MessageRecorder.h"
#include "support/WindowCapture.h"
#include "mivo/testing/native.h"

using namespace mivo::test;

namespace {

void PaintSolid(MessageRecorder& rec, COLORREF colour)
{
    rec.OnMessage(WM_PAINT, [colour](HWND h, UINT, WPARAM, LPARAM, LRESULT* r) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, &ps);
        HBRUSH b = CreateSolidBrush(colour);
        RECT all;
        GetClientRect(h, &all);
        FillRect(dc, &all, b);
        DeleteObject(b);
        // A mark to tell position errors from colour errors.
        SetPixel(dc, 3, 2, RGB(255, 255, 0));
        EndPaint(h, &ps);
        *r = 0;
        return true;
    });
}

}  // namespace

TEST(NativeWindows, ScreenShowsTheSurface)
{
    MessageRecorder rec;
    PaintSolid(rec, RGB(0, 128, 255));
    HWND h = CreateTestWindow("native", WS_POPUP | WS_VISIBLE, 20, 30, 120, 90);
    PumpUntilIdle();
    std::vector<uint32_t> screen;
    int w = 0, hgt = 0;
    ASSERT_TRUE(mivo::GrabNativeWindowPixels(h, screen, w, hgt)) << "the native window shows";
    WindowImage surface = CaptureWindow(h);
    ASSERT_EQ(w, surface.width);
    ASSERT_EQ(hgt, surface.height);
    EXPECT_EQ(screen, surface.pixels);
    EXPECT_EQ(surface.At(3, 2), RGB(255, 255, 0));
    DestroyWindow(h);
}

TEST(NativeWindows, CaptionedWindowShowsItsClientBelowTheNativeFrame)
{
    MessageRecorder rec;
    PaintSolid(rec, RGB(200, 0, 0));
    HWND h = CreateTestWindow("framed", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 150);
    PumpUntilIdle();
    std::vector<uint32_t> screen;
    int w = 0, hgt = 0;
    ASSERT_TRUE(mivo::GrabNativeWindowPixels(h, screen, w, hgt));
    RECT client;
    GetClientRect(h, &client);
    EXPECT_EQ(w, client.right);
    EXPECT_EQ(hgt, client.bottom);
    WindowImage inside = CaptureWindow(h, true);
    EXPECT_EQ(screen, inside.pixels);
    DestroyWindow(h);
}

TEST(NativeWindows, NativeInputBecomesWindowMessages)
{
    MessageRecorder rec;
    HWND h = CreateTestWindow("input", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    PumpUntilIdle();
    rec.Clear();
    ASSERT_TRUE(mivo::SimulateNativeMouseButton(h, POINT{15, 25}, true));
    ASSERT_TRUE(mivo::SimulateNativeMouseButton(h, POINT{15, 25}, false));
    PumpUntilIdle();
    auto all = rec.All();
    bool down = false;
    for (auto& m : all)
        if (m.msg == WM_LBUTTONDOWN && m.hwnd == h && GET_X_LPARAM(m.lParam) == 15 && GET_Y_LPARAM(m.lParam) == 25)
            down = true;
    EXPECT_TRUE(down);
    EXPECT_EQ(rec.Count(h, WM_LBUTTONUP), 1);

    // Korean text from the input method arrives as double-byte WM_CHAR pairs.
    SetFocus(h);
    rec.Clear();
    ASSERT_TRUE(mivo::SimulateNativeKeyText(h, "한"));
    PumpUntilIdle();
    std::vector<unsigned char> chars;
    for (auto& m : rec.All())
        if (m.msg == WM_CHAR)
            chars.push_back((unsigned char)m.wParam);
    EXPECT_EQ(chars, (std::vector<unsigned char>{(unsigned char)"한"[0], (unsigned char)"한"[1]}));
    DestroyWindow(h);
}

TEST(NativeWindows, AComposedSyllableIsShownToTheFocusThenCommittedAsCharacters)
{
    MessageRecorder rec;
    HWND h = CreateTestWindow("composing", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    PumpUntilIdle();
    SetFocus(h);
    rec.Clear();
    ASSERT_TRUE(mivo::SimulateNativeComposition(h, "하", ""));
    PumpUntilIdle();
    char composing[8] = {};
    EXPECT_EQ(ImmGetCompositionString(ImmGetContext(h), GCS_COMPSTR, composing, sizeof composing), 2);
    EXPECT_STREQ(composing, "하");
    // The next syllable starts while the first is committed.
    ASSERT_TRUE(mivo::SimulateNativeComposition(h, "그", "한"));
    ASSERT_TRUE(mivo::SimulateNativeComposition(h, "", "글"));
    PumpUntilIdle();
    std::string seen;
    for (auto& m : rec.All()) {
        if (m.hwnd != h)
            continue;
        if (m.msg == WM_IME_STARTCOMPOSITION)
            seen += "[";
        else if (m.msg == WM_IME_ENDCOMPOSITION)
            seen += "]";
        else if (m.msg == WM_IME_COMPOSITION)
            seen += "~";
        else if (m.msg == WM_CHAR)
            seen += (char)m.wParam;
    }
    EXPECT_EQ(seen, "[~]한[~]글");
    EXPECT_EQ(ImmGetCompositionString(ImmGetContext(h), GCS_COMPSTR, nullptr, 0), 0);
    DestroyWindow(h);
}

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

TEST(NativeWindows, RealDisplayUnderXvfb)
{
    const char* platform = getenv("QT_QPA_PLATFORM");
    if (platform && std::string(platform) == "xcb")
        GTEST_SKIP() << "already on a display";
    if (access("/usr/bin/xvfb-run", X_OK) != 0)
        GTEST_SKIP() << "xvfb-run is not installed";
    // The same checks again, in a child on a real X server.
    char exe[4096];
    ssize_t n = readlink("/proc/self/exe", exe, sizeof(exe) - 1);
    ASSERT_GT(n, 0);
    exe[n] = 0;
    std::string filter = "--gtest_filter=NativeWindows.*:-NativeWindows.RealDisplayUnderXvfb";
    const char* args[] = {"/usr/bin/xvfb-run", "-a", "env", "QT_QPA_PLATFORM=xcb", exe, filter.c_str(), nullptr};
    pid_t pid;
    ASSERT_EQ(posix_spawn(&pid, args[0], nullptr, nullptr, (char* const*)args, environ), 0);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
}

TEST(NativeWindows, OwnedWindowsAreTransientForTheirOwner)
{
    MessageRecorder rec;
    HWND owner = CreateTestWindow("owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 300, 200);
    HWND child = CreateTestWindow("child", WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, owner);
    // Owned through a child: the owner is the child's top-level window.
    HWND popup = CreateTestWindow("popup", WS_POPUP | WS_CAPTION | WS_VISIBLE, 60, 60, 120, 80, child);
    HWND loose = CreateTestWindow("loose", WS_POPUP | WS_VISIBLE, 80, 80, 60, 40);
    PumpUntilIdle();
    EXPECT_EQ(mivo::NativeTransientOwner(popup), owner);
    EXPECT_EQ(mivo::NativeTransientOwner(loose), nullptr);
    EXPECT_EQ(mivo::NativeTransientOwner(owner), nullptr);
    DestroyWindow(popup);
    DestroyWindow(loose);
    DestroyWindow(owner);
    PumpUntilIdle();
}

TEST(NativeWindows, OwnedWindowsAreDialogsWithOnlyTheButtonsTheirStyleAsks)
{
    MessageRecorder rec;
    HWND owner = CreateTestWindow("owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 300, 200);
    HWND fixed = CreateTestWindow("fixed", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE, 40, 40, 160,
                                  100, owner, 0, WS_EX_DLGMODALFRAME);
    HWND sizable = CreateTestWindow("sizable", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                                                   WS_VISIBLE, 60, 60, 160, 100, owner);
    PumpUntilIdle();
    struct Case {
        HWND hwnd;
        bool dialog, fixedSize, minimize, maximize, close;
    } cases[] = {
        {owner, false, false, true, true, true},
        {fixed, true, true, false, false, true},
        {sizable, true, false, true, false, true},
    };
    for (const Case& c : cases) {
        mivo::NativeLook look;
        ASSERT_TRUE(mivo::GetNativeLook(c.hwnd, &look));
        char title[32] = {};
        GetWindowText(c.hwnd, title, sizeof(title));
        EXPECT_EQ(look.dialog, c.dialog) << title;
        EXPECT_FALSE(look.unmanaged) << title;
        EXPECT_EQ(look.fixedSize, c.fixedSize) << title;
        EXPECT_EQ(look.minimizeButton, c.minimize) << title;
        EXPECT_EQ(look.maximizeButton, c.maximize) << title;
        EXPECT_EQ(look.closeButton, c.close) << title;
    }
    // The fixed dialog still moves and sizes when the program asks.
    SetWindowPos(fixed, nullptr, 0, 0, 200, 130, SWP_NOMOVE | SWP_NOZORDER);
    PumpUntilIdle();
    mivo::NativeLook look;
    ASSERT_TRUE(mivo::GetNativeLook(fixed, &look));
    EXPECT_TRUE(look.fixedSize);
    RECT client;
    GetClientRect(fixed, &client);
    std::vector<uint32_t> screen;
    int w = 0, h = 0;
    ASSERT_TRUE(mivo::GrabNativeWindowPixels(fixed, screen, w, h));
    EXPECT_EQ(w, client.right);
    EXPECT_EQ(h, client.bottom);
    DestroyWindow(owner);
    PumpUntilIdle();
}

TEST(NativeWindows, MenuIsAnUnmanagedPopupAndItsOwnerStaysActive)
{
    MessageRecorder rec;
    HWND owner = CreateTestWindow("owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 300, 200);
    SetForegroundWindow(owner);
    PumpUntilIdle();
    HMENU menu = CreatePopupMenu();
    AppendMenu(menu, MF_STRING, 1, "열기");
    AppendMenu(menu, MF_STRING, 2, "닫기");
    bool seen = false;
    mivo::NativeLook look;
    HWND active = nullptr;
    rec.OnMessage(WM_ENTERIDLE, [&](HWND, UINT, WPARAM, LPARAM, LRESULT* r) {
        if (!seen) {
            seen = true;
            HWND popup = FindWindow("#32768", nullptr);
            EXPECT_NE(popup, nullptr);
            EXPECT_TRUE(mivo::GetNativeLook(popup, &look));
            active = GetActiveWindow();
            EndMenu();
        }
        *r = 0;
        return true;
    });
    TrackPopupMenu(menu, TPM_LEFTALIGN, 60, 60, 0, owner, nullptr);
    ASSERT_TRUE(seen);
    EXPECT_TRUE(look.unmanaged);
    EXPECT_FALSE(look.takesFocus);
    EXPECT_FALSE(look.dialog);
    EXPECT_EQ(active, owner);
    DestroyMenu(menu);
    DestroyWindow(owner);
    PumpUntilIdle();
}

TEST(NativeWindows, NativeFocusOnADisabledOwnerGoesToItsDialog)
{
    MessageRecorder rec;
    HWND owner = CreateTestWindow("owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 300, 200);
    HWND dialog = CreateTestWindow("dialog", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 60, 60, 160, 100, owner);
    EnableWindow(owner, FALSE);
    SetActiveWindow(dialog);
    PumpUntilIdle();
    rec.Clear();
    ASSERT_TRUE(mivo::SimulateNativeFocusIn(owner));
    PumpUntilIdle();
    EXPECT_EQ(GetActiveWindow(), dialog);
    EXPECT_EQ(rec.Count(owner, WM_ACTIVATE), 0);
    EnableWindow(owner, TRUE);
    DestroyWindow(owner);
    PumpUntilIdle();
}

TEST(NativeWindows, PopupOverTheWholeScreenTakesTheFullScreenStateUntilItShrinks)
{
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    HWND show = CreateTestWindow("show", WS_POPUP | WS_VISIBLE, 0, 0, cx, cy);
    HWND owner = CreateTestWindow("owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, cx, cy);
    PumpUntilIdle();
    mivo::NativeLook look;
    ASSERT_TRUE(mivo::GetNativeLook(show, &look));
    EXPECT_TRUE(look.fullScreen);
    ASSERT_TRUE(mivo::GetNativeLook(owner, &look));
    EXPECT_FALSE(look.fullScreen) << "a captioned window is never made full screen";
    SetWindowPos(show, nullptr, 10, 10, cx / 2, cy / 2, SWP_NOZORDER);
    PumpUntilIdle();
    ASSERT_TRUE(mivo::GetNativeLook(show, &look));
    EXPECT_FALSE(look.fullScreen);
    DestroyWindow(show);
    DestroyWindow(owner);
    PumpUntilIdle();
}
