// Message maps: handler signatures, inheritance, command routing, update handlers, reflection, exceptions.
#include <gtest/gtest.h>

#include <mfc.h>

#include "support/MessageLoop.h"
#include "mivo/exceptions.h"

#include <string>
#include <vector>

using namespace mivo::test;

namespace {

const UINT kRegistered = RegisterWindowMessage("MivoMessageMapTest");
constexpr WORD kClicked = 0;           // BN_CLICKED
constexpr UINT kNmClick = (UINT)-2;    // NM_CLICK

class CBaseWnd : public CWnd {
public:
    std::vector<std::string> log;

    BOOL CreateTop()
    {
        return CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), "map", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr);
    }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT cs)
    {
        log.push_back(std::string("create:") + cs->lpszName);
        return CWnd::OnCreate(cs);
    }
    afx_msg void OnSize(UINT type, int cx, int cy)
    {
        log.push_back("size:" + std::to_string(type) + ":" + std::to_string(cx) + "x" + std::to_string(cy));
    }
    afx_msg LRESULT OnCustom(WPARAM w, LPARAM l)
    {
        log.push_back("custom:" + std::to_string(w) + ":" + std::to_string(l));
        return 77;
    }
    afx_msg void OnBaseCommand() { log.push_back("base-cmd"); }
    afx_msg void OnOverridden() { log.push_back("base-overridden"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
ON_WM_CREATE()
ON_WM_SIZE()
ON_MESSAGE(WM_USER + 5, OnCustom)
ON_COMMAND(100, OnBaseCommand)
ON_COMMAND(101, OnOverridden)
END_MESSAGE_MAP()

class CDerivedWnd : public CBaseWnd {
public:
    BOOL enable102 = TRUE;
    int rangeHit = 0;
    int clicks = 0;
    int notifies = 0;

protected:
    afx_msg void OnDerivedOverride() { log.push_back("derived-overridden"); }
    afx_msg void OnRange(UINT id) { rangeHit = (int)id; }
    afx_msg LRESULT OnRegistered(WPARAM w, LPARAM) { return (LRESULT)w * 2; }
    afx_msg void OnCmd102() { log.push_back("cmd102"); }
    afx_msg void OnUpdate102(CCmdUI* ui) { ui->Enable(enable102); }
    afx_msg void OnLButtonDown(UINT flags, CPoint pt)
    {
        log.push_back("lbutton:" + std::to_string(flags) + ":" + std::to_string(pt.x) + "," + std::to_string(pt.y));
    }
    afx_msg void OnKeyDown(UINT ch, UINT rep, UINT flags)
    {
        log.push_back("key:" + std::to_string(ch) + ":" + std::to_string(rep) + ":" + std::to_string(flags));
    }
    afx_msg void OnChildClicked() { ++clicks; }
    afx_msg void OnChildNotify(NMHDR* hdr, LRESULT* result)
    {
        ++notifies;
        *result = (LRESULT)hdr->idFrom + 1000;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CBaseWnd)
ON_COMMAND(101, OnDerivedOverride)
ON_COMMAND_RANGE(200, 210, OnRange)
ON_REGISTERED_MESSAGE(kRegistered, OnRegistered)
ON_COMMAND(102, OnCmd102)
ON_UPDATE_COMMAND_UI(102, OnUpdate102)
ON_WM_LBUTTONDOWN()
ON_WM_KEYDOWN()
ON_CONTROL(kClicked, 300, OnChildClicked)
ON_NOTIFY(kNmClick, 300, OnChildNotify)
END_MESSAGE_MAP()

// A control that handles its own notifications before its parent does.
class CSelfHandlingChild : public CWnd {
public:
    int reflectedClicks = 0;
    int reflectedNotifies = 0;
    int drawn = 0;
    UINT drawnState = 0;
    BOOL letParentSee = FALSE;

protected:
    afx_msg BOOL OnReflectedClick()
    {
        ++reflectedClicks;
        return !letParentSee;
    }
    afx_msg void OnReflectedNotify(NMHDR*, LRESULT* result)
    {
        ++reflectedNotifies;
        *result = 5;
    }
    afx_msg void DrawItem(LPDRAWITEMSTRUCT dis)
    {
        ++drawn;
        drawnState = dis->itemState;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSelfHandlingChild, CWnd)
ON_CONTROL_REFLECT_EX(kClicked, OnReflectedClick)
ON_NOTIFY_REFLECT(kNmClick, OnReflectedNotify)
ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

struct Created {
    CDerivedWnd wnd;
    Created() { EXPECT_TRUE(wnd.CreateTop()); }
    ~Created()
    {
        if (wnd.m_hWnd)
            wnd.DestroyWindow();
    }
};

LRESULT SendCommand(CWnd& w, UINT id, WORD code = 0, HWND control = nullptr)
{
    return w.SendMessage(WM_COMMAND, MAKEWPARAM(id, code), (LPARAM)control);
}

}  // namespace

TEST(MessageMaps, WindowMessagesReachHandlersWithTheirParameters)
{
    Created c;
    CDerivedWnd& w = c.wnd;
    ASSERT_NE(w.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(w.m_hWnd), &w) << "the object is attached before the first message";
    ASSERT_GE(w.log.size(), 2u);
    EXPECT_EQ(w.log[0], "create:map");
    EXPECT_EQ(w.log[1], "size:0:200x100");

    w.log.clear();
    EXPECT_EQ(w.SendMessage(WM_USER + 5, 3, 4), 77) << "a base class entry still applies";
    EXPECT_EQ(w.SendMessage(kRegistered, 21, 0), 42);
    w.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 20));
    w.SendMessage(WM_KEYDOWN, 'A', MAKELPARAM(1, 0x1E));
    EXPECT_EQ(w.log, (std::vector<std::string>{"custom:3:4", "lbutton:1:10,20", "key:65:1:30"}));
}

TEST(MessageMaps, CommandsRouteThroughTheMostDerivedEntryFirst)
{
    Created c;
    CDerivedWnd& w = c.wnd;
    w.log.clear();
    SendCommand(w, 100);
    SendCommand(w, 101);
    SendCommand(w, 205);
    EXPECT_EQ(w.log, (std::vector<std::string>{"base-cmd", "derived-overridden"}));
    EXPECT_EQ(w.rangeHit, 205);
    EXPECT_TRUE(w.OnCmdMsg(100, CN_COMMAND, nullptr, nullptr));
    EXPECT_FALSE(w.OnCmdMsg(999, CN_COMMAND, nullptr, nullptr));
    AFX_CMDHANDLERINFO info = {nullptr, nullptr};
    EXPECT_TRUE(w.OnCmdMsg(101, CN_COMMAND, nullptr, &info));
    EXPECT_EQ(info.pTarget, &w) << "a handler query names the target without running it";
    EXPECT_EQ(w.log, (std::vector<std::string>{"base-cmd", "derived-overridden", "base-cmd"}));
}

TEST(MessageMaps, UpdateHandlersDecideWhetherMenuCommandsRun)
{
    Created c;
    CDerivedWnd& w = c.wnd;
    w.log.clear();
    SendCommand(w, 102);
    w.enable102 = FALSE;
    SendCommand(w, 102);
    EXPECT_EQ(w.log, (std::vector<std::string>{"cmd102"})) << "a disabled command from a menu does not run";

    // The same update handler drives a control through CCmdUI.
    CWnd button;
    ASSERT_TRUE(button.Create(nullptr, "b", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &w, 102));
    w.enable102 = TRUE;
    button.EnableWindow(FALSE);
    w.UpdateDialogControls(&w, TRUE);
    EXPECT_TRUE(button.IsWindowEnabled());
    w.enable102 = FALSE;
    w.UpdateDialogControls(&w, TRUE);
    EXPECT_FALSE(button.IsWindowEnabled());

    // Without an update handler, DoUpdate disables only when there is no command handler either.
    CCmdUI ui;
    ui.m_nID = 100;
    ui.m_pOther = &button;
    button.EnableWindow(FALSE);
    ui.DoUpdate(&w, TRUE);
    EXPECT_TRUE(button.IsWindowEnabled()) << "command 100 has a handler";
    ui.m_nID = 555;
    ui.DoUpdate(&w, TRUE);
    EXPECT_FALSE(button.IsWindowEnabled());
    button.DestroyWindow();
}

TEST(MessageMaps, ControlsHandleReflectedNotificationsFirst)
{
    Created c;
    CDerivedWnd& w = c.wnd;
    CSelfHandlingChild child;
    ASSERT_TRUE(child.Create(nullptr, "child", WS_CHILD | WS_VISIBLE, CRect(0, 0, 20, 20), &w, 300));

    SendCommand(w, 300, kClicked, child.m_hWnd);
    EXPECT_EQ(child.reflectedClicks, 1);
    EXPECT_EQ(w.clicks, 0) << "the control kept the click";
    child.letParentSee = TRUE;
    SendCommand(w, 300, kClicked, child.m_hWnd);
    EXPECT_EQ(child.reflectedClicks, 2);
    EXPECT_EQ(w.clicks, 1) << "_EX returning FALSE passes the click on to the parent";

    NMHDR hdr = {child.m_hWnd, 300, kNmClick};
    EXPECT_EQ(w.SendMessage(WM_NOTIFY, 300, (LPARAM)&hdr), 5);
    EXPECT_EQ(child.reflectedNotifies, 1);
    EXPECT_EQ(w.notifies, 0);

    // An owner-drawn control draws itself when its owner gets WM_DRAWITEM.
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = 300;
    dis.hwndItem = child.m_hWnd;
    dis.itemState = ODS_SELECTED | ODS_FOCUS;
    w.SendMessage(WM_DRAWITEM, 300, (LPARAM)&dis);
    EXPECT_EQ(child.drawn, 1);
    EXPECT_EQ(child.drawnState, (UINT)(ODS_SELECTED | ODS_FOCUS));
    child.DestroyWindow();

    // A plain control (no object of its own) leaves notifications to the parent's map.
    HWND plain = CreateWindow("AfxWnd", "", WS_CHILD, 0, 0, 5, 5, w.m_hWnd, (HMENU)300, nullptr, nullptr);
    ASSERT_NE(plain, nullptr);
    NMHDR hdr2 = {plain, 300, kNmClick};
    EXPECT_EQ(w.SendMessage(WM_NOTIFY, 300, (LPARAM)&hdr2), 1300);
    EXPECT_EQ(w.notifies, 1);
    ::DestroyWindow(plain);
}

namespace {

class CThrowingWnd : public CWnd {
public:
    int after = 0;

protected:
    afx_msg LRESULT OnThrowFramework(WPARAM, LPARAM) { AfxThrowInvalidArgException(); }
    afx_msg LRESULT OnThrowStd(WPARAM, LPARAM) { throw std::runtime_error("broken"); }
    afx_msg LRESULT OnAfter(WPARAM, LPARAM)
    {
        ++after;
        return 1;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CThrowingWnd, CWnd)
ON_MESSAGE(WM_USER + 1, OnThrowFramework)
ON_MESSAGE(WM_USER + 2, OnThrowStd)
ON_MESSAGE(WM_USER + 3, OnAfter)
END_MESSAGE_MAP()

}  // namespace

TEST(MessageMaps, ExceptionsInHandlersAreReportedAndTheProgramGoesOn)
{
    std::vector<std::string> reports;
    auto previous = mivo::SetExceptionReporter([&](const char* text) { reports.push_back(text); });
    CThrowingWnd w;
    ASSERT_TRUE(w.CreateEx(0, AfxRegisterWndClass(0), "t", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(w.SendMessage(WM_USER + 1), 0);
    EXPECT_EQ(reports.size(), 1u) << "the framework's exception is reported";
    EXPECT_EQ(w.SendMessage(WM_USER + 2), 0);
    // Posted messages go through the same dispatcher.
    w.PostMessage(WM_USER + 1);
    w.PostMessage(WM_USER + 3);
    PumpUntilIdle();
    EXPECT_EQ(w.after, 1);
    EXPECT_TRUE(::IsWindow(w.m_hWnd));
    EXPECT_EQ(reports.size(), 2u);
    w.DestroyWindow();
    mivo::SetExceptionReporter(previous);
}
