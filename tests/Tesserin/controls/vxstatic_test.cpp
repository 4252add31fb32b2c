// The label as a link: its four click actions in order, a command that does
// not open, colours with the notify style, and its cursor.
#include <gtest/gtest.h>

#include "ControlHost.h"
#include "controls/VXStatic.h"
#include "support/MessageBoxCapture.h"
#include "support/MessageLoop.h"
#include "support/MessageRecorder.h"
#include "support/TempFolder.h"
#include "mivo/process.h"

#include <fstream>
#include <string>
#include <vector>

using controlstest::BeepListener;
using controlstest::ControlHost;

namespace {

const int kId = 410;
const UINT kClickMessage = WM_APP + 11;

std::vector<std::string>* g_log = nullptr;

class LoggedDialog : public CDialog {
public:
    INT_PTR DoModal() override
    {
        g_log->push_back("dialog");
        return IDOK;
    }
};

struct LinkField {
    ControlHost host;
    CVXStatic label;
    std::vector<std::string> log;
    mivo::test::MessageRecorder rec;
    HWND toggled = nullptr;
    HWND target = nullptr;
    LoggedDialog dialog;

    LinkField()
    {
        g_log = &log;
        label.Create("link", WS_CHILD | WS_VISIBLE, CRect(10, 10, 120, 30), host.wnd(), kId);
        toggled = mivo::test::CreateTestWindow("toggled", WS_POPUP, 0, 0, 10, 10);
        target = mivo::test::CreateTestWindow("target", WS_POPUP, 0, 0, 10, 10);
        rec.OnMessage(WM_SHOWWINDOW, [this](HWND h, UINT, WPARAM, LPARAM, LRESULT*) {
            if (h == toggled)
                log.push_back("show");
            return false;
        });
        rec.OnMessage(kClickMessage, [this](HWND, UINT, WPARAM wp, LPARAM, LRESULT* r) {
            log.push_back("message " + std::to_string(wp));
            *r = 0;
            return true;
        });
        mivo::SetSpawnHook([this](const std::vector<std::string>&) {
            log.push_back("shell");
            return true;
        });
    }
    ~LinkField()
    {
        mivo::SetSpawnHook(nullptr);
        DestroyWindow(toggled);
        DestroyWindow(target);
        g_log = nullptr;
    }
    void Click() { host.wnd()->SendMessage(WM_COMMAND, MAKEWPARAM(kId, STN_CLICKED), (LPARAM)label.m_hWnd); }
};

}  // namespace

TEST(VXStatic, FourClickActionsInOrder)
{
    LinkField f;
    mivotest::TempFolder folder;
    std::ofstream(folder.file("note.txt")) << "x";
    f.label.onClickShowWindow(CWnd::FromHandle(f.toggled));
    f.label.onClickShowModalDialog(&f.dialog);
    f.label.onClickDoShellCommand((folder.windowsPath() + "note.txt").c_str());
    f.label.onClickSendMessage(CWnd::FromHandle(f.target), kClickMessage, 5);
    f.Click();
    EXPECT_EQ(f.log, (std::vector<std::string>{"show", "dialog", "shell", "message 5"}));
    EXPECT_TRUE(IsWindowVisible(f.toggled));
    EXPECT_TRUE(f.label.IsVisited());
    f.log.clear();
    f.label.onClickDoShellCommand("");
    f.Click();
    EXPECT_FALSE(IsWindowVisible(f.toggled)) << "a second click hides it again";
}

TEST(VXStatic, CommandThatDoesNotOpenBeepsAndStaysUnvisited)
{
    LinkField f;
    mivotest::MessageBoxCapture boxes;
    BeepListener beeps;
    mivo::SetSpawnHook(nullptr);
    f.label.onClickDoShellCommand("C:\\no\\such\\place\\file.txt");
    f.label.onClickSendMessage(CWnd::FromHandle(f.target), kClickMessage, 9);
    f.Click();
    EXPECT_EQ(beeps.count(0), 1);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "Unable to open C:\\no\\such\\place\\file.txt.");
    EXPECT_TRUE(boxes.shown()[0].type & MB_ICONINFORMATION);
    EXPECT_FALSE(f.label.IsVisited());
    EXPECT_EQ(f.log, (std::vector<std::string>{"message 9"})) << "the message is still sent";
}

TEST(VXStatic, CommandGivesTheNotifyStyleAtTheFirstColourRequest)
{
    LinkField f;
    EXPECT_FALSE(f.label.GetStyle() & SS_NOTIFY);
    f.label.onClickDoShellCommand("http://example.com/");
    f.label.SetVXStaticBkColor(RGB(1, 2, 3));
    f.label.setLinkColorUnvisited(RGB(0, 0, 255));
    HDC dc = ::GetDC(f.label.m_hWnd);
    HBRUSH brush = (HBRUSH)f.host.wnd()->SendMessage(WM_CTLCOLORSTATIC, (WPARAM)dc, (LPARAM)f.label.m_hWnd);
    EXPECT_TRUE(f.label.GetStyle() & SS_NOTIFY);
    EXPECT_EQ(::GetTextColor(dc), RGB(0, 0, 255));
    EXPECT_EQ(::GetBkColor(dc), RGB(1, 2, 3));
    LOGBRUSH lb = {};
    ::GetObject(brush, sizeof(lb), &lb);
    EXPECT_EQ(lb.lbColor, RGB(1, 2, 3));
    ::ReleaseDC(f.label.m_hWnd, dc);

    f.label.doOnClickEvents(false);
    EXPECT_FALSE(f.label.GetStyle() & SS_NOTIFY);
    EXPECT_EQ(f.label.setLinkColorVisited(RGB(9, 9, 9)), RGB(0, 128, 192));
}

TEST(VXStatic, CursorIsTheArrowWithoutALinkCursorResource)
{
    LinkField f;
    f.label.doCustomCursor(true);
    EXPECT_TRUE(f.label.SendMessage(WM_SETCURSOR, (WPARAM)f.label.m_hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(::GetCursor(), ::LoadCursor(nullptr, IDC_ARROW));
}
