// Mouse hit testing: windows that answer HTTRANSPARENT pass the click to what lies beneath them.
#include <gtest/gtest.h>

#include <win32.h>

#include "support/DialogDriver.h"
#include "support/DialogTemplateBuilder.h"
#include "support/InputSynth.h"
#include "support/MessageLoop.h"
#include "support/MessageRecorder.h"

using namespace mivo::test;

namespace {

const int kGroup = 100, kCheck = 101, kRadio = 102;

HWND Control(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int cx, int cy, int id)
{
    return CreateWindow(cls, text, WS_CHILD | WS_VISIBLE | style, x, y, cx, cy, parent, (HMENU)(UINT_PTR)id,
                        nullptr, nullptr);
}

POINT CentreIn(HWND parent, HWND child)
{
    RECT r;
    GetWindowRect(child, &r);
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ScreenToClient(parent, &p);
    return p;
}

}  // namespace

// The group box is created first, so it lies above the buttons it frames.
TEST(HitTest, ClicksInsideAGroupBoxReachTheButtonsInIt)
{
    MessageRecorder rec;
    HWND top = CreateTestWindow("group", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 300, 200);
    Control(top, "Button", "선택", BS_GROUPBOX, 10, 10, 200, 120, kGroup);
    HWND check = Control(top, "Button", "사진 보기", BS_AUTOCHECKBOX | WS_TABSTOP, 20, 30, 150, 20, kCheck);
    HWND radio = Control(top, "Button", "앨범", BS_AUTORADIOBUTTON | WS_TABSTOP, 20, 60, 150, 20, kRadio);
    SetForegroundWindow(top);
    PumpUntilIdle();
    rec.Clear();

    POINT p = CentreIn(top, check);
    Click(top, p.x, p.y);
    EXPECT_EQ(SendMessage(check, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(GetFocus(), check);
    p = CentreIn(top, radio);
    Click(top, p.x, p.y);
    EXPECT_EQ(SendMessage(radio, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(rec.Count(top, WM_LBUTTONDOWN), 0) << "nothing fell through to the parent";

    // Inside the frame but over no button: the parent gets the click.
    Click(top, 190, 110);
    EXPECT_EQ(rec.Count(top, WM_LBUTTONDOWN), 1);
    DestroyWindow(top);
    PumpUntilIdle();
}

TEST(HitTest, WindowFromPointLooksThroughTheGroupBoxAsTheMouseDoes)
{
    MessageRecorder rec;
    HWND top = CreateTestWindow("group", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 300, 200);
    HWND group = Control(top, "Button", "선택", BS_GROUPBOX, 10, 10, 200, 120, kGroup);
    HWND label = Control(top, "Static", "설명", SS_LEFT, 20, 90, 60, 16, 0);
    HWND check = Control(top, "Button", "사진 보기", BS_AUTOCHECKBOX | WS_TABSTOP, 20, 30, 150, 20, kCheck);
    PumpUntilIdle();
    POINT inCheck = CentreIn(top, check), inFrame{190, 110}, onLabel = CentreIn(top, label);
    struct Case {
        POINT client;
        HWND fromPoint, realChild, child;
    } cases[] = {
        {inCheck, check, check, group},
        {inFrame, top, top, group},
        // Static text answers HTTRANSPARENT too, but a real child search still finds it.
        {onLabel, top, label, group},
    };
    for (const Case& c : cases) {
        POINT screen = c.client;
        ClientToScreen(top, &screen);
        EXPECT_EQ(WindowFromPoint(screen), c.fromPoint) << c.client.x << "," << c.client.y;
        EXPECT_EQ(RealChildWindowFromPoint(top, c.client), c.realChild) << c.client.x << "," << c.client.y;
        EXPECT_EQ(ChildWindowFromPoint(top, c.client), c.child) << c.client.x << "," << c.client.y;
    }
    DestroyWindow(top);
    PumpUntilIdle();
}

TEST(HitTest, DialogWithAGroupBoxTakesClicksOnItsButtons)
{
    DialogTemplateBuilder b(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_SETFONT, 10, 10, 180, 100, u"묶음");
    b.Font(9, u"굴림")
        .Item(ItemClass::Button, u"선택", kGroup, 5, 5, 150, 60, BS_GROUPBOX | WS_VISIBLE)
        .Item(ItemClass::Button, u"사진 보기", kCheck, 12, 18, 100, 12, BS_AUTOCHECKBOX | WS_TABSTOP | WS_VISIBLE)
        .Item(ItemClass::Button, u"앨범", kRadio, 12, 36, 100, 12, BS_AUTORADIOBUTTON | WS_TABSTOP | WS_VISIBLE);
    HWND dlg = CreateDialogIndirect(nullptr, b.Get(), nullptr, nullptr);
    ASSERT_NE(dlg, nullptr);
    SetForegroundWindow(dlg);
    PumpDialog(dlg);
    HWND check = GetDlgItem(dlg, kCheck), radio = GetDlgItem(dlg, kRadio);
    POINT p = CentreIn(dlg, check);
    Click(dlg, p.x, p.y);
    EXPECT_EQ(SendMessage(check, BM_GETCHECK, 0, 0), BST_CHECKED);
    p = CentreIn(dlg, radio);
    Click(dlg, p.x, p.y);
    EXPECT_EQ(SendMessage(radio, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(GetFocus(), radio);
    DestroyWindow(dlg);
    PumpUntilIdle();
}
