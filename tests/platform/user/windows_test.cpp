// Window classes, creation and destruction order, handles, window data.
#include <gtest/gtest.h>

#include <win32.h>

#include "support/MessageLoop.h"
#include "support/MessageRecorder.h"
#include "support/MessageSequence.h"

using namespace mivo::test;

TEST(WindowClasses, RegisterFindAndUnregister)
{
    WNDCLASS wc = {};
    wc.lpfnWndProc = DefWindowProc;
    wc.cbWndExtra = 16;
    wc.style = CS_DBLCLKS;
    wc.lpszClassName = "ClassesTestClass";
    ATOM atom = RegisterClass(&wc);
    ASSERT_NE(atom, 0);
    EXPECT_EQ(RegisterClass(&wc), 0) << "a second registration of the same name fails";

    WNDCLASS found = {};
    EXPECT_TRUE(GetClassInfo(nullptr, "classestestclass", &found)) << "names compare without case";
    EXPECT_EQ(found.style, (UINT)CS_DBLCLKS);
    EXPECT_EQ(found.cbWndExtra, 16);

    HWND h = CreateWindow(MAKEINTATOM(atom), "x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(h, nullptr) << "a class can be named by its atom";
    char name[64];
    EXPECT_EQ(GetClassName(h, name, sizeof(name)), 16);
    EXPECT_STREQ(name, "ClassesTestClass");
    EXPECT_FALSE(UnregisterClass("ClassesTestClass", nullptr)) << "a class in use stays";
    DestroyWindow(h);
    EXPECT_TRUE(UnregisterClass("ClassesTestClass", nullptr));
    EXPECT_FALSE(GetClassInfo(nullptr, "ClassesTestClass", &found));
    EXPECT_EQ(CreateWindow("ClassesTestClass", "x", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
              nullptr);
}

TEST(WindowLifecycle, CreationAndDestructionFollowWindowsOrder)
{
    MessageRecorder rec;
    HWND top = CreateTestWindow("top", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200);
    ASSERT_NE(top, nullptr);
    EXPECT_SEQUENCE(rec, top, {
        {WM_GETMINMAXINFO, kSent},
        {WM_NCCREATE, kSent},
        {WM_NCCALCSIZE, kSent | kWParam, FALSE},
        {WM_CREATE, kSent},
        {WM_SIZE, kSent | kWParam, SIZE_RESTORED},
        {WM_MOVE, kSent},
    });

    rec.Clear();
    HWND child = CreateTestWindow("child", WS_CHILD | WS_VISIBLE, 5, 5, 50, 50, top, 7);
    ASSERT_NE(child, nullptr);
    EXPECT_SEQUENCE(rec, child, {
        {WM_NCCREATE, kSent},
        {WM_NCCALCSIZE, kSent | kWParam, FALSE},
        {WM_CREATE, kSent},
        {WM_SIZE, kSent | kWParam | kLParam, SIZE_RESTORED, MAKELPARAM(50, 50)},
        {WM_MOVE, kSent | kLParam, 0, MAKELPARAM(5, 5)},
        {WM_PARENTNOTIFY, kParent | kSent | kWParam | kLParam, MAKEWPARAM(WM_CREATE, 7), (LPARAM)child},
        {WM_SHOWWINDOW, kSent | kWParam, TRUE},
        {WM_WINDOWPOSCHANGING, kSent},
        {WM_WINDOWPOSCHANGED, kSent},
    });
    HWND grandchild = CreateTestWindow("grandchild", WS_CHILD, 0, 0, 10, 10, child, 8);

    rec.Clear();
    EXPECT_TRUE(DestroyWindow(top));
    EXPECT_ORDER(rec, top, {
        {WM_DESTROY},
        At(child, WM_DESTROY),
        At(grandchild, WM_DESTROY),
        At(grandchild, WM_NCDESTROY),
        At(child, WM_NCDESTROY),
        {WM_NCDESTROY},
    });
    EXPECT_FALSE(IsWindow(top));
    EXPECT_FALSE(IsWindow(child));
    EXPECT_FALSE(IsWindow(grandchild));
}

// An edit in place ending, a dialog closing: the focus window is told before it goes,
// and no window has the focus afterwards.
TEST(WindowLifecycle, DestroyedFocusWindowHearsItLosesTheFocus)
{
    MessageRecorder rec;
    HWND top = CreateTestWindow("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200);
    HWND editor = CreateTestWindow("editor", WS_CHILD | WS_VISIBLE, 5, 5, 50, 20, top, 7);
    HWND inner = CreateTestWindow("inner", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, editor, 8);
    for (HWND focus : {inner, top}) {
        HWND destroyed = focus == inner ? editor : top;
        SetFocus(focus);
        rec.Clear();
        ASSERT_TRUE(DestroyWindow(destroyed));
        EXPECT_ORDER(rec, focus, {
            {WM_KILLFOCUS, kSent | kWParam, 0},
            At(destroyed, WM_DESTROY, kOptional),
            {WM_DESTROY},
        });
        EXPECT_EQ(GetFocus(), nullptr);
    }
}

TEST(WindowLifecycle, ChildrenStillReachableDuringParentDestroy)
{
    MessageRecorder rec;
    HWND top = CreateTestWindow("top", WS_POPUP, 0, 0, 100, 100);
    HWND child = CreateTestWindow("child", WS_CHILD, 0, 0, 10, 10, top, 3);
    bool sawChild = false;
    rec.OnMessage(WM_DESTROY, [&](HWND h, UINT, WPARAM, LPARAM, LRESULT*) {
        if (h == top)
            sawChild = GetDlgItem(top, 3) == child && IsWindow(child) && GetParent(child) == top;
        return false;
    });
    DestroyWindow(top);
    EXPECT_TRUE(sawChild);
}

TEST(WindowLifecycle, RefusedCreationReturnsNull)
{
    MessageRecorder rec;
    rec.OnMessage(WM_CREATE, [](HWND, UINT, WPARAM, LPARAM, LRESULT* r) {
        *r = -1;
        return true;
    });
    HWND h = CreateTestWindow("refused", WS_POPUP, 0, 0, 10, 10);
    EXPECT_EQ(h, nullptr);
    EXPECT_SEQUENCE(rec, nullptr, {
        {WM_GETMINMAXINFO},
        {WM_NCCREATE},
        {WM_NCCALCSIZE},
        {WM_CREATE},
        {WM_DESTROY},
        {WM_NCDESTROY},
    });

    MessageRecorder rec2;
    rec2.OnMessage(WM_NCCREATE, [](HWND, UINT, WPARAM, LPARAM, LRESULT* r) {
        *r = FALSE;
        return true;
    });
    EXPECT_EQ(CreateTestWindow("refused", WS_POPUP, 0, 0, 10, 10), nullptr);
    EXPECT_SEQUENCE(rec2, nullptr, {{WM_GETMINMAXINFO}, {WM_NCCREATE}, {WM_NCDESTROY}});
}

TEST(WindowHandles, StaleHandleFailsEveryCall)
{
    MessageRecorder rec;
    HWND h = CreateTestWindow("stale", WS_POPUP, 0, 0, 10, 10);
    ASSERT_TRUE(IsWindow(h));
    DestroyWindow(h);
    rec.Clear();

    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(SendMessage(h, WM_USER, 1, 2), 0);
    EXPECT_FALSE(PostMessage(h, WM_USER, 1, 2));
    EXPECT_FALSE(DestroyWindow(h));
    EXPECT_EQ(GetWindowLongPtr(h, GWLP_USERDATA), 0);
    EXPECT_EQ(SetWindowLongPtr(h, GWLP_USERDATA, 5), 0);
    EXPECT_FALSE(SetWindowPos(h, nullptr, 0, 0, 5, 5, SWP_NOZORDER));
    EXPECT_FALSE(ShowWindow(h, SW_SHOW));
    RECT r;
    EXPECT_FALSE(GetWindowRect(h, &r));
    EXPECT_EQ(GetParent(h), nullptr);
    EXPECT_EQ(SetTimer(h, 1, 10, nullptr), 0u);
    EXPECT_FALSE(InvalidateRect(h, nullptr, TRUE));
    char buf[8] = "x";
    EXPECT_EQ(GetWindowText(h, buf, sizeof(buf)), 0);
    EXPECT_EQ(buf[0], 0);
    EXPECT_EQ(SendMessage((HWND)(uintptr_t)0x7777777, WM_USER, 0, 0), 0) << "a made-up handle fails too";
    EXPECT_TRUE(rec.All().empty()) << "nothing reached a window procedure";

    // New windows never come back with the old handle value.
    std::vector<HWND> made;
    for (int i = 0; i < 50; ++i) {
        made.push_back(CreateTestWindow("new", WS_POPUP, 0, 0, 1, 1));
        EXPECT_NE(made.back(), h);
    }
    for (HWND m : made)
        DestroyWindow(m);
}

TEST(WindowData, LongsUserDataExtraBytesAndStyles)
{
    WNDCLASS wc = {};
    wc.lpfnWndProc = DefWindowProc;
    wc.cbWndExtra = 2 * sizeof(LONG_PTR);
    wc.lpszClassName = "WindowDataExtra";
    RegisterClass(&wc);
    HWND h = CreateWindow("WindowDataExtra", "t", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(h, nullptr);

    EXPECT_EQ(SetWindowLongPtr(h, GWLP_USERDATA, (LONG_PTR)0x123456789), 0);
    EXPECT_EQ(GetWindowLongPtr(h, GWLP_USERDATA), (LONG_PTR)0x123456789) << "user data is pointer-sized";
    SetWindowLongPtr(h, sizeof(LONG_PTR), (LONG_PTR)-42);
    EXPECT_EQ(GetWindowLongPtr(h, sizeof(LONG_PTR)), (LONG_PTR)-42);
    EXPECT_EQ(GetWindowLongPtr(h, 2 * sizeof(LONG_PTR)), 0) << "past the extra bytes fails";
    SetWindowLongPtr(h, GWLP_ID, 55);
    EXPECT_EQ(GetWindowLongPtr(h, GWLP_ID), 55);
    EXPECT_EQ(GetWindowLongPtr(h, GWLP_WNDPROC), (LONG_PTR)DefWindowProc);
    DestroyWindow(h);
}

namespace {

WNDPROC g_prevProc = nullptr;
std::vector<std::string> g_chain;

LRESULT CALLBACK OuterProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    if (m == WM_USER + 1) {
        g_chain.push_back("outer");
        return CallWindowProc(g_prevProc, h, m, w + 1, l) * 10;
    }
    return CallWindowProc(g_prevProc, h, m, w, l);
}

}  // namespace

TEST(WindowData, SubclassingChainsThroughCallWindowProc)
{
    MessageRecorder rec;
    rec.OnMessage(WM_USER + 1, [](HWND, UINT, WPARAM w, LPARAM, LRESULT* r) {
        g_chain.push_back("inner");
        *r = (LRESULT)w;
        return true;
    });
    HWND h = CreateTestWindow("sub", WS_POPUP, 0, 0, 10, 10);
    g_chain.clear();
    g_prevProc = (WNDPROC)SetWindowLongPtr(h, GWLP_WNDPROC, (LONG_PTR)OuterProc);
    ASSERT_NE(g_prevProc, nullptr);
    EXPECT_EQ(SendMessage(h, WM_USER + 1, 4, 0), 50) << "the outer procedure sees the inner one's result";
    EXPECT_EQ(g_chain, (std::vector<std::string>{"outer", "inner"}));
    // Restoring the old procedure ends the subclassing.
    SetWindowLongPtr(h, GWLP_WNDPROC, (LONG_PTR)g_prevProc);
    g_chain.clear();
    EXPECT_EQ(SendMessage(h, WM_USER + 1, 4, 0), 4);
    EXPECT_EQ(g_chain, (std::vector<std::string>{"inner"}));
    DestroyWindow(h);
}

TEST(WindowData, StyleChangesAreAnnounced)
{
    MessageRecorder rec;
    HWND h = CreateTestWindow("style", WS_POPUP | WS_BORDER, 0, 0, 10, 10);
    DWORD seenOld = 0, seenNew = 0;
    rec.OnMessage(WM_STYLECHANGED, [&](HWND, UINT, WPARAM w, LPARAM l, LRESULT*) {
        if (w == (WPARAM)GWL_STYLE) {
            seenOld = ((STYLESTRUCT*)l)->styleOld;
            seenNew = ((STYLESTRUCT*)l)->styleNew;
        }
        return false;
    });
    rec.Clear();
    LONG old = SetWindowLong(h, GWL_STYLE, (LONG)(WS_POPUP | WS_THICKFRAME));
    EXPECT_EQ((DWORD)old, (DWORD)(WS_POPUP | WS_BORDER));
    EXPECT_EQ(seenOld, (DWORD)(WS_POPUP | WS_BORDER));
    EXPECT_EQ(seenNew, (DWORD)(WS_POPUP | WS_THICKFRAME));
    EXPECT_EQ((DWORD)GetWindowLong(h, GWL_STYLE), (DWORD)(WS_POPUP | WS_THICKFRAME));
    EXPECT_SEQUENCE(rec, h, {
        {WM_STYLECHANGING, kSent | kWParam, (WPARAM)GWL_STYLE},
        {WM_STYLECHANGED, kSent | kWParam, (WPARAM)GWL_STYLE},
    });
    DestroyWindow(h);
}

TEST(WindowData, TextPropertiesAndRelations)
{
    MessageRecorder rec;
    HWND top = CreateTestWindow("제목 창", WS_POPUP, 0, 0, 100, 100);
    HWND a = CreateTestWindow("a", WS_CHILD, 0, 0, 10, 10, top, 101);
    HWND b = CreateTestWindow("b", WS_CHILD, 0, 0, 10, 10, top, 102);

    char buf[64];
    EXPECT_EQ(GetWindowTextLength(top), (int)strlen("제목 창"));
    GetWindowText(top, buf, sizeof(buf));
    EXPECT_STREQ(buf, "제목 창");
    // A short buffer never ends on half of a double-byte character.
    EXPECT_EQ(GetWindowText(top, buf, 4), 2);
    EXPECT_TRUE(SetWindowText(top, "새 제목"));
    GetWindowText(top, buf, sizeof(buf));
    EXPECT_STREQ(buf, "새 제목");

    EXPECT_EQ(GetDlgItem(top, 102), b);
    EXPECT_EQ(GetDlgCtrlID(a), 101);
    EXPECT_EQ(GetParent(a), top);
    EXPECT_TRUE(IsChild(top, a));
    EXPECT_EQ(GetWindow(top, GW_CHILD), a) << "children keep creation order from the top";
    EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), b);
    SetDlgItemText(top, 101, "text of a");
    GetDlgItemText(top, 101, buf, sizeof(buf));
    EXPECT_STREQ(buf, "text of a");

    EXPECT_TRUE(SetProp(top, "Prop", (HANDLE)42));
    EXPECT_EQ(GetProp(top, "prop"), (HANDLE)42);
    EXPECT_EQ(RemoveProp(top, "Prop"), (HANDLE)42);
    EXPECT_EQ(GetProp(top, "Prop"), nullptr);

    int count = 0;
    EnumChildWindows(
        top,
        [](HWND, LPARAM p) -> BOOL {
            ++*(int*)p;
            return TRUE;
        },
        (LPARAM)&count);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(FindWindow(MessageRecorder::ClassName(), "새 제목"), top);
    EXPECT_EQ(FindWindowEx(top, nullptr, nullptr, "b"), b);

    EXPECT_EQ(SetParent(b, nullptr), top);
    EXPECT_EQ(GetDlgItem(top, 102), nullptr);
    DestroyWindow(b);
    DestroyWindow(top);
}

TEST(WindowData, RegisteredMessagesAreStableAndDistinct)
{
    UINT a = RegisterWindowMessage("MivoTestMessageA");
    UINT b = RegisterWindowMessage("MivoTestMessageB");
    EXPECT_GE(a, 0xC000u);
    EXPECT_LE(a, 0xFFFFu);
    EXPECT_NE(a, b);
    EXPECT_EQ(RegisterWindowMessage("mivotestmessagea"), a);
    EXPECT_EQ(RegisterWindowMessage(""), 0u);
}
