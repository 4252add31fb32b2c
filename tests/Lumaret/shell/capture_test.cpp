// Screen capture: which top-level windows the chooser lists, how a window's rectangle is cut to
// the screen, a window's pixels copied exactly into numbered editors, and nothing captured for
// a window closed while the chooser was open.
#include <gtest/gtest.h>

#include "ShellFixture.h"
#include "editor/ImgEditView.h"
#include "image/ImageObject.h"
#include "shell/DlgScreenCapture.h"
#include "shell/MainApp.h"
#include "shell/MainFrame.h"
#include "resource.h"

#include "support/DialogDriver.h"
#include "support/MessageLoop.h"

#include <string>
#include <vector>

using mivo::test::ModalScript;

namespace {

// A known pattern: four quadrants of four colours and a one-pixel grid every 10 pixels.
COLORREF PatternAt(int x, int y, int width, int height)
{
    if (x % 10 == 0 || y % 10 == 0)
        return RGB(0, 0, 0);
    bool right = x >= width / 2, bottom = y >= height / 2;
    return bottom ? (right ? RGB(250, 200, 0) : RGB(0, 160, 60)) : (right ? RGB(0, 90, 220) : RGB(220, 30, 30));
}

LRESULT CALLBACK PatternProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT client;
        GetClientRect(hwnd, &client);
        for (int y = 0; y < client.bottom; ++y)
            for (int x = 0; x < client.right; ++x)
                SetPixel(dc, x, y, PatternAt(x, y, client.right, client.bottom));
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

// A frameless top-level window showing the pattern.
HWND PatternWindow(const char* title, int x, int y, int width, int height, DWORD style = WS_POPUP | WS_VISIBLE)
{
    static bool registered = [] {
        WNDCLASS wc = {};
        wc.lpfnWndProc = PatternProc;
        wc.lpszClassName = "MivoCapturePattern";
        return RegisterClass(&wc) != 0;
    }();
    (void)registered;
    HWND hwnd = CreateWindow("MivoCapturePattern", title, style, x, y, width, height, nullptr, nullptr, nullptr, nullptr);
    UpdateWindow(hwnd);
    return hwnd;
}

std::vector<std::string> Listed()
{
    std::vector<std::string> titles;
    CaptureWindowList list;
    EnumWindows(EnumTopWindowsProc, (LPARAM)&list);
    for (int i = 0; i < list.nCount; ++i)
        titles.push_back(list.entries[i].szTitle);
    return titles;
}

bool Contains(const std::vector<std::string>& v, const std::string& s)
{
    return std::find(v.begin(), v.end(), s) != v.end();
}

// Runs the capture command with the chooser answered by `choose` (it gets the dialog and
// ends it).
void RunCapture(CMainFrame* frame, std::function<void(HWND)> choose)
{
    ModalScript script;
    CWnd owner;
    owner.Attach(script.Owner());
    CWnd* main = AfxGetApp()->m_pMainWnd;
    AfxGetApp()->m_pMainWnd = &owner;  // the chooser has no parent: it goes under the script's window
    script.Then([&](HWND d) {
        AfxGetApp()->m_pMainWnd = main;  // the capture opens its editor in the program's frame
        choose(d);
    });
    frame->SendMessage(WM_COMMAND, ID_FILE_CAPTURE, 0);
    AfxGetApp()->m_pMainWnd = main;
    owner.Detach();
}

void SelectTitle(HWND dialog, const char* title)
{
    HWND list = GetDlgItem(dialog, IDC_CAPTURE_WINDOWS);
    int index = (int)SendMessage(list, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)title);
    SendMessage(list, LB_SETCURSEL, index, 0);
}

}  // namespace

TEST(ScreenCaptureList, TakesOnlyVisibleTitledWindowsWithARealClientArea)
{
    ASSERT_NE(nullptr, shelltest::Program());
    struct {
        const char* title;
        DWORD style;
        int width, height;
        bool listed;
    } cases[] = {
        {"shown", WS_POPUP | WS_VISIBLE, 40, 30, true},
        {"hidden", WS_POPUP, 40, 30, false},
        {"minimised", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_MINIMIZE, 200, 150, false},
        {"four wide", WS_POPUP | WS_VISIBLE, 4, 30, false},
        {"four high", WS_POPUP | WS_VISIBLE, 30, 4, false},
        {"five square", WS_POPUP | WS_VISIBLE, 5, 5, true},
        {"", WS_POPUP | WS_VISIBLE, 40, 30, false},
    };
    std::vector<HWND> windows;
    for (const auto& c : cases)
        windows.push_back(PatternWindow(c.title, 10, 10, c.width, c.height, c.style));
    std::vector<std::string> listed = Listed();
    for (const auto& c : cases) {
        if (c.title[0]) {
            EXPECT_EQ(c.listed, Contains(listed, c.title)) << c.title;
        }
    }
    EXPECT_EQ(std::count(listed.begin(), listed.end(), std::string()), 0);
    CString mainTitle;
    shelltest::Program()->GetWindowText(mainTitle);
    EXPECT_TRUE(Contains(listed, (LPCSTR)mainTitle)) << "the main window stays listed";
    for (HWND w : windows)
        DestroyWindow(w);
}

TEST(ScreenCaptureList, HoldsAtMost254Windows)
{
    CaptureWindowList list;
    HWND window = PatternWindow("many", 0, 0, 20, 20);
    for (int i = 0; i < 300; ++i)
        EnumTopWindowsProc(window, (LPARAM)&list);
    EXPECT_EQ(254, list.nCount);
    DestroyWindow(window);
}

TEST(ScreenCaptureClip, CutsTheRectangleToTheScreenAndKeepsTheOffsetInsideTheWindow)
{
    const CSize screen(800, 600);
    struct {
        const char* what;
        CRect window;
        BOOL visible;
        CRect area;
        CPoint offset;
    } cases[] = {
        {"inside", CRect(10, 20, 110, 80), TRUE, CRect(10, 20, 110, 80), CPoint(0, 0)},
        {"left of the screen", CRect(-30, 20, 70, 80), TRUE, CRect(0, 20, 70, 80), CPoint(30, 0)},
        {"above the screen", CRect(10, -25, 110, 80), TRUE, CRect(10, 0, 110, 80), CPoint(0, 25)},
        {"beyond right and bottom", CRect(750, 560, 900, 700), TRUE, CRect(750, 560, 800, 600), CPoint(0, 0)},
        {"the whole desktop", CRect(0, 0, 800, 600), TRUE, CRect(0, 0, 800, 600), CPoint(0, 0)},
        {"nothing visible", CRect(-200, 10, -10, 50), FALSE, CRect(), CPoint()},
        {"below the screen", CRect(10, 600, 50, 650), FALSE, CRect(), CPoint()},
    };
    for (const auto& c : cases) {
        CRect area;
        CPoint offset;
        BOOL visible = CDlgScreenCapture::ClipToScreen(c.window, screen, area, offset);
        EXPECT_EQ(c.visible, visible) << c.what;
        if (c.visible) {
            EXPECT_EQ(c.area, area) << c.what;
            EXPECT_EQ(c.offset, offset) << c.what;
        }
    }
}

TEST(ScreenCapture, AWindowIsCopiedPixelExactIntoNumberedEditors)
{
    CMainFrame* frame = shelltest::Program();
    ASSERT_NE(nullptr, frame);
    shelltest::CloseAllEditors();
    theApp.m_nCaptureCount = 0;
    const int width = 64, height = 48;
    HWND window = PatternWindow("무늬 창", 120, 90, width, height);
    mivo::test::PumpUntilIdle();

    std::vector<std::string> titles;
    for (int round = 0; round < 2; ++round) {
        std::vector<std::string> shown;
        RunCapture(frame, [&](HWND d) {
            HWND list = GetDlgItem(d, IDC_CAPTURE_WINDOWS);
            char first[64] = "";
            SendMessage(list, LB_GETTEXT, 0, (LPARAM)first);
            shown.push_back(first);
            SelectTitle(d, "무늬 창");
            SendMessage(d, WM_COMMAND, IDOK, 0);
        });
        ASSERT_EQ(std::vector<std::string>{"Desktop"}, shown) << "Desktop comes first";
        CImgEditView* view = frame->m_pActiveEditView;
        ASSERT_NE(nullptr, view);
        titles.push_back((LPCSTR)view->m_strTitle);
        EXPECT_TRUE(view->m_bModified);
        ASSERT_NE(nullptr, view->m_pImage);
        ASSERT_EQ(width, view->m_pImage->GetWidth());
        ASSERT_EQ(height, view->m_pImage->GetHeight());
        int wrong = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                wrong += view->m_pImage->GetPixelColor(x, y) != PatternAt(x, y, width, height);
        EXPECT_EQ(0, wrong);
    }
    EXPECT_EQ((std::vector<std::string>{"Capture-1", "Capture-2"}), titles);
    DestroyWindow(window);
    shelltest::CloseAllEditors();
}

TEST(ScreenCapture, AWindowPartlyOffTheScreenGivesItsVisiblePartFromTheRightOffset)
{
    CMainFrame* frame = shelltest::Program();
    ASSERT_NE(nullptr, frame);
    shelltest::CloseAllEditors();
    const int width = 60, height = 40;
    HWND window = PatternWindow("left", -25, -15, width, height);
    mivo::test::PumpUntilIdle();
    CImgEditView* view = frame->CaptureWindow(window);
    ASSERT_NE(nullptr, view);
    ASSERT_EQ(width - 25, view->m_pImage->GetWidth());
    ASSERT_EQ(height - 15, view->m_pImage->GetHeight());
    EXPECT_EQ(PatternAt(25 + 3, 15 + 2, width, height), view->m_pImage->GetPixelColor(3, 2));
    EXPECT_EQ(PatternAt(width - 1, height - 1, width, height),
              view->m_pImage->GetPixelColor(width - 26, height - 16));
    DestroyWindow(window);
    shelltest::CloseAllEditors();
}

TEST(ScreenCapture, AWindowClosedWhileTheChooserIsOpenGivesNothing)
{
    CMainFrame* frame = shelltest::Program();
    ASSERT_NE(nullptr, frame);
    shelltest::CloseAllEditors();
    int before = theApp.m_nCaptureCount;
    HWND window = PatternWindow("closing", 50, 50, 40, 30);
    mivo::test::PumpUntilIdle();
    RunCapture(frame, [window](HWND d) {
        SelectTitle(d, "closing");
        DestroyWindow(window);
        SendMessage(d, WM_COMMAND, IDOK, 0);
    });
    EXPECT_TRUE(shelltest::Editors().empty());
    EXPECT_EQ(before, theApp.m_nCaptureCount);
}

TEST(ScreenCapture, TheDesktopGivesTheWholePrimaryScreen)
{
    CMainFrame* frame = shelltest::Program();
    ASSERT_NE(nullptr, frame);
    shelltest::CloseAllEditors();
    CImgEditView* view = frame->CaptureWindow(GetDesktopWindow());
    ASSERT_NE(nullptr, view);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), view->m_pImage->GetWidth());
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), view->m_pImage->GetHeight());
    shelltest::CloseAllEditors();
}
