// WM_CTLCOLOR*: the brush and colours a dialog procedure returns are what
// the dialog and its controls paint with.
#include <gtest/gtest.h>

#include <win32.h>

#include "support/DialogDriver.h"
#include "support/DialogTemplateBuilder.h"
#include "support/WindowCapture.h"

using namespace mivo::test;

namespace {

const COLORREF kBack = RGB(200, 40, 40);
const COLORREF kEditBack = RGB(20, 160, 60);
const COLORREF kText = RGB(0, 0, 250);

struct Colors {
    HBRUSH back = CreateSolidBrush(kBack);
    HBRUSH editBack = CreateSolidBrush(kEditBack);
    std::vector<std::pair<UINT, int>> asked;  // message, control id
    ~Colors()
    {
        DeleteObject(back);
        DeleteObject(editBack);
    }
};

INT_PTR CALLBACK ColorProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtr(hDlg, DWLP_USER, lParam);
        return TRUE;
    }
    auto* c = (Colors*)GetWindowLongPtr(hDlg, DWLP_USER);
    if (!c)
        return FALSE;
    switch (msg) {
    case WM_CTLCOLORDLG:
        c->asked.emplace_back(msg, 0);
        return (INT_PTR)c->back;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        c->asked.emplace_back(msg, GetDlgCtrlID((HWND)lParam));
        SetTextColor((HDC)wParam, kText);
        SetBkMode((HDC)wParam, TRANSPARENT);
        return (INT_PTR)c->back;
    case WM_CTLCOLOREDIT:
        c->asked.emplace_back(msg, GetDlgCtrlID((HWND)lParam));
        SetTextColor((HDC)wParam, kText);
        return (INT_PTR)c->editBack;
    }
    return FALSE;
}

bool Asked(const Colors& c, UINT msg, int id)
{
    for (auto& a : c.asked)
        if (a.first == msg && a.second == id)
            return true;
    return false;
}

}  // namespace

TEST(DialogColors, ReturnedBrushesAndTextColoursArePaintedWith)
{
    const DWORD v = WS_VISIBLE;
    DialogTemplateBuilder b(WS_POPUP | WS_CAPTION | v, 0, 0, 160, 90, u"색");
    b.Font(9, u"굴림")
        .Item(ItemClass::Static, u"이름표 글자", 10, 5, 5, 80, 10, SS_LEFT | v)
        .Item(ItemClass::Edit, u"입력", 11, 5, 20, 80, 12, WS_BORDER | v)
        .Item(ItemClass::Button, u"상자", 12, 5, 36, 80, 10, BS_AUTOCHECKBOX | v)
        .Item(ItemClass::ComboBox, u"", 13, 5, 50, 80, 60, CBS_DROPDOWN | v);
    Colors colors;
    HWND dlg = CreateDialogIndirectParam(nullptr, b.Get(), nullptr, ColorProc, (LPARAM)&colors);
    ASSERT_NE(dlg, nullptr);
    SetWindowText(GetDlgItem(dlg, 13), "콤보");
    PumpDialog(dlg);
    RedrawWindow(dlg, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);

    EXPECT_TRUE(Asked(colors, WM_CTLCOLORDLG, 0));
    EXPECT_TRUE(Asked(colors, WM_CTLCOLORSTATIC, 10));
    EXPECT_TRUE(Asked(colors, WM_CTLCOLOREDIT, 11));
    EXPECT_TRUE(Asked(colors, WM_CTLCOLORSTATIC, 12)) << "check boxes ask as statics";
    EXPECT_TRUE(Asked(colors, WM_CTLCOLOREDIT, 13)) << "a combo box asks for its edit in its own name";

    WindowImage whole = CaptureWindow(dlg, true);
    RECT free = {100, 70, 110, 80};  // a spot of the dialog without controls
    MapDialogRect(dlg, &free);
    EXPECT_EQ(whole.At(free.left, free.top), kBack);

    for (int id : {10, 12}) {
        WindowImage part = CaptureWindow(GetDlgItem(dlg, id), true);
        EXPECT_GT(part.Count(kBack), 0) << id;
        EXPECT_GT(part.Count(kText), 0) << id << ": the text takes the returned colour";
    }
    WindowImage edit = CaptureWindow(GetDlgItem(dlg, 11), true);
    EXPECT_GT(edit.Count(kEditBack), edit.width * edit.height / 2);
    EXPECT_GT(edit.Count(kText), 0);
    HWND comboEdit = GetWindow(GetDlgItem(dlg, 13), GW_CHILD);
    WindowImage inner = CaptureWindow(comboEdit, true);
    EXPECT_GT(inner.Count(kEditBack), 0);
    DestroyWindow(dlg);
}
