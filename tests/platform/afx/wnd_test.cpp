// CWnd objects and handles: attaching, subclassing, temporary objects, destruction.
#include <gtest/gtest.h>

#include <mfc.h>

#include "support/GeometryPrinters.h"
#include "support/MessageLoop.h"
#include "support/MenuTemplateBuilder.h"
#include "support/MessageRecorder.h"
#include "mivo/resources.h"

using namespace mivo::test;

namespace {

class CCountingWnd : public CWnd {
public:
    int paints = 0;
    int customs = 0;
    static int s_deleted;

protected:
    afx_msg LRESULT OnCustom(WPARAM, LPARAM)
    {
        ++customs;
        return Default() + 1;  // the original procedure still runs underneath
    }
    void PostNcDestroy() override { ++s_deleted; }
    DECLARE_MESSAGE_MAP()
};

int CCountingWnd::s_deleted = 0;

BEGIN_MESSAGE_MAP(CCountingWnd, CWnd)
ON_MESSAGE(WM_USER + 9, OnCustom)
END_MESSAGE_MAP()

class CSelfDeletingWnd : public CWnd {
public:
    static bool* s_flag;
    ~CSelfDeletingWnd() override { *s_flag = true; }

protected:
    void PostNcDestroy() override { delete this; }
};

bool* CSelfDeletingWnd::s_flag = nullptr;

}  // namespace

TEST(FrameworkWindows, SubclassingAnExistingWindowAndLettingItGo)
{
    MessageRecorder rec;
    rec.OnMessage(WM_USER + 9, [](HWND, UINT, WPARAM, LPARAM, LRESULT* r) {
        *r = 41;
        return true;
    });
    HWND h = CreateTestWindow("plain", WS_POPUP, 0, 0, 10, 10);
    WNDPROC original = (WNDPROC)GetWindowLongPtr(h, GWLP_WNDPROC);

    CWnd* temp = CWnd::FromHandle(h);
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(CWnd::FromHandle(h), temp) << "one temporary object per window until idle";
    EXPECT_EQ(CWnd::FromHandlePermanent(h), nullptr);

    CCountingWnd w;
    ASSERT_TRUE(w.SubclassWindow(h));
    EXPECT_EQ(CWnd::FromHandle(h), &w) << "the permanent object replaces the temporary one";
    EXPECT_EQ(w.SendMessage(WM_USER + 9), 42);
    EXPECT_EQ(w.customs, 1);
    EXPECT_EQ(rec.Count(h, WM_USER + 9), 1);

    EXPECT_EQ(w.UnsubclassWindow(), h);
    EXPECT_EQ((WNDPROC)GetWindowLongPtr(h, GWLP_WNDPROC), original);
    EXPECT_EQ(SendMessage(h, WM_USER + 9, 0, 0), 41);
    EXPECT_EQ(w.customs, 1);
    EXPECT_EQ(w.m_hWnd, nullptr);
    DestroyWindow(h);
    CWnd::DeleteTempMap();
}

TEST(FrameworkWindows, DestructionDetachesAndCallsPostNcDestroy)
{
    CCountingWnd::s_deleted = 0;
    {
        CCountingWnd w;
        ASSERT_TRUE(w.CreateEx(0, AfxRegisterWndClass(0), "x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
        HWND h = w.m_hWnd;
        HWND child = nullptr;
        CCountingWnd c;
        ASSERT_TRUE(c.Create(nullptr, "c", WS_CHILD, CRect(0, 0, 5, 5), &w, 12));
        child = c.m_hWnd;
        EXPECT_EQ(w.GetDlgItem(12), &c);
        EXPECT_EQ(c.GetParent(), &w);
        EXPECT_TRUE(w.DestroyWindow());
        EXPECT_EQ(w.m_hWnd, nullptr);
        EXPECT_EQ(c.m_hWnd, nullptr) << "children go with their parent";
        EXPECT_FALSE(::IsWindow(h));
        EXPECT_FALSE(::IsWindow(child));
        EXPECT_EQ(CWnd::FromHandlePermanent(h), nullptr);
        EXPECT_EQ(CCountingWnd::s_deleted, 2);
    }
    // A window object that deletes itself when its window goes.
    bool deleted = false;
    CSelfDeletingWnd::s_flag = &deleted;
    auto* self = new CSelfDeletingWnd;
    ASSERT_TRUE(self->CreateEx(0, AfxRegisterWndClass(0), "s", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    ::DestroyWindow(self->m_hWnd);
    EXPECT_TRUE(deleted);

    // An object destroyed while its window lives takes the window along.
    HWND kept;
    {
        CWnd w;
        ASSERT_TRUE(w.CreateEx(0, AfxRegisterWndClass(0), "x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
        kept = w.m_hWnd;
    }
    EXPECT_FALSE(::IsWindow(kept));
}

TEST(FrameworkWindows, NullHandlesGiveNoObjects)
{
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(nullptr), nullptr);
    EXPECT_EQ(CWnd::FromHandle((HWND)(uintptr_t)0x7777777)->GetSafeHwnd(), (HWND)(uintptr_t)0x7777777)
        << "a temporary object wraps even a handle that names no window";
    CWnd::DeleteTempMap();
}

namespace {

class CFilteringChild : public CWnd {
public:
    int seen = 0;
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN) {
            ++seen;
            return TRUE;
        }
        return FALSE;
    }
};

class CFilteringParent : public CWnd {
public:
    std::vector<UINT> seen;
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        seen.push_back((UINT)pMsg->wParam);
        return FALSE;
    }
};

}  // namespace

TEST(FrameworkWindows, PreTranslateWalksFromTheTargetUpToTheStop)
{
    CFilteringParent parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "p", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    CFilteringChild child;
    ASSERT_TRUE(child.Create(nullptr, "c", WS_CHILD, CRect(0, 0, 5, 5), &parent, 1));
    MSG msg = {child.m_hWnd, WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
    EXPECT_TRUE(CWnd::WalkPreTranslateTree(parent.m_hWnd, &msg));
    EXPECT_EQ(child.seen, 1);
    EXPECT_TRUE(parent.seen.empty()) << "the child kept it";
    msg.wParam = VK_ESCAPE;
    EXPECT_FALSE(CWnd::WalkPreTranslateTree(parent.m_hWnd, &msg));
    EXPECT_EQ(parent.seen, (std::vector<UINT>{VK_ESCAPE}));
    parent.DestroyWindow();
}

// The window left over by RepositionBars (a view) keeps its client edge
// inside the room it is given, so it covers the frame's client area exactly;
// adjustOutside puts the edge around the rectangle instead.
TEST(FrameworkWindows, LeftOverWindowFillsTheClientAreaWithItsEdgeInside)
{
    CWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, AfxRegisterWndClass(0), "frame", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                               nullptr));
    CWnd view;
    const UINT kPane = 0xE900;
    ASSERT_TRUE(view.CreateEx(WS_EX_CLIENTEDGE, AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1),
                              &frame, kPane));
    frame.RepositionBars(0, 0xFFFF, kPane);

    CRect client, placed;
    frame.GetClientRect(&client);
    view.GetWindowRect(&placed);
    frame.ScreenToClient(&placed);
    EXPECT_EQ(client, placed);

    CRect outside(10, 10, 50, 50);
    view.CalcWindowRect(&outside, CWnd::adjustOutside);
    EXPECT_EQ(CRect(8, 8, 52, 52), outside);
    frame.DestroyWindow();
}

// A page of controls inside a frame or view takes dialog keys through PreTranslateInput.
TEST(FrameworkWindows, PreTranslateInputGivesAPageDialogKeys)
{
    CWnd top;
    ASSERT_TRUE(top.CreateEx(0, AfxRegisterWndClass(0), "top", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                             nullptr));
    CWnd page;
    ASSERT_TRUE(page.CreateEx(WS_EX_CONTROLPARENT, AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE,
                              CRect(0, 0, 300, 200), &top, 1));
    HWND first = ::CreateWindowEx(0, "Edit", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 10, 100, 20, page.m_hWnd,
                                  (HMENU)11, nullptr, nullptr);
    HWND second = ::CreateWindowEx(0, "Edit", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 40, 100, 20, page.m_hWnd,
                                   (HMENU)12, nullptr, nullptr);
    ::SetFocus(first);
    MSG tab = {first, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    EXPECT_TRUE(page.PreTranslateInput(&tab));
    EXPECT_EQ(second, ::GetFocus());
    MSG paint = {first, WM_PAINT, 0, 0, 0, {0, 0}};
    EXPECT_FALSE(page.PreTranslateInput(&paint)) << "only keys and the mouse";
    top.DestroyWindow();
}

TEST(FrameworkWindows, ChildOwnerIsItsParentUntilAnotherIsSet)
{
    CWnd parent, other, child;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "parent", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    ASSERT_TRUE(other.CreateEx(0, AfxRegisterWndClass(0), "other", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    ASSERT_TRUE(child.Create(AfxRegisterWndClass(0), "child", WS_CHILD, CRect(0, 0, 10, 10), &parent, 3));
    EXPECT_EQ(&parent, child.GetOwner());
    child.SetOwner(&other);
    EXPECT_EQ(&other, child.GetOwner());
    EXPECT_EQ(&parent, child.GetParent()) << "the parent stays";
    other.DestroyWindow();
    EXPECT_EQ(&parent, child.GetOwner()) << "a destroyed owner falls back to the parent";
    parent.DestroyWindow();
}

// A frame of the program made from the library's resources: the menu and the accelerators
// are found along the resource chain, as every other resource is.
TEST(FrameworkWindows, LoadFrameFindsItsMenuAndAcceleratorsInTheLibrary)
{
    const UINT kFrame = 7610, kOpen = 7611;
    static std::vector<BYTE> menu = BuildMenuTemplate({Popup(u"파일", {Item(u"열기", kOpen)})});
    static std::vector<BYTE> accel = BuildAcceleratorTable({{FVIRTKEY | FCONTROL, 'O', (WORD)kOpen}});
    static const mivo::ResourceEntry entries[] = {
        {4, nullptr, (WORD)kFrame, nullptr, menu.data(), (DWORD)menu.size()},
        {9, nullptr, (WORD)kFrame, nullptr, accel.data(), (DWORD)accel.size()},
    };
    static const mivo::ResourceTable table = {entries, 2};
    mivo::RegisterModuleResources("loadframe_test", &table, false);

    CFrameWnd* frame = new CFrameWnd;
    ASSERT_TRUE(frame->LoadFrame(kFrame, WS_OVERLAPPEDWINDOW));
    HMENU bar = ::GetMenu(frame->m_hWnd);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(::GetMenuItemID(::GetSubMenu(bar, 0), 0), kOpen);
    EXPECT_NE(frame->m_hAccelTable, nullptr);
    frame->DestroyWindow();
    PumpUntilIdle();
    mivo::UnregisterModuleResources(&table);
}
